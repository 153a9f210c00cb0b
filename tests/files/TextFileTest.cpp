// Saved text files: byte-exact CR LF content, and a failed save that leaves the old file as it was.
#include "files/TextFile.h"
#include "platform/DiskFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        temp_ = std::make_unique<TempFolder>("rv-textfile");
        folder_ = temp_->Path();
    }
    void TearDown() override { temp_.reset(); }

    static std::string Bytes(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    int FileCount() const
    {
        return static_cast<int>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    std::unique_ptr<TempFolder> temp_;
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

TEST_F(TextFileTest, TheFileIsSyncedBeforeTheRenameAndTheFolderAfterItAndKeepsItsMode)
{
    const fs::path path = folder_ / (std::string(250, 'n') + ".cam");  // no room for a longer temporary name
    std::ofstream(path) << "GA=200\r\n";
    fs::permissions(path, fs::perms(0640));
    using Step = DiskFile::Step;
    std::vector<Step> steps;
    Step failing = Step::SyncFolder;
    const auto previous = DiskFile::SetStepHook([&](Step step) {
        steps.push_back(step);
        return steps.size() <= 5 || step != failing;  // the first save goes through
    });
    ASSERT_EQ(TextFile::Save(path.string(), {"GA=300"}), TextFile::SaveResult::Saved);
    EXPECT_EQ(steps,
              (std::vector<Step>{Step::CreateTemporary, Step::Write, Step::SyncFile, Step::Rename, Step::SyncFolder}));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, fs::perms(0640));
    // Up to the rename a failure keeps the old file and no temporary file; a failed folder sync is reported.
    for (Step step : {Step::Write, Step::SyncFile, Step::Rename, Step::SyncFolder}) {
        failing = step;
        EXPECT_EQ(TextFile::Save(path.string(), {"GA=400"}), TextFile::SaveResult::CannotWrite);
        EXPECT_EQ(Bytes(path), step == Step::SyncFolder ? "GA=400\r\n" : "GA=300\r\n");
        EXPECT_EQ(FileCount(), 1);
    }
    failing = Step::CreateTemporary;
    EXPECT_EQ(TextFile::Save(path.string(), {"x"}), TextFile::SaveResult::CannotCreate);
    DiskFile::SetStepHook(previous);
    EXPECT_EQ(TextFile::FolderRefusedText(path.string()), folder_.string() + "\nCouldn't create a file in this folder");
    // A folder in the target's place is refused.
    fs::create_directories(folder_ / "dir.cam");
    EXPECT_EQ(TextFile::Save((folder_ / "dir.cam").string(), {"x"}), TextFile::SaveResult::CannotWrite);
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
