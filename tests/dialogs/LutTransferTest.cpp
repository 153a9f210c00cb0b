// The LUT editors against the simulated camera: a table written and read back unchanged, the wire order
// and progress, refused entries, a camera that vanishes in the middle, reading all three, and a render of
// a table read from the camera.
#include "dialogs/CLUTDlg.h"
#include "dialogs/CProgressBarDialog.h"
#include "dialogs/LutEditors.h"

#include "framework/OpenDialogList.h"
#include "support/TestHosts.h"
#include "support/ReaderFixture.h"
#include "support/RecordingFileDialogHost.h"
#include "support/RenderFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>

namespace {

class LutTransfer : public ReaderFixture {
protected:
    void SetUp() override
    {
        ReaderFixture::SetUp();
        editors_ = std::make_unique<LutEditors>(*command_, progressDialog_, TestHosts());
        editors_->Create(mainWindow_.get());
    }
    void TearDown() override
    {
        editors_.reset();
        ReaderFixture::TearDown();
    }

    static void FillGamma(GammaTable& table, double gamma)
    {
        for (int i = 0; i < 256; ++i)
            table.tableData[static_cast<std::size_t>(i)] =
                static_cast<int>(std::lround(4095 * std::pow(i / 255.0, gamma)));
    }

    std::unique_ptr<LutEditors> editors_;
};

TEST_F(LutTransfer, ATableWrittenToTheCameraReadsBackUnchanged)
{
    StartCamera({});
    CLUTDlg& green = *editors_->Editor(1);
    FillGamma(green.Table(), 0.45);
    const auto written = green.Table().tableData;
    EXPECT_EQ(green.WriteTableData(1), 1);
    EXPECT_TRUE(host_.Shown().empty()) << ::testing::PrintToString(host_.Texts());
    const std::vector<std::string> settings = Settings();
    ASSERT_EQ(settings.size(), 512u);
    EXPECT_EQ(settings[0], "LUTIG=0");
    EXPECT_EQ(settings[1], "LUTG=0");
    EXPECT_EQ(settings[510], "LUTIG=255");
    EXPECT_EQ(settings[511], "LUTG=4095");
    EXPECT_EQ(green.ModeText(), "Edit Mode");  // a write does not change the mode

    green.Table().tableData.fill(0);
    ClearTraffic();
    EXPECT_EQ(green.ReadTableData(), 1);
    EXPECT_EQ(green.Table().tableData, written);
    EXPECT_EQ(green.ModeText(), "View Mode");
    EXPECT_EQ(Queries().size(), 256u);
    EXPECT_EQ(Queries()[0], "LUTG?");
    // The red and blue tables were not touched by the green write.
    CLUTDlg& red = *editors_->Editor(0);
    EXPECT_EQ(red.ReadTableData(), 1);
    EXPECT_EQ(red.Table().tableData[255], 4095);
    EXPECT_EQ(red.Table().tableData[100], 1600);
    EXPECT_TRUE(TestHosts().openDialogs.IsRegistered(&red));
    EXPECT_TRUE(red.isEnabled());
}

// The progress shows the running count; windows get their messages after the first and the last entry
// and at most once a frame in between.
TEST_F(LutTransfer, ProgressCountsTheEntries)
{
    StartCamera({});
    CLUTDlg& blue = *editors_->Editor(2);
    std::vector<std::string> messages;
    pump_.onPump = [&] { messages.push_back(progressDialog_.Message()); };
    EXPECT_EQ(blue.ReadTableData(), 1);
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages.front(), "Now, reading camera gamma data    (1 / 256)");
    EXPECT_EQ(messages.back(), "Now, reading camera gamma data    (256 / 256)");
    EXPECT_EQ(pump_.positions.front(), 0);
    EXPECT_EQ(pump_.positions.back(), 99);
    for (std::size_t i = 1; i < pump_.positions.size(); ++i) EXPECT_LE(pump_.positions[i - 1], pump_.positions[i]);
    messages.clear();
    EXPECT_EQ(blue.WriteTableData(2), 1);
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages.front(), "Now, writing camera gamma data.  (1 / 256)");
    EXPECT_EQ(messages.back(), "Now, writing camera gamma data.  (256 / 256)");
}

TEST_F(LutTransfer, RefusedEntriesAreCountedAndTheWriteGoesOn)
{
    StartCamera({});
    CLUTDlg& red = *editors_->Editor(0);
    FillGamma(red.Table(), 1.0);
    red.Table().tableData[10] = 5000;  // beyond 12 bits: the camera refuses them
    red.Table().tableData[20] = 6000;
    host_.Clear();
    EXPECT_EQ(red.WriteTableData(0), 0);
    EXPECT_EQ(Settings().size(), 512u);
    EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Writing the red gamma table: 254 of 256 entries were written.\n"
                                                      "2 entries were refused by the camera: 10, 20.\n"
                                                      "The camera answered: ERROR: LUTR 5000 out of range 0..4095"});
}

TEST_F(LutTransfer, ACameraVanishingDuringAWriteEndsWithinTwoTimeOutsWithASummary)
{
    // 20 lines answered: entries 0 to 9; the indexes of entries 10 and 11 time out, and the write ends.
    StartCamera({"--disconnect-after", "20"});
    CLUTDlg& green = *editors_->Editor(1);
    const int start = clock_.NowMs();
    EXPECT_EQ(green.WriteTableData(1), 0);
    EXPECT_EQ((clock_.NowMs() - start) / GammaTransfer::kEntryTimeoutMs, 2) << "time-outs";
    EXPECT_LE(Settings().size(), 23u);
    ASSERT_EQ(host_.Texts().size(), 1u);
    EXPECT_EQ(host_.Texts()[0],
              "Writing the green gamma table: 10 of 256 entries were written.\n2 entries were not answered: 10, 11.\n"
              "The camera stopped answering: entries 12 to 255 were not sent.");
    EXPECT_TRUE(green.isEnabled());
    EXPECT_FALSE(progressDialog_.IsOpen());
}

TEST_F(LutTransfer, AReadThatStopsKeepsTheTableAndSaysWhere)
{
    StartCamera({"--disconnect-after", "10"});  // entries 0 to 4
    CLUTDlg& red = *editors_->Editor(0);
    red.Table().tableData.fill(3);
    EXPECT_EQ(red.ReadTableData(), 0);
    EXPECT_EQ(red.ModeText(), "Edit Mode");
    EXPECT_EQ(red.Table().tableData[4], 3);
    EXPECT_EQ(red.Table().tableData[5], 3);
    EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Reading the red gamma table stopped at entry 5 of 256.\n"
                                                      "The table keeps its previous values."});
}

TEST_F(LutTransfer, LoadAllReadsRedGreenBlueAndSaveWritesWhatTheCameraHolds)
{
    StartCamera({});
    CLUTDlg& blue = *editors_->Editor(2);
    FillGamma(blue.Table(), 2.2);
    ASSERT_EQ(blue.WriteTableData(2), 1);
    blue.ClearTableData();  // the editor now shows a line the camera does not have
    ClearTraffic();

    RecordingFileDialogHost files;
    files.UseDisk(true);
    const TempFolder folder("rv-lut-save");
    const std::string path = folder.File("table.csv");
    files.QueuePath(path);
    editors_->OnSaveFile(mainWindow_.get());
    const std::vector<std::string> queries = Queries();
    ASSERT_EQ(queries.size(), 768u);
    EXPECT_EQ(queries[0], "LUTR?");
    EXPECT_EQ(queries[256], "LUTG?");
    EXPECT_EQ(queries[512], "LUTB?");
    ASSERT_EQ(files.Shown().size(), 1u);
    EXPECT_EQ(files.Shown()[0].filters[0].description, "Camera gamm data (*.csv)");
    for (int colour = 0; colour < 3; ++colour) EXPECT_EQ(editors_->Editor(colour)->ModeText(), "View Mode");
    EXPECT_TRUE(mainWindow_->isEnabled());

    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text.substr(0, 19), "GammaData (R G B)\r\n");
    EXPECT_NE(text.find("\r\n4095,4095," + std::to_string(blue.Table().tableData[255]) + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n16,16," + std::to_string(blue.Table().tableData[1]) + "\r\n"), std::string::npos);
    EXPECT_EQ(blue.Table().tableData[128], static_cast<int>(std::lround(4095 * std::pow(128 / 255.0, 2.2))));
}

// A render for a person to look at: an editor in view mode after a read from the camera.
TEST_F(LutTransfer, RendersViewModeAfterARead)
{
    StartCamera({});
    CLUTDlg& red = *editors_->Editor(0);
    FillGamma(red.Table(), 0.45);
    ASSERT_EQ(red.WriteTableData(0), 1);
    red.ClearTableData();
    ASSERT_EQ(red.ReadTableData(), 1);
    const QImage graph = red.Graph()->grab().toImage();
    // Entry 64 (x = 64) at 4095 * (64/255)^0.45 = 2197: y = 256 - 137 = 119.
    EXPECT_EQ(graph.pixelColor(64, 119), QColor(255, 0, 0));
    SaveRender(red, QStringLiteral("lut-view-mode"));
}

}  // namespace
