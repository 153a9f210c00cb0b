// The progress window.
#include "dialogs/CProgressBarDialog.h"

#include "framework/qt/ControlWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace {

constexpr int kBarId = 1011;
constexpr int kMessageId = 1013;

// A window the operator cannot close. Esc, Alt+F4 or the close box would only hide it while the operation
// goes on, and every later operation would reuse a window nobody sees; only Close() ends it.
class UnclosableDialog : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

CProgressBarDialog::~CProgressBarDialog()
{
    // At process exit the application object may already be gone, and the window with it.
    if (window_ && QCoreApplication::instance()) {
        QObject::disconnect(window_, nullptr, nullptr, nullptr);
        delete window_.data();
        Destroyed();
    }
}

void CProgressBarDialog::Open(QWidget* parent, const std::string& message)
{
    if (!window_) {
        owner_ = parent ? parent->window() : nullptr;
        ownerDisabledByUs_ = false;
        if (owner_ && owner_->isEnabled()) {
            owner_->setEnabled(false);
            ownerDisabledByUs_ = true;
        }
        // A top-level window of its own, kept above the owner by the window system: as the owner's
        // child it would be disabled along with it.
        auto* window = new UnclosableDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->setAttribute(Qt::WA_QuitOnClose, false);
        window->setWindowTitle(QString());
        window->setMinimumWidth(320);
        auto* layout = new QVBoxLayout(window);
        auto* line = new QLabel(window);
        line->setWordWrap(true);
        SetControlId(line, kMessageId);
        auto* bar = new QProgressBar(window);
        bar->setRange(0, 100);
        bar->setValue(0);
        SetControlId(bar, kBarId);
        layout->addWidget(line);
        layout->addWidget(bar);
        window_ = window;
        messageLine_ = line;
        bar_ = bar;
        // However the window goes, the owner gets its input back.
        QObject::connect(window, &QObject::destroyed, [this] { Destroyed(); });
        if (owner_) {
            window->winId();
            if (QWindow* handle = window->windowHandle()) handle->setTransientParent(owner_->window()->windowHandle());
        }
        window->show();
    } else if (!window_->isVisible()) {
        window_->show();
    }
    SetMessage(message);
}

void CProgressBarDialog::SetMessage(const std::string& text)
{
    message_ = text;
    if (messageLine_) messageLine_->setText(QString::fromStdString(text));
}

int CProgressBarDialog::Position() const { return bar_ ? bar_->value() : 0; }

void CProgressBarDialog::SetPosition(int percent)
{
    if (!window_ || !window_->isVisible()) return;
    messageLine_->setText(QString::fromStdString(message_));
    messageLine_->repaint();
    // The bar repaints itself, at once, when the position it shows changes: a second paint would only
    // double the cost of every update of a transfer.
    bar_->setValue(std::clamp(percent, 0, 100));
}

void CProgressBarDialog::Close()
{
    // Whether the window shows or not: one left behind would be reused, unseen, by the next operation.
    if (!window_) return;
    SetPosition(100);
    // The full bar stays up for a moment, painted, while the operator's input still waits.
    QElapsedTimer elapsed;
    elapsed.start();
    while (window_ && elapsed.elapsed() < closeDelayMs_) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
    }
    if (!window_) return;
    QWidget* owner = owner_;
    delete window_.data();  // Destroyed() gives the owner its input back
    if (owner) {
        owner->activateWindow();
        owner->raise();
    }
}

void CProgressBarDialog::Destroyed()
{
    // Only a window this dialog disabled is enabled again: an owner disabled by a longer operation
    // around this one stays disabled until that operation ends.
    if (owner_ && ownerDisabledByUs_) owner_->setEnabled(true);
    ownerDisabledByUs_ = false;
    owner_ = nullptr;
}
