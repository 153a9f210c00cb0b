// The up-down (spin) control: two arrow buttons beside a buddy edit box, with a 32-bit range and
// position and a step notification that the owner can change or cancel before the spin moves.
#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;

// What a step notification carries: the position before the step and the proposed step. The
// handler may change both, or set `cancel` so the spin stays where it is.
struct SpinStep {
    int position = 0;
    int delta = 0;
    bool cancel = false;
};

class CSpinButton : public QWidget {
    Q_OBJECT

public:
    explicit CSpinButton(QWidget* parent = nullptr);

    // The edit box the spin writes its position into ("%d") and reads it back from before a step.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* GetBuddy() const { return buddy_; }

    // The range may be given in either order; the position stays inside it.
    void SetRange32(int minimum, int maximum);
    void GetRange32(int& minimum, int& maximum) const;

    // Sets the position (limited to the range) and the buddy's text; gives the previous position.
    int SetPos32(int position);
    int GetPos32() const { return position_; }

    // Runs a step as an arrow click does: the notification first, then the move.
    void Step(int delta);

    using StepHandler = std::function<void(CSpinButton& spin, SpinStep& step)>;
    void SetStepHandler(StepHandler handler) { stepHandler_ = std::move(handler); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Clamp(long long value) const;
    void SyncFromBuddy();

    QLineEdit* buddy_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    StepHandler stepHandler_;
};
