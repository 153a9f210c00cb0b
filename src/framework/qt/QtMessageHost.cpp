// Qt message boxes.
#include "framework/qt/QtMessageHost.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

QtMessageHost::~QtMessageHost() = default;

namespace {

QMessageBox::Icon IconOf(MessageIcon icon)
{
    switch (icon) {
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons)
{
    switch (buttons) {
        case MessageButtons::Ok:
            break;
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton ButtonOf(MessageResult result)
{
    switch (result) {
        case MessageResult::Ok:
            break;
        case MessageResult::Cancel:
            return QMessageBox::Cancel;
        case MessageResult::Yes:
            return QMessageBox::Yes;
        case MessageResult::No:
            return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

MessageResult ResultOf(int button)
{
    switch (button) {
        case QMessageBox::Yes:
            return MessageResult::Yes;
        case QMessageBox::No:
            return MessageResult::No;
        case QMessageBox::Cancel:
            return MessageResult::Cancel;
        default:
            return MessageResult::Ok;
    }
}

// Escape (or the close box) gives Cancel where there is one, else No, else OK, as the system's boxes do.
QMessageBox::StandardButton EscapeButtonOf(QMessageBox::StandardButtons buttons)
{
    if (buttons & QMessageBox::Cancel) return QMessageBox::Cancel;
    if (buttons & QMessageBox::No) return QMessageBox::No;
    return QMessageBox::Ok;
}

}  // namespace

MessageResult QtMessageHost::Show(const MessageRequest& request)
{
    const QMessageBox::StandardButtons buttons = ButtonsOf(request.buttons);
    const QString caption =
        QString::fromStdString(request.caption.empty() ? std::string(kToolCaption) : request.caption);
    QWidget* parent = parent_ ? parent_.data() : QApplication::activeWindow();
    QMessageBox box(IconOf(request.icon), caption, QString::fromStdString(request.text), buttons, parent);
    // Texts carry camera answers, file names and file contents: never read as markup.
    box.setTextFormat(Qt::PlainText);
    // Enter presses the request's default, else the first button (OK or Yes).
    const QMessageBox::StandardButton defaultButton = ButtonOf(DefaultAnswer(request));
    if (buttons & defaultButton) box.setDefaultButton(defaultButton);
    box.setEscapeButton(EscapeButtonOf(buttons));
    return ResultOf(box.exec());
}
