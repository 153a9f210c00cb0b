// Open and save dialogs shown with Qt: the file dialog host the tool installs at start.
#pragma once

#include "framework/FileDialogHost.h"

#include <QPointer>
#include <QWidget>

class QtFileDialogHost : public FileDialogHost {
public:
    QtFileDialogHost() = default;
    ~QtFileDialogHost() override;
    QtFileDialogHost(const QtFileDialogHost&) = delete;
    QtFileDialogHost& operator=(const QtFileDialogHost&) = delete;

    FileDialogResult Show(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override;

    void SetParentWindow(QWidget* parent) { parent_ = parent; }

private:
    QPointer<QWidget> parent_;
};
