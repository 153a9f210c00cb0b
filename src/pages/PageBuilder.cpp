// The page builder.
#include "pages/PageBuilder.h"

#include "framework/qt/CRadioButton.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "pages/CTabSheetDialog.h"
#include "resources/PageLayouts.h"
#include "tables/ComboCatalog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kEditWidth = 84;  // ten digits and a sign
constexpr int kMinComboWidth = 96;
constexpr int kSpinWidth = 16;
constexpr int kRowHeight = 22;
constexpr int kMinButtonWidth = 72;

// What a page column shares so that its groups line up: one label width, one combo width.
struct ColumnMetrics {
    int labelWidth = 0;
    int comboWidth = kMinComboWidth;
};

std::vector<std::string> ComboEntries(const LayoutItem& item)
{
    if (item.comboCommand >= 0) {
        if (const ComboList* list = FindComboList(item.comboCommand)) return list->entries;
        return {};
    }
    return item.entries;
}

void MeasureGroup(const LayoutGroup& group, const QFontMetrics& metrics, ColumnMetrics& column)
{
    for (const LayoutRow& row : group.rows) {
        column.labelWidth = std::max(column.labelWidth, metrics.horizontalAdvance(QString::fromStdString(row.label)));
        for (const LayoutItem& item : row.items) {
            if (item.kind != ItemKind::Combo || item.width != 0) continue;
            for (const std::string& entry : ComboEntries(item)) {
                // Room for the drop-down arrow and the frame beside the text.
                column.comboWidth =
                    std::max(column.comboWidth, metrics.horizontalAdvance(QString::fromStdString(entry)) + 36);
            }
        }
    }
    for (const LayoutGroup& inner : group.subgroups) MeasureGroup(inner, metrics, column);
}

class Builder {
public:
    Builder(CTabSheetDialog& page) : page_(page), metrics_(page.font()) {}

    void Build(const PageLayout& layout)
    {
        int columnCount = 0;
        for (const LayoutGroup& group : layout.groups) columnCount = std::max(columnCount, group.column + 1);
        std::vector<ColumnMetrics> columns(static_cast<std::size_t>(columnCount));
        for (const LayoutGroup& group : layout.groups) {
            MeasureGroup(group, metrics_, columns[static_cast<std::size_t>(group.column)]);
        }
        // One combo width for the whole page: the lists line up across its columns too.
        int comboWidth = kMinComboWidth;
        for (const ColumnMetrics& column : columns) comboWidth = std::max(comboWidth, column.comboWidth);
        for (ColumnMetrics& column : columns) column.comboWidth = comboWidth;
        auto* pageLayout = new QHBoxLayout(&page_);
        pageLayout->setContentsMargins(8, 8, 8, 8);
        pageLayout->setSpacing(10);
        std::vector<QWidget*> columnWidgets;
        std::vector<QVBoxLayout*> columnLayouts;
        std::vector<std::vector<QWidget*>> columnGroups(static_cast<std::size_t>(columnCount));
        for (int c = 0; c < columnCount; ++c) {
            auto* widget = new QWidget(&page_);
            auto* column = new QVBoxLayout(widget);
            column->setContentsMargins(0, 0, 0, 0);
            column->setSpacing(6);
            // The columns share the page's width, so the page has no empty band at its right.
            pageLayout->addWidget(widget, 1);
            columnWidgets.push_back(widget);
            columnLayouts.push_back(column);
        }
        for (const LayoutGroup& group : layout.groups) {
            const auto c = static_cast<std::size_t>(group.column);
            column_ = columns[c];
            std::vector<QWidget*> controls;
            QGroupBox* box = BuildGroup(group, columnWidgets[c], controls);
            columnLayouts[c]->addWidget(box);
            columnGroups[c].push_back(box);
        }
        for (QVBoxLayout* column : columnLayouts) column->addStretch(1);
        for (int c = 0; c < columnCount; ++c) {
            page_.TieColumn(columnWidgets[static_cast<std::size_t>(c)], columnGroups[static_cast<std::size_t>(c)]);
        }
        AlignNestedGroups();
    }

private:
    QGroupBox* BuildGroup(const LayoutGroup& group, QWidget* parent, std::vector<QWidget*>& allControls)
    {
        auto* box = new QGroupBox(QString::fromStdString(group.caption), parent);
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(8, 6, 8, 8);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        // Groups whose rows have no labels use the whole width for their controls.
        const bool hasLabels =
            std::any_of(group.rows.begin(), group.rows.end(), [](const LayoutRow& row) { return !row.label.empty(); });
        const int firstItemColumn = hasLabels ? 1 : 0;
        std::size_t itemColumns = 1;
        for (const LayoutRow& row : group.rows) itemColumns = std::max(itemColumns, row.items.size());
        const int lastColumn = firstItemColumn + static_cast<int>(itemColumns);
        if (hasLabels) grid->setColumnMinimumWidth(0, column_.labelWidth);
        grid->setColumnStretch(lastColumn, 1);

        std::vector<QWidget*> groupControls;
        int gridRow = 0;
        const GridColumns columns{firstItemColumn, lastColumn};
        for (const LayoutRow& row : group.rows) BuildRow(row, box, grid, gridRow++, columns, groupControls);
        for (const LayoutGroup& inner : group.subgroups) {
            std::vector<QWidget*> innerControls;
            QGroupBox* innerBox = BuildGroup(inner, box, innerControls);
            grid->addWidget(innerBox, gridRow++, 0, 1, lastColumn + 1);
            if (hasLabels) nested_.push_back({grid, innerBox});
            groupControls.insert(groupControls.end(), innerControls.begin(), innerControls.end());
        }
        EvenButtons(group, box);
        page_.TieGroup(box, groupControls);
        allControls.insert(allControls.end(), groupControls.begin(), groupControls.end());
        return box;
    }

    // Where a group's items stand in its grid: from the first item column to the last, the label before.
    struct GridColumns {
        int firstItem = 0;
        int last = 0;
    };

    void BuildRow(const LayoutRow& row, QGroupBox* box, QGridLayout* grid, int gridRow, GridColumns columns,
                  std::vector<QWidget*>& groupControls)
    {
        std::vector<QWidget*> companions;
        std::vector<QWidget*> controls;
        QLabel* rowLabel = nullptr;
        if (!row.label.empty()) {
            auto* label = new QLabel(QString::fromStdString(row.label), box);
            rowLabel = label;
            if (row.labelId != 0) page_.AddControl(row.labelId, label);
            grid->addWidget(label, gridRow, 0);
            companions.push_back(label);
        }
        for (std::size_t i = 0; i < row.items.size(); ++i) {
            const LayoutItem& item = row.items[i];
            const Cell cell = BuildItem(item, box, companions, controls);
            const int column = columns.firstItem + static_cast<int>(i);
            // The row's last control takes the columns left over, keeping its own width.
            const int span = i + 1 == row.items.size() ? columns.last - column : 1;
            if (cell.layout)
                grid->addLayout(cell.layout, gridRow, column, 1, span, Qt::AlignLeft | Qt::AlignVCenter);
            else if (cell.widget)
                grid->addWidget(cell.widget, gridRow, column, 1, span, Qt::AlignLeft | Qt::AlignVCenter);
            // A radio group runs from the first radio button of a row to the next control that is
            // not a radio button.
            if (cell.widget && item.kind == ItemKind::Radio) {
                SetGroupStart(cell.widget, i == 0 || row.items[i - 1].kind != ItemKind::Radio);
            } else if (cell.widget && item.kind != ItemKind::Static) {
                SetGroupStart(cell.widget, true);
            }
        }
        // The caption names the row's first control for a screen reader, which reads a value label by
        // its value (the relation, not the caption, tells what the value is).
        if (rowLabel && !controls.empty()) rowLabel->setBuddy(controls.front());
        if (!controls.empty()) page_.TieRow(companions, controls);
        groupControls.insert(groupControls.end(), controls.begin(), controls.end());
    }

    // A built item: a widget, or a layout holding several.
    struct Cell {
        QWidget* widget = nullptr;
        QLayout* layout = nullptr;
    };

    Cell BuildItem(const LayoutItem& item, QWidget* box, std::vector<QWidget*>& companions,
                   std::vector<QWidget*>& controls)
    {
        const QString text = QString::fromStdString(item.text);
        switch (item.kind) {
            case ItemKind::Combo:
                return AddControl(item.controlId, MakeCombo(item, box), controls);
            case ItemKind::EditSpin:
                return BuildEditSpin(item, box, controls);
            case ItemKind::Edit:
            case ItemKind::ReadOnlyEdit: {
                auto* edit = new QLineEdit(text, box);
                edit->setFixedWidth(item.width != 0 ? item.width : std::max(kEditWidth, column_.comboWidth));
                edit->setReadOnly(item.kind == ItemKind::ReadOnlyEdit);
                return AddControl(item.controlId, edit, controls);
            }
            case ItemKind::Button:
                return AddControl(item.controlId, MakeButton(item, text, box), controls);
            case ItemKind::Static: {
                auto* label = new QLabel(text, box);
                if (item.width != 0) label->setMinimumWidth(item.width);
                label->setMinimumHeight(kRowHeight);
                if (item.controlId == 0) {
                    companions.push_back(label);
                    return {label, nullptr};
                }
                return AddControl(item.controlId, label, controls);
            }
            case ItemKind::CheckBox:
                return AddControl(item.controlId, new QCheckBox(text, box), controls);
            case ItemKind::Radio:
                return AddControl(item.controlId, new CRadioButton(text, box), controls);
        }
        return {};
    }

    QComboBox* MakeCombo(const LayoutItem& item, QWidget* box) const
    {
        auto* combo = new QComboBox(box);
        for (const std::string& entry : ComboEntries(item)) combo->addItem(QString::fromStdString(entry), 0);
        combo->setCurrentIndex(-1);
        combo->setFixedWidth(item.width != 0 ? item.width : column_.comboWidth);
        combo->setMaxVisibleItems(24);
        return combo;
    }

    QPushButton* MakeButton(const LayoutItem& item, const QString& text, QWidget* box) const
    {
        auto* button = new QPushButton(text, box);
        button->setAutoDefault(false);
        // Room around the caption whatever the style's own padding.
        if (item.width != 0)
            button->setFixedWidth(std::max(item.width, metrics_.horizontalAdvance(text) + 16));
        else
            button->setMinimumWidth(std::max(kMinButtonWidth, metrics_.horizontalAdvance(text) + 28));
        return button;
    }

    Cell BuildEditSpin(const LayoutItem& item, QWidget* box, std::vector<QWidget*>& controls)
    {
        auto* edit = new QLineEdit(box);
        // Edit and spin together end where the combo boxes of the page end.
        edit->setFixedWidth(item.width != 0 ? item.width : std::max(kEditWidth, column_.comboWidth - kSpinWidth));
        edit->setAlignment(Qt::AlignRight);
        auto* spin = new CSpinButton(box);
        spin->setFixedHeight(edit->sizeHint().height());
        spin->SetBuddy(edit);
        AddControl(item.controlId, edit, controls);
        page_.AddControl(item.spinId, spin);
        page_.ConnectControl(spin);
        // The edit and its spin stand together, the spin flush against the edit; a layout rather
        // than a widget, so that a hidden pair leaves no empty row behind.
        auto* pair = new QHBoxLayout;
        pair->setContentsMargins(0, 0, 0, 0);
        pair->setSpacing(0);
        pair->addWidget(edit);
        pair->addWidget(spin);
        return {nullptr, pair};
    }

    // A nested group's controls start where its outer group's controls start: its label column is
    // narrowed by the nested group's indent (the frame's margin, then the grid's).
    void AlignNestedGroups()
    {
        for (const auto& [outer, innerBox] : nested_) {
            auto* inner = qobject_cast<QGridLayout*>(innerBox->layout());
            if (!inner) continue;
            innerBox->ensurePolished();
            const int indent = innerBox->contentsMargins().left() + inner->contentsMargins().left();
            inner->setColumnMinimumWidth(0, std::max(0, inner->columnMinimumWidth(0) - indent));
        }
    }

    // Buttons standing alone in their rows, one under the other, get one width.
    void EvenButtons(const LayoutGroup& group, QGroupBox* box)
    {
        std::vector<QPushButton*> lone;
        for (const LayoutRow& row : group.rows) {
            if (row.items.size() != 1 || row.items[0].kind != ItemKind::Button || row.items[0].width != 0) continue;
            for (QPushButton* button : box->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
                if (GetControlId(button) == row.items[0].controlId) lone.push_back(button);
            }
        }
        int width = 0;
        for (QPushButton* button : lone) width = std::max(width, button->minimumWidth());
        for (QPushButton* button : lone) button->setMinimumWidth(width);
    }

    Cell AddControl(int controlId, QWidget* control, std::vector<QWidget*>& controls)
    {
        page_.AddControl(controlId, control);
        page_.ConnectControl(control);
        controls.push_back(control);
        return {control, nullptr};
    }

    CTabSheetDialog& page_;
    QFontMetrics metrics_;
    ColumnMetrics column_;
    std::vector<std::pair<QGridLayout*, QGroupBox*>> nested_;  // outer grid, nested group box
};

}  // namespace

void PageBuilder::Build(const PageLayout& layout, CTabSheetDialog& page) { Builder(page).Build(layout); }
