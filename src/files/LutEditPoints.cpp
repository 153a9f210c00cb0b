// The edit points and the rebuild of a gamma table from their spline curve.
#include "files/LutEditPoints.h"

#include "files/GammaTable.h"
#include "files/NaturalSpline.h"

#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {
constexpr double kSampleStep = 0.002;
constexpr int kBottom = LutEditPoints::kGraphSize;
}  // namespace

LutEditPoints::LutEditPoints() { Clear(); }

void LutEditPoints::Clear()
{
    points_[0] = {0, kBottom};
    points_[1] = {kGraphSize, 0};
    valid_.fill(0);
    valid_[0] = valid_[1] = 1;
    pointCount_ = 2;
}

int LutEditPoints::FindPoint(int gx, int gy, int distance, int first, int last) const
{
    for (int i = first; i <= last; ++i) {
        const EditPoint& p = points_[static_cast<std::size_t>(i)];
        if (std::abs(p.x - gx) <= distance && std::abs(p.y - gy) <= distance) return i;
    }
    return -1;
}

bool LutEditPoints::OnMouse(int gx, int gy, Buttons buttons)
{
    if (gx < 0 || gx > kGraphSize || gy < 0 || gy > kGraphSize) return false;
    if (buttons == Buttons::Left) {
        const int found = FindPoint(gx, gy, kGrabDistance, 0, pointCount_ - 1);
        if (found >= 0) {
            points_[static_cast<std::size_t>(found)] = {gx, gy};
        } else if (pointCount_ < kMaxPointsByHand) {
            points_[static_cast<std::size_t>(pointCount_)] = {gx, gy};
            valid_[static_cast<std::size_t>(pointCount_)] = 1;
            ++pointCount_;
        } else {
            return false;
        }
        Sort();
        return true;
    }
    if (buttons == Buttons::Right) {
        // The first and the last point hold the curve's ends and cannot be deleted.
        const int found = FindPoint(gx, gy, kDeleteDistance, 1, pointCount_ - 2);
        if (found < 0) return false;
        valid_[static_cast<std::size_t>(found)] = 0;
        int kept = 0;
        for (int i = 0; i < pointCount_; ++i) {
            if (!valid_[static_cast<std::size_t>(i)]) continue;
            points_[static_cast<std::size_t>(kept)] = points_[static_cast<std::size_t>(i)];
            valid_[static_cast<std::size_t>(kept)] = 1;
            ++kept;
        }
        for (int i = kept; i < kMaxPoints; ++i) valid_[static_cast<std::size_t>(i)] = 0;
        pointCount_ = kept < 2 ? 2 : kept;
        Sort();
        return true;
    }
    return false;
}

void LutEditPoints::Sort()
{
    // An exchange sort that leaves points of equal x where they are.
    for (int i = 0; i < pointCount_; ++i) {
        for (int j = 0; j < pointCount_; ++j) {
            if (points_[static_cast<std::size_t>(i)].x < points_[static_cast<std::size_t>(j)].x) {
                std::swap(points_[static_cast<std::size_t>(i)], points_[static_cast<std::size_t>(j)]);
                std::swap(valid_[static_cast<std::size_t>(i)], valid_[static_cast<std::size_t>(j)]);
            }
        }
    }
}

void LutEditPoints::ConvertEditable(int count, const GammaTable& table)
{
    if (count < 2) count = 2;
    if (count > kMaxPoints) count = kMaxPoints;
    valid_.fill(0);
    const float spans = static_cast<float>(count - 1);
    for (int i = 0; i < count - 1; ++i) {
        const int e = static_cast<int>(static_cast<float>(i) / spans * kGraphSize);
        points_[static_cast<std::size_t>(i)] = {e, kBottom - table.tableData[static_cast<std::size_t>(e)] / 16};
        valid_[static_cast<std::size_t>(i)] = 1;
    }
    points_[static_cast<std::size_t>(count - 1)] = {kGraphSize, 0};
    valid_[static_cast<std::size_t>(count - 1)] = 1;
    pointCount_ = count;
}

void LutEditPoints::ApplyEditPoints(GammaTable& table) const
{
    double xs[kMaxPoints];
    double ys[kMaxPoints];
    for (int i = 0; i < pointCount_; ++i) {
        xs[i] = points_[static_cast<std::size_t>(i)].x;
        ys[i] = points_[static_cast<std::size_t>(i)].y;
    }
    NaturalSpline splineX;
    NaturalSpline splineY;
    splineX.Build(xs, pointCount_);
    splineY.Build(ys, pointCount_);

    // The samples run on to t = pointCount, one interval past the last point: the last cubic continues
    // beyond it. The parameter is accumulated, as the curve has always been sampled.
    thread_local std::vector<double> sampleX;
    thread_local std::vector<double> sampleY;
    sampleX.clear();
    sampleY.clear();
    for (double t = 0.0; t <= pointCount_ && static_cast<int>(sampleX.size()) < kMaxSamples; t += kSampleStep) {
        sampleX.push_back(16.0 * splineX.Evaluate(t));
        sampleY.push_back(splineY.Evaluate(t));
    }

    const std::size_t samples = sampleX.size();
    for (std::size_t i = 0; i < GammaTable::kEntries; ++i) {
        const double level = table.inputLevels[i];
        int best = 999999;
        std::size_t chosen = 0;
        for (std::size_t j = 0; j < samples; ++j) {
            const double distance = std::fabs(level - sampleX[j]);
            // The best distance is kept truncated: the first sample within one level of the entry stays.
            if (best > distance) {
                chosen = j;
                best = static_cast<int>(distance);
            }
        }
        const double y = samples ? sampleY[chosen] : kBottom;
        int value = static_cast<int>(16.0 * (kBottom - y));
        if (value > GammaTable::kMaxLevel) value = GammaTable::kMaxLevel;
        if (value < 0) value = 0;
        table.tableData[i] = value;
    }
}
