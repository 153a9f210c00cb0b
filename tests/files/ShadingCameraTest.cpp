// Shading data between the simulated camera, the buffer and files, through the buttons' operations.
#include "files/ShadingTransfer.h"

#include "files/ShadingFile.h"
#include "files/TextFile.h"
#include "support/ReaderFixture.h"
#include "support/RecordingFileDialogHost.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

class ShadingTest : public ReaderFixture {
protected:
    void SetUp() override
    {
        ReaderFixture::SetUp();
        folder_ = fs::temp_directory_path() /
                  ("rv-shading-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        transfer_ = std::make_unique<ShadingTransfer>(*command_, buffer_);
        transfer_->SetProgress(progress_.get());
        dialogs_.UseDisk(true);
    }
    void TearDown() override
    {
        transfer_.reset();
        fs::remove_all(folder_);
        ReaderFixture::TearDown();
    }

    std::string Path(const char* name) const { return (folder_ / name).string(); }
    int Count(const std::string& prefix) const
    {
        const auto settings = Settings();
        return static_cast<int>(std::count_if(settings.begin(), settings.end(),
                                              [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
    }
    std::string WriteFile(const ShadingTable& table)
    {
        const std::string path = Path("in.csv");
        EXPECT_EQ(TextFile::Save(path, ShadingFile::Lines(table)), TextFile::SaveResult::Saved);
        return path;
    }
    static ShadingTable Pattern()
    {
        ShadingTable table;
        for (int c = 0; c < ShadingTable::kColours; ++c) {
            for (int i = 0; i < ShadingTable::kEntries; ++i) table.At(c, i) = (i * 13 + c * 101) % 2001 - 1000;
        }
        return table;
    }

    RecordingFileDialogHost dialogs_;
    ShadingTable buffer_;
    std::unique_ptr<ShadingTransfer> transfer_;
    fs::path folder_;
};

TEST_F(ShadingTest, ModeOffStopsBothButtonsBeforeAnySelector)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=0"}));
    transfer_->ReadToFile();
    transfer_->WriteFromFile();
    EXPECT_EQ(Count("SDDS"), 0);
    EXPECT_EQ(host_.Texts(), (std::vector<std::string>{"Shading Mode is OFF", "Shading Mode is OFF"}));
    EXPECT_EQ(host_.Shown()[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(ShadingTest, UnansweredModeQueryEndsBeforeAnythingIsSentOrAsked)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1", "--refuse", "SDM?"}));
    transfer_->WriteFromFile();
    transfer_->ReadToFile();
    EXPECT_TRUE(Settings().empty());
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(ShadingTest, WriteWithSignedValuesThenReadBackGivesTheSameFile)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1"}));
    const ShadingTable pattern = Pattern();
    dialogs_.QueuePath(WriteFile(pattern));
    transfer_->WriteFromFile();
    EXPECT_TRUE(host_.Texts().empty()) << ::testing::PrintToString(host_.Texts());
    const auto settings = Settings();
    ASSERT_GE(settings.size(), 4u);
    // Entry 0 of the file goes with index 1; the table is closed at the end.
    EXPECT_EQ(settings[0], "SDDS=0");
    EXPECT_EQ(settings[1], "SDDI=1");
    EXPECT_EQ(settings[2], "SDD=" + std::to_string(pattern.At(0, 0)));
    EXPECT_EQ(settings.back(), "SDDU=0");
    EXPECT_EQ(Count("SDDI="), 3072);
    EXPECT_EQ(dialogs_.Shown().at(0).filters.at(0).description, "Camera gamma data (*.csv)");

    buffer_ = ShadingTable();
    const std::string out = Path("out.csv");
    dialogs_.QueuePath(out);
    transfer_->ReadToFile();
    EXPECT_EQ(buffer_.values, pattern.values);
    std::string expected;
    for (const std::string& line : ShadingFile::Lines(pattern)) expected += line + "\r\n";
    std::string saved;
    ASSERT_TRUE(TextFile::Load(out, saved));
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(dialogs_.Shown().back().filters.at(0).description, "Camera shading data (*.csv)");
}

TEST_F(ShadingTest, FileErrorsSendNothingAndTooManyWritesTheFirst1024)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1"}));
    const std::string bad = Path("bad.csv");
    ASSERT_EQ(TextFile::Save(bad, {"h", "1, 2, 3", "1, 2, 3, 4"}), TextFile::SaveResult::Saved);
    dialogs_.QueuePath(bad);
    transfer_->WriteFromFile();
    EXPECT_EQ(host_.Texts(), (std::vector<std::string>{"Invaild data count format"}));
    EXPECT_EQ(Count("SDD"), 0);
    EXPECT_EQ(buffer_.At(0, 0), 1);  // what was taken stays in the buffer

    host_.Clear();
    std::vector<std::string> lines = {"h"};
    for (int i = 0; i < 1025; ++i) lines.push_back(std::to_string(i) + ", 0, 0");
    const std::string many = Path("many.csv");
    ASSERT_EQ(TextFile::Save(many, lines), TextFile::SaveResult::Saved);
    dialogs_.QueuePath(many);
    transfer_->WriteFromFile();
    EXPECT_EQ(host_.Texts(), (std::vector<std::string>{"Too many data"}));
    EXPECT_EQ(Count("SDDI="), 3072);
    EXPECT_EQ(Settings().back(), "SDDU=0");
}

// A camera that refuses the whole table or one colour's selector: one summary at the end, never a box per
// request, the counts by table entry, and the table never closed with SDDU.
TEST_F(ShadingTest, AWriteTheCameraRefusesEndsInOneSummary)
{
    struct Case {
        const char* refuse;
        int indexes;  // SDDI lines sent
        const char* summary;
    };
    const Case cases[] = {
        {"SDD", 3072,
         "Writing the shading data to the camera did not complete.\n"
         "Entries refused by the camera: 3072 (G 1, G 2, G 3, G 4, G 5, G 6, G 7, G 8, G 9, G 10 and 3062 more).\n"
         "The camera answered: ERROR: SDD refused\n"
         "The camera's table was not closed (SDDU not sent or not acknowledged)."},
        {"SDDS=1", 2048,
         "Writing the shading data to the camera did not complete.\n"
         "The camera answered: ERROR: refused on request\n"
         "Entries not sent: 1024.\n"
         "The camera's table was not closed (SDDU not sent or not acknowledged)."},
    };
    for (const Case& c : cases) {
        ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1", "--refuse", c.refuse}));
        dialogs_.QueuePath(WriteFile(Pattern()));
        host_.Clear();
        transfer_->WriteFromFile();
        EXPECT_EQ(host_.Texts(), std::vector<std::string>{c.summary}) << c.refuse;
        EXPECT_EQ(Count("SDDI="), c.indexes) << c.refuse;
        EXPECT_EQ(Count("SDDU"), 0) << c.refuse;
    }
}

TEST_F(ShadingTest, RefusedEntriesAreCountedTheWriteGoesOnAndTheTableStaysOpen)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1", "--refuse", "SDDI=5"}));
    const auto outcome = transfer_->WriteToCamera();
    EXPECT_EQ(outcome.Refused(), 3);
    EXPECT_FALSE(outcome.cameraGone);
    EXPECT_FALSE(outcome.closed);
    EXPECT_EQ(Count("SDDI="), 3072);
    EXPECT_EQ(Count("SDDU"), 0);
    EXPECT_EQ(Count("SDD="), 3069);  // no value goes after a refused index
}

TEST_F(ShadingTest, CameraVanishingHalfwayEndsWithinTwoTimeOutsWithoutSddu)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1", "--disconnect-after", "1500"}));
    dialogs_.QueuePath(WriteFile(Pattern()));
    const auto start = std::chrono::steady_clock::now();
    transfer_->WriteFromFile();
    const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 2 * ShadingTransfer::kEntryTimeoutMs + 1500);
    EXPECT_EQ(Count("SDDU"), 0);
    ASSERT_FALSE(host_.Shown().empty());
    EXPECT_NE(host_.Shown().back().text.find("stopped answering"), std::string::npos) << host_.Shown().back().text;
}

TEST_F(ShadingTest, ReadStopsAtTheFirstFailureOffersNoSaveAndKeepsTheBuffer)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1", "--disconnect-after", "12"}));
    buffer_.At(0, 0) = 42;
    transfer_->ReadToFile();
    EXPECT_TRUE(dialogs_.Shown().empty());
    EXPECT_EQ(buffer_.At(0, 0), 42);
    ASSERT_FALSE(host_.Shown().empty());
    // SDM?, SDDS=0, then index/query pairs: the 12th line is the query of entry 5, which the camera answers
    // last; the index of entry 6 gets no answer.
    EXPECT_NE(host_.Shown().back().text.find("stopped at G entry 6 of 1024"), std::string::npos)
        << host_.Shown().back().text;
}

}  // namespace
