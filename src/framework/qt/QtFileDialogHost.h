// Open and save dialogs shown with Qt: the file dialog host the tool installs at start.
#pragma once

#include "framework/FileDialogHost.h"

#include <QPointer>
#include <QWidget>

class QtFileDialogHost : public FileDialogHost {
public:
    // Installs itself for its lifetime and puts the previous host back afterwards.
    QtFileDialogHost();
    ~QtFileDialogHost() override;
    QtFileDialogHost(const QtFileDialogHost&) = delete;
    QtFileDialogHost& operator=(const QtFileDialogHost&) = delete;

    FileDialogResult Show(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override;

    void SetParentWindow(QWidget* parent) { parent_ = parent; }

private:
    FileDialogHost* previous_;
    QPointer<QWidget> parent_;
};
