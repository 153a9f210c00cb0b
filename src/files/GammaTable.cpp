// The gamma table's input levels and the camera commands of each colour.
#include "files/GammaTable.h"

#include "tables/CommandTable.h"

GammaTable::GammaTable(int colour) : colourIndex(colour)
{
    for (int i = 0; i < kEntries; ++i) inputLevels[static_cast<std::size_t>(i)] = static_cast<unsigned>(16 * i);
    inputLevels[kEntries - 1] = kMaxLevel;
}

bool GammaCommandsOf(int colourIndex, int& indexCommand, int& dataCommand)
{
    switch (colourIndex) {
        case 0:
            indexCommand = cmd::LUTIR;
            dataCommand = cmd::LUTR;
            return true;
        case 1:
            indexCommand = cmd::LUTIG;
            dataCommand = cmd::LUTG;
            return true;
        case 2:
            indexCommand = cmd::LUTIB;
            dataCommand = cmd::LUTB;
            return true;
        default:
            return false;
    }
}
