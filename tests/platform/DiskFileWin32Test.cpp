// Whole files under names that are not ASCII: the Windows back end reaches them by their UTF-16 names.
#include "files/GammaFile.h"
#include "platform/DiskFile.h"

#include "platform/Win32TempFolder.h"
#include "platform/win32/Utf16.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

TEST(DiskFileWin32, ANonAsciiNameIsWrittenReplacedAndReadUnderThatName)
{
    Win32TempFolder folder;
    const std::string path = folder.File("gamma \xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.csv");
    std::string bytes = "GammaData (R G B)\r\n";
    for (int i = 0; i < 256; ++i) bytes += "1,2," + std::to_string(i) + "\r\n";
    ASSERT_EQ(DiskFile::Replace(path, "old"), DiskFile::ReplaceResult::Replaced);
    ASSERT_EQ(DiskFile::Replace(path, bytes), DiskFile::ReplaceResult::Replaced);
    std::string back;
    ASSERT_TRUE(DiskFile::Read(path, back));
    EXPECT_EQ(back, bytes);
    GammaTable red(0), green(1), blue(2);
    ASSERT_EQ(GammaFile::ReadFile(path, {&red, &green, &blue}).status, GammaFile::FileStatus::Kept);  // "Open LUT file"
    EXPECT_EQ(blue.tableData[255], 255);
    // The one file in the folder bears the name given, not its ANSI rendering; no temporary file is left.
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(WidenUtf8(folder.File("*.*")).c_str(), &found);
    std::wstring names;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names += found.cFileName;
    }
    FindClose(search);
    EXPECT_EQ(names, L"gamma \u00e9t\u00e9 \u65e5\u672c.csv");
    DeleteFileW(WidenUtf8(path).c_str());
    EXPECT_EQ(DiskFile::Replace(folder.File("missing\\x.csv"), "x"), DiskFile::ReplaceResult::FolderRefused);
}

}  // namespace
