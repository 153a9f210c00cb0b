// Qt file dialogs.
#include "framework/qt/QtFileDialogHost.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

QtFileDialogHost::~QtFileDialogHost() = default;

FileDialogResult QtFileDialogHost::Show(const FileDialogRequest& request)
{
    QWidget* parent = parent_ ? parent_.data() : QApplication::activeWindow();
    QFileDialog dialog(parent, QString::fromStdString(request.title));
    const bool save = request.mode == FileDialogMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The shared pattern asks the overwrite question in the tool's own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QStringList filters;
    for (const FileFilter& filter : request.filters) filters << QString::fromStdString(filter.description);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));

    const QString initial = QDir::fromNativeSeparators(QString::fromStdString(request.initialName));
    QFileInfo info(initial);
    const QString folder = initial.isEmpty() ? QString::fromStdString(request.startFolder) : info.path();
    if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);
    // A wildcard name only sets the filter; a real name is offered for editing.
    if (!info.fileName().isEmpty() && !info.fileName().contains(u'*') && !info.fileName().contains(u'?')) {
        dialog.selectFile(info.fileName());
    }

    if (dialog.exec() != QDialog::Accepted) return {FileDialogStatus::Cancel, {}, 0};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return {FileDialogStatus::Cancel, {}, 0};
    return {FileDialogStatus::Ok, QDir::toNativeSeparators(chosen.front()).toStdString(), 0};
}

bool QtFileDialogHost::FileExists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }
