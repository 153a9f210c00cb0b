// The LUT editors in the main window: created hidden at start-up, shown by "Open LUT Table", hidden when
// the LUT selector leaves "LUT", and the menu's "Load all LUT table" against the simulated camera.
#include "e2e/MainWindowFixture.h"

#include "dialogs/CLUTDlg.h"
#include "dialogs/CProgressBarDialog.h"
#include "pages/CameraReader.h"
#include "pages/PageControls.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

namespace {

constexpr int kLutSelector = 1116;
constexpr int kOpenLutTable = 1132;

using MainWindowLut = MainWindowFixture;

TEST_F(MainWindowLut, EditorsStartHiddenOpenWithTheButtonAndCloseWhenTheSelectorLeavesLut)
{
    StartCamera({"--set", "LUN=2"});
    StartWindow();
    objects_->progress.SetCloseDelayMs(0);
    LutEditors& editors = parts_->lutEditors;
    for (int colour = 0; colour < 3; ++colour) {
        ASSERT_NE(editors.Editor(colour), nullptr);
        EXPECT_FALSE(editors.Editor(colour)->isVisible());
    }
    auto* button = qobject_cast<QPushButton*>(FindPageControl(kOpenLutTable));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());  // the camera's selector shows "LUT"
    button->click();
    for (int colour = 0; colour < 3; ++colour) EXPECT_TRUE(editors.Editor(colour)->isVisible()) << colour;

    auto* selector = qobject_cast<QComboBox*>(FindPageControl(kLutSelector));
    ASSERT_NE(selector, nullptr);
    selector->setCurrentIndex(1);  // "Gamma"
    objects_->reader.UpdateLutState();
    for (int colour = 0; colour < 3; ++colour) EXPECT_FALSE(editors.Editor(colour)->isVisible()) << colour;
    EXPECT_FALSE(button->isEnabled());
}

TEST_F(MainWindowLut, LoadAllReadsTheThreeTablesIntoViewMode)
{
    StartCamera({});
    StartWindow();
    objects_->progress.SetCloseDelayMs(0);
    parts_->menu.Action(MainMenu::kCmdLoadAllLut)->trigger();
    EXPECT_EQ(CountReceivedStartingWith("LUTR?"), 256);
    EXPECT_EQ(CountReceivedStartingWith("LUTG?"), 256);
    EXPECT_EQ(CountReceivedStartingWith("LUTB?"), 256);
    for (int colour = 0; colour < 3; ++colour) {
        const CLUTDlg* editor = parts_->lutEditors.Editor(colour);
        EXPECT_EQ(editor->ModeText(), "View Mode");
        EXPECT_EQ(editor->Table().tableData[255], 4095);
    }
    EXPECT_TRUE(window_->isEnabled());
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

}  // namespace
