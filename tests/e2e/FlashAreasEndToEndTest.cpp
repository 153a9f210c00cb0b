// The flash areas through the main window against the simulated camera: load, store, store all, reload.
#include "MainWindowFixture.h"

#include "dialogs/CCommunicationDialog.h"
#include "link/SerialLink.h"
#include "settings/ControlMode.h"

#include <QAction>
#include <QPushButton>

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
    ASSERT_EQ(objects_->link.Open(kLinkComPort, 9600, 0), 1);
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

TEST_F(FlashAreasTest, FileMenuAndCommunicationFileButtonsAreAvailable)
{
    StartCamera({});
    StartWindow();
    for (int id : {MainMenu::kCmdOpen, MainMenu::kCmdSaveAllData, MainMenu::kCmdSaveShippingData,
                   MainMenu::kCmdLoadSettings, MainMenu::kCmdStoreSettings}) {
        ASSERT_NE(parts_->menu.Action(id), nullptr);
        EXPECT_TRUE(parts_->menu.Action(id)->isEnabled()) << id;
    }
    for (const char* text : {"Write To File...", "Read To FIle...."}) {
        bool found = false;
        for (QPushButton* button : parts_->communication->findChildren<QPushButton*>()) {
            if (button->text() == text) found = button->isEnabled();
        }
        EXPECT_TRUE(found) << text;
    }
}

}  // namespace
