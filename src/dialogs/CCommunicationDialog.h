// The operator's window onto the camera link: category, port and rate, line status, the camera's flash
// areas and the list of every line that went over the link.
#pragma once

#include "dialogs/CommunicationControls.h"
#include "framework/qt/CDialogBase.h"
#include "link/TrafficSink.h"
#include "operations/FlashAreas.h"

#include <functional>
#include <string>
#include <vector>

class CameraReader;
class Command;
class ControlMode;
class CProgressBarDialog;
class CSerialPortPanel;
class QListWidget;
class RegistrySettings;
class SerialLink;

class CCommunicationDialog : public CDialogBase, public TrafficSink {
    Q_OBJECT

public:
    static constexpr int kMaxMessages = 4096;
    // A store from this dialog gives the camera longer than the menu's does.
    static constexpr int kStoreTimeoutMs = 40000;
    static constexpr int kAreaQueryTimeoutMs = 5000;

    // Becomes the link's message sink at once, so the list holds every line from the first command on.
    // After a run that did not end normally the link is set back to the PC serial port, so that a
    // Camera Link library that may have caused the crash is not opened again by itself.
    CCommunicationDialog(SerialLink& link, Command& command, CameraReader& reader, ControlMode& mode,
                         RegistrySettings& settings, CProgressBarDialog& progress, OperatorHosts hosts, QWidget* parent = nullptr);
    ~CCommunicationDialog() override;

    // Newest line on top; beyond kMaxMessages the oldest goes.
    void AddMessage(const std::string& text);
    void AddLine(const std::string& line) override { AddMessage(line); }
    void SetBaudSelection(int index);
    // "Store" is refused for the factory area unless the factory mode is on.
    void UpdateStoreButton();
    void OnOnlineStatusChanged(bool online) override;

    // The camera setting file transfers behind "Write To File..." and "Read To FIle....", supplied by the
    // setting-file code; both buttons stay disabled until they are given.
    void SetSettingFileActions(std::function<void()> writeFile, std::function<void()> readFile);

    // Operator actions, as the controls run them.
    void OnCategoryChanged(int mode);
    void OnPortChanged(int portIndex);
    void OnGetArea();
    void OnStore();
    void OnLoad();
    void OnClearMessages();
    void OnWriteMessages();

    // The text "Get Area" shows for an area number (also for a failed query: "Unkown").
    static QString AreaName(int area, bool known);

    // What the dialog shows, for the main window and for tests.
    int LineStatusIcon() const { return lineStatusIcon_; }
    int BaudSelection() const;
    std::vector<std::string> Messages() const;  // newest first
    QListWidget* MessageList() const { return controls_.messageList; }
    // Where each COMn leads and the adapters present; shown for the PC serial port only.
    CSerialPortPanel* SerialPorts() const { return controls_.serialPorts; }

protected:
    void OnInitDialog() override;
    // The serial-port panel looks at the system about once a second while the dialog shows, not while hidden.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Makes the controls (CommunicationControls) and connects them.
    void BuildControls();
    // Fills the port list of the link's category (a fresh scan) and selects the stored entry, or the
    // first when the stored one is not in the list; gives the selected index. Opens nothing.
    int FillPortList();
    // The rate a newly chosen port or category is opened at.
    int OpeningRate(int mode) const;
    void FindAndReadCamera();
    void ShowLineStatus(bool online);
    void ShowSerialPorts();
    int SelectedArea() const;

    SerialLink& link_;
    Command& command_;
    CameraReader& reader_;
    ControlMode& mode_;
    RegistrySettings& settings_;
    CProgressBarDialog& progress_;
    // Loads and stores of the area list, without the area-select dialog: the list is the choice.
    FlashAreas flashAreas_;
    CommunicationControls controls_;
    int lineStatusIcon_ = 0;
    std::function<void()> writeSettingFile_;
    std::function<void()> readSettingFile_;
};
