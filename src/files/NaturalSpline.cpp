// The natural spline: a tridiagonal solve for the second-order coefficients, the rest from them.
#include "files/NaturalSpline.h"

#include <cmath>

int NaturalSpline::Build(const double* values, int count)
{
    if (!values || count < 2 || count > kMaxValues) return 0;
    n_ = count - 1;
    for (int k = 0; k <= n_; ++k) p0_[k] = values[k];
    p2_[0] = p2_[n_] = 0.0;
    for (int k = 1; k < n_; ++k) p2_[k] = 3.0 * (p0_[k + 1] - 2.0 * p0_[k] + p0_[k - 1]);
    // Unit spacing: 4 on the diagonal, 1 beside it; w holds the sweep's factors.
    double w[kMaxValues + 1] = {};
    w[1] = 0.0;
    for (int k = 1; k < n_; ++k) {
        p2_[k] = (p2_[k] - p2_[k - 1]) / (4.0 - w[k]);
        w[k + 1] = 1.0 / (4.0 - w[k]);
    }
    for (int k = n_ - 1; k >= 1; --k) p2_[k] -= w[k + 1] * p2_[k + 1];
    p1_[n_] = p3_[n_] = 0.0;
    for (int k = 0; k < n_; ++k) {
        p3_[k] = (p2_[k + 1] - p2_[k]) / 3.0;
        p1_[k] = p0_[k + 1] - p0_[k] - p2_[k] - p3_[k];
    }
    return 1;
}

double NaturalSpline::Evaluate(double t) const
{
    if (n_ < 1) return 0.0;
    const double whole = std::floor(t);
    // Compared as doubles first, so a parameter far outside never overflows the conversion.
    const int k = whole >= n_ - 1 ? n_ - 1 : (whole > 0.0 ? static_cast<int>(whole) : 0);
    const double u = t - k;
    return ((p3_[k] * u + p2_[k]) * u + p1_[k]) * u + p0_[k];
}
