// The factory-mode access code.
#include "app/FactoryKeySequence.h"

#include <Qt>

namespace {

bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock;
}

}  // namespace

FactoryKeySequence::FactoryKeySequence()
{
    // Offsets from the first letter of the alphabet.
    const int offsets[] = {5, 0, 2};
    for (std::size_t i = 0; i < letters_.size(); ++i) letters_[i] = Qt::Key_A + offsets[i];
}

void FactoryKeySequence::Reset()
{
    keyArmed_ = 0;
    keyPos_ = 0;
}

FactoryKeySequence::Result FactoryKeySequence::OnKey(int key, bool shift, bool ctrl)
{
    if (shift && ctrl && key == Qt::Key_F12) {
        keyArmed_ = 1;
        keyPos_ = 0;
        return Result::Consumed;
    }
    if (!keyArmed_ || IsModifierKey(key)) return Result::Ignored;
    if (key != letters_[static_cast<std::size_t>(keyPos_)]) {
        Reset();
        return Result::Ignored;
    }
    if (++keyPos_ < static_cast<int>(letters_.size())) return Result::Consumed;
    Reset();
    return Result::Completed;
}
