// Radio groups by sibling order and group-start style.
#include "framework/qt/CRadioButton.h"

#include "framework/qt/ControlWindow.h"

CRadioButton::CRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent)
{
    // Qt would make every radio button of the parent one group; ours follow the group-start style.
    setAutoExclusive(false);
}

std::vector<QRadioButton*> CRadioButton::GroupOf(const QWidget* member)
{
    std::vector<QRadioButton*> group;
    if (!member || !member->parentWidget()) return group;
    const QObjectList& siblings = member->parentWidget()->children();
    const int index = static_cast<int>(siblings.indexOf(const_cast<QWidget*>(member)));
    if (index < 0) return group;
    int start = index;
    while (start > 0) {
        const auto* widget = qobject_cast<const QWidget*>(siblings.at(start));
        if (widget && IsGroupStart(widget)) break;
        --start;
    }
    for (int i = start; i < siblings.size(); ++i) {
        auto* widget = qobject_cast<QWidget*>(siblings.at(i));
        if (!widget) continue;
        if (i > start && IsGroupStart(widget)) break;
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) group.push_back(radio);
    }
    return group;
}

QRadioButton* CRadioButton::GroupStartOf(const QWidget* member)
{
    const std::vector<QRadioButton*> group = GroupOf(member);
    return group.empty() ? nullptr : group.front();
}

void CRadioButton::CheckInGroup(QRadioButton* button)
{
    if (!button) return;
    for (QRadioButton* radio : GroupOf(button)) radio->setChecked(radio == button);
}

void CRadioButton::nextCheckState()
{
    // A click checks the button (never unchecks it) and clears the rest of its group.
    CheckInGroup(this);
}
