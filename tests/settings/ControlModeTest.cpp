#include "settings/ControlMode.h"

#include "settings/RegistrySettings.h"
#include "support/TempConfigHome.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

// The flag is built on the settings, which write item 0 when they are destroyed. Every use runs in a child
// process that owns both, as the tool does, and ends normally or as a crash does.

namespace {

const std::string kHeader = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Orvane\\RV-8200-XC Control Tool]\r\n";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Runs `body` in a child on its own settings and flag, created in the tool's order, and gives its result; the
// child ends normally (both destroyed, in reverse order) or as a crash does (_exit, nothing destroyed).
int InChild(const std::function<int(ControlMode&, RegistrySettings&)>& body, bool normalExit)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        auto* settings = new RegistrySettings;
        auto* mode = new ControlMode(*settings);
        const int result = body(*mode, *settings);
        if (normalExit) {
            delete mode;
            delete settings;
            std::exit(result);
        }
        ::_exit(result);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace

TEST(ControlMode, StoredValueIsReadAndOnlyOneMeansFactory)
{
    TempConfigHome home;
    const std::pair<std::string, int> cases[] = {
        {"", 0},      {"dword:00000001", 1}, {"dword:00000000", 0}, {"dword:00000005", 0}, {"dword:ffffffff", 0},
        {"\"1\"", 1}, {"\"on\"", 0},
    };
    for (const auto& [stored, mode] : cases) {
        home.WriteFile(kHeader + (stored.empty() ? "" : "\"Control Mode\"=" + stored + "\r\n"));
        EXPECT_EQ(InChild([](ControlMode& flag, RegistrySettings&) { return flag.Get(); }, false), mode) << stored;
    }
}

TEST(ControlMode, SetKeepsOnlyTheTwoModesAndNothingIsWrittenBeforeExit)
{
    TempConfigHome home;
    const int result = InChild(
        [&](ControlMode& flag, RegistrySettings&) {
            flag.Set(1);
            flag.Set(2);
            flag.Set(-1);
            const bool written = Contains(home.ReadFile(), "\"Control Mode\"");
            return flag.Get() * 10 + (written ? 1 : 0);
        },
        true);
    EXPECT_EQ(result, 10);
    EXPECT_TRUE(Contains(home.ReadFile(), "\"Control Mode\"=dword:00000001\r\n"));
    EXPECT_EQ(InChild([](ControlMode& flag, RegistrySettings&) { return flag.Get(); }, true), 1)
        << "read back by the next run";
    EXPECT_EQ(InChild(
                  [](ControlMode& flag, RegistrySettings&) {
                      flag.Set(0);
                      return 0;
                  },
                  true),
              0);
    EXPECT_TRUE(Contains(home.ReadFile(), "\"Control Mode\"=dword:00000000\r\n"));
}

TEST(ControlMode, NormalExitWritesTheFlagAndTheShutdownStatusCrashWritesNeither)
{
    TempConfigHome home;
    const auto run = [](int mode) {
        return [mode](ControlMode& flag, RegistrySettings&) {
            flag.Set(mode);
            return 0;
        };
    };
    ASSERT_EQ(InChild(run(1), true), 0);
    const std::string file = home.ReadFile();
    EXPECT_TRUE(Contains(file, "\"Control Mode\"=dword:00000001\r\n")) << file;
    EXPECT_TRUE(Contains(file, "\"Previous Application Shutdown Status\"=dword:00000001\r\n")) << file;

    ASSERT_EQ(InChild(run(0), false), 0);
    const std::string after = home.ReadFile();
    EXPECT_TRUE(Contains(after, "\"Control Mode\"=dword:00000001\r\n")) << after;
    EXPECT_TRUE(Contains(after, "\"Previous Application Shutdown Status\"=dword:00000000\r\n")) << after;

    // The settings object, created first, is destroyed last: the normal-end mark comes after the flag.
    EXPECT_EQ(
        InChild([](ControlMode&, RegistrySettings& settings) { return settings.IsPreviousShutdownNormal() ? 1 : 0; },
                true),
        0);
    EXPECT_TRUE(Contains(home.ReadFile(), "\"Previous Application Shutdown Status\"=dword:00000001\r\n"));
}
