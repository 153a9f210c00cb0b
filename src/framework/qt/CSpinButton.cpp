// The up-down control and its buddy edit box.
#include "framework/qt/CSpinButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

CSpinButton::CSpinButton(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFixedWidth(16);
        button->setIconSize(QSize(8, 6));
        layout->addWidget(button);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize CSpinButton::sizeHint() const { return {16, 22}; }

void CSpinButton::SetBuddy(QLineEdit* buddy)
{
    if (buddy_) buddy_->removeEventFilter(this);
    buddy_ = buddy;
    // The arrow keys in the edit step the spin, as the spin's own arrows do.
    if (buddy_) buddy_->installEventFilter(this);
}

void CSpinButton::SetRange32(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = maximum;
    position_ = Clamp(position_);
}

void CSpinButton::GetRange32(int& minimum, int& maximum) const
{
    minimum = minimum_;
    maximum = maximum_;
}

int CSpinButton::Clamp(long long value) const
{
    const long long low = std::min(minimum_, maximum_);
    const long long high = std::max(minimum_, maximum_);
    return static_cast<int>(std::clamp(value, low, high));
}

int CSpinButton::SetPos32(int position)
{
    const int previous = position_;
    position_ = Clamp(position);
    if (buddy_) buddy_->setText(QString::asprintf("%d", position_));
    return previous;
}

void CSpinButton::SyncFromBuddy()
{
    // The buddy may show a value put there without the spin (a value shown from the camera, or typed);
    // the step starts from that value when it is a number inside the range.
    if (!buddy_) return;
    const QByteArray text = buddy_->text().trimmed().toLatin1();
    if (text.isEmpty()) return;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.constData(), &end, 10);
    if (errno != 0 || end == text.constData() || *end != '\0') return;
    if (value < std::min(minimum_, maximum_) || value > std::max(minimum_, maximum_)) return;
    position_ = static_cast<int>(value);
}

void CSpinButton::Step(int delta)
{
    if (!isEnabled()) return;
    SyncFromBuddy();
    SpinStep step{position_, delta, false};
    if (stepHandler_) stepHandler_(*this, step);
    if (step.cancel) return;
    SetPos32(Clamp(static_cast<long long>(step.position) + step.delta));
}

bool CSpinButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress && buddy_->isEnabled() && !buddy_->isReadOnly()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            Step(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
