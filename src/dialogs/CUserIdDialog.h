// The "User Id" dialog: the camera's user id, read when the dialog opens and written with "Save".
#pragma once

#include "dialogs/CameraIdentity.h"
#include "framework/qt/CDialogBase.h"

class Command;
class QLineEdit;
class QPushButton;

class CUserIdDialog : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int kStripId = 1068;
    static constexpr int kUserIdEditId = 1039;
    static constexpr int kSaveButtonId = 1040;

    CUserIdDialog(QWidget* parent, OperatorHosts hosts, Command& command);

    // "Save": the edit field's text as the camera's user id.
    void OnSave();

    QLineEdit* UserIdEdit() const { return edit_; }
    QPushButton* SaveButton() const { return save_; }

protected:
    // Asks the camera for its user id; without an answer the field shows the placeholder and "Save" stays
    // disabled until the operator types an id.
    void OnInitDialog() override;

private:
    Command& command_;
    CameraIdentity identity_;
    QLineEdit* edit_;
    QPushButton* save_;
};
