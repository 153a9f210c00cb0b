// The three LUT editors and their file and camera operations.
#include "dialogs/LutEditors.h"

#include "base/StrFormat.h"
#include "dialogs/CLUTDlg.h"
#include "files/GammaFile.h"
#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "framework/UiHost.h"
#include "operations/GammaActions.h"

#include <QGuiApplication>
#include <QScreen>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

// The gamma file dialogs start in the current working directory, not in a folder the settings keep.
FileDialogRequest GammaFileRequest(FileDialogMode mode, const char* description)
{
    FileDialogRequest request;
    request.mode = mode;
    std::error_code error;
    request.startFolder = std::filesystem::current_path(error).string();
    request.filters = {{description, "*.csv"}};
    request.defaultExtension = "csv";
    request.initialName = (std::filesystem::path(request.startFolder) / "*.csv").string();
    return request;
}

// The chosen path, or empty after Cancel or a failed dialog (reported).
std::string AskPath(const OperatorHosts& hosts, const FileDialogRequest& request)
{
    const FileDialogResult result = hosts.fileDialogs.Show(request);
    if (result.status == FileDialogStatus::Error) {
        ShowMessage(hosts.messages, StrFormat("Error in Load Dialog! (Return-code = %d)", result.errorCode), "Load Error",
                    MessageButtons::Ok, MessageIcon::Exclamation);
    }
    if (result.status != FileDialogStatus::Ok) return {};
    return WithDefaultExtension(result.path, request.defaultExtension);
}

}  // namespace

LutEditors::LutEditors(Command& command, CProgressBarDialog& progressDialog, OperatorHosts hosts)
    : command_(command), progressDialog_(progressDialog), hosts_(hosts)
{
}

void LutEditors::Create(QWidget* owner)
{
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->availableGeometry().topLeft() : QPoint(0, 0);
    for (int colour = 0; colour < 3; ++colour) {
        if (editors_[static_cast<std::size_t>(colour)]) continue;
        auto* editor = new CLUTDlg(owner, hosts_, colour, command_, progressDialog_);
        editor->InitDialog();
        ++created_;
        editor->move(origin + QPoint(kOffsetStep * created_, kOffsetStep * created_));
        editor->hide();
        editors_[static_cast<std::size_t>(colour)] = editor;
    }
}

void LutEditors::ShowAll(bool show)
{
    for (const QPointer<CLUTDlg>& editor : editors_) {
        if (!editor) continue;
        if (show) {
            editor->showNormal();
            editor->raise();
        } else {
            editor->hide();
        }
    }
}

CLUTDlg* LutEditors::Editor(int colour) const
{
    return colour >= 0 && colour < 3 ? editors_[static_cast<std::size_t>(colour)].data() : nullptr;
}

int LutEditors::LoadAllLUTTables(QWidget* mainWindow)
{
    if (mainWindow) mainWindow->setEnabled(false);
    int result = 1;
    for (const QPointer<CLUTDlg>& editor : editors_) {
        if (!editor || !editor->ReadTableData()) {
            result = 0;
            break;
        }
    }
    if (mainWindow) mainWindow->setEnabled(true);
    return result;
}

int LutEditors::ReadGammaFile(const std::string& path)
{
    GammaFile::Tables tables{};
    for (int colour = 0; colour < 3; ++colour) {
        if (CLUTDlg* editor = Editor(colour)) tables[static_cast<std::size_t>(colour)] = &editor->Table();
    }
    // A file that is not a full gamma table the tool wrote (a shading file, one cut short) is kept only when
    // the operator says so.
    if (!GammaActions::ReadFile(hosts_.messages, path, tables)) return 0;
    for (const QPointer<CLUTDlg>& editor : editors_) {
        if (editor) editor->ShowLoadedTable();
    }
    return 1;
}

int LutEditors::WriteGammaFile(const std::string& path)
{
    GammaFile::Tables tables{};
    for (int colour = 0; colour < 3; ++colour) {
        if (CLUTDlg* editor = Editor(colour)) tables[static_cast<std::size_t>(colour)] = &editor->Table();
    }
    return GammaActions::WriteFile(hosts_.messages, path, tables);
}

void LutEditors::OnLoadAll(QWidget* mainWindow)
{
    WaitCursor cursor(hosts_.ui);
    LoadAllLUTTables(mainWindow);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void LutEditors::OnOpenFile()
{
    const std::string path = AskPath(hosts_, GammaFileRequest(FileDialogMode::Open, "Camera gamma data (*.csv)"));
    if (!path.empty()) ReadGammaFile(path);
}

void LutEditors::OnSaveFile(QWidget* mainWindow)
{
    // The file holds what the camera has, not what an editor shows: the camera is read first.
    if (!LoadAllLUTTables(mainWindow)) return;
    const std::string path = AskPath(hosts_, GammaFileRequest(FileDialogMode::Save, "Camera gamm data (*.csv)"));
    if (path.empty()) return;
    FileDialogHost* host = &hosts_.fileDialogs;
    if (host && host->FileExists(path) &&
        ShowMessage(hosts_.messages, path + "\nThis file already exists." + "\nReplace existing file?", {}, MessageButtons::YesNo,
                    MessageIcon::Question) != MessageResult::Yes) {
        return;
    }
    WriteGammaFile(path);
}
