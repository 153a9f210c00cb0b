// The boxes and the question of gamma tables and their files.
#include "operations/GammaActions.h"

#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "operations/TableFileActions.h"

namespace {

void ShowStop(MessageHost& messages, const std::string& text)
{
    ShowMessage(messages, text, {}, MessageButtons::Ok, MessageIcon::Stop);
}

}  // namespace

int GammaActions::ShowRead(MessageHost& messages, const GammaTransfer::ReadOutcome& outcome)
{
    if (outcome.Complete()) return 1;
    ShowMessage(messages, outcome.Summary(), GammaTransfer::kCaption, MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
}

int GammaActions::ShowWrite(MessageHost& messages, const GammaTransfer::WriteOutcome& outcome)
{
    if (outcome.Complete()) return 1;
    ShowMessage(messages, outcome.Summary(), GammaTransfer::kCaption, MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
}

GammaFile::FileRead GammaActions::ReadFileRows(MessageHost& messages, const std::string& path,
                                               const GammaFile::Tables& tables)
{
    // The question comes before the read's own messages, and a declined file shows none of them.
    const GammaFile::FileRead read =
        GammaFile::ReadFile(path, tables, [&messages, &path](const GammaFile::ReadResult& result) {
            return TableFileActions::Confirm(messages, path, result.firstLine, result.rowsStored,
                                             TableFileCheck::Table::Gamma);
        });
    switch (read.status) {
        case GammaFile::FileStatus::CannotOpen:
            ShowStop(messages, CannotOpenText(path));
            break;
        case GammaFile::FileStatus::Kept:
        case GammaFile::FileStatus::Malformed:
            for (const std::string& message : read.read.messages) ShowStop(messages, message);
            break;
        case GammaFile::FileStatus::Declined:
            break;
    }
    return read;
}

int GammaActions::ReadFile(MessageHost& messages, const std::string& path, const GammaFile::Tables& tables)
{
    return ReadFileRows(messages, path, tables).status == GammaFile::FileStatus::Kept ? 1 : 0;
}

int GammaActions::WriteFile(MessageHost& messages, const std::string& path, const GammaFile::Tables& tables)
{
    switch (GammaFile::WriteFile(path, tables)) {
        case TextFile::SaveResult::Saved:
            return 1;
        case TextFile::SaveResult::CannotCreate:
            ShowStop(messages, TextFile::FolderRefusedText(path));
            return 0;
        case TextFile::SaveResult::CannotWrite:
            break;
    }
    ShowStop(messages, CannotOpenText(path));
    return 0;
}
