// The identity dialogs reached through the main window's menu, against the simulated camera: each opens
// modally with the camera's values and is gone when it closes; the utility items only in factory mode.
#include "e2e/MainWindowFixture.h"
#include "e2e/MenuItem.h"

#include "dialogs/CAboutDialog.h"
#include "dialogs/CCameraIdDialog.h"
#include "dialogs/CUserIdDialog.h"
#include "settings/ControlMode.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {

class IdentityMenu : public MainWindowFixture {
protected:
    // Chooses the menu item; once its dialog runs, `look` sees it and the dialog is closed. Gives the
    // title of the dialog that ran, "" when none did.
    std::string Run(std::initializer_list<const char*> path, const std::function<void(QDialog*)>& look)
    {
        std::string title;
        QPointer<QDialog> seen;
        RunModal(MenuItem(*window_, path), [&](QDialog& dialog) {
            seen = &dialog;
            title = dialog.windowTitle().toStdString();
            look(&dialog);
        });
        QApplication::processEvents();
        QApplication::processEvents(QEventLoop::AllEvents);
        EXPECT_TRUE(seen.isNull()) << "the dialog is deleted when it closes";
        return title;
    }
};

TEST_F(IdentityMenu, AboutInBothModesUtilityItemsOnlyInFactoryMode)
{
    StartCamera({"--identity", "UD=line-4", "--identity", "ID=ABC"});
    StartWindow();

    std::string firmware;
    EXPECT_EQ(Run({"Help(&H)", "&About this application"},
                  [&](QDialog* d) {
                      firmware =
                          static_cast<CAboutDialog*>(d)->ValueField(CAboutDialog::kFirmwareId)->text().toStdString();
                  }),
              "About This Control");
    EXPECT_EQ(firmware, "1.3.0.7");
    EXPECT_EQ(Run({"Utility(&U)", "Edit user id"}, [](QDialog*) {}), "") << "not in user mode";

    objects_->mode.Set(1);
    std::string userId;
    EXPECT_EQ(Run({"Utility(&U)", "Edit user id"},
                  [&](QDialog* d) { userId = static_cast<CUserIdDialog*>(d)->UserIdEdit()->text().toStdString(); }),
              "User Id");
    EXPECT_EQ(userId, "line-4");
    std::string third;
    EXPECT_EQ(Run({"Utility(&U)", "Edit camera id"},
                  [&](QDialog* d) { third = static_cast<CCameraIdDialog*>(d)->Field(2)->text().toStdString(); }),
              "Camera Id");
    EXPECT_EQ(third, "C");
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

}  // namespace
