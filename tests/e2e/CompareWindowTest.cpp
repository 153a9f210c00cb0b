// "Compare with setting file..." against the simulated camera: what it lists, what "Apply checked" sends,
// and that rv8200xc-ctl diff finds the same differences.
#include "ctl/CtlProcess.h"
#include "dialogs/CCompareDialog.h"
#include "e2e/MainWindowFixture.h"
#include "link/Command.h"
#include "support/TempFolder.h"
#include "tables/CommandTable.h"
#include "support/TestHosts.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QTableWidget>

#include <filesystem>
#include <fstream>

namespace {

using Strings = std::vector<std::string>;

class CompareWindow : public MainWindowFixture {
protected:
    Strings ReceivedSince(std::size_t mark) const
    {
        Strings lines;
        const Strings all = Traffic();
        for (std::size_t i = mark; i < all.size(); ++i) {
            const auto rx = all[i].find(" RX ");
            if (rx != std::string::npos) lines.push_back(all[i].substr(rx + 4));
        }
        return lines;
    }
    // The visible rows: setting, camera and file columns.
    static Strings Shown(const CCompareDialog& dialog)
    {
        Strings rows;
        const QTableWidget* table = dialog.Table();
        for (int r = 0; r < table->rowCount(); ++r) {
            if (table->isRowHidden(r)) continue;
            rows.push_back(table->item(r, CCompareDialog::kColumnSetting)->text().toStdString() + " | " +
                           table->item(r, CCompareDialog::kColumnCamera)->text().toStdString() + " | " +
                           table->item(r, CCompareDialog::kColumnFile)->text().toStdString());
        }
        return rows;
    }
};

TEST_F(CompareWindow, ListsWhatChangedAppliesOnlyTheCheckedRowsAndAgreesWithTheCtl)
{
    StartCamera({"--model", "B1"});
    StartWindow();
    const TempFolder folder("rv-compare-window");
    const std::string path = folder.File("camera.cam");
    ASSERT_EQ(parts_->settingFile.WriteSettingFile(path, SettingFileVariant::AllData), 1);
    // Three values change behind the tool's back; and a line no load would send.
    Command& command = objects_->command;
    ASSERT_TRUE(command.Set(cmd::GA, 300, 1000));
    ASSERT_TRUE(command.Set(cmd::BLR, 10, 1000));
    ASSERT_TRUE(command.Set(cmd::TI, 1, 1000));
    {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out << "XYZ=5\r\n";
    }

    CCompareDialog dialog(window_, TestHosts(), command, objects_->reader, objects_->table, objects_->model, objects_->mode,
                          parts_->settingFile);
    dialog.InitDialog();
    const std::size_t beforeCompare = Traffic().size();
    ASSERT_EQ(dialog.Compare(path), 1);
    for (const std::string& line : ReceivedSince(beforeCompare)) EXPECT_EQ(line.back(), '?') << "sent " << line;
    // Differences only, in the file's order; a combo as its entries read ("Low"=0, "High"=1).
    EXPECT_EQ(Shown(dialog), (Strings{"Trigger Source (TI) | High | Low", "Gain All (GA) | 300 | 100",
                                      "Black Level Red (BLR) | 10 | 0"}));
    ASSERT_EQ(dialog.SkippedList()->count(), 1);
    EXPECT_NE(dialog.SkippedList()->item(0)->text().toStdString().find("XYZ=5 - Unknown mnemonic"), std::string::npos);
    dialog.ShowEqualBox()->setChecked(true);
    EXPECT_GT(Shown(dialog).size(), 3u);
    dialog.ShowEqualBox()->setChecked(false);

    // Space on the Black Level Red row takes it out; the other two are applied, each read back.
    QTableWidget* table = dialog.Table();
    for (int r = 0; r < table->rowCount(); ++r) {
        if (table->item(r, CCompareDialog::kColumnSetting)->text().startsWith(QStringLiteral("Black Level Red")))
            table->setCurrentCell(r, CCompareDialog::kColumnCamera);
    }
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(table, &space);
    const std::size_t beforeApply = Traffic().size();
    dialog.ApplyChecked();
    EXPECT_EQ(ReceivedSince(beforeApply), (Strings{"TI=0", "TI?", "GA=100", "GA?"}));
    EXPECT_EQ(Shown(dialog), (Strings{"Black Level Red (BLR) | 10 | 0"}));
    EXPECT_EQ(objects_->table.GetDataValue(1041), 100);
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());

    // The companion, on the same camera, finds the one difference left.
    objects_->link.Close();
    const CtlRun diff = RunCtl({"--port", camera_->LinkPath(), "--baud", "115200", "--keep-speed", "diff", path});
    EXPECT_EQ(diff.status, 1) << diff.err;
    EXPECT_EQ(diff.out, "BLR: file 0, camera 10\n");
}

// A value the camera refuses stays listed, marked with the camera's words; the load's summary says it once.
TEST_F(CompareWindow, ARefusedRowStaysWithTheCamerasAnswer)
{
    StartCamera({"--model", "B1", "--refuse", "GA=100"});
    StartWindow();
    const TempFolder folder("rv-compare-refused");
    const std::string path = folder.File("camera.cam");
    ASSERT_EQ(parts_->settingFile.WriteSettingFile(path, SettingFileVariant::AllData), 1);
    ASSERT_TRUE(objects_->command.Set(cmd::GA, 300, 1000));
    CCompareDialog dialog(window_, TestHosts(), objects_->command, objects_->reader, objects_->table, objects_->model,
                          objects_->mode, parts_->settingFile);
    dialog.InitDialog();
    ASSERT_EQ(dialog.Compare(path), 1);
    messages_.Clear();
    const std::size_t beforeApply = Traffic().size();
    dialog.ApplyChecked();
    EXPECT_EQ(ReceivedSince(beforeApply), (Strings{"GA=100", "GA=100"}));  // the load's second try
    EXPECT_EQ(Shown(dialog), (Strings{"Gain All (GA) | 300 - refused: ERROR: refused on request | 100"}));
    EXPECT_EQ(messages_.Texts(), (Strings{"Not every line of the setting file was applied.\n"
                                          "Refused by the camera: GA\n"
                                          "The camera answered: ERROR: refused on request\n"
                                          "0 setting(s) applied."}));
}

}  // namespace
