// The shared file dialog pattern, routed to the installed host.
#include "framework/FileDialogHost.h"

#include "base/StrFormat.h"
#include "framework/MessageBox.h"

namespace {

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::string WithDefaultExtension(const std::string& path, const std::string& extension)
{
    if (extension.empty() || path.empty() || IsSeparator(path.back())) return path;
    std::size_t nameStart = 0;
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) {
            nameStart = i;
            break;
        }
    }
    // A leading dot names a hidden file, not an extension.
    const std::size_t dot = path.find('.', nameStart + 1);
    if (dot != std::string::npos && dot + 1 < path.size()) return path;
    if (dot != std::string::npos) return path + extension;  // "name." takes the extension after its dot
    return path + "." + extension;
}

int ChooseFile(FileDialogHost& dialogs, MessageHost& messages, FileDialogRequest request, std::string& path)
{
    if (request.initialName.empty()) {
        request.initialName = request.startFolder;
        if (!request.filters.empty()) {
            if (!request.initialName.empty() && !IsSeparator(request.initialName.back())) {
                request.initialName += kSeparator;
            }
            request.initialName += request.filters.front().pattern;
        }
    }
    const FileDialogResult result = dialogs.Show(request);
    if (result.status == FileDialogStatus::Cancel) return 0;
    if (result.status == FileDialogStatus::Error) {
        ShowMessage(messages, StrFormat("Error in Load Dialog! (Return-code = %d)", result.errorCode), "Load Error",
                    MessageButtons::Ok, MessageIcon::Exclamation);
        return 0;
    }
    const std::string chosen = WithDefaultExtension(result.path, request.defaultExtension);
    if (chosen.empty()) return 0;
    // Any answer but Yes ends the save: nothing is written and nothing remembered.
    if (request.mode == FileDialogMode::Save && dialogs.FileExists(chosen) &&
        ShowMessage(messages, chosen + "\nThis file already exists." + "\nReplace existing file?", {}, MessageButtons::YesNo,
                    MessageIcon::Question) != MessageResult::Yes) {
        return 0;
    }
    path = chosen;
    return 1;
}

std::string CannotOpenText(const std::string& path) { return path + "\nCouldn't open this file"; }

void ReportCannotOpen(MessageHost& messages, const std::string& path)
{
    ShowMessage(messages, CannotOpenText(path), {}, MessageButtons::Ok, MessageIcon::Exclamation);
}
