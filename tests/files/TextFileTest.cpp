// Saved text files: byte-exact CR LF content, and a failed save that leaves the old file as it was.
#include "files/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  ("rv-textfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    static std::string Bytes(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    int FileCount() const
    {
        return static_cast<int>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

TEST_F(TextFileTest, SavedWithCrLfAndNothingElseReplacingTheOldFile)
{
    const fs::path path = folder_ / "a.cam";
    std::ofstream(path) << "old content that is longer than the new one\n";
    ASSERT_EQ(TextFile::Save(path.string(), {"TM=0", "", "LR=1234"}), TextFile::SaveResult::Saved);
    EXPECT_EQ(Bytes(path), "TM=0\r\n\r\nLR=1234\r\n");
    EXPECT_EQ(FileCount(), 1);  // no temporary file left behind
    std::string back;
    ASSERT_TRUE(TextFile::Load(path.string(), back));
    EXPECT_EQ(back, "TM=0\r\n\r\nLR=1234\r\n");
}

TEST_F(TextFileTest, FailedSaveLeavesTheExistingFileUntouched)
{
    // A name so long that no temporary name beside it can be made: the save fails before the target.
    const fs::path path = folder_ / (std::string(250, 'n') + ".cam");
    std::ofstream(path) << "GA=200\r\n";
    EXPECT_NE(TextFile::Save(path.string(), {"GA=300"}), TextFile::SaveResult::Saved);
    EXPECT_EQ(Bytes(path), "GA=200\r\n");
    EXPECT_EQ(FileCount(), 1);
    // A folder in the target's place is refused the same way.
    fs::create_directories(folder_ / "dir.cam");
    EXPECT_EQ(TextFile::Save((folder_ / "dir.cam").string(), {"x"}), TextFile::SaveResult::CannotCreate);
    EXPECT_TRUE(fs::is_directory(folder_ / "dir.cam"));
}

TEST_F(TextFileTest, LoadAndFolderOf)
{
    std::string content = "x";
    EXPECT_FALSE(TextFile::Load((folder_ / "missing.cam").string(), content));
    EXPECT_TRUE(content.empty());
    EXPECT_FALSE(TextFile::Exists(folder_.string()));
    EXPECT_EQ(TextFile::FolderOf("/a/b/c.cam"), "/a/b");
    EXPECT_EQ(TextFile::FolderOf("C:\\cams\\x.cam"), "C:\\cams");
    EXPECT_EQ(TextFile::FolderOf("x.cam"), "");
}

}  // namespace
