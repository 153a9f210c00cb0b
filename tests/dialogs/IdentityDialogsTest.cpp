// The "User Id" and "Camera Id" dialogs against the simulated camera: what they read when they open,
// what "Save" sends, and "Save" only in factory mode.
#include "dialogs/CCameraIdDialog.h"
#include "dialogs/CUserIdDialog.h"

#include "dialogs/IdentityFixture.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/OpenDialogList.h"
#include "support/TestHosts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Strings = std::vector<std::string>;

Strings FieldTexts(const CCameraIdDialog& dialog)
{
    Strings texts;
    for (int i = 0; i < CameraIdentity::kCameraIdLength; ++i) texts.push_back(dialog.Field(i)->text().toStdString());
    return texts;
}

TEST_F(IdentityFixture, UserIdDialogShowsTheCameraUserIdAndSavesTheField)
{
    camsim::CameraConfig config;
    config.userId = "line-4";
    StartCamera(config);
    CUserIdDialog dialog(nullptr, TestHosts(), GetCommand());
    dialog.InitDialog();
    EXPECT_EQ(dialog.UserIdEdit()->text(), "line-4");
    EXPECT_TRUE(TestHosts().onlineStatus.IsRegistered(&dialog));
    EXPECT_TRUE(TestHosts().openDialogs.IsRegistered(&dialog));

    dialog.UserIdEdit()->setText("line-5");
    dialog.SaveButton()->click();
    EXPECT_EQ(LastMessage(), "Writing the User ID \"line-5\" has been completed.");
    EXPECT_EQ(Received(), (Strings{"UD?", "UD=line-5"}));
}

TEST_F(IdentityFixture, UserIdDialogShowsThePlaceholderWithoutAnAnswer)
{
    camsim::CameraConfig config;
    config.garbage = true;
    StartCamera(config);
    CUserIdDialog dialog(nullptr, TestHosts(), GetCommand());
    dialog.InitDialog();
    EXPECT_EQ(dialog.UserIdEdit()->text(), "????????????????");
    // The placeholder is never written; what the operator types may be.
    EXPECT_FALSE(dialog.SaveButton()->isEnabled());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(dialog.UserIdEdit(), &key);
    EXPECT_TRUE(dialog.SaveButton()->isEnabled());
}

struct CameraIdOpenCase {
    const char* name;
    const char* cameraId;
    bool garbage;
    Strings fields;
};

class CameraIdOpen : public IdentityFixture, public ::testing::WithParamInterface<CameraIdOpenCase> {};

TEST_P(CameraIdOpen, OneCharacterPerField)
{
    const CameraIdOpenCase& c = GetParam();
    camsim::CameraConfig config;
    config.cameraId = c.cameraId;
    config.garbage = c.garbage;
    StartCamera(config);
    CCameraIdDialog dialog(nullptr, TestHosts(), GetCommand(), mode_);
    dialog.InitDialog();
    EXPECT_EQ(FieldTexts(dialog), c.fields);
    EXPECT_EQ(dialog.SaveButton()->isEnabled(), !c.garbage);  // empty fields read from nothing are no id
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CameraIdOpen,
    ::testing::Values(CameraIdOpenCase{"Short", "ABC", false, {"A", "B", "C", "", "", "", "", "", "", ""}},
                      CameraIdOpenCase{"Ten", "XC82000417", false, {"X", "C", "8", "2", "0", "0", "0", "4", "1", "7"}},
                      CameraIdOpenCase{
                          "Longer", "ABCDEFGHIJKL", false, {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}},
                      CameraIdOpenCase{"NoAnswer", "ABC", true, Strings(10)}),
    [](const ::testing::TestParamInfo<CameraIdOpenCase>& tp) { return std::string(tp.param.name); });

TEST_F(IdentityFixture, CameraIdSaveOnlyInFactoryModeAndSendsFirstCharacters)
{
    camsim::CameraConfig config;
    config.cameraId = "ABC";
    StartCamera(config);
    {
        CCameraIdDialog dialog(nullptr, TestHosts(), GetCommand(), mode_);
        dialog.InitDialog();
        EXPECT_TRUE(dialog.SaveButton()->isHidden());
    }
    mode_.Set(1);
    CCameraIdDialog dialog(nullptr, TestHosts(), GetCommand(), mode_);
    dialog.InitDialog();
    EXPECT_FALSE(dialog.SaveButton()->isHidden());
    camera_->ClearReceived();
    dialog.Field(1)->setText("XY");
    dialog.SaveButton()->click();
    EXPECT_EQ(Received(), (Strings{"ULCK=5829317", "ID00=AXC"}));
    EXPECT_EQ(LastMessage(), "Completed saving camera id: AXC.");
}

}  // namespace
