// The LUT editor's edit points: the mouse rules, the conversion of a table into points, and the table
// rebuilt from the curve through them.
#include "files/GammaTable.h"
#include "files/LutEditPoints.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Buttons = LutEditPoints::Buttons;

std::vector<std::pair<int, int>> PointsOf(const LutEditPoints& points)
{
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < points.PointCount(); ++i) out.emplace_back(points.Point(i).x, points.Point(i).y);
    return out;
}

GammaTable StraightTable()
{
    GammaTable table(0);
    for (int i = 0; i < GammaTable::kEntries; ++i) table.tableData[static_cast<std::size_t>(i)] = 16 * i;
    return table;
}

// ---- mouse rules ----

struct MouseStep {
    int x;
    int y;
    Buttons buttons;
};

struct MouseCase {
    const char* name;
    std::vector<MouseStep> steps;
    std::vector<std::pair<int, int>> expected;
};

class MouseRules : public ::testing::TestWithParam<MouseCase> {};

TEST_P(MouseRules, GivePoints)
{
    LutEditPoints points;
    for (const MouseStep& step : GetParam().steps) points.OnMouse(step.x, step.y, step.buttons);
    EXPECT_EQ(PointsOf(points), GetParam().expected);
}

const MouseCase kMouseCases[] = {
    {"AddInEmptySpace", {{100, 100, Buttons::Left}}, {{0, 256}, {100, 100}, {256, 0}}},
    {"DragAfterAddMovesTheNewPoint",
     {{100, 100, Buttons::Left}, {110, 120, Buttons::Left}, {130, 125, Buttons::Left}},
     {{0, 256}, {130, 125}, {256, 0}}},
    {"GrabWithin32MovesTheFirstPoint", {{32, 224, Buttons::Left}}, {{32, 224}, {256, 0}}},
    {"Beyond32InXAdds", {{33, 250, Buttons::Left}}, {{0, 256}, {33, 250}, {256, 0}}},
    {"Beyond32InYAdds", {{20, 223, Buttons::Left}}, {{0, 256}, {20, 223}, {256, 0}}},
    {"GrabMovesTheLastPoint", {{230, 30, Buttons::Left}}, {{0, 256}, {230, 30}}},
    {"RightWithin16DeletesAnInnerPoint", {{128, 128, Buttons::Left}, {144, 112, Buttons::Right}}, {{0, 256}, {256, 0}}},
    {"RightBeyond16KeepsIt", {{128, 128, Buttons::Left}, {145, 128, Buttons::Right}}, {{0, 256}, {128, 128}, {256, 0}}},
    {"FirstAndLastCannotBeDeleted", {{0, 256, Buttons::Right}, {256, 0, Buttons::Right}}, {{0, 256}, {256, 0}}},
    {"OutsideTheGraphDoesNothing",
     {{257, 100, Buttons::Left}, {100, -1, Buttons::Left}, {-1, 100, Buttons::Left}, {100, 257, Buttons::Left}},
     {{0, 256}, {256, 0}}},
    // Equal x are never exchanged: the new point stays behind the corner.
    {"EdgesOfTheGraphCount", {{256, 256, Buttons::Left}}, {{0, 256}, {256, 0}, {256, 256}}},
    {"OtherButtonStatesDoNothing", {{100, 100, Buttons::Other}, {100, 100, Buttons::None}}, {{0, 256}, {256, 0}}},
    {"DraggedPastItsNeighbourChangesPlaces",
     {{80, 150, Buttons::Left},
      {170, 60, Buttons::Left},
      {110, 150, Buttons::Left},
      {140, 150, Buttons::Left},
      {170, 150, Buttons::Left},
      {200, 150, Buttons::Left}},
     {{0, 256}, {170, 60}, {200, 150}, {256, 0}}},
    {"DeletingKeepsTheOthersInOrder",
     {{60, 200, Buttons::Left}, {120, 130, Buttons::Left}, {180, 70, Buttons::Left}, {121, 131, Buttons::Right}},
     {{0, 256}, {60, 200}, {180, 70}, {256, 0}}},
};

INSTANTIATE_TEST_SUITE_P(LutEditPoints, MouseRules, ::testing::ValuesIn(kMouseCases),
                         [](const ::testing::TestParamInfo<MouseCase>& tp) { return std::string(tp.param.name); });

TEST(LutEditPoints, FifteenPointsByHandAndNoMore)
{
    LutEditPoints points;
    // 13 inner points 18 pixels apart, alternately high and low: none lands in another's grab square.
    for (int i = 1; i <= 13; ++i) points.OnMouse(18 * i, i % 2 ? 40 : 220, Buttons::Left);
    ASSERT_EQ(points.PointCount(), 15);
    const auto before = PointsOf(points);
    EXPECT_FALSE(points.OnMouse(120, 130, Buttons::Left));  // empty space: the 16th is refused
    EXPECT_EQ(PointsOf(points), before);
    EXPECT_TRUE(points.OnMouse(18, 200, Buttons::Left));  // moving still works
    EXPECT_EQ(points.PointCount(), 15);
    for (int i = 0; i < 15; ++i) EXPECT_TRUE(points.PointValid(i)) << i;
    EXPECT_FALSE(points.PointValid(15));
}

TEST(LutEditPoints, SixteenAfterConversionTakeNoMoreButStillMove)
{
    LutEditPoints points;
    points.ConvertEditable(16, StraightTable());
    ASSERT_EQ(points.PointCount(), 16);
    EXPECT_FALSE(points.OnMouse(40, 10, Buttons::Left));
    EXPECT_EQ(points.PointCount(), 16);
    EXPECT_TRUE(points.OnMouse(20, 230, Buttons::Left));
    EXPECT_EQ(points.Point(1).x, 20);
}

// ---- conversion ----

struct ConvertCase {
    int count;
    std::vector<int> xs;
};

class ConvertEditable : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertEditable, SamplesTheTableAtEvenlySpacedEntriesAndEndsTopRight)
{
    const GammaTable table = StraightTable();
    LutEditPoints points;
    points.ConvertEditable(GetParam().count, table);
    ASSERT_EQ(points.PointCount(), GetParam().count);
    for (int i = 0; i < points.PointCount(); ++i) {
        EXPECT_EQ(points.Point(i).x, GetParam().xs[static_cast<std::size_t>(i)]) << i;
        EXPECT_TRUE(points.PointValid(i));
        if (i < points.PointCount() - 1) {
            EXPECT_EQ(points.Point(i).y, 256 - points.Point(i).x) << i;
        }
    }
    EXPECT_EQ(points.Point(points.PointCount() - 1).y, 0);
}

INSTANTIATE_TEST_SUITE_P(
    LutEditPoints, ConvertEditable,
    ::testing::Values(ConvertCase{8, {0, 36, 73, 109, 146, 182, 219, 256}}, ConvertCase{2, {0, 256}},
                      ConvertCase{3, {0, 128, 256}},
                      ConvertCase{16, {0, 17, 34, 51, 68, 85, 102, 119, 136, 153, 170, 187, 204, 221, 238, 256}}));

TEST(LutEditPoints, ConversionEndsAtTheTopRightWhateverTheLastEntryHeld)
{
    GammaTable table(0);
    table.tableData.fill(800);
    LutEditPoints points;
    points.ConvertEditable(8, table);
    EXPECT_EQ(points.Point(0).y, 256 - 50);
    EXPECT_EQ(points.Point(7).x, 256);
    EXPECT_EQ(points.Point(7).y, 0);
}

// ---- the rebuilt table ----

TEST(LutEditPoints, TwoPointsRebuildTheStraightLine)
{
    LutEditPoints points;
    GammaTable table(1);
    points.ApplyEditPoints(table);
    EXPECT_EQ(table.tableData[0], 0);
    EXPECT_EQ(table.tableData[255], 4095);
    // A sample every 0.002 of the line is 8.2 input levels apart: each entry lies within one step of 16 i.
    for (int i = 1; i < 255; ++i) EXPECT_LE(std::abs(table.tableData[static_cast<std::size_t>(i)] - 16 * i), 9) << i;
}

TEST(LutEditPoints, SixteenPointsKeepTheEnds)
{
    LutEditPoints points;
    points.ConvertEditable(16, StraightTable());
    GammaTable table(2);
    points.ApplyEditPoints(table);
    // The curve starts on the first point and passes through the top right corner: entry 255 (input
    // level 4095, a sixteenth of a pixel before the corner) lies just below the top.
    EXPECT_EQ(table.tableData[0], 0);
    EXPECT_GE(table.tableData[255], 4088);
    for (int i = 1; i < 255; ++i) EXPECT_LE(std::abs(table.tableData[static_cast<std::size_t>(i)] - 16 * i), 9) << i;
}

TEST(LutEditPoints, OvershootIsClampedToTheTwelveBitRange)
{
    LutEditPoints points;
    // A peak near the top right and a dip near the bottom left make the curve leave the graph.
    points.OnMouse(60, 256, Buttons::Left);
    points.OnMouse(100, 0, Buttons::Left);
    points.OnMouse(140, 0, Buttons::Left);
    points.OnMouse(200, 256, Buttons::Left);
    GammaTable table(0);
    points.ApplyEditPoints(table);
    int atTop = 0;
    int atBottom = 0;
    for (int value : table.tableData) {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 4095);
        atTop += value == 4095;
        atBottom += value == 0;
    }
    EXPECT_GT(atTop, 2);
    EXPECT_GT(atBottom, 2);
}

}  // namespace
