#include "settings/RegistrySettings.h"

#include "support/TempConfigHome.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kSection = "[HKEY_LOCAL_MACHINE\\Software\\Orvane\\RV-8200-XC Control Tool]\r\n";
const std::string kHeader = "REGEDIT4\r\n\r\n" + kSection;

// Reads an item the way the next run would: through a store access that does not touch item 0.
int Stored(RegistrySettings& settings, int item, int missing = -12345)
{
    int value = 0;
    settings.GetValue(item, value, missing);
    return value;
}

// Runs `body` in a child process; `normalExit` ends it as the tool ends normally (static objects destroyed),
// otherwise as a crash does (no destructor runs).
template <typename Body>
void RunChild(Body body, bool normalExit)
{
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        body();
        if (normalExit) {
            std::exit(0);
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

struct NumberCase {
    std::string line;  // value line stored for "Communication Mode"; empty: no line
    int result;
    int value;
};

class NumericRead : public ::testing::TestWithParam<NumberCase> {};

}  // namespace

TEST_P(NumericRead, StoredFormGivesNumberOrDefault)
{
    TempConfigHome home;
    const NumberCase& c = GetParam();
    home.WriteFile(kHeader + (c.line.empty() ? "" : "\"Communication Mode\"=" + c.line + "\r\n"));
    RegistrySettings settings;
    int value = 0;
    EXPECT_EQ(settings.GetValue(kItemCommunicationMode, value, 77), c.result) << c.line;
    EXPECT_EQ(value, c.value) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, NumericRead,
    ::testing::Values(NumberCase{"dword:00000003", 1, 3}, NumberCase{"dword:ffffffff", 1, -1},
                      NumberCase{"\"2\"", 1, 2}, NumberCase{"\"abc\"", 1, 0}, NumberCase{"\"-15x\"", 1, -15},
                      NumberCase{"\"+4\"", 1, 4}, NumberCase{"\"\"", 1, 0}, NumberCase{"\"99999999999\"", 1, INT_MAX},
                      NumberCase{"\"-99999999999\"", 1, INT_MIN},
                      NumberCase{"hex:31,32", 1, 12},  // other types read as text, even without a zero
                      NumberCase{"hex(2):33,00", 1, 3},
                      NumberCase{"\"" + std::string(511, '7').replace(0, 2, "1x") + "\"", 1, 1},  // 512 bytes
                      NumberCase{"\"" + std::string(512, '1') + "\"", 0, 77},  // 513 bytes
                      NumberCase{"hex:" +
                                     [] {
                                         std::string bytes = "31";
                                         for (int i = 1; i < 513; ++i) {
                                             bytes += ",31";
                                         }
                                         return bytes;
                                     }(),
                                 0, 77},
                      NumberCase{"dword:xyz", 0, 77}, NumberCase{"", 0, 77}));

TEST(RegistrySettings, FirstStartCreatesTheKeyAndCountsAsAbnormalEnd)
{
    TempConfigHome home;
    {
        RegistrySettings settings;
        EXPECT_FALSE(settings.IsPreviousShutdownNormal());
        EXPECT_EQ(home.ReadFile(), kHeader + "\"Previous Application Shutdown Status\"=dword:00000000\r\n");
    }
    EXPECT_EQ(home.ReadFile(), kHeader + "\"Previous Application Shutdown Status\"=dword:00000001\r\n");
}

TEST(RegistrySettings, ShutdownStatusAcrossRuns)
{
    TempConfigHome home;
    {
        RegistrySettings first;
    }
    {
        RegistrySettings second;
        EXPECT_TRUE(second.IsPreviousShutdownNormal());
        EXPECT_EQ(Stored(second, kItemShutdownStatus), 0) << "0 while running";
        RegistrySettings concurrentCopy;
        EXPECT_FALSE(concurrentCopy.IsPreviousShutdownNormal()) << "a second copy sees the first still running";
    }
    RunChild([] { RegistrySettings crashing; }, true);  // clean end inside the child: still normal
    RunChild([] { new RegistrySettings; }, false);  // construct, then die without destructors
    {
        RegistrySettings afterCrash;
        EXPECT_FALSE(afterCrash.IsPreviousShutdownNormal());
    }
    RegistrySettings afterNormal;
    EXPECT_TRUE(afterNormal.IsPreviousShutdownNormal());
}

TEST(RegistrySettings, StatusOtherThanOneIsNotANormalEnd)
{
    TempConfigHome home;
    home.WriteFile(kHeader + "\"Previous Application Shutdown Status\"=dword:00000002\r\n");
    RegistrySettings settings;
    EXPECT_FALSE(settings.IsPreviousShutdownNormal());
}

TEST(RegistrySettings, ItemsOutsideTheTableAreRefusedWithoutTouchingTheStore)
{
    TempConfigHome home;
    RegistrySettings settings;
    const std::string before = home.ReadFile();
    for (int item : {-1, 10, INT_MIN, INT_MAX}) {
        int value = 0;
        EXPECT_EQ(settings.GetValue(item, value, 42), 0);
        EXPECT_EQ(value, 42);
        EXPECT_EQ(settings.SetValue(item, 1), 0);
        EXPECT_EQ(settings.SetText(item, "x"), 0);
        std::string folder;
        EXPECT_EQ(settings.GetFolder(item, folder), 0);
        EXPECT_EQ(folder, std::filesystem::current_path().string());
    }
    EXPECT_EQ(home.ReadFile(), before);
}

TEST(RegistrySettings, ValuesRoundTripUnderTheirNames)
{
    TempConfigHome home;
    {
        RegistrySettings settings;
        EXPECT_EQ(Stored(settings, kItemBaudrate), -12345) << "missing values give the default";
        settings.WriteLinkSettings({2, 115200, 15, 1, 2, 3});
        EXPECT_EQ(settings.SetValue(kItemControlMode, -2), 1);
        EXPECT_EQ(settings.SetText(kItemCameraFilePath, "/home/op/cams"), 1);
        EXPECT_EQ(settings.SetText(kItemCommandLogFilePath, "C:\\logs \"x\""), 1);
        EXPECT_EQ(Stored(settings, kItemComPortNo), 15);
        EXPECT_EQ(Stored(settings, kItemControlMode), -2);
    }
    // Every item under its name and type, in the order first written; the normal end's 1 in item 0.
    EXPECT_EQ(home.ReadFile(), ReadText(TestDataPath("settings-store.reg")));
}

TEST(RegistrySettings, KeyDeletedWhileRunningIsRecreatedAndWritesAreKept)
{
    TempConfigHome home;
    RegistrySettings settings;
    std::filesystem::remove(home.File());
    int value = 0;
    EXPECT_EQ(settings.GetValue(kItemComPortNo, value, 3), 0);
    EXPECT_EQ(value, 3);
    std::filesystem::remove(home.File());
    EXPECT_EQ(settings.SetValue(kItemComPortNo, 5), 1);
    EXPECT_EQ(Stored(settings, kItemComPortNo), 5);
}

TEST(RegistrySettings, FolderExistsOrTheWorkingDirectoryIsGiven)
{
    TempConfigHome home;
    RegistrySettings settings;
    const std::string cwd = std::filesystem::current_path().string();
    const std::filesystem::path folder = home.Root() / "cams";
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(home.Root() / "file.cam");
    std::filesystem::remove(home.Root() / "file.cam");
    {
        std::ofstream(home.Root() / "file.cam") << "x";
    }

    struct Case {
        std::string stored;
        int result;
        std::string given;
    };
    std::string longPath = folder.string();
    while (longPath.size() < 260) {
        longPath += "/.";
    }
    const Case cases[] = {
        {folder.string(), 1, folder.string()},
        {(home.Root() / "deleted").string(), 0, cwd},
        {(home.Root() / "file.cam").string(), 0, cwd},  // a file where the folder was
        {"", 0, cwd},  // chosen path had no folder part
        {longPath, 0, cwd},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(settings.SetText(kItemCameraFilePath, c.stored), 1);
        std::string given = "unchanged";
        EXPECT_EQ(settings.GetFolder(kItemCameraFilePath, given), c.result) << c.stored;
        EXPECT_EQ(given, c.given) << c.stored;
    }
    std::string given;
    EXPECT_EQ(settings.GetFolder(kItemCommandLogFilePath, given), 0) << "never stored";
    EXPECT_EQ(given, cwd);
}

TEST(RegistrySettings, TextTooLongToReadBackIsRefusedAndTheOldValueKept)
{
    TempConfigHome home;
    RegistrySettings settings;
    ASSERT_EQ(settings.SetText(kItemCameraFilePath, home.Root().string()), 1);
    EXPECT_EQ(settings.SetText(kItemCameraFilePath, std::string(512, 'a')), 0);
    std::string folder;
    EXPECT_EQ(settings.GetFolder(kItemCameraFilePath, folder), 1);
    EXPECT_EQ(folder, home.Root().string());
    EXPECT_EQ(settings.SetText(kItemCameraFilePath, std::string(511, 'a')), 1) << "511 + zero = 512 fits";
}

TEST(RegistrySettings, LinkSettingsStartAtNineThousandSixHundred)
{
    TempConfigHome home;
    RegistrySettings settings;
    settings.WriteLinkSettings(
        {.linkMode = 3, .baudRate = 115200, .comPortIndex = 15, .cl2000Index = 1, .cl2001Index = 2, .clV11Index = 4});
    EXPECT_EQ(Stored(settings, kItemBaudrate), 115200);

    const LinkSettings read = settings.ReadLinkSettings();
    EXPECT_EQ(read.linkMode, 3);
    EXPECT_EQ(read.baudRate, 9600);
    EXPECT_EQ(read.comPortIndex, 15);
    EXPECT_EQ(read.cl2000Index, 1);
    EXPECT_EQ(read.cl2001Index, 2);
    EXPECT_EQ(read.clV11Index, 4);
}

TEST(RegistrySettings, LinkSettingsOutOfRangeFallBackToTheFirstChoice)
{
    TempConfigHome home;
    home.WriteFile(kHeader +
                   "\"Communication Mode\"=dword:00000004\r\n\"Com Port No\"=dword:00000010\r\n"
                   "\"Cameralink 2000 Dll Index\"=dword:ffffffff\r\n\"Cameralink 2001 Dll Index\"=\"abc\"\r\n"
                   "\"Cameralink Ver11 Dll Index\"=dword:00000007\r\n");
    RegistrySettings settings;
    const LinkSettings read = settings.ReadLinkSettings();
    EXPECT_EQ(read.linkMode, 0);
    EXPECT_EQ(read.comPortIndex, 0);
    EXPECT_EQ(read.cl2000Index, 0);
    EXPECT_EQ(read.cl2001Index, 0);
    EXPECT_EQ(read.clV11Index, 7) << "the number of libraries is only known to the link";

    home.WriteFile(kHeader + "\"Communication Mode\"=\"2\"\r\n\"Com Port No\"=dword:00000000\r\n");
    EXPECT_EQ(settings.ReadLinkSettings().linkMode, 2);
}

// Settings detached from the store (the command-line companion's) neither read nor change the tool's: its
// items, its shutdown status and the file itself stay as they were.
TEST(DetachedSettings, ReadDefaultsAndWriteNothing)
{
    TempConfigHome home;
    const std::string stored = kHeader + "\"Previous Application Shutdown Status\"=dword:00000001\r\n" +
                               "\"Communication Mode\"=dword:00000002\r\n\"Control Mode\"=dword:00000001\r\n";
    home.WriteFile(stored);
    {
        RegistrySettings detached{RegistrySettings::Detached{}};
        int value = 0;
        EXPECT_EQ(detached.GetValue(kItemCommunicationMode, value, 7), 0);
        EXPECT_EQ(value, 7);
        EXPECT_EQ(detached.ReadLinkSettings().linkMode, 0);
        EXPECT_EQ(detached.SetValue(kItemComPortNo, 5), 0);
        EXPECT_EQ(detached.SetText(kItemCameraFilePath, "/tmp"), 0);
    }
    EXPECT_EQ(home.ReadFile(), stored);
}
