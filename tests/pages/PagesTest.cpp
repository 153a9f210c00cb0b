// The pages built from their layouts: every bound control present once, spins linked, groups and
// labels following their controls, and a layout that fits the screen.
#include "support/PageFixture.h"

#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "pages/PageControls.h"
#include "tables/ComboCatalog.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <map>

namespace {

class PagesTest : public PagesFixture {
protected:
    bool Shown(int controlId) const { return FindPageControl(controlId)->isVisible(); }
};

TEST_F(PagesTest, ControlCountPerPage)
{
    // Controls with an id: edits and their spins, combo boxes, buttons, value statics, labels with an id.
    const std::map<int, int> expected = {{111, 55}, {112, 63}, {113, 57}, {114, 71}, {115, 32}, {117, 85}};
    for (const auto& [templateId, count] : expected) EXPECT_EQ(Page(templateId)->ControlCount(), count) << templateId;
}

TEST_F(PagesTest, EveryTableControlIsOnExactlyOnePageWithItsKind)
{
    const ControlTable& table = table_;
    for (int row = 0; table.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table.Row(row);
        // The serial speed and the factory-area save sit on a template no page is made from.
        if (entry.controlId == 1124 || entry.controlId == 1126) {
            EXPECT_EQ(FindPageControl(entry.controlId), nullptr);
            continue;
        }
        int holders = 0;
        for (const auto& page : pages_) holders += page->Control(entry.controlId) ? 1 : 0;
        EXPECT_EQ(holders, 1) << entry.controlId;
        QWidget* control = FindPageControl(entry.controlId);
        ASSERT_NE(control, nullptr) << entry.controlId;
        switch (entry.controlKind) {
            case kKindCombo:
                EXPECT_EQ(ControlClass(control), kClassComboBox) << entry.controlId;
                break;
            case kKindButton:
                EXPECT_EQ(ControlClass(control), kClassPushButton) << entry.controlId;
                break;
            case kKindEdit: {
                EXPECT_EQ(ControlClass(control), kClassEdit) << entry.controlId;
                // The edit finds its spin through its user data, and the spin's buddy is the edit.
                auto* spin = qobject_cast<CSpinButton*>(FindPageControl(static_cast<int>(GetUserData(control))));
                ASSERT_NE(spin, nullptr) << entry.controlId;
                EXPECT_EQ(spin->GetBuddy(), control);
                break;
            }
            default:
                ADD_FAILURE() << "unexpected kind of " << entry.controlId;
        }
    }
}

// Each table edit finds its spin above; the Tilted View edits have no camera command and no spin.
TEST_F(PagesTest, EditsWithoutACommandHaveNoSpin)
{
    EXPECT_EQ(GetUserData(FindPageControl(1556)), 0);
    EXPECT_EQ(ControlClass(FindPageControl(1141)), kClassOther);  // Gamma Selector's label
}

TEST_F(PagesTest, SpinRangesComeFromTheTable)
{
    const ControlTable& table = table_;
    int checked = 0;
    for (int row = 0; table.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table.Row(row);
        if (entry.controlKind != kKindEdit) continue;
        auto* spin = qobject_cast<CSpinButton*>(
            FindPageControl(static_cast<int>(GetUserData(FindPageControl(entry.controlId)))));
        ASSERT_NE(spin, nullptr);
        int minimum = 0, maximum = 0;
        spin->GetRange32(minimum, maximum);
        EXPECT_EQ(minimum, entry.minimum) << entry.controlId;
        EXPECT_EQ(maximum, entry.maximum) << entry.controlId;
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

TEST_F(PagesTest, SpinMarginWidensTheRangeButNotPastThe32BitEnds)
{
    ControlTable& table = table_;
    table.Row(table.CtrlId2TblIndex(1041)).spinMargin = 1;  // Gain All 100..800
    table.Row(table.CtrlId2TblIndex(1551)).spinMargin = 1;  // Divider: the whole 32-bit range
    binding_.SetSpinRanges(table_);
    int minimum = 0, maximum = 0;
    qobject_cast<CSpinButton*>(FindPageControl(1045))->GetRange32(minimum, maximum);
    EXPECT_EQ(minimum, 99);
    EXPECT_EQ(maximum, 801);
    qobject_cast<CSpinButton*>(FindPageControl(1552))->GetRange32(minimum, maximum);
    EXPECT_EQ(minimum, INT32_MIN);
    EXPECT_EQ(maximum, INT32_MAX);
}

TEST_F(PagesTest, ComboEntriesAndCodesFollowTheCatalogue)
{
    const ControlTable& table = table_;
    for (int row = 0; table.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table.Row(row);
        auto* combo = qobject_cast<QComboBox*>(FindPageControl(entry.controlId));
        if (!combo) continue;
        const ComboList* list = FindComboList(entry.commandIndex);
        ASSERT_NE(list, nullptr) << entry.controlId;
        ASSERT_EQ(combo->count(), static_cast<int>(list->entries.size())) << entry.controlId;
        for (int i = 0; i < combo->count(); ++i) {
            const std::size_t at = static_cast<std::size_t>(i);
            EXPECT_EQ(combo->itemText(i).toStdString(), list->entries[at]) << entry.controlId;
            EXPECT_EQ(combo->itemData(i).toInt(), list->codes.empty() ? 0 : list->codes[at]) << entry.controlId;
        }
        EXPECT_EQ(combo->currentIndex(), -1);
    }
}

QWidget* LabelOf(QWidget* control, const QString& text)
{
    for (QLabel* label : control->parentWidget()->findChildren<QLabel*>()) {
        if (label->text() == text) return label;
    }
    return nullptr;
}

TEST_F(PagesTest, HidingAControlTakesItsSpinAndLabelAlong)
{
    CTabSheetDialog* page = Page(111);
    page->show();
    QWidget* label = LabelOf(FindPageControl(1294), "Exposure Time R");
    ASSERT_NE(label, nullptr);
    ASSERT_TRUE(label->isVisible());
    EXPECT_EQ(ShowPageControl(1294, false), 1);
    EXPECT_FALSE(Shown(1294));
    EXPECT_FALSE(Shown(1295));
    EXPECT_FALSE(label->isVisible());
    EXPECT_TRUE(Shown(1296));  // the neighbours stay
    ShowPageControl(1294, true);
    EXPECT_TRUE(Shown(1295));
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(ShowPageControl(4242, false), 0);
}

TEST_F(PagesTest, HidingBeforeThePageIsShownHoldsWhenItIs)
{
    // The model set-up may run while a page has never been shown (the factory page in user mode).
    for (int id : {1268, 1266, 1270}) ShowPageControl(id, false);
    CTabSheetDialog* page = Page(117);
    page->show();
    EXPECT_FALSE(FindPageControl(1268)->parentWidget()->isVisible());
    EXPECT_TRUE(FindPageControl(1255)->parentWidget()->isVisible());
}

TEST_F(PagesTest, ColumnWithoutShownGroupsLeavesNoGap)
{
    // On the B1 camera the factory page's Type A and Type B columns hide completely.
    CTabSheetDialog* page = Page(117);
    page->show();
    QWidget* typeColumn = FindPageControl(1268)->parentWidget()->parentWidget();
    QWidget* plainColumn = FindPageControl(1255)->parentWidget()->parentWidget();
    ASSERT_NE(typeColumn, plainColumn);
    std::vector<QWidget*> columnControls;
    for (QGroupBox* group : typeColumn->findChildren<QGroupBox*>()) {
        for (QWidget* child : group->findChildren<QWidget*>()) {
            const int kind = ControlClass(child);
            if (kind == kClassEdit || kind == kClassComboBox || kind == kClassPushButton)
                columnControls.push_back(child);
        }
    }
    ASSERT_FALSE(columnControls.empty());
    for (QWidget* control : columnControls) ShowPageControl(GetControlId(control), false);
    EXPECT_FALSE(typeColumn->isVisible());
    EXPECT_TRUE(plainColumn->isVisible());
    ShowPageControl(1268, true);
    EXPECT_TRUE(typeColumn->isVisible());
}

TEST_F(PagesTest, NestedGroupsFollowTheirControls)
{
    Page(113)->show();
    QWidget* lens1 = FindPageControl(1561)->parentWidget();
    QWidget* outer = lens1->parentWidget();
    for (int id : {1561, 1563}) ShowPageControl(id, false);
    EXPECT_FALSE(lens1->isVisible());
    EXPECT_TRUE(outer->isVisible());
    for (int id : {1560, 1584, 1586, 1588, 1590}) ShowPageControl(id, false);
    EXPECT_FALSE(outer->isVisible());
}

TEST_F(PagesTest, LabelWithItsOwnIdStaysHiddenUntilShownByIt)
{
    Page(112)->show();
    QWidget* label = FindPageControl(1141);
    ShowPageControl(1117, false);
    EXPECT_FALSE(label->isVisible());
    ShowPageControl(1141, false);
    ShowPageControl(1117, true);
    EXPECT_FALSE(label->isVisible());
    ShowPageControl(1141, true);
    EXPECT_TRUE(label->isVisible());
}

// The page area of a 1280 x 800 screen: the window frame, menu, tab bar and status strip taken off.
constexpr int kPageWidth = 1260;
constexpr int kPageHeight = 700;

TEST_F(PagesTest, PagesFitTheScreenAndClipNoText)
{
    for (const auto& page : pages_) {
        const QSize hint = page->sizeHint();
        EXPECT_LE(hint.width(), kPageWidth) << page->TemplateId();
        EXPECT_LE(hint.height(), kPageHeight) << page->TemplateId();
        page->resize(kPageWidth, kPageHeight);
        page->show();
        for (QLabel* label : page->findChildren<QLabel*>()) {
            if (!label->isVisible()) continue;
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << page->TemplateId() << " " << label->text().toStdString();
        }
        for (QPushButton* button : page->findChildren<QPushButton*>()) {
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 8)
                << page->TemplateId() << " " << button->text().toStdString();
        }
        for (QGroupBox* group : page->findChildren<QGroupBox*>()) {
            EXPECT_GE(group->width(), group->fontMetrics().horizontalAdvance(group->title()) + 16)
                << page->TemplateId() << " " << group->title().toStdString();
        }
        for (QComboBox* combo : page->findChildren<QComboBox*>()) {
            for (int i = 0; i < combo->count(); ++i) {
                EXPECT_GE(combo->width(), combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 24)
                    << page->TemplateId() << " " << combo->itemText(i).toStdString();
            }
        }
    }
}

}  // namespace
