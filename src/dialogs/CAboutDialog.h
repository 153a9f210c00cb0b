// The about dialog: the tool's name and version, the connected camera's identity read when the dialog
// opens, the user id and device version controls, and the help documents of the working folder.
#pragma once

#include "dialogs/CameraIdentity.h"
#include "framework/qt/CDialogBase.h"

#include <array>

class CLabel;
class CameraReader;
class Command;
class ControlMode;
class QComboBox;
class QGridLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct CameraModelInfo;

class CAboutDialog : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int kStripId = 1064;
    static constexpr int kToolNameId = 1000;
    static constexpr int kToolVersionId = 1002;
    static constexpr int kWebLinkId = 1081;
    static constexpr int kModelNameId = 1024;
    static constexpr int kCameraIdId = 1023;
    static constexpr int kFirmwareId = 1022;
    static constexpr int kFpgaId = 1082;
    static constexpr int kDeviceVersionLabelId = 1185;
    static constexpr std::array<int, CameraIdentity::kDeviceVersionParts> kDeviceVersionIds = {1149, 1150, 1151, 1152};
    static constexpr int kSaveDeviceVersionId = 1153;
    static constexpr int kUserIdId = 1028;
    static constexpr int kSaveUserIdId = 1083;
    static constexpr int kProtectUserIdId = 1084;
    static constexpr int kEnableUserIdId = 1085;
    static constexpr int kHelpListId = 1087;
    static constexpr int kViewHelpId = 1043;

    static constexpr int kVersionTimeoutMs = 5000;

    // modelInfo is where the reader's model check records the model it found.
    CAboutDialog(QWidget* parent, OperatorHosts hosts, Command& command, CameraReader& reader, const CameraModelInfo& modelInfo,
                 ControlMode& controlMode);

    // 0: the user id field and "Save User ID" are locked and "Protect User ID" is selected; 1 the
    // opposite. Only a lock in this dialog: nothing is sent or stored.
    void SetUserIdEditable(int editable);
    // "View Help File": opens the selected list entry; typed text is never opened.
    void ShowHelp();
    void OnSaveUserId();
    void OnSaveDeviceVersion();

    QLabel* ValueField(int controlId) const;
    QLineEdit* UserIdEdit() const { return userId_; }
    QLineEdit* DeviceVersionPart(int index) const { return versionParts_[static_cast<std::size_t>(index)]; }
    QPushButton* SaveUserIdButton() const { return saveUserId_; }
    QPushButton* SaveDeviceVersionButton() const { return saveVersion_; }
    QRadioButton* ProtectButton() const { return protect_; }
    QRadioButton* EnableButton() const { return enable_; }
    QComboBox* HelpList() const { return helpList_; }
    CLabel* WebLink() const { return webLink_; }

protected:
    void OnInitDialog() override;

private:
    QLayout* BuildTop(QWidget* body);
    QWidget* BuildCameraData(QWidget* body);
    void AddDeviceVersionRow(QWidget* group, QGridLayout* grid, int row);
    void AddUserIdRows(QWidget* group, QGridLayout* grid, int row);
    void ConnectCameraData();
    QWidget* BuildHelp(QWidget* body);
    void FillHelpList();
    void ShowPlaceholders();
    void ReadCamera();
    void ReadIdentity(class BulkTally& tally);
    void EnableDeviceVersion();

    Command& command_;
    CameraReader& reader_;
    const CameraModelInfo& modelInfo_;
    ControlMode& controlMode_;
    CameraIdentity identity_;

    QLabel* toolName_ = nullptr;
    QLabel* toolVersion_ = nullptr;
    CLabel* webLink_ = nullptr;
    QLabel* modelName_ = nullptr;
    QLabel* cameraId_ = nullptr;
    QLabel* firmware_ = nullptr;
    QLabel* fpga_ = nullptr;
    std::array<QLineEdit*, CameraIdentity::kDeviceVersionParts> versionParts_{};
    QPushButton* saveVersion_ = nullptr;
    QLineEdit* userId_ = nullptr;
    // Whether the field holds a value (the camera's, or one the operator typed) rather than a placeholder:
    // a placeholder is never saved to the camera.
    bool userIdHeld_ = false;
    bool deviceVersionHeld_ = false;
    QPushButton* saveUserId_ = nullptr;
    QRadioButton* protect_ = nullptr;
    QRadioButton* enable_ = nullptr;
    QComboBox* helpList_ = nullptr;
    QPushButton* viewHelp_ = nullptr;
};
