// A natural cubic spline through evenly spaced values (knots one unit apart), as the LUT editor
// uses it for each coordinate of its edit points.
#pragma once

class NaturalSpline {
public:
    static constexpr int kMaxValues = 101;

    // Fits the spline through values[0..count-1]; 0 (and no change) unless 2 <= count <= kMaxValues.
    int Build(const double* values, int count);
    // The curve at parameter t (the value index as a real number). Beyond either end the first or last
    // interval's cubic continues.
    double Evaluate(double t) const;
    int Intervals() const { return n_; }

private:
    int n_ = 0;
    double p0_[kMaxValues] = {};
    double p1_[kMaxValues] = {};
    double p2_[kMaxValues] = {};
    double p3_[kMaxValues] = {};
};
