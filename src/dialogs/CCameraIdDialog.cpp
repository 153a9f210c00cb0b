// The camera id dialog.
#include "dialogs/CCameraIdDialog.h"

#include "framework/MessageBox.h"
#include "framework/qt/ControlWindow.h"
#include "link/Command.h"
#include "settings/ControlMode.h"
#include "tables/CommandTable.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCameraIdDialog::CCameraIdDialog(QWidget* parent, OperatorHosts hosts, Command& command, ControlMode& controlMode)
    : CDialogBase(parent, kStripId, hosts), command_(command), controlMode_(controlMode), identity_(command, hosts), save_(nullptr)
{
    setWindowTitle(QStringLiteral("Camera Id"));
    auto* group = new QGroupBox(QStringLiteral("Camera Id"), Body());
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(10, 8, 10, 10);
    row->setSpacing(3);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        auto* field = new QLineEdit(group);
        SetControlId(field, kFieldIds[i]);
        field->setAccessibleName(QStringLiteral("Camera Id character %1").arg(i + 1));
        // One character shows; more may be typed, only the first is used.
        field->setFixedWidth(22);
        field->setAlignment(Qt::AlignCenter);
        fields_[i] = field;
        row->addWidget(field);
        // Characters the operator types are the operator's own id, even where the camera gave none.
        connect(field, &QLineEdit::textEdited, this, [this] { save_->setEnabled(true); });
    }
    row->addSpacing(10);
    save_ = new QPushButton(QStringLiteral("Save"), group);
    SetControlId(save_, kSaveButtonId);
    save_->setAutoDefault(false);
    row->addWidget(save_);
    // Without "Save" (user mode) the fields stay together on the left.
    row->addStretch(1);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(group);
    connect(save_, &QPushButton::clicked, this, &CCameraIdDialog::OnSave);
}

void CCameraIdDialog::OnInitDialog()
{
    const RequestOutcome answer = command_.Ask(cmd::ID, CameraIdentity::kTimeoutMs);
    ShowCommunicationError(Hosts().messages, answer.FailureText());
    // Empty fields after an unanswered query are no id: "Save" would write an empty one over the camera's.
    save_->setEnabled(answer.Answered());
    if (answer) {
        const std::string& id = answer.value.text;
        // One character per field, in order; fields past the end of the id stay empty.
        std::size_t at = 0;
        for (QLineEdit* field : fields_) {
            const std::string character = CameraIdentity::FirstCharacter(id.substr(std::min(at, id.size())));
            field->setText(QString::fromStdString(character));
            at += character.size();
        }
    }
    save_->setVisible(controlMode_.IsFactory());
}

void CCameraIdDialog::OnSave()
{
    CameraIdentity::CameraIdFields texts;
    for (std::size_t i = 0; i < fields_.size(); ++i) texts[i] = fields_[i]->text().toStdString();
    identity_.SaveCameraId(texts);
}
