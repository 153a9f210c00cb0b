// Control attributes on widgets and radio groups by sibling order.
#include "framework/qt/CRadioButton.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

TEST(ControlWindow, ClassAndStyleOfEachKindOfWidget)
{
    QWidget parent;
    QPushButton push(&parent);
    QPushButton defaultPush(&parent);
    defaultPush.setDefault(true);
    QCheckBox check(&parent);
    CRadioButton radio("r", &parent);
    QGroupBox group(&parent);
    QLabel label(&parent);
    QLineEdit edit(&parent);
    QComboBox combo(&parent);
    CSpinButton spin(&parent);

    EXPECT_EQ(GetWindowClass(&edit), WindowClass::Edit);
    EXPECT_EQ(GetWindowClass(&spin), WindowClass::UpDown);
    EXPECT_EQ(GetWindowClass(&combo), WindowClass::ComboBox);
    EXPECT_EQ(GetWindowClass(&label), WindowClass::Other);
    EXPECT_EQ(GetWindowClass(nullptr), WindowClass::Other);
    for (QWidget* button : {static_cast<QWidget*>(&push), static_cast<QWidget*>(&check), static_cast<QWidget*>(&radio),
                            static_cast<QWidget*>(&group)}) {
        EXPECT_EQ(GetWindowClass(button), WindowClass::Button);
    }
    EXPECT_EQ(GetButtonStyle(&push), ButtonStyle::PushButton);
    EXPECT_EQ(GetButtonStyle(&defaultPush), ButtonStyle::DefaultPushButton);
    EXPECT_EQ(GetButtonStyle(&check), ButtonStyle::CheckBox);
    EXPECT_EQ(GetButtonStyle(&radio), ButtonStyle::RadioButton);
    EXPECT_EQ(GetButtonStyle(&group), ButtonStyle::GroupBox);
    EXPECT_EQ(GetButtonStyle(&edit), ButtonStyle::None);
}

TEST(ControlWindow, LookupFindsNestedControlsAndTheFirstWins)
{
    QWidget parent;
    QGroupBox box(&parent);
    QLineEdit edit(&box);
    QLineEdit twin(&parent);
    EXPECT_EQ(GetControlId(&edit), 0);
    EXPECT_EQ(GetUserData(&edit), 0);
    SetControlId(&edit, 1041);
    SetControlId(&twin, 1041);
    EXPECT_EQ(FindChildControl(&parent, 1041), &edit);  // nested controls count; the first wins
    EXPECT_EQ(FindChildControl(&parent, 9999), nullptr);
    EXPECT_EQ(FindChildControl(&parent, 0), nullptr);
}

TEST(RadioGroups, GroupRunsFromItsStartToTheNextStart)
{
    QWidget parent;
    CRadioButton a("a", &parent), b("b", &parent), c("c", &parent);
    QLabel between(&parent);  // not a radio button, not a group start: does not end the group
    CRadioButton d("d", &parent), e("e", &parent);
    SetGroupStart(&a, true);
    SetGroupStart(&e, true);
    EXPECT_EQ(CRadioButton::GroupOf(&c), (std::vector<QRadioButton*>{&a, &b, &c, &d}));
    EXPECT_EQ(CRadioButton::GroupStartOf(&d), &a);
    EXPECT_EQ(CRadioButton::GroupOf(&e), (std::vector<QRadioButton*>{&e}));

    CRadioButton::CheckInGroup(&b);
    e.setChecked(true);
    CRadioButton::CheckInGroup(&d);
    EXPECT_FALSE(b.isChecked());
    EXPECT_TRUE(d.isChecked());
    EXPECT_TRUE(e.isChecked());  // another group is not touched
}

TEST(RadioGroups, ClickChecksAndNeverUnchecks)
{
    QWidget parent;
    CRadioButton a("a", &parent), b("b", &parent);
    SetGroupStart(&a, true);
    a.click();
    EXPECT_TRUE(a.isChecked());
    a.click();
    EXPECT_TRUE(a.isChecked());
    b.click();
    EXPECT_FALSE(a.isChecked());
    EXPECT_TRUE(b.isChecked());
}

}  // namespace
