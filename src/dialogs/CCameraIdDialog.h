// The "Camera Id" dialog: the camera's ten-character id, one character per field; written with "Save"
// in factory mode only.
#pragma once

#include "dialogs/CameraIdentity.h"
#include "framework/qt/CDialogBase.h"

#include <array>

class Command;
class ControlMode;
class QLineEdit;
class QPushButton;

class CCameraIdDialog : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int kStripId = 1065;
    static constexpr int kSaveButtonId = 1050;
    static constexpr std::array<int, CameraIdentity::kCameraIdLength> kFieldIds = {1029, 1030, 1031, 1032, 1033,
                                                                                   1034, 1035, 1036, 1037, 1042};

    CCameraIdDialog(QWidget* parent, OperatorHosts hosts, Command& command, ControlMode& controlMode);

    // "Save": the first character of each field, after the camera's unlock.
    void OnSave();

    QLineEdit* Field(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    QPushButton* SaveButton() const { return save_; }

protected:
    // Fills the fields from the camera's id and shows "Save" in factory mode. Without an answer the fields
    // stay empty and "Save" disabled until the operator types into one.
    void OnInitDialog() override;

private:
    Command& command_;
    ControlMode& controlMode_;
    CameraIdentity identity_;
    std::array<QLineEdit*, CameraIdentity::kCameraIdLength> fields_{};
    QPushButton* save_;
};
