// Control attributes kept as widget properties, so any widget can carry them.
#include "framework/qt/ControlWindow.h"

#include "framework/qt/CSpinButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVariant>

namespace {
constexpr const char* kIdProperty = "rvControlId";
constexpr const char* kUserDataProperty = "rvUserData";
constexpr const char* kGroupProperty = "rvGroupStart";
}  // namespace

WindowClass GetWindowClass(const QWidget* widget)
{
    if (!widget) return WindowClass::Other;
    if (qobject_cast<const QLineEdit*>(widget)) return WindowClass::Edit;
    if (qobject_cast<const CSpinButton*>(widget)) return WindowClass::UpDown;
    if (qobject_cast<const QComboBox*>(widget)) return WindowClass::ComboBox;
    if (qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QGroupBox*>(widget)) {
        return WindowClass::Button;
    }
    return WindowClass::Other;
}

ButtonStyle GetButtonStyle(const QWidget* widget)
{
    if (!widget) return ButtonStyle::None;
    if (const auto* push = qobject_cast<const QPushButton*>(widget)) {
        return push->isDefault() ? ButtonStyle::DefaultPushButton : ButtonStyle::PushButton;
    }
    if (qobject_cast<const QCheckBox*>(widget)) return ButtonStyle::CheckBox;
    if (qobject_cast<const QRadioButton*>(widget)) return ButtonStyle::RadioButton;
    if (qobject_cast<const QGroupBox*>(widget)) return ButtonStyle::GroupBox;
    return ButtonStyle::None;
}

void SetControlId(QWidget* widget, int controlId)
{
    if (widget) widget->setProperty(kIdProperty, controlId);
}

int GetControlId(const QWidget* widget)
{
    if (!widget) return 0;
    const QVariant id = widget->property(kIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

QWidget* FindChildControl(const QWidget* parent, int controlId)
{
    if (!parent || controlId == 0) return nullptr;
    const QList<QWidget*> children = parent->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (GetControlId(child) == controlId) return child;
    }
    return nullptr;
}

void SetUserData(QWidget* widget, std::intptr_t data)
{
    if (widget) widget->setProperty(kUserDataProperty, QVariant::fromValue<qint64>(static_cast<qint64>(data)));
}

std::intptr_t GetUserData(const QWidget* widget)
{
    if (!widget) return 0;
    const QVariant data = widget->property(kUserDataProperty);
    return data.isValid() ? static_cast<std::intptr_t>(data.toLongLong()) : 0;
}

void SetGroupStart(QWidget* widget, bool groupStart)
{
    if (widget) widget->setProperty(kGroupProperty, groupStart);
}

bool IsGroupStart(const QWidget* widget) { return widget && widget->property(kGroupProperty).toBool(); }
