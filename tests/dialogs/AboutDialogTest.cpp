// The about dialog against the simulated camera: the read-out and its stop rules, the user id lock, the
// device version by control mode, and the help documents of the working folder.
#include "dialogs/CAboutDialog.h"

#include "dialogs/CLabel.h"
#include "dialogs/IdentityFixture.h"
#include "pages/CameraReader.h"
#include "tables/ControlTable.h"
#include "support/TestHosts.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

class AboutDialog : public IdentityFixture {
protected:
    std::unique_ptr<CAboutDialog> Open()
    {
        reader_ = std::make_unique<CameraReader>(GetCommand(), table_, model_, mode_, TestHosts());
        auto dialog = std::make_unique<CAboutDialog>(nullptr, TestHosts(), GetCommand(), *reader_, model_, mode_);
        dialog->InitDialog();
        return dialog;
    }
    static std::string Value(const CAboutDialog& dialog, int controlId)
    {
        return dialog.ValueField(controlId)->text().toStdString();
    }
    static Strings Parts(const CAboutDialog& dialog)
    {
        Strings parts;
        for (int i = 0; i < 4; ++i) parts.push_back(dialog.DeviceVersionPart(i)->text().toStdString());
        return parts;
    }
    static Strings HelpEntries(const CAboutDialog& dialog)
    {
        Strings entries;
        for (int i = 0; i < dialog.HelpList()->count(); ++i)
            entries.push_back(dialog.HelpList()->itemText(i).toStdString());
        return entries;
    }

    std::unique_ptr<CameraReader> reader_;
};

TEST_F(AboutDialog, ShowsTheToolAndEveryCameraValueInReadOutOrder)
{
    camsim::CameraConfig config;
    config.model = "RV-8200-B1";
    config.firmwareVersion = "1.3.0.7";
    config.fpgaVersion = "2.1.0.4";
    config.cameraId = "XC82000417";
    config.userId = "line-4";
    config.deviceVersion = "1.10.2.3";
    StartCamera(config);
    const auto dialog = Open();

    EXPECT_EQ(dialog->windowTitle(), "About This Control");
    EXPECT_EQ(Received(), (Strings{"VN?", "MD?", "ID?", "FPVN?", "UD?", "DV?"}));
    EXPECT_EQ(Value(*dialog, CAboutDialog::kFirmwareId), "1.3.0.7");
    EXPECT_EQ(Value(*dialog, CAboutDialog::kModelNameId), "RV-8200-B1");
    EXPECT_EQ(Value(*dialog, CAboutDialog::kCameraIdId), "XC82000417");
    EXPECT_EQ(Value(*dialog, CAboutDialog::kFpgaId), "2.1.0.4");
    EXPECT_EQ(dialog->UserIdEdit()->text(), "line-4");
    EXPECT_EQ(Parts(*dialog), (Strings{"1", "10", "2", "3"}));
    EXPECT_EQ(model_.modelCode, kModelCodeB1);
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

// Every name and value the accessibility tree offers a screen reader, depth first.
void CollectAccessibleTexts(QAccessibleInterface* node, std::set<std::string>& texts)
{
    if (!node) return;
    for (QAccessible::Text kind : {QAccessible::Name, QAccessible::Value}) {
        if (const QString text = node->text(kind); !text.isEmpty()) texts.insert(text.toStdString());
    }
    for (int i = 0; i < node->childCount(); ++i) CollectAccessibleTexts(node->child(i), texts);
}

TEST_F(AboutDialog, AScreenReaderFindsEveryValueNotOnlyItsCaption)
{
    camsim::CameraConfig config;
    config.model = "RV-8200-A1";
    config.firmwareVersion = "1.3.0.7";
    config.fpgaVersion = "2.1.0.4";
    config.cameraId = "XC82000417";
    StartCamera(config);
    const auto dialog = Open();
    std::set<std::string> texts;
    CollectAccessibleTexts(QAccessible::queryAccessibleInterface(dialog.get()), texts);
    for (const char* value : {"RV-8200-A1", "XC82000417", "1.3.0.7", "2.1.0.4", "0.29"})
        EXPECT_TRUE(texts.count(value)) << value << " in " << ::testing::PrintToString(texts);
}

struct VersionCase {
    const char* answer;
    Strings parts;
};

class DeviceVersionShown : public AboutDialog, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(DeviceVersionShown, OnlyAFourPartAnswer)
{
    camsim::CameraConfig config;
    config.deviceVersion = GetParam().answer;
    StartCamera(config);
    EXPECT_EQ(Parts(*Open()), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(Answers, DeviceVersionShown,
                         ::testing::Values(VersionCase{"1.2.3", {"?", "?", "?", "?"}},
                                           VersionCase{"1.2.3.4.5", {"?", "?", "?", "?"}},
                                           VersionCase{"", {"?", "?", "?", "?"}}));

// Without a camera the dialog waits for the firmware version only: one time-out, the real one of 5 s.
TEST_F(AboutDialog, WithoutACameraOnlyThePlaceholdersAfterOneTimeOut)
{
    camsim::CameraConfig config;
    config.silent = true;
    StartCamera(config);
    const auto dialog = Open();
    EXPECT_EQ(clock_.NowMs() / CAboutDialog::kVersionTimeoutMs, 1) << "time-outs";
    EXPECT_EQ(Received(), Strings{"VN?"});
    EXPECT_EQ(Value(*dialog, CAboutDialog::kFirmwareId), "?.?.?.?");
    EXPECT_EQ(Value(*dialog, CAboutDialog::kFpgaId), "?.?.?.?");
    EXPECT_EQ(Value(*dialog, CAboutDialog::kCameraIdId), "??????????");
    EXPECT_EQ(Value(*dialog, CAboutDialog::kModelNameId), "??????????");
    EXPECT_EQ(dialog->UserIdEdit()->text(), "????????????????");
    EXPECT_EQ(Parts(*dialog), (Strings{"?", "?", "?", "?"}));
    EXPECT_TRUE(messages_.Shown().empty()) << "a time-out is no message";
}

// A camera that goes away after the firmware version costs two time-outs (model 1 s, camera id 5 s), not
// the five of asking every field.
TEST_F(AboutDialog, ACameraThatStopsAnsweringEndsTheReadOutAtTheSecondTimeOut)
{
    camsim::CameraConfig config;
    config.disconnectAfter = 1;
    StartCamera(config);
    const auto dialog = Open();
    EXPECT_EQ(Received(), (Strings{"VN?", "MD?", "ID?"}));
    EXPECT_EQ(clock_.NowMs() / 1000, 1 + 5) << "the model's time-out and the camera id's";
    EXPECT_EQ(Value(*dialog, CAboutDialog::kFirmwareId), camsim::CameraConfig{}.firmwareVersion);
    EXPECT_EQ(Value(*dialog, CAboutDialog::kFpgaId), "?.?.?.?");
    EXPECT_EQ(dialog->UserIdEdit()->text(), "????????????????");
}

// A refusal is an answer: after a late camera id, a refused FPGA version does not make a second time-out in a
// row, so the user id and device version are still asked. What failed is said once, at the end.
TEST_F(AboutDialog, ARefusalAfterALateAnswerDoesNotEndTheReadOut)
{
    camsim::CameraConfig config;
    config.faultFrom = 3;  // ID?
    config.faultLines = 1;
    config.lateMs = 400;
    config.refusedLines = {"FPVN?"};
    StartCamera(config);
    GetCommand().SetTimeoutLimitMs(200);
    const auto dialog = Open();
    EXPECT_EQ(Received(), (Strings{"VN?", "MD?", "ID?", "FPVN?", "UD?", "DV?"}));
    EXPECT_EQ(Value(*dialog, CAboutDialog::kCameraIdId), "??????????");
    EXPECT_EQ(Value(*dialog, CAboutDialog::kFpgaId), "?.?.?.?");
    EXPECT_EQ(dialog->UserIdEdit()->text().toStdString(), camsim::CameraConfig{}.userId);
    EXPECT_EQ(messages_.Texts(), Strings{"Not every value of the camera was read.\n"
                                         "Refused by the camera: 1 value(s) (FPVN).\n"
                                         "The camera answered: ERROR:refusedonrequest for FPVN?\n"
                                         "No answer from the camera: 1 value(s).\n"
                                         "Without an answer: ID."});
}

// A placeholder is no user id: after a refused UD? the unlocked field cannot be saved until the operator
// types one.
TEST_F(AboutDialog, AUserIdThatWasNotReadIsNotSavedUntilOneIsTyped)
{
    camsim::CameraConfig config;
    config.refusedLines = {"UD?"};
    StartCamera(config);
    const auto dialog = Open();
    dialog->EnableButton()->click();
    EXPECT_EQ(dialog->UserIdEdit()->text(), "????????????????");
    EXPECT_FALSE(dialog->SaveUserIdButton()->isEnabled());
    emit dialog->UserIdEdit()->textEdited("line 4");
    EXPECT_TRUE(dialog->SaveUserIdButton()->isEnabled());
}

TEST_F(AboutDialog, AnUnsupportedModelIsReportedAgainAtEveryOpeningAndStillShown)
{
    camsim::CameraConfig config;
    config.model = "RV-9000-Q";
    StartCamera(config);
    for (int opening = 1; opening <= 2; ++opening) {
        const auto dialog = Open();
        EXPECT_EQ(Value(*dialog, CAboutDialog::kModelNameId), "RV-9000-Q");
        EXPECT_EQ(messages_.Texts(), Strings(static_cast<std::size_t>(opening), "Unsupported model: \"RV-9000-Q\""));
    }
}

TEST_F(AboutDialog, UserIdLockIsOnlyInTheDialog)
{
    StartCamera();
    const auto dialog = Open();
    auto locked = [&] {
        return !dialog->UserIdEdit()->isEnabled() && !dialog->SaveUserIdButton()->isEnabled() &&
               dialog->ProtectButton()->isChecked() && !dialog->EnableButton()->isChecked();
    };
    EXPECT_TRUE(locked()) << "starts protected";
    camera_->ClearReceived();
    dialog->EnableButton()->click();
    EXPECT_TRUE(dialog->UserIdEdit()->isEnabled() && dialog->SaveUserIdButton()->isEnabled());
    EXPECT_TRUE(dialog->EnableButton()->isChecked() && !dialog->ProtectButton()->isChecked());
    dialog->UserIdEdit()->setText("shift B");
    dialog->SaveUserIdButton()->click();
    EXPECT_EQ(LastMessage(), "Writing the User ID \"shift B\" has been completed.");
    dialog->ProtectButton()->click();
    EXPECT_TRUE(locked());
    EXPECT_EQ(Received(), Strings{"UD=shift B"}) << "the lock itself sends nothing";
}

TEST_F(AboutDialog, DeviceVersionIsEditableAndSavedInFactoryModeOnly)
{
    camsim::CameraConfig config;
    config.deviceVersion = "1.10.2.3";
    StartCamera(config);
    {
        const auto dialog = Open();
        EXPECT_FALSE(dialog->DeviceVersionPart(0)->isEnabled());
        EXPECT_FALSE(dialog->DeviceVersionPart(3)->isEnabled());
        EXPECT_TRUE(dialog->SaveDeviceVersionButton()->isHidden());
    }
    mode_.Set(1);
    const auto dialog = Open();
    EXPECT_TRUE(dialog->DeviceVersionPart(0)->isEnabled());
    EXPECT_TRUE(dialog->DeviceVersionPart(3)->isEnabled());
    EXPECT_FALSE(dialog->SaveDeviceVersionButton()->isHidden());
    camera_->ClearReceived();
    dialog->SaveDeviceVersionButton()->click();
    EXPECT_EQ(Received(), Strings{"DV00=1.1.2.3"}) << "saved unchanged: one character per part";
    EXPECT_EQ(LastMessage(), "Writing the Device Version has been completed.");
}

// ---- help documents ----

TEST_F(AboutDialog, NoPdfInTheWorkingFolderGivesAnEmptyListAndAMessage)
{
    WorkingFolder folder;
    folder.Touch("notes.txt");
    folder.Touch("manual.pdf.txt");
    StartCamera();
    const auto dialog = Open();
    EXPECT_EQ(dialog->HelpList()->count(), 0);
    EXPECT_EQ(dialog->HelpList()->currentIndex(), -1);
    dialog->HelpList()->setEditText("notes.txt");
    messages_.Clear();
    dialog->ShowHelp();
    EXPECT_EQ(messages_.Texts(), Strings{"No file was selected !!"});
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(shell_.opened.empty()) << "typed text is never opened";
}

TEST_F(AboutDialog, OrdinaryPdfFilesSortedFirstSelectedAndOpenedAsOneName)
{
    WorkingFolder folder;
    const std::string odd = "it's \"the\" manual; rm -rf x.pdf";
    for (const std::string& name : {std::string("b.pdf"), std::string("A manual.PDF"), odd, std::string(".h.pdf"),
                                    std::string("r.pdf"), std::string("c.pdfx")}) {
        folder.Touch(name);
    }
    fs::create_directory("sub");
    folder.Touch("sub/d.pdf");
    fs::create_directory("e.pdf");
    fs::permissions("r.pdf", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    StartCamera();
    const auto dialog = Open();

    EXPECT_EQ(HelpEntries(*dialog), (Strings{"A manual.PDF", "b.pdf", odd}))
        << "no sub-folder file, folder, hidden or read-only file";
    EXPECT_EQ(dialog->HelpList()->currentIndex(), 0);
    dialog->ShowHelp();
    dialog->HelpList()->setCurrentIndex(2);
    dialog->HelpList()->setEditText("b.pdf");  // typed text does not change the selection
    dialog->ShowHelp();
    EXPECT_EQ(shell_.opened, (Strings{"A manual.PDF", odd}));
    EXPECT_EQ(dialog->HelpList()->count(), 3) << "nothing typed is added to the list";
}

TEST_F(AboutDialog, WebLinkIsBlueUnderlinedAndOpensItsAddress)
{
    StartCamera();
    const auto dialog = Open();
    CLabel* link = dialog->WebLink();
    EXPECT_EQ(link->TextColour(), QColor(0, 0, 255));
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(link->text().startsWith("https://"));
    EXPECT_EQ(link->text().toStdString().find("Orvane"), std::string::npos);
}

}  // namespace
