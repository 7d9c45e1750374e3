// SPDX-License-Identifier: MIT
#pragma once

// The exact Joukowski section of the shared exact-sections folder: z = zeta + 1/zeta on the circle
// zeta = mu + R e^(i phi) through zeta = 1, normalised so that the point farthest from the cusp is
// (0, 0) and the cusp (1, 0). Header only, shared by the tests and the benchmarks.

#include "NacaExact.h"

#include <cmath>
#include <complex>

namespace tessaro::joukowski {

using Complex = std::complex<double>;

class Section {
  public:
    Section() {
        // The nose: where |z - 2| is largest, so d|z - 2|^2 / d phi changes sign; bisected to
        // the last bit, since an error in it moves the whole normalised curve.
        const auto slope = [this](double phi) {
            return std::real(std::conj(mapped(phi) - 2.0) * tangent(phi));
        };
        double a = 3.1;
        double b = 3.3;
        const bool rising = slope(a) > 0;
        for (int step = 0; step < 200; ++step) {
            const double c = 0.5 * (a + b);
            if (c == a || c == b)
                break;
            ((slope(c) > 0) == rising ? a : b) = c;
        }
        phiNose = 0.5 * (a + b);
        zNose = mapped(phiNose);
    }

    // The upper surface is phiEdge() .. phiNose, the lower phiNose .. phiEdge() + 2 pi.
    double phiEdge() const { return std::arg(1.0 - mu); }
    double phiLeadingEdge() const { return phiNose; }

    naca::Point at(double phi) const {
        const Complex z = (mapped(phi) - zNose) / (2.0 - zNose);
        return {z.real(), z.imag()};
    }

    double distance(naca::Point q) const {
        const double pi = 4 * std::atan(1.0);
        return naca::distanceToCurve([this](double phi) { return at(phi); }, phiEdge(),
                                     phiEdge() + 2 * pi, q);
    }

  private:
    Complex zeta(double phi) const { return mu + R * std::polar(1.0, phi); }
    Complex mapped(double phi) const {
        const Complex c = zeta(phi);
        return c + 1.0 / c;
    }
    Complex tangent(double phi) const {
        const Complex c = zeta(phi);
        return (1.0 - 1.0 / (c * c)) * Complex(0, R) * std::polar(1.0, phi);
    }

    Complex mu{-0.1, 0.05};
    double R = std::abs(1.0 - mu);
    double phiNose = 0;
    Complex zNose;
};

} // namespace tessaro::joukowski
