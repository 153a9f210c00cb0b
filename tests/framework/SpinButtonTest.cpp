// The up-down control: range, position, buddy text and the step notification.
#include "framework/qt/CSpinButton.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <climits>
#include <vector>

namespace {

struct SpinFixture : ::testing::Test {
    QWidget parent;
    QLineEdit* edit = new QLineEdit(&parent);
    CSpinButton* spin = new CSpinButton(&parent);
    std::vector<SpinStep> seen;

    SpinFixture()
    {
        spin->SetBuddy(edit);
        spin->SetStepHandler([this](CSpinButton&, SpinStep& step) { seen.push_back(step); });
    }
};

TEST_F(SpinFixture, PositionStaysInTheRangeAndTheBuddyShowsIt)
{
    spin->SetRange32(40, 400);
    EXPECT_EQ(spin->SetPos32(1000), 40);  // gives the previous position (the range's low end)
    EXPECT_EQ(spin->GetPos32(), 400);
    EXPECT_EQ(edit->text(), "400");
    spin->SetPos32(-5);
    EXPECT_EQ(spin->GetPos32(), 40);
    spin->SetRange32(100, 200);  // narrowing the range moves the position into it
    EXPECT_EQ(spin->GetPos32(), 100);
}

TEST_F(SpinFixture, StepNotifiesBeforeMovingThenMoves)
{
    spin->SetRange32(0, 10);
    spin->SetPos32(5);
    spin->Step(1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].position, 5);
    EXPECT_EQ(seen[0].delta, 1);
    EXPECT_EQ(spin->GetPos32(), 6);
    EXPECT_EQ(edit->text(), "6");
}

TEST_F(SpinFixture, CancelledStepLeavesTheSpinWhereTheHandlerPutIt)
{
    spin->SetRange32(0, 10);
    spin->SetPos32(5);
    spin->SetStepHandler([](CSpinButton& self, SpinStep& step) {
        self.SetPos32(2);  // the handler puts back the camera's value
        step.position = 2;
        step.delta = 0;
        step.cancel = true;
    });
    spin->Step(1);
    EXPECT_EQ(spin->GetPos32(), 2);
    EXPECT_EQ(edit->text(), "2");
}

TEST_F(SpinFixture, StepStopsAtTheEndsWithoutOverflow)
{
    spin->SetRange32(INT_MIN, INT_MAX);
    spin->SetPos32(INT_MAX);
    spin->Step(1);
    EXPECT_EQ(spin->GetPos32(), INT_MAX);
    spin->SetPos32(INT_MIN);
    spin->Step(-1);
    EXPECT_EQ(spin->GetPos32(), INT_MIN);
    EXPECT_EQ(seen.size(), 2u);  // the notification still comes at an end
}

TEST_F(SpinFixture, StepStartsFromAValidNumberInTheBuddy)
{
    // A value shown in the edit alone (as the camera's values are) is where the next step starts.
    spin->SetRange32(8, 4096);
    spin->SetPos32(8);
    edit->setText("1000");
    spin->Step(1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].position, 1000);
    EXPECT_EQ(spin->GetPos32(), 1001);
    // Text that is not a number in the range is ignored: the spin's own position counts.
    for (const char* text : {"12a", "5000", "", "-"}) {
        edit->setText(text);
        spin->Step(1);
        EXPECT_EQ(seen.back().position, 1001) << text;
        spin->SetPos32(1001);
    }
}

TEST_F(SpinFixture, ArrowKeysInTheBuddyStepTheSpin)
{
    spin->SetRange32(0, 10);
    spin->SetPos32(3);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &up);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &down);
    QCoreApplication::sendEvent(edit, &down);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].delta, 1);
    EXPECT_EQ(seen[1].delta, -1);
    EXPECT_EQ(spin->GetPos32(), 2);
}

TEST_F(SpinFixture, DisabledSpinDoesNotStep)
{
    spin->SetRange32(0, 10);
    spin->SetPos32(3);
    spin->setEnabled(false);
    spin->Step(1);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(spin->GetPos32(), 3);
}

}  // namespace
