// The question before a table file that does not look like the table it is read for is used.
#pragma once

#include "files/TableFileCheck.h"

#include <string>
#include <string_view>

class MessageHost;

class TableFileActions {
public:
    // True at once for the table's own first line and at least a full table; otherwise the answer to
    // TableFileCheck::Question (Yes or No, No by default). The window's operator answers it; the
    // companion's host answers with the default, or Yes under --yes.
    static bool Confirm(MessageHost& messages, const std::string& path, std::string_view firstLine, int rows,
                        TableFileCheck::Table table);
};
