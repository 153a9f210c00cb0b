// Pictures of the identity dialogs in user and factory mode (build/<dir>/renders/), the factory ones as committed.
#include "dialogs/CAboutDialog.h"
#include "dialogs/CCameraIdDialog.h"
#include "dialogs/CUserIdDialog.h"

#include "dialogs/IdentityFixture.h"
#include "pages/CameraReader.h"
#include "support/RenderFile.h"
#include "support/TestHosts.h"
#include "tables/ControlTable.h"

namespace {

class IdentityRender : public IdentityFixture, public ::testing::WithParamInterface<int> {
protected:
    void Save(QWidget& dialog, const char* name)
    {
        dialog.show();
        const QString picture = QStringLiteral("%1-%2").arg(
            QLatin1String(name), GetParam() ? QStringLiteral("factory") : QStringLiteral("user"));
        // Factory mode shows every control: that picture is the committed one.
        GetParam() ? SaveAndCompareRender(dialog, picture) : SaveRender(dialog, picture);
        dialog.hide();
    }
};

TEST_P(IdentityRender, AllThreeDialogs)
{
    mode_.Set(GetParam());
    WorkingFolder folder;
    folder.Touch("RV-8200-XC manual.pdf");
    folder.Touch("Release notes.pdf");
    camsim::CameraConfig config;
    config.userId = "line-4";
    StartCamera(config);

    CUserIdDialog user(nullptr, TestHosts(), GetCommand());
    Save(user, "userid");
    CCameraIdDialog camera(nullptr, TestHosts(), GetCommand(), mode_);
    Save(camera, "cameraid");
    CameraReader reader(GetCommand(), table_, model_, mode_, TestHosts());
    CAboutDialog about(nullptr, TestHosts(), GetCommand(), reader, model_, mode_);
    Save(about, "about");
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

INSTANTIATE_TEST_SUITE_P(Modes, IdentityRender, ::testing::Values(0, 1));

}  // namespace
