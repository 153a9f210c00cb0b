// A radio button of a group made by sibling order: the group runs from a button with the group-start
// style up to the next sibling with it, and checking one button unchecks the others of its group.
#pragma once

#include <QRadioButton>

#include <vector>

class CRadioButton : public QRadioButton {
    Q_OBJECT

public:
    explicit CRadioButton(const QString& text, QWidget* parent = nullptr);

    // The radio buttons of the group `member` belongs to, in sibling order, the group's start first.
    static std::vector<QRadioButton*> GroupOf(const QWidget* member);
    // The first button of the group (the one with the group-start style, or the first sibling).
    static QRadioButton* GroupStartOf(const QWidget* member);
    // Checks `button` and unchecks the rest of its group.
    static void CheckInGroup(QRadioButton* button);

protected:
    void nextCheckState() override;
};
