// The three LUT editors (red, green, blue) of the main window, and what works on all three: showing
// and hiding them, reading all three tables from the camera, and the gamma data file.
#pragma once

#include "framework/RoutedHosts.h"
#include "operations/LutEditorOpener.h"
#include "pages/CameraReader.h"

#include <QPointer>

#include <array>
#include <string>

class CLUTDlg;
class CProgressBarDialog;
class Command;
class QWidget;

class LutEditors : public LutEditorWindows, public LutEditorOpener {
public:
    static constexpr int kOffsetStep = 50;  // each editor 50 pixels further right and down

    LutEditors(Command& command, CProgressBarDialog& progressDialog);

    // Creates the editors that do not exist yet, hidden, owned by `owner`.
    void Create(QWidget* owner);
    // Shows all three ("Open LUT Table") or hides them.
    void ShowAll(bool show);
    void HideAll() override { ShowAll(false); }
    void OpenLutEditor() override { ShowAll(true); }  // "Open LUT Table"

    // Reads red, green and blue from the camera with `mainWindow` disabled; stops at the first that
    // fails. 1 when all three were read.
    int LoadAllLUTTables(QWidget* mainWindow);
    int ReadGammaFile(const std::string& path);
    int WriteGammaFile(const std::string& path);

    // The menu items "&Load all LUT table", "&Open LUT file" and "&Save LUT file".
    void OnLoadAll(QWidget* mainWindow);
    void OnOpenFile();
    void OnSaveFile(QWidget* mainWindow);

    CLUTDlg* Editor(int colour) const;

private:
    Command& command_;
    CProgressBarDialog& progressDialog_;
    std::array<QPointer<CLUTDlg>, 3> editors_;
    int created_ = 0;
    RoutedMessageHost messages_;  // the installed host, until the composition root hands its own in
};
