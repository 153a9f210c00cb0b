// Pictures of the main window on each camera model, for a person to look at (build/<dir>/renders/).
#include "e2e/MainWindowFixture.h"

#include "pages/CTabSheetDialog.h"
#include "settings/ControlMode.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>

#include <cstdlib>

namespace {

class RenderCase : public MainWindowFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(RenderCase, EveryTabInFactoryMode)
{
    const std::string model = GetParam();
    StartCamera({"--model", model});
    StartWindow();
    window_->ToggleFactoryMode();
    ASSERT_EQ(window_->TabControl()->count(), 6);
    window_->show();
    // As on an operator's screen, which is larger than the 800 x 600 of the offscreen platform.
    window_->resize(window_->PreferredSize());

    const char* binary = std::getenv("RV_BINARY_DIR");
    const QString folder = QString::fromUtf8(binary ? binary : ".") + QStringLiteral("/renders");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (int tab = 0; tab < window_->TabControl()->count(); ++tab) {
        window_->TabControl()->setCurrentIndex(tab);
        QApplication::processEvents();
        const QPixmap picture = window_->grab();
        EXPECT_FALSE(picture.isNull());
        const QString name =
            QStringLiteral("%1/mainwindow-%2-tab%3.png").arg(folder).arg(QString::fromStdString(model)).arg(tab);
        EXPECT_TRUE(picture.save(name)) << name.toStdString();
    }
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

INSTANTIATE_TEST_SUITE_P(Models, RenderCase, ::testing::Values("A1", "B1"));

}  // namespace
