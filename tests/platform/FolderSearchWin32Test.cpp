// Folder search, ordinary-file listing and the Camera Link folder through the Windows file and registry calls.
#include "platform/FolderSearch.h"
#include "platform/OrdinaryFiles.h"

#include "platform/Win32TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

struct PatternCase {
    const char* name;
    const char* pattern;
    std::vector<std::string> found;  // sorted
};

class FolderSearchWin32 : public ::testing::TestWithParam<PatternCase> {
protected:
    void SetUp() override
    {
        for (const char* file : {"clserabc.dll", "CLSERXYZ.DLL", "clserial.dll", "clser.dllx", "notes.txt"}) {
            ASSERT_TRUE(folder_.Make(file)) << file;
        }
        ASSERT_TRUE(folder_.Make("clserdir.dll", FILE_ATTRIBUTE_DIRECTORY));
    }
    Win32TempFolder folder_;
};

TEST_P(FolderSearchWin32, MatchesLongNamesWithoutRegardToCaseAndLeavesFoldersOut)
{
    const PatternCase& c = GetParam();
    EXPECT_EQ(Sorted(FolderSearch::FindFiles(folder_.Path(), c.pattern)), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FolderSearchWin32,
    ::testing::Values(PatternCase{"PerMakerLibraries", "clser*.dll", {"CLSERXYZ.DLL", "clserabc.dll", "clserial.dll"}},
                      PatternCase{"OneName", "clserial.dll", {"clserial.dll"}},
                      PatternCase{"UpperCasePattern", "CLSERIAL.DLL", {"clserial.dll"}},
                      PatternCase{"QuestionMark", "clserab?.dll", {"clserabc.dll"}},
                      PatternCase{"NoMatch", "*.so", {}}),
    [](const ::testing::TestParamInfo<PatternCase>& tp) { return std::string(tp.param.name); });

TEST(FolderSearchWin32Folders, MissingFolderGivesNothingAndJoinUsesBackslashes)
{
    EXPECT_TRUE(FolderSearch::FindFiles("C:\\no such folder\\really", "*.dll").empty());
    EXPECT_EQ(FolderSearch::JoinPath("C:\\Libs", "a.dll"), "C:\\Libs\\a.dll");
    EXPECT_EQ(FolderSearch::JoinPath("C:\\Libs\\", "a.dll"), "C:\\Libs\\a.dll");
}

TEST(OrdinaryFilesWin32, LeavesOutFoldersAndReadOnlyHiddenAndSystemFiles)
{
    Win32TempFolder folder;
    ASSERT_TRUE(folder.Make("manual.pdf"));
    ASSERT_TRUE(folder.Make("b guide.pdf"));
    ASSERT_TRUE(folder.Make("locked.pdf", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(folder.Make("hidden.pdf", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(folder.Make("system.pdf", FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(folder.Make("docs", FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(OrdinaryFiles::List(folder.Path()), (std::vector<std::string>{"b guide.pdf", "manual.pdf"}));
}

// The Camera Link folder comes from HKEY_LOCAL_MACHINE\SOFTWARE\CameraLink, else the system folder.
class CameraLinkFolderWin32 : public ::testing::Test {
protected:
    void SetUp() override
    {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (key) RegCloseKey(key);
        if (existed_) GTEST_SKIP() << "this machine has a Camera Link key of its own; it stays untouched";
    }
    void TearDown() override
    {
        if (!existed_) RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
    }
    static void SetValue(DWORD type, const std::string& text)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "CLSERIALPATH", 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }
    static constexpr const char* kKey = "SOFTWARE\\CameraLink";
    bool existed_ = false;
};

TEST_F(CameraLinkFolderWin32, SystemFolderWithoutTheValueThenTheValueExpandedAndTrimmed)
{
    char system[MAX_PATH + 1] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(FolderSearch::CameraLinkFolder(), system);

    SetValue(REG_SZ, "D:\\Grabber\\Serial\\");
    EXPECT_EQ(FolderSearch::CameraLinkFolder(), "D:\\Grabber\\Serial") << "no trailing separator";

    SetValue(REG_EXPAND_SZ, "%SystemRoot%\\CameraLink");
    char root[MAX_PATH + 1] = {};
    GetEnvironmentVariableA("SystemRoot", root, MAX_PATH);
    EXPECT_EQ(FolderSearch::CameraLinkFolder(), std::string(root) + "\\CameraLink");
}

}  // namespace
