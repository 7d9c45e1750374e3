// SPDX-License-Identifier: MIT
#pragma once

#include <array>

namespace tessaro {

// Points on each side of the point farthest from the trailing edge that the nose polynomial runs
// through; the window is centred so that a symmetric section's nose point is found exactly.
inline constexpr int kNoseHalfWindow = 3;
inline constexpr int kNosePoints = 2 * kNoseHalfWindow + 1;

// One coordinate as a polynomial of the length along the polygon through the window's points:
// the contour is smooth in it through the nose, where it is not a function of x.
class NosePolynomial {
  public:
    // False when two nodes coincide.
    bool build(const std::array<double, kNosePoints> &t, const std::array<double, kNosePoints> &u) {
        nodes = t;
        coefficients = u;
        for (int j = 1; j < kNosePoints; ++j) {
            for (int i = kNosePoints - 1; i >= j; --i) {
                const double dt = nodes[i] - nodes[i - j];
                if (dt == 0)
                    return false;
                coefficients[i] = (coefficients[i] - coefficients[i - 1]) / dt;
            }
        }
        return true;
    }

    // The value and the slope at t.
    void evaluate(double t, double &g, double &dg) const {
        g = coefficients[kNosePoints - 1];
        dg = 0;
        for (int j = kNosePoints - 2; j >= 0; --j) {
            dg = dg * (t - nodes[j]) + g;
            g = g * (t - nodes[j]) + coefficients[j];
        }
    }

    double operator()(double t) const {
        double g = 0, dg = 0;
        evaluate(t, g, dg);
        return g;
    }

  private:
    std::array<double, kNosePoints> nodes{};
    std::array<double, kNosePoints> coefficients{};
};

} // namespace tessaro
