// Default contents of the gamma and shading tables.
#include "camsim/CameraTables.h"

#include <cmath>

namespace camsim {

CameraTables::CameraTables()
{
    // Straight line: entry i stands for input level 16 i; the last entry reaches full scale.
    for (auto& table : lut_) {
        for (int i = 0; i < kLutSize; ++i) table[Idx(i)] = i == kLutSize - 1 ? kLutMax : 16 * i;
    }
    for (int t = 0; t < kShadingTables; ++t) {
        for (int colour = 0; colour < 3; ++colour) {
            for (int i = 0; i < kShadingSize; ++i) shading_[Idx(t)][Idx(colour)][Idx(i)] = DefaultShading(colour, i);
        }
    }
    shadingFlash_ = shading_;
}

int CameraTables::DefaultShading(int colour, int index)
{
    // Correction in 1/4096 steps: negative in the bright centre, positive where the lens darkens.
    const double u = (index - (kShadingSize - 1) / 2.0) / ((kShadingSize - 1) / 2.0);
    const double strength[3] = {600.0, 660.0, 720.0};  // green, red, blue
    return static_cast<int>(std::lround(strength[colour] * u * u - strength[colour] / 3.0));
}

void CameraTables::Recalibrate(int table)
{
    // The measured profile: the lens fall-off plus a little pixel-to-pixel spread of the sensor.
    for (int colour = 0; colour < 3; ++colour) {
        for (int i = 0; i < kShadingSize; ++i) {
            const int spread = (i * 37 + colour * 11 + table * 5) % 9 - 4;
            shading_[Idx(table)][Idx(colour)][Idx(i)] = DefaultShading(colour, i) + spread;
        }
    }
}

}  // namespace camsim
