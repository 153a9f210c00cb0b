// The communication dialog's controls, made and laid out in its body, one builder per group box; the
// dialog connects them and gives them their behaviour.
#pragma once

#include <QString>

class CSerialPortPanel;
struct OperatorHosts;
class QComboBox;
class QLabel;
class QListWidget;
class QPixmap;
class QPushButton;
class QWidget;

struct CommunicationControls {
    // "Line Status"
    QLabel* statusIcon = nullptr;
    QLabel* lineStatusText = nullptr;
    // "Communication Port"
    QComboBox* categoryList = nullptr;
    QComboBox* portList = nullptr;
    QComboBox* baudList = nullptr;  // a display only: the rate changes through the handshake with the camera
    // "Files": usable once the setting-file transfers are supplied
    QPushButton* writeSettingsButton = nullptr;
    QPushButton* readSettingsButton = nullptr;
    // "Current Area"
    QLabel* currentArea = nullptr;
    QPushButton* getAreaButton = nullptr;
    // "Factory And User Setting In Camera": each entry carries its area number as its data
    QComboBox* areaList = nullptr;
    QPushButton* storeButton = nullptr;
    QPushButton* loadButton = nullptr;
    // "ControlTool Message"
    QListWidget* messageList = nullptr;
    QPushButton* writeMessagesButton = nullptr;
    QPushButton* clearMessagesButton = nullptr;
    CSerialPortPanel* serialPorts = nullptr;

    // Makes every control in body, in the order the operator tabs through them, and lays them out in three
    // columns: the settings, the message list, the serial-port panel.
    static CommunicationControls Build(QWidget* body, const OperatorHosts& hosts);
};

// "Factory Data", "User 1 Data" .. "User 3 Data".
QString CommunicationAreaText(int area);
// One of the link dialogs' pictures by its number (the line status icons, the file pictures).
QPixmap LinkPicture(int id);
