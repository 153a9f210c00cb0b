// The RS-232C terminal: raw command lines typed by the operator, and every line on the link with its time.
#pragma once

#include "framework/qt/CDialogBase.h"
#include "link/TrafficSink.h"

#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class RegistrySettings;
class SerialLink;

class CTerminalDialog : public CDialogBase, public TrafficSink {
    Q_OBJECT

public:
    static constexpr int kMaxLines = 32786;

    // Becomes the link's terminal sink at once, so the log starts with the first line on the link.
    CTerminalDialog(SerialLink& link, RegistrySettings& settings, OperatorHosts hosts, QWidget* parent = nullptr);
    ~CTerminalDialog() override;

    // Newest line on top, behind the time stamp "mm:ss:mmm  " (UTC); beyond kMaxLines the oldest goes.
    void AddLine(const std::string& text) override;
    // Shows the window, creating it first when it does not exist yet.
    void Show();

    void OnSend();
    void OnClear();
    void OnSave();

    const std::string& CommandText() const { return commandText_; }
    std::vector<std::string> Lines() const;  // newest first, with their time stamps
    QListWidget* TrafficList() const { return trafficList_; }
    QLineEdit* CommandEdit() const { return commandEdit_; }

    // The time stamp of a moment given as UTC minute, second and millisecond.
    static std::string TimeStamp(int minute, int second, int millisecond);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceControls(int width, int height);

    SerialLink& link_;
    RegistrySettings& settings_;
    QLineEdit* commandEdit_;
    QPushButton* closeButton_;
    QPushButton* sendButton_;
    QPushButton* clearButton_;
    QPushButton* saveButton_;
    QListWidget* trafficList_;
    std::string commandText_;
};
