// One colour's gamma table: the camera's 256 output levels of 12 bits, the input level each entry
// stands for, and whether the table is shown as loaded or rebuilt from edit points.
#pragma once

#include <array>

struct GammaTable {
    static constexpr int kEntries = 256;
    static constexpr int kMaxLevel = 4095;
    static constexpr int kEditMode = 0;  // rebuilt from the edit points at every repaint
    static constexpr int kViewMode = 1;  // as read from the camera or a file

    explicit GammaTable(int colour = 0);

    int colourIndex = 0;  // 0 red, 1 green, 2 blue
    std::array<int, kEntries> tableData{};
    // Entry i stands for input level 16 * i; the last one for the top of the 12-bit range, 4095.
    std::array<unsigned, kEntries> inputLevels{};
    int displayMode = kEditMode;
};

// The camera's index and data commands of a colour; false for any other colour index.
bool GammaCommandsOf(int colourIndex, int& indexCommand, int& dataCommand);
