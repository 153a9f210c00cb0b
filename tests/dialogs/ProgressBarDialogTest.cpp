// The progress window: its owner is kept out while it is open, and the full bar shows before it goes.
#include "dialogs/CProgressBarDialog.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

namespace {

struct ProgressFixture : ::testing::Test {
    QWidget owner;
    QPushButton* child = new QPushButton(&owner);
    CProgressBarDialog progress;

    ProgressFixture()
    {
        owner.show();
        progress.SetCloseDelayMs(30);
    }
};

TEST_F(ProgressFixture, OwnerIsDisabledWhileOpenAndEnabledAfter)
{
    progress.Open(child, "Now, reading camera settings.");
    EXPECT_TRUE(progress.IsOpen());
    EXPECT_EQ(progress.Owner(), &owner);  // the top-level window that contains the parent
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(progress.Window()->isEnabled());  // the bar itself is not greyed with the owner
    EXPECT_EQ(progress.Window()->findChild<QLabel*>()->text(), "Now, reading camera settings.");
    progress.SetPosition(45);
    EXPECT_EQ(progress.Position(), 45);
    progress.Close();
    EXPECT_FALSE(progress.IsOpen());
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressFixture, CloseShowsTheFullBarForTheDelay)
{
    progress.SetCloseDelayMs(1000);
    progress.Open(&owner, "Storing");
    progress.SetPosition(60);
    int seenAtClose = -1;
    QObject::connect(progress.Window(), &QObject::destroyed, [&] { seenAtClose = 1; });
    QElapsedTimer timer;
    timer.start();
    progress.Close();
    EXPECT_GE(timer.elapsed(), 1000);
    EXPECT_EQ(seenAtClose, 1);
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressFixture, PositionAndCloseDoNothingWhenNotOpen)
{
    progress.SetPosition(50);
    progress.Close();
    EXPECT_FALSE(progress.IsOpen());
    progress.Open(&owner, "x");
    progress.Close();
    // A second close after the window is gone does not wait out the full bar again.
    progress.SetCloseDelayMs(5000);
    QElapsedTimer timer;
    timer.start();
    progress.Close();
    EXPECT_LT(timer.elapsed(), 5000 - 1000);
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressFixture, PositionIsKeptInPercent)
{
    progress.Open(&owner, "x");
    progress.SetPosition(140);
    EXPECT_EQ(progress.Position(), 100);
    progress.SetPosition(-3);
    EXPECT_EQ(progress.Position(), 0);
    progress.Close();
}

TEST_F(ProgressFixture, OwnerDisabledByAnOuterOperationStaysDisabled)
{
    // A refresh disables every dialog before it opens the progress window; closing the progress
    // window must not let the operator in before the refresh ends.
    owner.setEnabled(false);
    progress.Open(&owner, "x");
    progress.Close();
    EXPECT_FALSE(owner.isEnabled());
    owner.setEnabled(true);
}

TEST_F(ProgressFixture, DestroyedWindowGivesTheOwnerBack)
{
    progress.Open(&owner, "x");
    delete progress.Window();
    EXPECT_FALSE(progress.IsOpen());
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressFixture, ReopeningKeepsOneWindow)
{
    progress.Open(&owner, "first");
    QWidget* window = progress.Window();
    progress.Open(&owner, "second");
    EXPECT_EQ(progress.Window(), window);
    EXPECT_EQ(progress.Message(), "second");
    progress.Close();
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressFixture, AHiddenWindowIsShownByTheNextOpenAndClosedAnyway)
{
    progress.Open(&owner, "x");
    progress.Window()->hide();
    progress.Open(&owner, "y");
    EXPECT_TRUE(progress.Window()->isVisible());
    progress.Window()->hide();
    progress.Close();
    EXPECT_FALSE(progress.IsOpen());
}

TEST(ProgressBarDialog, OpensWithoutAParent)
{
    CProgressBarDialog progress;
    progress.SetCloseDelayMs(0);
    progress.Open(nullptr, "alone");
    EXPECT_TRUE(progress.IsOpen());
    progress.Close();
    EXPECT_FALSE(progress.IsOpen());
}

}  // namespace
