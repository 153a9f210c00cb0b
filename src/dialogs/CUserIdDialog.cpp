// The user id dialog.
#include "dialogs/CUserIdDialog.h"

#include "framework/MessageBox.h"
#include "framework/qt/ControlWindow.h"
#include "link/Command.h"
#include "tables/CommandTable.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CUserIdDialog::CUserIdDialog(QWidget* parent, OperatorHosts hosts, Command& command)
    : CDialogBase(parent, kStripId, hosts), command_(command), identity_(command, hosts), edit_(nullptr), save_(nullptr)
{
    setWindowTitle(QStringLiteral("User Id"));
    auto* frame = new QGroupBox(Body());
    frame->setAccessibleName(QStringLiteral("User ID"));
    auto* label = new QLabel(QStringLiteral("User ID"), frame);
    edit_ = new QLineEdit(frame);
    save_ = new QPushButton(QStringLiteral("Save"), frame);
    label->setBuddy(edit_);
    edit_->setAccessibleName(label->text());
    SetControlId(edit_, kUserIdEditId);
    SetControlId(save_, kSaveButtonId);
    // Enter in the field does not write to the camera; only the button does.
    save_->setAutoDefault(false);
    edit_->setMinimumWidth(200);

    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(10, 10, 10, 10);
    row->setSpacing(8);
    row->addWidget(label);
    row->addWidget(edit_, 1);
    row->addWidget(save_);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(frame);
    connect(save_, &QPushButton::clicked, this, &CUserIdDialog::OnSave);
    // What the operator types is the operator's own id, even where the camera gave none.
    connect(edit_, &QLineEdit::textEdited, save_, [this] { save_->setEnabled(true); });
}

void CUserIdDialog::OnInitDialog()
{
    const RequestOutcome userId = command_.Ask(cmd::UD, CameraIdentity::kTimeoutMs);
    ShowCommunicationError(Hosts().messages, userId.FailureText());
    edit_->setText(userId ? QString::fromStdString(userId.value.text)
                          : QString::fromLatin1(CameraIdentity::kUserIdPlaceholder));
    // The placeholder is no user id: it is never written to the camera.
    save_->setEnabled(userId.Answered());
}

void CUserIdDialog::OnSave() { identity_.SaveUserId(edit_->text().toStdString()); }
