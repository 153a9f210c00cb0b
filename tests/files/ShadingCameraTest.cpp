// Shading data between the simulated camera, the buffer and files, through the buttons' operations.
#include "files/ShadingTransfer.h"

#include "files/ShadingFile.h"
#include "files/TextFile.h"
#include "operations/ShadingActions.h"
#include "support/ReaderFixture.h"
#include "support/RecordingFileDialogHost.h"
#include "support/TempFolder.h"
#include "support/TestData.h"
#include "support/TestHosts.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

class ShadingTest : public ReaderFixture {
protected:
    void SetUp() override
    {
        ReaderFixture::SetUp();
        temp_ = std::make_unique<TempFolder>("rv-shading");
        folder_ = temp_->Path();
        transfer_ = std::make_unique<ShadingTransfer>(*command_, buffer_, TestHosts());
        transfer_->SetProgress(progress_.get());
        buttons_ = std::make_unique<ShadingActions>(*transfer_, messages_, &fileDialogs_);
        dialogs_.UseDisk(true);
    }
    void TearDown() override
    {
        buttons_.reset();
        transfer_.reset();
        temp_.reset();
        ReaderFixture::TearDown();
    }

    std::string Path(const char* name) const { return (folder_ / name).string(); }
    int Count(const std::string& prefix) const
    {
        const auto settings = Settings();
        return static_cast<int>(std::count_if(settings.begin(), settings.end(),
                                              [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
    }

    RecordingFileDialogHost dialogs_;
    ShadingTable buffer_;
    std::unique_ptr<ShadingTransfer> transfer_;
    MessageHost& messages_ = TestHosts().messages;  // routed to the test's recording host
    FileDialogHost& fileDialogs_ = TestHosts().fileDialogs;
    std::unique_ptr<ShadingActions> buttons_;
    std::unique_ptr<TempFolder> temp_;
    fs::path folder_;
};

TEST_F(ShadingTest, ModeOffStopsBothButtonsBeforeAnySelector)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=0"}));
    buttons_->ReadToFile();
    buttons_->WriteFromFile();
    EXPECT_EQ(Count("SDDS"), 0);
    EXPECT_EQ(host_.Texts(), (std::vector<std::string>{"Shading Mode is OFF", "Shading Mode is OFF"}));
    EXPECT_EQ(host_.Shown()[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(ShadingTest, UnansweredModeQueryEndsBeforeAnythingIsSentOrAsked)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1", "--refuse", "SDM?"}));
    buttons_->WriteFromFile();
    buttons_->ReadToFile();
    EXPECT_TRUE(Settings().empty());
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(ShadingTest, AFullFileGoesWithoutAQuestionAndReadsBackByteForByte)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1"}));
    const std::string full = TestDataPath("shading-full.csv");  // G i, R 1023 - i, B -i
    dialogs_.QueuePath(full);
    buttons_->WriteFromFile();
    EXPECT_TRUE(host_.Texts().empty()) << ::testing::PrintToString(host_.Texts());
    const auto settings = Settings();
    ASSERT_GE(settings.size(), 4u);
    // Entry 0 of the file goes with index 1; the table is closed at the end.
    EXPECT_EQ(settings[0], "SDDS=0");
    EXPECT_EQ(settings[1], "SDDI=1");
    EXPECT_EQ(settings[2], "SDD=0");
    EXPECT_EQ(settings.back(), "SDDU=0");
    EXPECT_EQ(Count("SDDI="), 3072);
    EXPECT_EQ(dialogs_.Shown().at(0).filters.at(0).description, "Camera gamma data (*.csv)");

    buffer_ = ShadingTable();
    const std::string out = Path("out.csv");
    dialogs_.QueuePath(out);
    buttons_->ReadToFile();
    std::string saved, expected;
    ASSERT_TRUE(TextFile::Load(out, saved) && TextFile::Load(full, expected));
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(dialogs_.Shown().back().filters.at(0).description, "Camera shading data (*.csv)");
}

// More rows than a table holds: the first 1024 go, and the table is closed.
TEST_F(ShadingTest, TooManyRowsWriteTheFirst1024)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1"}));
    std::vector<std::string> lines = {ShadingFile::kHeader};
    for (int i = 0; i < 1025; ++i) lines.push_back(std::to_string(i) + ", 0, 0");
    const std::string many = Path("many.csv");
    ASSERT_EQ(TextFile::Save(many, lines), TextFile::SaveResult::Saved);
    dialogs_.QueuePath(many);
    buttons_->WriteFromFile();
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
        dialogs_.QueuePath(TestDataPath("shading-full.csv"));
        host_.Clear();
        buttons_->WriteFromFile();
        EXPECT_EQ(host_.Texts(), std::vector<std::string>{c.summary}) << c.refuse;
        EXPECT_EQ(Count("SDDI="), c.indexes) << c.refuse;
        EXPECT_EQ(Count("SDDU"), 0) << c.refuse;
    }
}

TEST_F(ShadingTest, AFileThatIsNoFullShadingTableAsksAndNoSendsNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1"}));
    host_.QueueAnswer(MessageResult::No);  // the second question gets its default, No as well
    for (const char* name : {"gamma-ramp.csv", "shading-header-only.csv"}) {
        dialogs_.QueuePath(TestDataPath(name));
        buttons_->WriteFromFile();
    }
    const char* const kRest = "; a full shading table has 1024. Write it anyway?";
    EXPECT_EQ(host_.Texts(),
              (std::vector<std::string>{
                  TestDataPath("gamma-ramp.csv") + "\nThis file holds 256 rows of gamma data" + kRest,
                  TestDataPath("shading-header-only.csv") + "\nThis file holds 0 rows of shading data" + kRest}));
    EXPECT_EQ(Count("SDD"), 0);
    EXPECT_EQ(buffer_.values, ShadingTable().values);
}

TEST_F(ShadingTest, ABrokenFileChangesNothingAndTheNextWriteSendsWhatWasRead)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1"}));
    ASSERT_TRUE(transfer_->ReadFromCamera().complete);
    std::vector<std::string> lines = {ShadingFile::kHeader}, answered, sent;
    for (const std::string& line : terminal_.lines) {
        if (line.rfind("Rx: SDD=", 0) == 0) answered.push_back(line.substr(4));
    }
    for (int i = 0; i < 1024; ++i) lines.push_back(i == 499 ? "7, 7, 7, 7" : "7, 7, 7");  // data row 500
    ASSERT_EQ(TextFile::Save(Path("broken.csv"), lines), TextFile::SaveResult::Saved);
    dialogs_.QueuePath(Path("broken.csv"));
    ClearTraffic();
    buttons_->WriteFromFile();
    EXPECT_EQ(host_.Texts(), (std::vector<std::string>{"Invaild data count format"}));
    EXPECT_EQ(Count("SDD"), 0);
    ASSERT_TRUE(transfer_->WriteToCamera().Complete());
    for (const std::string& line : Settings()) {
        if (line.rfind("SDD=", 0) == 0) sent.push_back(line);
    }
    EXPECT_EQ(answered.size(), 3072u);
    EXPECT_EQ(sent, answered);
}

TEST_F(ShadingTest, EscAndTheCloseBoxLeaveTheProgressWindowAndTheNextReloadShowsIt)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1"}));
    int shown[2] = {};  // pumps with the window up during the read and during the reload
    int hidden = 0;
    bool reading = true;
    pump_.onPump = [&] {
        QWidget* window = progressDialog_.Window();
        if (window && reading) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(window, &escape);
            window->close();  // the close box and Alt+F4
        }
        ++(window && window->isVisible() ? shown[reading ? 0 : 1] : hidden);
    };
    ASSERT_TRUE(transfer_->ReadFromCamera().complete);
    reading = false;
    reader_->Refresh();  // "Reload"
    EXPECT_GT(shown[0], 0);
    EXPECT_GT(shown[1], 0);
    EXPECT_EQ(hidden, 0);
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

TEST_F(ShadingTest, ReadStopsAtTheFirstFailureOffersNoSaveAndKeepsTheBuffer)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--set", "SDM=1", "--disconnect-after", "12"}));
    buffer_.At(0, 0) = 42;
    buttons_->ReadToFile();
    EXPECT_TRUE(dialogs_.Shown().empty());
    EXPECT_EQ(buffer_.At(0, 0), 42);
    ASSERT_FALSE(host_.Shown().empty());
    // SDM?, SDDS=0, then index/query pairs: the 12th line is the query of entry 5, which the camera answers
    // last; the index of entry 6 gets no answer.
    EXPECT_NE(host_.Shown().back().text.find("stopped at G entry 6 of 1024"), std::string::npos)
        << host_.Shown().back().text;
}

}  // namespace
