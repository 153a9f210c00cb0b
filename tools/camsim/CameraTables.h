// The camera's bulk tables: three gamma look-up tables and three user shading tables of three colours.
#pragma once

#include <array>

namespace camsim {

class CameraTables {
public:
    static constexpr int kLutSize = 256;
    static constexpr int kLutMax = 4095;
    static constexpr int kShadingSize = 1024;
    static constexpr int kShadingTables = 3;  // User1..User3 of the shading correction mode

    CameraTables();

    // Colour by the shading selector's numbering: 0 green, 1 red, 2 blue.
    int Lut(int colour, int index) const { return lut_[Idx(colour)][Idx(index)]; }
    void SetLut(int colour, int index, int value) { lut_[Idx(colour)][Idx(index)] = value; }

    // table 0..2 stands for the shading correction mode User1..User3.
    int Shading(int table, int colour, int index) const { return shading_[Idx(table)][Idx(colour)][Idx(index)]; }
    void SetShading(int table, int colour, int index, int value)
    {
        shading_[Idx(table)][Idx(colour)][Idx(index)] = value;
    }

    // A recalibration measures a new profile into the table.
    void Recalibrate(int table);
    // SDDA keeps the working tables in flash; a reset brings the flash copy back.
    void StoreShading() { shadingFlash_ = shading_; }
    void RestoreShading() { shading_ = shadingFlash_; }

    // The profile a shading calibration of an evenly lit target gives: lens fall-off towards the edges,
    // slightly different per colour.
    static int DefaultShading(int colour, int index);

private:
    static std::size_t Idx(int i) { return static_cast<std::size_t>(i); }

    using Shading3 = std::array<std::array<std::array<int, kShadingSize>, 3>, kShadingTables>;
    std::array<std::array<int, kLutSize>, 3> lut_{};
    Shading3 shading_{};
    Shading3 shadingFlash_{};
};

}  // namespace camsim
