// Saving and loading camera setting files against the simulated camera, with real pages.
#include "files/SettingFile.h"

#include "files/TextFile.h"
#include "operations/SettingFileActions.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "support/TestHosts.h"
#include "support/FileText.h"
#include "support/ReaderFixture.h"
#include "support/RecordingFileDialogHost.h"
#include "support/TempFolder.h"
#include "support/TestData.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

class SettingFileTest : public ReaderFixture {
protected:
    void SetUp() override
    {
        ReaderFixture::SetUp();
        table_ = ControlTable();
        temp_ = std::make_unique<TempFolder>("rv-setting");
        folder_ = temp_->Path();
        SettingFileHooks hooks;
        hooks.modelCheck = [this] { return reader_->ModelCheck(); };
        hooks.showValues = [this] {
            ++shows_;
            reader_->ShowAllValues();
        };
        hooks.setUpModel = [this] { ++setUps_; };
        fileIo_ = std::make_unique<SettingFile>(*command_, table_, mode_, model_, hooks, TestHosts());
        fileIo_->SetProgress(progress_.get());
        file_ = std::make_unique<SettingFileActions>(*fileIo_, settings_, messages_, fileDialogs_);
    }
    void TearDown() override
    {
        file_.reset();
        fileIo_.reset();
        temp_.reset();
        table_ = ControlTable();
        ReaderFixture::TearDown();
    }

    std::string Path(const char* name) const { return (folder_ / name).string(); }
    static std::string Read(const std::string& path)
    {
        std::string content;
        TextFile::Load(path, content);
        return content;
    }
    int Value(const char* mnemonic) const
    {
        const int index = CommandTable::Find(mnemonic, nullptr, nullptr);
        return table_.GetDataValue(table_.ToCtrlId(index));
    }
    int CameraValue(const char* mnemonic)
    {
        const RequestOutcome asked = command_->Ask(CommandTable::Find(mnemonic, nullptr, nullptr), 1000);
        return asked ? asked.value.intValue : -12345;
    }

    std::unique_ptr<TempFolder> temp_;
    fs::path folder_;
    MessageHost& messages_ = TestHosts().messages;  // routed to the test's recording host
    FileDialogHost& fileDialogs_ = TestHosts().fileDialogs;
    std::unique_ptr<SettingFile> fileIo_;
    std::unique_ptr<SettingFileActions> file_;
    int shows_ = 0;
    int setUps_ = 0;
};

struct SaveCase {
    const char* model;
    int factoryMode;
    SettingFileVariant variant;
    const char* golden;  // the expected file in tests/data
};

void PrintTo(const SaveCase& c, std::ostream* out)
{
    *out << c.model << (c.factoryMode ? " factory mode, " : " user mode, ")
         << (c.variant == SettingFileVariant::AllData ? "all data" : "shipping data");
}

class SettingFileSaves : public SettingFileTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SettingFileSaves, HoldTheVariantsRowsWithCrLf)
{
    const SaveCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--model", c.model}));
    ASSERT_EQ(reader_->ModelCheck(), 1);
    SetFactoryMode(c.factoryMode);
    const std::string path = Path("saved.cam");
    ASSERT_EQ(file_->WriteSettingFile(path, c.variant), 1);
    // Byte for byte the committed file, CR LF line ends: every stored row of the model with its default, in
    // table order, after the model's line where the variant writes one.
    EXPECT_EQ(Read(path), ReadText(TestDataPath(c.golden))) << c.golden;
}

INSTANTIATE_TEST_SUITE_P(
    Variants, SettingFileSaves,
    // The shipping data holds the user rows alone, in either mode; so does a save in user mode.
    ::testing::Values(SaveCase{"RV-8200-A1", 0, SettingFileVariant::AllData, "setting-A1-user.cam"},
                      SaveCase{"RV-8200-A1", 0, SettingFileVariant::ShippingData, "setting-A1-shipping.cam"},
                      SaveCase{"RV-8200-A1", 1, SettingFileVariant::AllData, "setting-A1-factory.cam"},
                      SaveCase{"RV-8200-A1", 1, SettingFileVariant::ShippingData, "setting-A1-shipping.cam"},
                      SaveCase{"RV-8200-B1", 0, SettingFileVariant::AllData, "setting-B1-user.cam"},
                      SaveCase{"RV-8200-B1", 0, SettingFileVariant::ShippingData, "setting-B1-shipping.cam"},
                      SaveCase{"RV-8200-B1", 1, SettingFileVariant::AllData, "setting-B1-factory.cam"},
                      SaveCase{"RV-8200-B1", 1, SettingFileVariant::ShippingData, "setting-B1-shipping.cam"}),
    [](const ::testing::TestParamInfo<SaveCase>& tp) { return "Case" + std::to_string(tp.index); });

TEST_F(SettingFileTest, LoadRoundTripRestoresEveryValueOnASecondCamera)
{
    ASSERT_NO_FATAL_FAILURE(
        StartCamera({"--set", "GA=300", "--set", "LR=5000", "--set", "BLR=-5", "--set", "TM=1", "--set", "HB=2"}));
    ASSERT_EQ(reader_->ModelCheck(), 1);
    reader_->ReadAllSettings();
    const std::string path = Path("round.cam");
    ASSERT_EQ(file_->WriteSettingFile(path, SettingFileVariant::AllData), 1);
    ASSERT_EQ(Value("GA"), 300);

    EXPECT_EQ(Value("HB"), 2);
    // A second camera at its defaults, and a table at its defaults too.
    camera_.reset();
    table_ = ControlTable();
    ASSERT_NO_FATAL_FAILURE(StartCamera({}));
    ASSERT_EQ(reader_->ModelCheck(), 1);
    ASSERT_NE(CameraValue("GA"), 300);
    host_.Clear();
    ASSERT_EQ(file_->ReadSettingFile(path), 1);
    // The exposures come before the line rate they depend on: refused at first, taken on the second try.
    EXPECT_TRUE(file_->LastReport().AllApplied()) << file_->LastReport().SummaryText();
    for (const std::string& line : SettingFileFormat::SplitLines(Read(path))) {
        const std::string mnemonic = line.substr(0, line.find('='));
        EXPECT_EQ(CameraValue(mnemonic.c_str()), std::stoi(line.substr(line.find('=') + 1))) << line;
    }
    EXPECT_EQ(Value("GA"), 300);
    EXPECT_EQ(Value("BLR"), -5);
    EXPECT_EQ(table_.GetShadowValue(table_.ToCtrlId(cmd::GA)), 300);
    EXPECT_EQ(shows_, 1);
    EXPECT_EQ(setUps_, 1);
}

TEST_F(SettingFileTest, LoadAppliesWhatItMayAndSummarisesTheRest)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--model", "B1", "--refuse", "GA=300"}));
    ASSERT_EQ(reader_->ModelCheck(), 1);
    const std::string path = Path("mixed.cam");
    ASSERT_EQ(TextFile::Save(path, {"GA=300", "XYZ=5", "LR?", "GAORA=8000", "STP=1", "CBDRT=16", "", "TI = 1",
                                    "GAG=&HC8", "LR=abc", "LR=12x"}),
              TextFile::SaveResult::Saved);
    const int gaBefore = Value("GA");
    ClearTraffic();
    host_.Clear();
    ASSERT_EQ(file_->ReadSettingFile(path), 1);
    // Only the lines the load may apply reach the camera; none as a 0 for a query.
    EXPECT_EQ(Settings(), (std::vector<std::string>{"GA=300", "TI=1", "GAG=200", "GA=300"}));
    EXPECT_EQ(Value("GA"), gaBefore);  // refused: the table keeps what the camera has
    EXPECT_EQ(Value("TI"), 1);
    EXPECT_EQ(Value("GAG"), 200);
    const SettingFileLoadReport& report = file_->LastReport();
    EXPECT_EQ(report.refused, (std::vector<std::string>{"GA"}));
    EXPECT_EQ(report.unknown, (std::vector<std::string>{"XYZ"}));
    EXPECT_EQ(report.notOnModel, (std::vector<std::string>{"STP"}));
    EXPECT_EQ(report.factoryInUserMode, (std::vector<std::string>{"GAORA"}));
    EXPECT_EQ(report.notASetting, (std::vector<std::string>{"LR", "CBDRT"}));
    // One box for the whole load, though GA was refused twice (the second pass tries it again).
    EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Not every line of the setting file was applied.\n"
                                                      "Refused by the camera: GA\n"
                                                      "Unknown mnemonic: XYZ\n"
                                                      "Not on this model: STP\n"
                                                      "Factory parameter in user mode: GAORA\n"
                                                      "Not a setting: LR, CBDRT\n"
                                                      "Not a number: LR=abc, LR=12x\n"
                                                      "The camera answered: ERROR: refused on request\n"
                                                      "2 setting(s) applied."});
}

TEST_F(SettingFileTest, AFileOfTheWrongKindGivesOneShortSummary)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({}));
    // A table of numbers opened by mistake: 1025 lines without "=", none of them a setting.
    std::vector<std::string> rows{"Data,R,G,B"};
    for (int i = 0; i < 1024; ++i) rows.push_back(std::to_string(i) + ",1,2,3");
    const std::string path = Path("table.csv");
    ASSERT_EQ(TextFile::Save(path, rows), TextFile::SaveResult::Saved);
    host_.Clear();
    ASSERT_EQ(file_->ReadSettingFile(path), 1);
    EXPECT_TRUE(Settings().empty());
    EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Not every line of the setting file was applied.\n"
                                                      "Not a setting: Data,R,G,B, 0,1,2,3, 1,1,2,3, 2,1,2,3, "
                                                      "3,1,2,3, 4,1,2,3, 5,1,2,3, 6,1,2,3, 7,1,2,3, 8,1,2,3 "
                                                      "and 1015 more\n"
                                                      "0 setting(s) applied."});
}

TEST_F(SettingFileTest, EmptyFileSendsNothingButStillShowsTheValues)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({}));
    const std::string path = Path("empty.cam");
    ASSERT_EQ(TextFile::Save(path, {}), TextFile::SaveResult::Saved);
    host_.Clear();
    ASSERT_EQ(file_->ReadSettingFile(path), 1);
    EXPECT_TRUE(Settings().empty());
    EXPECT_TRUE(host_.Texts().empty());
    EXPECT_EQ(shows_, 1);
    EXPECT_EQ(setUps_, 1);
    EXPECT_EQ(file_->ReadSettingFile(Path("missing.cam")), 0);
    ASSERT_EQ(host_.Texts().size(), 1u);
    EXPECT_EQ(host_.Texts()[0], Path("missing.cam") + "\nCouldn't open this file");
}

TEST_F(SettingFileTest, CameraVanishingEndsTheLoadAtTheSecondTimeOut)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--disconnect-after", "3"}));
    std::vector<std::string> lines;
    for (int i = 0; i < 20; ++i) lines.push_back("GA=" + std::to_string(100 + i));
    const std::string path = Path("gone.cam");
    ASSERT_EQ(TextFile::Save(path, lines), TextFile::SaveResult::Saved);
    host_.Clear();
    const int start = clock_.NowMs();
    ASSERT_EQ(file_->ReadSettingFile(path), 1);
    EXPECT_EQ((clock_.NowMs() - start) / SettingFile::kValueTimeoutMs, 2) << "time-outs";
    const SettingFileLoadReport& report = file_->LastReport();
    EXPECT_TRUE(report.cameraGone);
    // The camera answers three lines and is gone from the fourth on: the fifth is the second time-out.
    EXPECT_EQ(report.applied, 3);
    EXPECT_EQ(report.stoppedAtLine, 5);
    EXPECT_EQ(Settings().size(), 5u);
    EXPECT_EQ(Value("GA"), 102);
    ASSERT_FALSE(host_.Shown().empty());
    EXPECT_NE(host_.Shown().back().text.find("stopped answering at line 5 of 20"), std::string::npos);
}

TEST_F(SettingFileTest, DialogsAskBeforeReplacingAndRememberTheFolder)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({}));
    RecordingFileDialogHost dialogs;
    dialogs.UseDisk(true);
    const std::string path = Path("kept.cam");
    ASSERT_EQ(TextFile::Save(path, {"old"}), TextFile::SaveResult::Saved);

    dialogs.QueuePath(path);
    host_.QueueAnswer(MessageResult::No);
    file_->Save(SettingFileVariant::AllData);  // No ends the save
    EXPECT_EQ(Read(path), "old\r\n");

    dialogs.QueuePath(path);
    host_.QueueAnswer(MessageResult::Yes);
    file_->Save(SettingFileVariant::ShippingData);
    EXPECT_EQ(Read(path).rfind("TM=", 0), 0u);
    std::string folder;
    settings_.GetFolder(kItemCameraFilePath, folder);
    EXPECT_EQ(folder, folder_.string());
    file_->Load();  // the next dialog starts in the remembered folder; cancelled
    ASSERT_FALSE(dialogs.Shown().empty());
    EXPECT_EQ(dialogs.Shown().back().mode, FileDialogMode::Open);
    EXPECT_EQ(dialogs.Shown().back().defaultExtension, "cam");
    EXPECT_EQ(dialogs.Shown().back().filters.at(0).description, "Camera setting data (*.cam)");
    EXPECT_EQ(dialogs.Shown().back().startFolder, folder_.string());
}

}  // namespace
