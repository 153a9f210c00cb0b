// Pictures of the main window on each camera model, for a person to look at (build/<dir>/renders/).
#include "e2e/MainWindowFixture.h"

#include "pages/CTabSheetDialog.h"
#include "settings/ControlMode.h"
#include "support/RenderFile.h"

#include <QTabWidget>

#include <vector>

namespace {

class RenderCase : public MainWindowFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(RenderCase, EveryTabInFactoryMode)
{
    const std::string model = GetParam();
    StartCamera({"--model", model});
    StartWindow();
    parts_->lifecycle.ToggleFactoryMode();
    ASSERT_EQ(window_->TabControl()->count(), 6);
    window_->show();
    // As on an operator's screen, which is larger than the 800 x 600 of the offscreen platform.
    window_->resize(window_->PreferredSize());

    // Each tab shows a page of its own: no two pictures alike.
    std::vector<QImage> pictures;
    for (int tab = 0; tab < window_->TabControl()->count(); ++tab) {
        window_->TabControl()->setCurrentIndex(tab);
        const QImage picture =
            SaveRender(*window_, QStringLiteral("mainwindow-%1-tab%2").arg(QString::fromStdString(model)).arg(tab));
        for (const QImage& earlier : pictures) EXPECT_FALSE(picture == earlier) << "tab " << tab;
        pictures.push_back(picture);
    }
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

INSTANTIATE_TEST_SUITE_P(Models, RenderCase, ::testing::Values("A1", "B1"));

}  // namespace
