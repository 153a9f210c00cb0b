// The user guide's pictures: the main window, its menus and dialogs against the simulated camera, grabbed
// offscreen into $RV_GUIDE_IMAGES (scripts/render-screenshots.sh points it at docs/images).
#include "e2e/MainWindowFixture.h"
#include "support/ScopedEnv.h"
#include "support/SerialDeviceTree.h"

#include "dialogs/CCommunicationDialog.h"
#include "dialogs/CCompareDialog.h"
#include "dialogs/CLUTDlg.h"
#include "dialogs/CSerialPortPanel.h"
#include "dialogs/CTerminalDialog.h"
#include "link/Command.h"
#include "tables/CommandTable.h"
#include "support/TestHosts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

class GuideScreenshots : public MainWindowFixture {
protected:
    static QString Folder()
    {
        const char* folder = std::getenv("RV_GUIDE_IMAGES");
        return QString::fromUtf8(folder && *folder ? folder : "renders/guide");
    }

    // Saves the widget's picture as NAME.png; the same widget always gives the same file name, so the guide's
    // links stay valid from one run to the next.
    static void Save(QWidget* widget, const char* name)
    {
        ASSERT_NE(widget, nullptr) << name;
        QApplication::processEvents();
        const QPixmap picture = widget->grab();
        ASSERT_FALSE(picture.isNull()) << name;
        ASSERT_TRUE(QDir().mkpath(Folder()));
        const QString path = Folder() + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
        EXPECT_TRUE(picture.save(path, "PNG", 9)) << path.toStdString();
    }

    // Triggers a menu item whose dialog runs modally, saves its picture and closes it.
    void SaveModal(int commandId, const char* name)
    {
        bool seen = false;
        QTimer::singleShot(200, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = true;
            Save(dialog, name);
            dialog->reject();
        });
        parts_->menu.Action(commandId)->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(seen) << name;
    }

    void Start(const std::vector<std::string>& options)
    {
        StartCameraProcess(options);
        // The serial ports the pictures show: two USB adapters, the camera behind the first, linked as COM1 by its
        // stable name, and the PC's own port.
        ASSERT_TRUE(camera_->Ok());
        if (!std::filesystem::exists(tree_.Root() + "/sys")) {
            tree_.AddFtdi("ttyUSB0", "1-1", "A10KZP3X", "");
            tree_.AddFtdi("ttyUSB1", "1-2", "B20LM7QY", "/dev/zero");
            tree_.AddOnBoard("ttyS0", "4", "serial", "/dev/random");
            for (const char* name : {"ttyS1", "ttyS2", "ttyS3"}) tree_.AddOnBoard(name, "0", "serial8250", "/dev/null");
        }
        std::filesystem::remove(tree_.Node("ttyUSB0"));
        std::filesystem::create_symlink(std::filesystem::read_symlink(camera_->LinkPath()), tree_.Node("ttyUSB0"));
        ASSERT_EQ(SerialPortDiscovery(tree_.Root()).UseAs(1, tree_.Node("ttyUSB0")), "");
        StartWindow();
        objects_->progress.SetCloseDelayMs(0);
        window_->show();
        window_->resize(window_->PreferredSize());
    }

    SerialDeviceTree tree_;
    ScopedEnv deviceRoot_{"RV_DEVICE_ROOT", tree_.Root()};
};

TEST_F(GuideScreenshots, MainWindowPagesAndMenus)
{
    Start({"--identity", "UD=Line 4 inspection"});
    QTabWidget* tabs = window_->TabControl();
    static const char* const kPages[] = {"page-1", "page-2", "page-3", "page-4", "page-5"};
    for (int tab = 0; tab < tabs->count() && tab < 5; ++tab) {
        tabs->setCurrentIndex(tab);
        Save(window_, kPages[tab]);
    }
    static const char* const kMenus[] = {"menu-file", "menu-settings", "menu-utility", "menu-lut", "menu-help"};
    const QList<QAction*> menus = parts_->menu.Bar()->actions();
    for (int i = 0; i < menus.size() && i < 5; ++i) {
        QMenu* menu = menus[i]->menu();
        ASSERT_NE(menu, nullptr);
        menu->popup(window_->mapToGlobal(QPoint(0, 0)));
        Save(menu, kMenus[i]);
        menu->hide();
    }
    Save(parts_->communication, "communication");
    // The second adapter chosen for COM2, just before "Use as COM2".
    CSerialPortPanel* ports = parts_->communication->SerialPorts();
    ports->SetPortIndex(1);
    ports->AdapterList()->setCurrentItem(ports->AdapterList()->topLevelItem(1));
    Save(ports, "serial-ports");
    parts_->terminal->Show();
    Save(parts_->terminal, "terminal");
    parts_->terminal->hide();
    SaveModal(MainMenu::kCmdAbout, "about");
    SaveModal(MainMenu::kCmdStoreSettings, "store-settings");
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

TEST_F(GuideScreenshots, FactoryModeAndIdentity)
{
    Start({"--model", "B1"});
    parts_->lifecycle.ToggleFactoryMode();
    QTabWidget* tabs = window_->TabControl();
    tabs->setCurrentIndex(tabs->count() - 1);
    Save(window_, "page-factory");
    SaveModal(MainMenu::kCmdEditUserId, "user-id");
    SaveModal(MainMenu::kCmdEditCameraId, "camera-id");
}

TEST_F(GuideScreenshots, CompareWithSettingFile)
{
    for (const char* model : {"B1", "A1"}) {
        Start({"--model", model});
        // Last month's file, and a camera tuned since: three values differ.
        const std::string path = (std::filesystem::temp_directory_path() / "line4.cam").string();
        ASSERT_EQ(parts_->settingFile.WriteSettingFile(path, SettingFileVariant::AllData), 1);
        Command& command = objects_->command;
        ASSERT_TRUE(command.Set(cmd::GA, 320, 1000));
        ASSERT_TRUE(command.Set(cmd::TI, 1, 1000));
        ASSERT_TRUE(command.Set(cmd::BLR, 12, 1000));
        CCompareDialog dialog(window_, TestHosts(), command, objects_->reader, objects_->table, objects_->model,
                              objects_->mode, parts_->settingFile);
        dialog.InitDialog();
        ASSERT_EQ(dialog.Compare(path), 1);
        dialog.show();
        Save(&dialog, std::string(model) == "B1" ? "compare-b1" : "compare-a1");
        std::remove(path.c_str());
    }
}

TEST_F(GuideScreenshots, LutEditor)
{
    Start({"--set", "LUN=2"});
    // A gamma file with a curve of exponent 0.45, read as an operator would, then turned into edit points.
    const std::string path = logPath_ + ".gamma.csv";
    {
        std::ofstream file(path, std::ios::binary);
        file << "GammaData (R G B)\r\n";
        for (int i = 0; i < 256; ++i) {
            const int level = static_cast<int>(std::lround(4095.0 * std::pow(i / 255.0, 0.45)));
            file << level << ',' << level << ',' << level << "\r\n";
        }
    }
    ASSERT_EQ(parts_->lutEditors.ReadGammaFile(path), 1);
    std::remove(path.c_str());
    CLUTDlg* editor = parts_->lutEditors.Editor(0);
    ASSERT_NE(editor, nullptr);
    editor->show();
    Save(editor, "lut-editor-view");
    editor->ConvertEditable(8);
    Save(editor, "lut-editor-edit");
}

}  // namespace
