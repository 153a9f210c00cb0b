// The LUT editor's edit points over its 256 x 256 graph: the mouse rules that add, move and delete
// them, the conversion of a loaded table into points, and the rebuild of the table from the smooth
// curve through them. Graph pixels: x 0..256 is table entry x, y 0 (top) .. 256 (bottom) is output
// level (256 - y) * 16.
#pragma once

#include <array>

struct GammaTable;

struct EditPoint {
    int x = 0;
    int y = 0;
};

class LutEditPoints {
public:
    static constexpr int kMaxPoints = 16;
    static constexpr int kMaxPointsByHand = 15;
    static constexpr int kGraphSize = 256;  // left 0, top 0, right 256, bottom 256
    static constexpr int kGrabDistance = 32;  // a left drag this near a point moves it
    static constexpr int kDeleteDistance = 16;  // a right click this near an inner point deletes it
    static constexpr int kMaxSamples = 8000;

    enum class Buttons { None, Left, Right, Other };

    LutEditPoints();

    // The two corners (0, 256) and (256, 0): the straight line.
    void Clear();
    // A mouse move (or press) at graph point (gx, gy) with this button state; true when the points
    // changed. Points outside the graph and any button state but a lone left or right button do nothing.
    bool OnMouse(int gx, int gy, Buttons buttons);
    // Samples `count` (2..16) entries of the table at evenly spaced x and ends at the top right corner.
    void ConvertEditable(int count, const GammaTable& table);
    // Rebuilds table.tableData from the smooth curve through the points.
    void ApplyEditPoints(GammaTable& table) const;

    int PointCount() const { return pointCount_; }
    const EditPoint& Point(int index) const { return points_[static_cast<std::size_t>(index)]; }
    bool PointValid(int index) const { return valid_[static_cast<std::size_t>(index)] != 0; }

private:
    void Sort();
    int FindPoint(int gx, int gy, int distance, int first, int last) const;

    std::array<EditPoint, kMaxPoints> points_{};  // sorted by x after every change
    std::array<int, kMaxPoints> valid_{};
    int pointCount_ = 2;
};
