// Reading and showing values in each kind of page control, and the model variants of the lists.
#include "support/PageFixture.h"

#include "framework/qt/CRadioButton.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "pages/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <climits>

namespace {

class PageControlsTest : public PagesFixture {
protected:
    QComboBox* Combo(int id) const { return qobject_cast<QComboBox*>(FindPageControl(id)); }
};

TEST_F(PageControlsTest, TriggerSourceUsesItsCodes)
{
    QComboBox* source = Combo(1098);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->itemText(17), "EncoderTrigger");
    EXPECT_EQ(source->itemData(17).toInt(), 29);
    source->setCurrentIndex(17);
    EXPECT_EQ(ReadControlValue(1098), 29);
    source->setCurrentIndex(0);
    EXPECT_EQ(ShowValue(1098, 29), 1);
    EXPECT_EQ(source->currentIndex(), 17);
    // No entry has code 18: the number itself is shown and read back, never the entry at index 18.
    const int entries = source->count();
    EXPECT_EQ(ShowValue(1098, 18), 1);
    EXPECT_EQ(source->currentText(), "18 (unknown)");
    EXPECT_EQ(ReadControlValue(1098), 18);
    EXPECT_EQ(binding_.Selection(1098), -1);
    ShowValue(1098, 29);
    EXPECT_EQ(source->count(), entries) << "the stand-in entry goes once a known code is shown";
}

TEST_F(PageControlsTest, ComboWithoutCodesUsesTheIndex)
{
    QComboBox* mode = Combo(1096);  // Trigger Mode "Off", "On"
    EXPECT_EQ(ShowValue(1096, 1), 1);
    EXPECT_EQ(mode->currentText(), "On");
    EXPECT_EQ(ReadControlValue(1096), 1);
    ShowValue(1096, 0);
    EXPECT_EQ(ReadControlValue(1096), 0);
    ShowValue(1096, 2);  // past the last entry
    EXPECT_EQ(mode->currentText(), "2 (unknown)");
    EXPECT_EQ(ReadControlValue(1096), 2);
}

TEST_F(PageControlsTest, ComboCodeZeroEntryReadsAsItsIndex)
{
    // Pulse generator activation: "Off" = 0 is entry 0; "RisingEdge" = 4 is entry 3.
    ShowValue(1362, 4);
    EXPECT_EQ(Combo(1362)->currentText(), "RisingEdge");
    EXPECT_EQ(ReadControlValue(1362), 4);
    ShowValue(1362, 0);
    EXPECT_EQ(Combo(1362)->currentText(), "Off");
    EXPECT_EQ(ReadControlValue(1362), 0);
}

struct EditCase {
    const char* text;
    int expected;
};

class EditReading : public PagesFixture, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditReading, LeadingDigitsCount)
{
    qobject_cast<QLineEdit*>(FindPageControl(1041))->setText(GetParam().text);
    EXPECT_EQ(ReadControlValue(1041), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, EditReading,
                         ::testing::Values(EditCase{"250", 250}, EditCase{"12a", 12}, EditCase{"", 0},
                                           EditCase{"abc", 0}, EditCase{"-64", -64}, EditCase{"  +7", 7},
                                           EditCase{"99999999999", INT_MAX}, EditCase{"-99999999999", INT_MIN},
                                           EditCase{"-", 0}, EditCase{"1 2", 1}));

TEST_F(PageControlsTest, EditAndSpinShowValues)
{
    auto* edit = qobject_cast<QLineEdit*>(FindPageControl(1139));
    auto* spin = qobject_cast<CSpinButton*>(FindPageControl(1140));
    EXPECT_EQ(ShowValue(1139, -133), 1);
    EXPECT_EQ(edit->text(), "-133");
    EXPECT_EQ(ShowValue(1140, 200), 1);
    EXPECT_EQ(spin->GetPos32(), 200);
    EXPECT_EQ(edit->text(), "200");
    EXPECT_EQ(ReadControlValue(1140), 200);
}

TEST_F(PageControlsTest, ControlsWithoutAValue)
{
    EXPECT_EQ(ReadControlValue(1121), -1);  // push button
    EXPECT_EQ(ShowValue(1121, 1), 0);
    EXPECT_EQ(ReadControlValue(1220), -1);  // a static
    EXPECT_EQ(ShowValue(1220, 1), 0);
    EXPECT_EQ(ReadControlValue(4242), -1);  // on no page
    EXPECT_EQ(ShowValue(4242, 1), 0);
    EXPECT_EQ(ReadControlValue(1124), -1);  // on the template no page is made from
}

TEST_F(PageControlsTest, FirstPageInPageOrderWins)
{
    // A page made later with an id already on an earlier page does not hide the earlier one.
    CTabSheetDialog extra(nullptr, 999, "extra", 0);
    binding_.AddPage(extra);
    QLineEdit twin(&extra);
    extra.AddControl(1041, &twin);
    EXPECT_NE(FindPageControl(1041), &twin);
    QLineEdit own(&extra);
    extra.AddControl(7001, &own);
    EXPECT_EQ(FindPageControl(7001), &own);
}

TEST_F(PageControlsTest, MainWindowControlsAreFoundLast)
{
    QWidget window;
    QLineEdit own(&window);
    SetControlId(&own, 7002);
    QLineEdit twin(&window);
    SetControlId(&twin, 1041);
    binding_.SetMainWindow(&window);
    EXPECT_EQ(FindPageControl(7002), &own);
    EXPECT_NE(FindPageControl(1041), &twin);
    binding_.SetMainWindow(nullptr);
    EXPECT_EQ(FindPageControl(7002), nullptr);
}

TEST_F(PageControlsTest, CheckBoxAndRadioGroupValues)
{
    CTabSheetDialog page(nullptr, 998, "test", 0);
    binding_.AddPage(page);
    QCheckBox check(&page);
    CRadioButton first("a", &page), second("b", &page), third("c", &page);
    CRadioButton next("d", &page);
    page.AddControl(7101, &check);
    page.AddControl(7102, &first);
    page.AddControl(7103, &second);
    page.AddControl(7104, &third);
    page.AddControl(7105, &next);
    SetGroupStart(&first, true);
    SetGroupStart(&next, true);

    EXPECT_EQ(ShowValue(7101, 1), 1);
    EXPECT_TRUE(check.isChecked());
    EXPECT_EQ(ReadControlValue(7101), 1);
    EXPECT_EQ(ShowValue(7101, 0), 1);
    EXPECT_EQ(ReadControlValue(7101), 0);
    EXPECT_EQ(ShowValue(7101, 2), 0);  // neither checked nor unchecked: left alone

    EXPECT_EQ(ReadControlValue(7102), -1);  // nothing checked yet
    EXPECT_EQ(ShowValue(7102, 2), 1);
    EXPECT_TRUE(third.isChecked());
    EXPECT_FALSE(next.isChecked());  // the next group is not touched
    EXPECT_EQ(ReadControlValue(7102), 2);
    EXPECT_EQ(ReadControlValue(7103), 1);  // counted from the button asked
    ShowValue(7102, 0);
    EXPECT_TRUE(first.isChecked());
    EXPECT_FALSE(third.isChecked());
}

TEST_F(PageControlsTest, ModelVariantsOfTheLists)
{
    QComboBox* exposureMode = Combo(1224);
    QComboBox* clock = Combo(1174);
    QComboBox* balance = Combo(1408);
    balance->setCurrentIndex(balance->findText("Preset 6500K"));

    binding_.ApplyModelVariants(0);  // "RV-8200-B1"
    EXPECT_EQ(exposureMode->findText("Indivisual"), -1);
    EXPECT_EQ(clock->itemText(3), "31.875MHz");
    EXPECT_EQ(balance->findText("Exposure Once"), -1);
    EXPECT_EQ(balance->currentText(), "Preset 6500K");  // the selection follows its entry
    EXPECT_EQ(ReadControlValue(1408), 6);
    ShowValue(1408, 5);
    EXPECT_EQ(balance->currentText(), "Preset 5000K");

    binding_.ApplyModelVariants(1);  // "RV-8200-A1"
    EXPECT_EQ(exposureMode->itemText(1), "Indivisual");
    EXPECT_EQ(clock->findText("31.875MHz"), -1);
    EXPECT_EQ(balance->itemText(2), "Exposure Once");
    EXPECT_EQ(balance->currentText(), "Preset 5000K");
    EXPECT_EQ(ReadControlValue(1408), 5);
    ShowValue(1408, 4);
    EXPECT_EQ(balance->currentText(), "Exposure Once");

    binding_.ApplyModelVariants(1);  // twice the same model: no duplicate entries
    EXPECT_EQ(balance->count(), 6);
    EXPECT_EQ(exposureMode->count(), 2);

    const int before = clock->count();
    binding_.ApplyModelVariants(6);  // unsupported: nothing changes
    EXPECT_EQ(clock->count(), before);
    EXPECT_EQ(balance->currentText(), "Exposure Once");
}

}  // namespace
