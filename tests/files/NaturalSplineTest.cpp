// The natural spline: hand-computed values, and the conditions that define it on any input.
#include "files/NaturalSpline.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(NaturalSpline, TwoValuesGiveTheStraightLineAndItsContinuation)
{
    const double values[] = {256.0, 0.0};
    NaturalSpline spline;
    ASSERT_EQ(spline.Build(values, 2), 1);
    for (double t : {-0.5, 0.0, 0.25, 0.5, 1.0, 1.5}) EXPECT_DOUBLE_EQ(spline.Evaluate(t), 256.0 - 256.0 * t) << t;
}

TEST(NaturalSpline, ThreeValuesMatchTheHandComputedCubics)
{
    // 0, 1, 0: second-order coefficient -1.5 at the middle knot, so
    // 1.5u - 0.5u^3 on the first interval and 1 - 1.5u^2 + 0.5u^3 on the second.
    const double values[] = {0.0, 1.0, 0.0};
    NaturalSpline spline;
    ASSERT_EQ(spline.Build(values, 3), 1);
    EXPECT_DOUBLE_EQ(spline.Evaluate(0.5), 0.6875);
    EXPECT_DOUBLE_EQ(spline.Evaluate(1.0), 1.0);
    EXPECT_DOUBLE_EQ(spline.Evaluate(1.5), 0.6875);
    EXPECT_DOUBLE_EQ(spline.Evaluate(2.0), 0.0);
    EXPECT_DOUBLE_EQ(spline.Evaluate(3.0), -1.0);  // the last cubic continues past the end (u = 2)
}

// Any spline the editor builds passes through its values, has continuous first and second derivatives
// at the inner knots and no curvature at the ends.
TEST(NaturalSpline, InterpolatesAndIsSmoothWithNaturalEnds)
{
    const std::vector<std::vector<double>> cases = {
        {0, 200, 30, 256, 5, 120},
        {256, 250, 180, 100, 60, 40, 30, 20, 10, 5, 4, 3, 2, 1, 0, 0},
        {7, 7},
        {0, 36, 73, 109, 146, 182, 219, 256},
    };
    for (const auto& values : cases) {
        NaturalSpline spline;
        ASSERT_EQ(spline.Build(values.data(), static_cast<int>(values.size())), 1);
        const int n = static_cast<int>(values.size()) - 1;
        for (int k = 0; k <= n; ++k) EXPECT_NEAR(spline.Evaluate(k), values[static_cast<std::size_t>(k)], 1e-9);
        // The second derivative is linear on each interval, so its value at a knot from either side is
        // extrapolated exactly from two points inside the interval.
        const double h = 1e-4;
        const double d = 0.01;
        auto second = [&](double t) {
            return (spline.Evaluate(t + h) - 2 * spline.Evaluate(t) + spline.Evaluate(t - h)) / (h * h);
        };
        auto secondFromLeft = [&](double k) { return 2 * second(k - d) - second(k - 2 * d); };
        auto secondFromRight = [&](double k) { return 2 * second(k + d) - second(k + 2 * d); };
        const double e = 1e-6;
        for (int k = 1; k < n; ++k) {
            const double left = (spline.Evaluate(k) - spline.Evaluate(k - e)) / e;
            const double right = (spline.Evaluate(k + e) - spline.Evaluate(k)) / e;
            EXPECT_NEAR(left, right, 5e-3) << k;
            EXPECT_NEAR(secondFromLeft(k), secondFromRight(k), 1e-2) << k;
        }
        EXPECT_NEAR(secondFromRight(0), 0.0, 1e-2);
        EXPECT_NEAR(secondFromLeft(n), 0.0, 1e-2);
    }
}

}  // namespace
