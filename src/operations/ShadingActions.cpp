// The shading buttons, their dialogs and boxes.
#include "operations/ShadingActions.h"

#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "operations/TableFileActions.h"

#include <filesystem>

namespace {

// The shading files start in the working folder.
std::string WorkingFolder()
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    if (ec) return {};
    const std::u8string text = folder.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

ShadingActions::ShadingActions(ShadingTransfer& transfer, MessageHost& messages, FileDialogHost* fileDialogs)
    : transfer_(transfer), messages_(messages), fileDialogs_(fileDialogs)
{
}

void ShadingActions::Stop(const std::string& text)
{
    ShowMessage(messages_, text, {}, MessageButtons::Ok, MessageIcon::Stop);
}

bool ShadingActions::Choose(bool save, std::string& path)
{
    if (!fileDialogs_) return false;
    FileDialogRequest request;
    request.mode = save ? FileDialogMode::Save : FileDialogMode::Open;
    request.startFolder = WorkingFolder();
    // The open dialog has always named the shading files "gamma data": operators know it by that text.
    request.filters = {{save ? "Camera shading data (*.csv)" : "Camera gamma data (*.csv)", "*.csv"}};
    request.defaultExtension = "csv";
    return ChooseFile(*fileDialogs_, messages_, request, path) == 1;
}

ShadingActions::ModeCheck ShadingActions::CheckShadingMode()
{
    ModeCheck check;
    // Without an answer nothing is known about the mode: the operation ends before anything is sent.
    check.query = transfer_.AskShadingMode();
    ShowCommunicationError(messages_, check.query.FailureText());
    if (!check.query) return check;
    if (check.query.value.intValue == 0) {
        Stop("Shading Mode is OFF");
        return check;
    }
    check.on = true;
    return check;
}

void ShadingActions::ReadToFile()
{
    if (!CheckShadingMode().on) return;
    if (!ShowRead(transfer_.ReadFromCamera())) return;
    std::string path;
    if (!Choose(true, path)) return;
    SaveFile(path);
}

void ShadingActions::WriteFromFile()
{
    if (!CheckShadingMode().on) return;
    std::string path;
    if (!Choose(false, path)) return;
    if (TakeFile(path) != FileOutcome::Taken) return;
    ShowWrite(transfer_.WriteToCamera());
}

int ShadingActions::StoreInFlash()
{
    const RequestOutcome stored = transfer_.StoreInFlash();
    ShowCommunicationError(messages_, stored.FailureText());
    return stored ? 1 : 0;
}

ShadingActions::FileOutcome ShadingActions::TakeFile(const std::string& path, int* taken)
{
    const ShadingTransfer::FileRead read = transfer_.ReadFile(path);
    switch (read.status) {
        case ShadingTransfer::FileStatus::CannotOpen:
            Stop(CannotOpenText(path));
            return FileOutcome::CannotOpen;
        case ShadingTransfer::FileStatus::BadFormat:
            Stop("Invaild data count format");
            return FileOutcome::BadFormat;
        case ShadingTransfer::FileStatus::Parsed:
            break;
    }
    if (!TableFileActions::Confirm(messages_, path, read.firstLine, read.taken, TableFileCheck::Table::Shading))
        return FileOutcome::Declined;
    if (read.tooMany) Stop("Too many data");
    transfer_.Keep(read);
    if (taken) *taken = read.taken;
    return FileOutcome::Taken;
}

bool ShadingActions::SaveFile(const std::string& path)
{
    switch (transfer_.SaveFile(path)) {
        case TextFile::SaveResult::Saved:
            return true;
        case TextFile::SaveResult::CannotCreate:
            Stop(CannotOpenText(path));
            return false;
        case TextFile::SaveResult::CannotWrite:
            Stop(path + "\nCouldn't write this file");
            return false;
    }
    return false;
}

bool ShadingActions::ShowRead(const ShadingTransfer::ReadOutcome& outcome)
{
    if (outcome.complete) return true;
    Stop(outcome.Summary());
    return false;
}

bool ShadingActions::ShowWrite(const ShadingTransfer::WriteOutcome& outcome)
{
    if (outcome.Complete()) return true;
    ShowMessage(messages_, outcome.Summary(), {}, MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}
