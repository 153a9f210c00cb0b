// Turns a page layout into the widgets of a parameter page: group boxes in columns, rows of a label
// and controls, combo entries from the combo catalogue, spins beside their buddy edits.
#pragma once

struct PageLayout;
class CTabSheetDialog;

class PageBuilder {
public:
    static void Build(const PageLayout& layout, CTabSheetDialog& page);
};
