// The traffic logs' list, file and folder.
#include "dialogs/TrafficLogList.h"

#include "files/TextFile.h"
#include "framework/MessageBox.h"
#include "settings/RegistrySettings.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

// Latin-1 maps every byte to one character and back, so a log keeps exactly the bytes the link carried,
// garbage from a disturbed line included.
void TrafficLogList::Add(QListWidget* list, const std::string& text, int maxEntries)
{
    list->insertItem(0, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    if (list->count() > maxEntries) delete list->takeItem(list->count() - 1);
}

std::vector<std::string> TrafficLogList::Lines(const QListWidget* list)
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(list->count()));
    for (int row = 0; row < list->count(); ++row) lines.push_back(list->item(row)->text().toLatin1().toStdString());
    return lines;
}

int TrafficLogList::WriteFile(MessageHost& messages, const std::string& path, const std::vector<std::string>& lines)
{
    // Saved like every text file of the tool: CR LF (logs travel between PCs), through a temporary file that
    // replaces the target only when all of it was written; the message names the file.
    switch (TextFile::Save(path, lines)) {
        case TextFile::SaveResult::Saved:
            return 1;
        case TextFile::SaveResult::CannotCreate:
            ShowMessage(messages, TextFile::FolderRefusedText(path), {}, MessageButtons::Ok, MessageIcon::Stop);
            return 0;
        case TextFile::SaveResult::CannotWrite:
            break;
    }
    ShowMessage(messages, path + "\nCouldn't write this file", {}, MessageButtons::Ok, MessageIcon::Stop);
    return 0;
}

void TrafficLogList::StoreFolder(RegistrySettings& settings, const std::string& path)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).absolutePath());
    settings.SetText(kItemCommandLogFilePath, folder.toStdString());
}

std::string TrafficLogList::Folder(RegistrySettings& settings)
{
    std::string folder;
    settings.GetFolder(kItemCommandLogFilePath, folder);
    return folder;
}
