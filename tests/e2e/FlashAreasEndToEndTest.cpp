// The flash areas through the main window against the simulated camera: load, store, store all, reload;
// and the setting files through the File menu and the communication dialog.
#include "MainWindowFixture.h"
#include "e2e/MenuItem.h"

#include "dialogs/CCommunicationDialog.h"
#include "link/SerialLink.h"
#include "settings/ControlMode.h"
#include "support/FileText.h"
#include "support/RecordingFileDialogHost.h"
#include "support/TempFolder.h"
#include "support/TestData.h"

#include <QAction>
#include <QPushButton>

#include <fstream>
#include <utility>

namespace {

class FlashAreasTest : public MainWindowFixture {
protected:
    // The area-select dialog answered from the test: OK with the area, or Cancel when area is absent.
    void Answer(int ok, int area)
    {
        parts_->flashAreas.SetAreaChooser([this, ok, area](bool load, int& chosen) {
            asked_.push_back(load);
            chosen = area;
            return ok;
        });
        parts_->flashAreas.SetPause([](int) {});
    }
    std::vector<bool> asked_;
};

TEST_F(FlashAreasTest, StoresGoToTheirAreaAndCancelSendsNothing)
{
    StartCamera({});
    StartWindow();
    messages_.Clear();

    Answer(1, 0);
    EXPECT_EQ(parts_->flashAreas.StoreSettings(), 1);
    EXPECT_EQ(CountTraffic("RX", "SA00=0"), 1);
    EXPECT_EQ(CountTraffic("RX", "SA=0"), 0);

    Answer(1, 2);
    parts_->menu.Action(MainMenu::kCmdStoreSettings)->trigger();
    EXPECT_EQ(CountTraffic("RX", "SA=2"), 1);
    EXPECT_EQ(messages_.Texts(), (std::vector<std::string>{"Completed saving current setting data !",
                                                           "Completed saving current setting data !"}));

    Answer(0, 3);
    parts_->menu.Action(MainMenu::kCmdStoreSettings)->trigger();
    parts_->menu.Action(MainMenu::kCmdLoadSettings)->trigger();
    EXPECT_EQ(asked_, (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(CountReceivedStartingWith("SA=3"), 0);
    EXPECT_EQ(CountReceivedStartingWith("LD="), 0);

    Answer(1, -1);
    messages_.Clear();
    parts_->flashAreas.StoreSettings();
    parts_->flashAreas.LoadSettings();
    EXPECT_EQ(messages_.Texts(), (std::vector<std::string>{"Selected invalid area !", "Selected invalid area !"}));
    EXPECT_EQ(CountReceivedStartingWith("LD="), 0);
}

TEST_F(FlashAreasTest, StoreTakesAsLongAsTheFlashNeeds)
{
    // The camera takes 6 s to answer: within the store's 8000 ms, beyond an ordinary 5000 ms.
    StartCamera({"--answer-delay", "6000"});
    ASSERT_EQ(OpenLink(), 1);
    Answer(1, 2);
    messages_.Clear();
    EXPECT_EQ(parts_->flashAreas.StoreSettings(), 1);
    EXPECT_EQ(messages_.Texts(), (std::vector<std::string>{"Completed saving current setting data !"}));
}

TEST_F(FlashAreasTest, StoreAllGoesOnPastAFailureAndSummarises)
{
    StartCamera({"--refuse", "SA=1"});
    StartWindow();
    messages_.Clear();
    messages_.QueueAnswer(MessageResult::Yes);
    parts_->flashAreas.SetPause([](int) {});
    EXPECT_EQ(parts_->flashAreas.StoreAll(), 0);
    for (const char* line : {"SA=1", "SA=2", "SA=3", "SA00=0"}) EXPECT_EQ(CountTraffic("RX", line), 1) << line;
    // The question, then one summary naming the area and the camera's words; no box per request.
    ASSERT_EQ(messages_.Shown().size(), 2u) << ::testing::PrintToString(messages_.Texts());
    EXPECT_EQ(messages_.Shown()[0].text, "Are you sure you want to overwrite into all EEPROM areas?");
    EXPECT_EQ(messages_.Shown().back().text,
              "Couldn't store current setting data!\nNot stored: User 1.\n"
              "The camera answered: ERROR: refused on request");
    EXPECT_EQ(messages_.Shown().back().icon, MessageIcon::Exclamation);

    messages_.Clear();
    messages_.QueueAnswer(MessageResult::No);
    EXPECT_EQ(parts_->flashAreas.StoreAll(), 0);
    EXPECT_EQ(CountTraffic("RX", "SA=2"), 1);
}

TEST_F(FlashAreasTest, LoadReadsEverythingAgainAndReloadDoesSoEvenWhenEaFails)
{
    StartCamera({"--refuse", "EA?"});
    StartWindow();
    const int before = CountReceivedStartingWith("GA?");
    Answer(1, 2);
    EXPECT_EQ(parts_->flashAreas.LoadSettings(), 1);
    EXPECT_EQ(CountTraffic("RX", "LD=2"), 1);
    EXPECT_EQ(CountReceivedStartingWith("GA?"), before + 1);

    parts_->menu.Action(MainMenu::kCmdReload)->trigger();
    EXPECT_EQ(CountReceivedStartingWith("GA?"), before + 2);
}

// The File menu and the communication dialog's "Files" buttons: a save writes what the camera holds, in the
// variant chosen, and asks the camera nothing; an open sends the file's lines.
TEST_F(FlashAreasTest, FileMenuAndCommunicationFileButtonsSaveAndOpen)
{
    StartCamera({});
    StartWindow();
    const TempFolder folder("rv-file-menu");
    RecordingFileDialogHost files;
    files.UseDisk(true);
    for (const char* name : {"all.cam", "shipping.cam", "dialog.cam", "menu-open.cam", "dialog-open.cam"})
        files.QueuePath(folder.File(name));
    for (const auto& [name, gain] : {std::pair{"menu-open.cam", 345}, std::pair{"dialog-open.cam", 456}}) {
        std::ofstream out(folder.File(name), std::ios::binary);
        out << "GA=" << gain << "\r\nBLR=7\r\n";
    }
    auto choose = [this](std::initializer_list<const char*> path) {
        QAction* item = MenuItem(*window_, path);
        ASSERT_TRUE(item && item->isEnabled()) << *(path.end() - 1);
        item->trigger();
    };
    auto click = [this](const char* text) {
        for (QPushButton* button : parts_->communication->findChildren<QPushButton*>()) {
            if (button->text() == QString::fromUtf8(text) && button->isEnabled()) return button->click();
        }
        ADD_FAILURE() << "no enabled button " << text;
    };
    messages_.Clear();
    const std::size_t beforeSaves = Traffic().size();
    choose({"File(&F)", "&Save as", "All Data"});
    choose({"File(&F)", "&Save as", "Shipping Data"});
    click("Write To File...");
    EXPECT_EQ(Traffic().size(), beforeSaves) << "a save asks the camera nothing";
    // The table's defaults, with the timing the camera's readout allows.
    const std::vector<std::string> timing{"LR=4820", "PE=4720", "PER=4720", "PEG=4720", "PEB=4720"};
    EXPECT_EQ(ReadText(folder.File("all.cam")), GoldenWith("setting-A1-user.cam", timing));
    EXPECT_EQ(ReadText(folder.File("shipping.cam")), GoldenWith("setting-A1-shipping.cam", timing));
    EXPECT_EQ(ReadText(folder.File("dialog.cam")), GoldenWith("setting-A1-user.cam", timing));

    choose({"File(&F)", "&Open"});
    EXPECT_EQ(CountTraffic("RX", "GA=345"), 1);
    EXPECT_EQ(objects_->table.GetDataValue(1041), 345);
    click("Read To FIle....");
    EXPECT_EQ(CountTraffic("RX", "GA=456"), 1);
    EXPECT_EQ(CountTraffic("RX", "BLR=7"), 2);
    EXPECT_EQ(objects_->table.GetDataValue(1041), 456);
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

}  // namespace
