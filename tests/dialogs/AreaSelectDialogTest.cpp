// The flash-area selection: the areas offered by mode and direction, and the area a choice gives.
#include "dialogs/CParameterAreaSelectDialog.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/OpenDialogList.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTimer>

namespace {

QStringList Entries(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

struct AreaCase {
    int factoryMode;
    int loadFlag;
    QStringList offered;
    const char* title;
    const char* prompt;
};

class AreaLists : public ::testing::TestWithParam<AreaCase> {};

TEST_P(AreaLists, OfferedByModeAndDirection)
{
    const AreaCase& c = GetParam();
    CParameterAreaSelectDialog dialog(nullptr, TestHosts(), c.loadFlag, c.factoryMode != 0);
    dialog.InitDialog();
    EXPECT_EQ(Entries(dialog.AreaList()), c.offered);
    EXPECT_EQ(dialog.AreaList()->currentIndex(), 0);
    EXPECT_EQ(dialog.windowTitle(), c.title);
    EXPECT_EQ(dialog.Prompt()->text(), c.prompt);
}

const QStringList kUsers = {"User 1", "User 2", "User 3"};
const QStringList kAll = {"Factory", "User 1", "User 2", "User 3"};
const char* const kLoadTitle = "Load setting data";
const char* const kStoreTitle = "Store setting data";
const char* const kLoadPrompt = "Select the flash memory area to load setting data";
const char* const kStorePrompt = "Select the flash memory area to save setting data";

INSTANTIATE_TEST_SUITE_P(Modes, AreaLists,
                         ::testing::Values(AreaCase{0, 0, kUsers, kStoreTitle, kStorePrompt},
                                           AreaCase{0, 1, kAll, kLoadTitle, kLoadPrompt},
                                           AreaCase{1, 0, kAll, kStoreTitle, kStorePrompt},
                                           AreaCase{1, 1, kAll, kLoadTitle, kLoadPrompt}));

TEST(AreaSelect, TextsGiveTheirAreaAndAnythingElseMinusOne)
{
    EXPECT_EQ(CParameterAreaSelectDialog::AreaOfText("Factory"), 0);
    EXPECT_EQ(CParameterAreaSelectDialog::AreaOfText("User 1"), 1);
    EXPECT_EQ(CParameterAreaSelectDialog::AreaOfText("User 2"), 2);
    EXPECT_EQ(CParameterAreaSelectDialog::AreaOfText("User 3"), 3);
    EXPECT_EQ(CParameterAreaSelectDialog::AreaOfText("User 4"), -1);
    EXPECT_EQ(CParameterAreaSelectDialog::AreaOfText("user 1"), -1);
    EXPECT_EQ(CParameterAreaSelectDialog::AreaOfText(""), -1);
}

TEST(AreaSelect, OkGivesTheSelectedAreaCancelLeavesIt)
{
    CParameterAreaSelectDialog dialog(nullptr, TestHosts(), 1, false);
    QTimer::singleShot(0, [&] {
        dialog.AreaList()->setCurrentIndex(2);
        dialog.accept();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.area, 2);

    dialog.area = 3;
    QTimer::singleShot(0, [&] {
        dialog.AreaList()->setCurrentIndex(0);
        dialog.reject();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(dialog.area, 3);
}

TEST(AreaSelect, RegisteredWhileOpenWithTheCurrentStatus)
{
    TestHosts().onlineStatus.SetOnline();
    auto* dialog = new CParameterAreaSelectDialog(nullptr, TestHosts(), 1, false);
    dialog->InitDialog();
    EXPECT_TRUE(TestHosts().onlineStatus.IsRegistered(dialog));
    EXPECT_TRUE(TestHosts().openDialogs.IsRegistered(dialog));
    delete dialog;
    EXPECT_FALSE(TestHosts().onlineStatus.IsRegistered(dialog));
    TestHosts().onlineStatus.SetOffline();
}

}  // namespace
