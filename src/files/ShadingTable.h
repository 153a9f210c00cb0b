// The shading correction table as the tool holds it: one value per pixel position for G, R and B.
#pragma once

#include <array>
#include <cstdint>

struct ShadingTable {
    static constexpr int kColours = 3;  // in selector order: 0 G, 1 R, 2 B
    static constexpr int kEntries = 1024;
    static constexpr int kTotal = kColours * kEntries;

    // Zero until the first transfer fills it.
    std::array<std::array<std::int32_t, kEntries>, kColours> values{};

    std::int32_t& At(int colour, int entry)
    {
        return values[static_cast<std::size_t>(colour)][static_cast<std::size_t>(entry)];
    }
    std::int32_t At(int colour, int entry) const
    {
        return values[static_cast<std::size_t>(colour)][static_cast<std::size_t>(entry)];
    }
    // "G", "R", "B" for the selectors 0, 1, 2.
    static const char* ColourName(int colour) { return colour == 0 ? "G" : colour == 1 ? "R" : "B"; }
};
