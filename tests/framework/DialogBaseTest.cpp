// The dialog base: its status strip follows the online status from initialisation to destruction.
#include "framework/OnlineStatusRegistry.h"
#include "framework/OpenDialogList.h"
#include "framework/qt/CDialogBase.h"
#include "framework/qt/CStatusStrip.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

namespace {

class CountingDialog : public CDialogBase {
public:
    CountingDialog() : CDialogBase(nullptr, 1086, TestHosts()) {}
    void OnOnlineStatusChanged(bool online) override { changes.push_back(online); }
    std::vector<bool> changes;
};

QRgb StripColour(CStatusStrip* strip)
{
    strip->resize(40, 8);
    const QImage image = strip->grab().toImage();
    return image.pixel(image.width() / 2, image.height() / 2);
}

TEST(DialogBase, StripBitmapsAreRedAndGreen)
{
    CStatusStrip strip;
    strip.SetStatusBitmap(kBitmapOffline);
    EXPECT_EQ(StripColour(&strip), qRgb(255, 0, 0));
    strip.SetStatusBitmap(kBitmapOnline);
    EXPECT_EQ(StripColour(&strip), qRgb(0, 128, 0));
}

TEST(DialogBase, JoinsBothListsAtInitialisationAndLeavesAtDestruction)
{
    auto dialog = std::make_unique<CountingDialog>();
    EXPECT_FALSE(TestHosts().onlineStatus.IsRegistered(dialog.get()));
    EXPECT_FALSE(dialog->WindowExists());
    dialog->show();
    EXPECT_TRUE(TestHosts().onlineStatus.IsRegistered(dialog.get()));
    EXPECT_TRUE(TestHosts().openDialogs.IsRegistered(dialog.get()));
    EXPECT_EQ(dialog->GetStatusStrip(), dialog->Strip());

    // Hidden dialogs stay registered and keep up to date.
    dialog->hide();
    TestHosts().onlineStatus.SetOnline();
    EXPECT_EQ(dialog->Strip()->StatusBitmap(), kBitmapOnline);
    TestHosts().openDialogs.DisableAll();
    EXPECT_FALSE(dialog->isEnabled());
    TestHosts().openDialogs.EnableAll();
    EXPECT_TRUE(dialog->isEnabled());

    CountingDialog* raw = dialog.get();
    dialog.reset();
    EXPECT_FALSE(TestHosts().onlineStatus.IsRegistered(raw));
    EXPECT_FALSE(TestHosts().openDialogs.IsRegistered(raw));
    TestHosts().onlineStatus.SetOffline();  // must not reach the destroyed dialog
}

TEST(DialogBase, OpenedWhileOnlineShowsGreenAtOnce)
{
    TestHosts().onlineStatus.SetOnline();
    CountingDialog dialog;
    EXPECT_EQ(dialog.Strip()->StatusBitmap(), 0);
    dialog.InitDialog();
    EXPECT_EQ(dialog.Strip()->StatusBitmap(), kBitmapOnline);
    TestHosts().onlineStatus.SetOffline();
    EXPECT_EQ(dialog.Strip()->StatusBitmap(), kBitmapOffline);
    EXPECT_EQ(dialog.changes, std::vector<bool>{false});
}

}  // namespace
