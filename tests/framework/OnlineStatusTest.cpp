#include "framework/COnlineStatusUpdater.h"
#include "framework/DialogWindow.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/OpenDialogList.h"
#include "framework/StatusStrip.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// What happened, in order, across all dialogs of a test.
std::vector<std::string>* g_events = nullptr;

void Log(const std::string& event)
{
    if (g_events != nullptr) {
        g_events->push_back(event);
    }
}

class FakeStrip : public StatusStrip {
public:
    explicit FakeStrip(std::string name) : name_(std::move(name)) {}
    void SetStatusBitmap(int bitmapId) override
    {
        bitmap = bitmapId;
        Log(name_ + " strip " + std::to_string(bitmapId));
    }
    bool Exists() const override { return exists; }

    int bitmap = 0;
    bool exists = true;

private:
    std::string name_;
};

class FakeDialog : public COnlineStatusUpdater, public DialogWindow {
public:
    explicit FakeDialog(std::string name) : name_(name), strip_(name) { BindStatusStrip(&strip_); }

    // The initialisation every dialog ends with.
    void Initialise()
    {
        TestHosts().onlineStatus.Register(this);
        TestHosts().openDialogs.Register(this);
    }
    void OnOnlineStatusChanged(bool online) override
    {
        Log(name_ + (online ? " online" : " offline"));
        if (onChange) {
            onChange(online);
        }
    }
    bool WindowExists() const override { return windowExists; }
    void EnableDialogWindow(bool enable) override
    {
        enabled = enable;
        Log(name_ + (enable ? " enabled" : " disabled"));
    }

    FakeStrip& Strip() { return strip_; }

    std::function<void(bool)> onChange;
    bool windowExists = true;
    bool enabled = true;

private:
    std::string name_;
    FakeStrip strip_;
};

class OnlineStatus : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestHosts().onlineStatus.SetOffline();  // the registry outlives tests: start from the initial status
        g_events = &events;
    }
    void TearDown() override { g_events = nullptr; }

    std::vector<std::string> events;
};

}  // namespace

TEST_F(OnlineStatus, RegistrationShowsTheCurrentStatusAtOnce)
{
    FakeDialog early("early");
    early.Strip().bitmap = 0;
    early.Initialise();
    EXPECT_EQ(early.Strip().bitmap, kBitmapOffline);

    TestHosts().onlineStatus.SetOnline();
    FakeDialog late("late");
    late.Initialise();
    EXPECT_EQ(late.Strip().bitmap, kBitmapOnline);
    EXPECT_EQ(TestHosts().onlineStatus.GetStatusBitmap(), kBitmapOnline);
}

TEST_F(OnlineStatus, AllStripsChangeBeforeAnyDialogIsToldInRegistrationOrder)
{
    FakeDialog a("a");
    FakeDialog b("b");
    a.Initialise();
    b.Initialise();
    events.clear();
    TestHosts().onlineStatus.SetOnline();
    TestHosts().onlineStatus.SetOnline();  // no change, still repainted and told
    TestHosts().onlineStatus.SetOffline();
    const std::vector<std::string> expected = {
        "a strip 303", "b strip 303", "a online",    "b online",    "a strip 303", "b strip 303",
        "a online",    "b online",    "a strip 302", "b strip 302", "a offline",   "b offline",
    };
    EXPECT_EQ(events, expected);
}

TEST_F(OnlineStatus, DialogsWithoutAStripWindowAreSkipped)
{
    FakeDialog shown("shown");
    FakeDialog gone("gone");
    FakeDialog unbound("unbound");
    unbound.BindStatusStrip(nullptr);
    shown.Initialise();
    gone.Initialise();
    unbound.Initialise();
    gone.Strip().exists = false;
    events.clear();
    TestHosts().onlineStatus.SetOnline();
    EXPECT_EQ(events, (std::vector<std::string>{"shown strip 303", "shown online"}));
}

TEST_F(OnlineStatus, DestroyedDialogIsNeverToldAgain)
{
    FakeDialog kept("kept");
    kept.Initialise();
    {
        FakeDialog closed("closed");
        closed.Initialise();
        closed.Initialise();  // registered twice: still told once
        events.clear();
        TestHosts().onlineStatus.SetOnline();
        EXPECT_EQ(events.size(), 4U);
    }
    events.clear();
    TestHosts().onlineStatus.SetOffline();
    TestHosts().openDialogs.DisableAll();
    EXPECT_EQ(events, (std::vector<std::string>{"kept strip 302", "kept offline", "kept disabled"}));
    TestHosts().openDialogs.EnableAll();
}

TEST_F(OnlineStatus, HandlerMayDestroyALaterDialog)
{
    FakeDialog first("first");
    auto second = std::make_unique<FakeDialog>("second");
    FakeDialog third("third");
    first.Initialise();
    second->Initialise();
    third.Initialise();
    first.onChange = [&](bool) { second.reset(); };
    events.clear();
    TestHosts().onlineStatus.SetOnline();
    EXPECT_EQ(events, (std::vector<std::string>{"first strip 303", "second strip 303", "third strip 303",
                                                "first online", "third online"}));
}

TEST_F(OnlineStatus, StatusChangedInsideAHandlerWinsForEveryDialog)
{
    FakeDialog a("a");
    FakeDialog b("b");
    a.Initialise();
    b.Initialise();
    bool once = true;
    a.onChange = [&](bool online) {
        if (online && once) {
            once = false;
            TestHosts().onlineStatus.SetOffline();  // e.g. the handler's own request timed out
        }
    };
    events.clear();
    TestHosts().onlineStatus.SetOnline();
    const std::vector<std::string> expected = {"a strip 303", "b strip 303", "a online", "a strip 302",
                                               "b strip 302", "a offline",   "b offline"};
    EXPECT_EQ(events, expected) << "no dialog may be left believing the stale status";
    EXPECT_EQ(TestHosts().onlineStatus.GetStatusBitmap(), kBitmapOffline);
}

TEST_F(OnlineStatus, OpenDialogListDisablesAndEnablesExistingWindowsInOrder)
{
    FakeDialog a("a");
    FakeDialog hidden("hidden");
    FakeDialog noWindow("noWindow");
    a.Initialise();
    hidden.Initialise();
    noWindow.Initialise();
    noWindow.windowExists = false;
    TestHosts().openDialogs.Unregister(&hidden);
    TestHosts().openDialogs.Register(&hidden);  // back again, now last
    events.clear();
    TestHosts().openDialogs.DisableAll();
    TestHosts().openDialogs.EnableAll();
    EXPECT_EQ(events, (std::vector<std::string>{"a disabled", "hidden disabled", "a enabled", "hidden enabled"}));
    EXPECT_TRUE(TestHosts().openDialogs.IsRegistered(&noWindow));
}
