// The factory-mode access code: Shift+Ctrl+F12 arms it, then three letters in order complete it.
#pragma once

#include <array>

class FactoryKeySequence {
public:
    enum class Result {
        Ignored,  // not part of the code: the key goes on as usual
        Consumed,  // armed or advanced: the key belongs to the code
        Completed,  // the last letter: the factory mode toggles
    };

    FactoryKeySequence();

    // One key press, as a Qt key code with the modifiers held. Modifier keys alone change nothing (the
    // operator lets go of Shift and Ctrl between F12 and the letters); any other key that does not
    // continue the code disarms it.
    Result OnKey(int key, bool shift, bool ctrl);

    void Reset();
    bool IsArmed() const { return keyArmed_ != 0; }
    int Position() const { return keyPos_; }

private:
    // Made when the program runs, so the code does not stand in the executable as text.
    std::array<int, 3> letters_{};
    int keyArmed_ = 0;
    int keyPos_ = 0;
};
