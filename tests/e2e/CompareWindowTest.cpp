// "Compare with setting file..." against the simulated camera: what it lists, what "Apply checked" sends,
// and that rv8200xc-ctl diff finds the same differences.
#include "ctl/CtlProcess.h"
#include "dialogs/CCompareDialog.h"
#include "e2e/MainWindowFixture.h"
#include "e2e/MenuItem.h"
#include "support/FileText.h"
#include "support/RecordingFileDialogHost.h"
#include "support/TestData.h"
#include "link/Command.h"
#include "support/TempFolder.h"
#include "tables/CommandTable.h"
#include "support/TestHosts.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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
    static void Click(const CCompareDialog& dialog, const char* accessibleName)
    {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->accessibleName() == QString::fromUtf8(accessibleName)) return button->click();
        }
        ADD_FAILURE() << "no button " << accessibleName;
    }
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

// File > "Compare with setting file..." as the operator goes through it: the file's differences from the
// camera, the filter, the camera's side saved (and a save that cannot be written), "Apply checked" declined
// and then confirmed; and the companion, on the same camera, finds the difference left.
TEST_F(CompareWindow, FromTheMenuFiltersSavesAndAppliesOnlyWhatIsCheckedAndConfirmed)
{
    StartCameraProcess({"--model", "B1"});
    StartWindow();
    const TempFolder folder("rv-compare-window");
    const std::string path = folder.File("camera.cam");
    // What the camera holds at power-up: the table's defaults, with the timing its readout allows.
    const Strings timing{"LR=4820", "PE=4720"};
    const std::string golden = GoldenWith("setting-B1-user.cam", timing);
    {
        std::ofstream out(path, std::ios::binary);
        out << golden << "XYZ=5\r\n";  // a line no load would send
    }
    // Three values change behind the tool's back.
    Command& command = objects_->command;
    ASSERT_TRUE(command.Set(cmd::GA, 300, 1000));
    ASSERT_TRUE(command.Set(cmd::BLR, 10, 1000));
    ASSERT_TRUE(command.Set(cmd::TI, 1, 1000));
    RecordingFileDialogHost files;
    files.UseDisk(true);
    files.QueuePath(path);
    files.QueuePath(folder.File("no-such-folder/now.cam"));
    files.QueuePath(folder.File("now.cam"));
    for (MessageResult answer : {MessageResult::Ok, MessageResult::No, MessageResult::Yes}) messages_.QueueAnswer(answer);

    const std::size_t beforeCompare = Traffic().size();
    Strings listed, filtered, unmatched, afterNo, applied, left;
    std::string skipped;
    const bool ran = RunModal(MenuItem(*window_, {"File(&F)", "&Compare with setting file..."}), [&](QDialog& window) {
        auto* dialog = dynamic_cast<CCompareDialog*>(&window);
        ASSERT_NE(dialog, nullptr) << window.windowTitle().toStdString();
        for (const std::string& line : ReceivedSince(beforeCompare)) EXPECT_EQ(line.back(), '?') << "sent " << line;
        listed = Shown(*dialog);
        if (dialog->SkippedList()->count() == 1) skipped = dialog->SkippedList()->item(0)->text().toStdString();
        dialog->FilterEdit()->setText(QStringLiteral("black level"));
        filtered = Shown(*dialog);
        dialog->FilterEdit()->setText(QStringLiteral("zzz"));
        unmatched = Shown(*dialog);
        dialog->FilterEdit()->clear();
        Click(*dialog, "Save camera values as...");
        Click(*dialog, "Save camera values as...");
        // Space on the Black Level Red row takes it out.
        QTableWidget* table = dialog->Table();
        for (int r = 0; r < table->rowCount(); ++r) {
            if (table->item(r, CCompareDialog::kColumnSetting)->text().startsWith(QStringLiteral("Black Level Red")))
                table->setCurrentCell(r, CCompareDialog::kColumnCamera);
        }
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
        QApplication::sendEvent(table, &space);
        const std::size_t beforeApply = Traffic().size();
        Click(*dialog, "Apply checked");
        afterNo = ReceivedSince(beforeApply);
        Click(*dialog, "Apply checked");
        applied = ReceivedSince(beforeApply);
        left = Shown(*dialog);
    });
    ASSERT_TRUE(ran) << "File > Compare with setting file... opened no window";
    // Differences only, in the file's order; a combo as its entries read ("Low"=0, "High"=1).
    EXPECT_EQ(listed, (Strings{"Trigger Source (TI) | High | Low", "Gain All (GA) | 300 | 100",
                               "Black Level Red (BLR) | 10 | 0"}));
    EXPECT_NE(skipped.find("XYZ=5 - Unknown mnemonic"), std::string::npos) << skipped;
    EXPECT_EQ(filtered, Strings{"Black Level Red (BLR) | 10 | 0"});
    EXPECT_TRUE(unmatched.empty()) << ::testing::PrintToString(unmatched);
    // The camera's side: the file's rows with the camera's values, without the line it skipped.
    Strings now = timing;
    now.insert(now.end(), {"TI=1", "GA=300", "BLR=10"});
    EXPECT_EQ(ReadText(folder.File("now.cam")), GoldenWith("setting-B1-user.cam", now));
    // Declined: nothing sent; confirmed: the two checked rows, each read back.
    EXPECT_TRUE(afterNo.empty()) << ::testing::PrintToString(afterNo);
    EXPECT_EQ(applied, (Strings{"TI=0", "TI?", "GA=100", "GA?"}));
    EXPECT_EQ(left, (Strings{"Black Level Red (BLR) | 10 | 0"}));
    EXPECT_EQ(objects_->table.GetDataValue(1041), 100);
    EXPECT_EQ(messages_.Texts(), (Strings{folder.File("no-such-folder/now.cam") + "\nCouldn't write this file",
                                          "Apply the checked rows of the file to the camera?",
                                          "Apply the checked rows of the file to the camera?"}));
    EXPECT_EQ(messages_.Shown()[0].caption, "File Write Error");

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
