// Qt message boxes.
#include "framework/qt/QtMessageHost.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

QtMessageHost::QtMessageHost() : previous_(SetMessageHost(this)) {}

QtMessageHost::~QtMessageHost() { SetMessageHost(previous_); }

MessageResult QtMessageHost::Show(const MessageRequest& request)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (request.icon) {
        case MessageIcon::Stop:
            icon = QMessageBox::Critical;
            break;
        case MessageIcon::Exclamation:
            icon = QMessageBox::Warning;
            break;
        case MessageIcon::Information:
            icon = QMessageBox::Information;
            break;
        case MessageIcon::Question:
            icon = QMessageBox::Question;
            break;
        case MessageIcon::None:
            break;
    }
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
    switch (request.buttons) {
        case MessageButtons::Ok:
            break;
        case MessageButtons::OkCancel:
            buttons = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case MessageButtons::YesNo:
            buttons = QMessageBox::Yes | QMessageBox::No;
            defaultButton = QMessageBox::Yes;
            break;
        case MessageButtons::YesNoCancel:
            buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            defaultButton = QMessageBox::Yes;
            break;
    }
    const QString caption =
        QString::fromStdString(request.caption.empty() ? std::string(kToolCaption) : request.caption);
    QWidget* parent = parent_ ? parent_.data() : QApplication::activeWindow();
    QMessageBox box(icon, caption, QString::fromStdString(request.text), buttons, parent);
    // Texts carry camera answers, file names and file contents: never read as markup.
    box.setTextFormat(Qt::PlainText);
    if (request.defaultButton) {
        switch (*request.defaultButton) {
            case MessageResult::Ok:
                defaultButton = QMessageBox::Ok;
                break;
            case MessageResult::Cancel:
                defaultButton = QMessageBox::Cancel;
                break;
            case MessageResult::Yes:
                defaultButton = QMessageBox::Yes;
                break;
            case MessageResult::No:
                defaultButton = QMessageBox::No;
                break;
        }
    }
    if (buttons & defaultButton) box.setDefaultButton(defaultButton);
    // Escape (or the close box) gives Cancel where there is one, else No, else OK, as the system's boxes do.
    if (buttons & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons & QMessageBox::No)
        box.setEscapeButton(QMessageBox::No);
    else
        box.setEscapeButton(QMessageBox::Ok);
    switch (box.exec()) {
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
