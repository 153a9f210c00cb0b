// The dialogs and boxes of setting files.
#include "operations/SettingFileActions.h"

#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "settings/RegistrySettings.h"

namespace {

constexpr const char* kFileOpenCaption = "File Open Error";

FileDialogRequest SettingFileRequest(FileDialogMode mode, RegistrySettings& settings)
{
    FileDialogRequest request;
    request.mode = mode;
    settings.GetFolder(kItemCameraFilePath, request.startFolder);
    request.filters = {{"Camera setting data (*.cam)", "*.cam"}};
    request.defaultExtension = "cam";
    return request;
}

}  // namespace

SettingFileActions::SettingFileActions(SettingFile& file, RegistrySettings& settings, MessageHost& messages,
                                       FileDialogHost& fileDialogs)
    : file_(file), settings_(settings), messages_(messages), fileDialogs_(fileDialogs)
{
}

void SettingFileActions::Save(SettingFileVariant variant)
{
    std::string path;
    if (ChooseFile(fileDialogs_, messages_, SettingFileRequest(FileDialogMode::Save, settings_), path) != 1) return;
    WriteSettingFile(path, variant);
    settings_.SetText(kItemCameraFilePath, TextFile::FolderOf(path));
}

void SettingFileActions::Load()
{
    std::string path;
    if (!ChooseFileToOpen(path)) return;
    ReadSettingFile(path);
}

int SettingFileActions::ChooseFileToOpen(std::string& path)
{
    if (ChooseFile(fileDialogs_, messages_, SettingFileRequest(FileDialogMode::Open, settings_), path) != 1) return 0;
    settings_.SetText(kItemCameraFilePath, TextFile::FolderOf(path));
    return 1;
}

int SettingFileActions::WriteSettingFile(const std::string& path, SettingFileVariant variant)
{
    return ShowWrite(messages_, path, file_.WriteSettingFile(path, variant)) ? 1 : 0;
}

int SettingFileActions::ReadSettingFile(const std::string& path)
{
    return ShowRead(messages_, path, file_.ReadSettingFile(path), file_.LastReport()) ? 1 : 0;
}

int SettingFileActions::ApplyOnly(const std::string& path, std::set<std::string> mnemonics)
{
    if (mnemonics.empty()) return 1;
    return ShowRead(messages_, path, file_.ApplyOnly(path, std::move(mnemonics)), file_.LastReport()) ? 1 : 0;
}

bool SettingFileActions::ShowWrite(MessageHost& messages, const std::string& path, TextFile::SaveResult saved)
{
    switch (saved) {
        case TextFile::SaveResult::Saved:
            return true;
        case TextFile::SaveResult::CannotCreate:
            ShowMessage(messages, CannotOpenText(path), kFileOpenCaption, MessageButtons::Ok, MessageIcon::Exclamation);
            return false;
        case TextFile::SaveResult::CannotWrite:
            ShowMessage(messages, path + "\nCouldn't write this file", "File Write Error", MessageButtons::Ok,
                        MessageIcon::Exclamation);
            return false;
    }
    return false;
}

bool SettingFileActions::ShowRead(MessageHost& messages, const std::string& path, SettingFileRead read,
                                  const SettingFileLoadReport& report)
{
    if (read == SettingFileRead::CannotOpen) {
        ShowMessage(messages, CannotOpenText(path), kFileOpenCaption, MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    if (!report.AllApplied()) {
        ShowMessage(messages, report.SummaryText(), {}, MessageButtons::Ok, MessageIcon::Exclamation);
    }
    return true;
}
