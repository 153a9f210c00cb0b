// The one progress window of the tool: a message line above a bar in percent, shown while a long
// operation runs, with the window it belongs to disabled meanwhile.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <string>

class QLabel;
class QProgressBar;

class CProgressBarDialog {
public:
    CProgressBarDialog() = default;
    ~CProgressBarDialog();
    CProgressBarDialog(const CProgressBarDialog&) = delete;
    CProgressBarDialog& operator=(const CProgressBarDialog&) = delete;

    // Disables the top-level window containing `parent` (when it is enabled), shows the window at
    // position 0 and the message. An open window is reused, with the new message, and shown if it is not.
    // The operator cannot close it (Esc, Alt+F4 and the close box do nothing).
    void Open(QWidget* parent, const std::string& message);
    void SetMessage(const std::string& text);
    // Only while the window is visible.
    void SetPosition(int percent);
    // While the window exists, shown or not: the full bar for the close delay (one second), then the
    // owner is active again and the window goes.
    void Close();

    bool IsOpen() const { return window_ != nullptr; }
    const std::string& Message() const { return message_; }
    int Position() const;
    QWidget* Window() const { return window_; }
    QWidget* Owner() const { return owner_; }

    // How long Close keeps the full bar up; tests shorten it.
    void SetCloseDelayMs(int delayMs) { closeDelayMs_ = delayMs; }

private:
    void Destroyed();

    QPointer<QDialog> window_;
    QPointer<QLabel> messageLine_;
    QPointer<QProgressBar> bar_;
    QPointer<QWidget> owner_;
    bool ownerDisabledByUs_ = false;
    std::string message_;
    int closeDelayMs_ = 1000;
};
