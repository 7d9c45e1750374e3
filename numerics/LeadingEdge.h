// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"
#include "numerics/Module_DistrAlongTeta.h"
#include "numerics/NosePolynomial.h"

#include <QString>

#include <optional>

namespace tessaro {

// The tangent search, for sections too small for the smoothness fit, ends once the nose moves
// less than this, in chords.
inline constexpr double kNoseSettled = 1e-13;
inline constexpr int kNoseMaxSteps = 20;
// A nose this close to a point read, in chords, is that point.
inline constexpr double kNoseOnPoint = 1e-9;
// A frame this close to the normalised one, in chords, is left as it is: the smoothness fit finds
// the nose of a section it normalised again within about 1e-12, so a second calculation changes
// nothing.
inline constexpr double kFrameIdentity = 1e-10;

// The similarity that puts a section's nose L at (0, 0) and its trailing edge T at (1, 0).
struct SectionFrame {
    double Lx = 0;
    double Ly = 0;
    double cosA = 1; // direction from L to T
    double sinA = 0;
    double chord = 1; // |T - L| in the file's units
    bool identity = true;

    static SectionFrame between(double Lx, double Ly, double Tx, double Ty);
    // From the file's coordinates into the normalised frame, and back.
    void toNormal(double x, double y, double &u, double &v) const;
    void toFile(double u, double v, double &x, double &y) const;
};

// Where the normalisation left a section: its frame, its first point on the second surface and
// the ends of its two surfaces in the normalised frame.
struct NormalisedSection {
    SectionFrame frame;
    int iLE = 0;
    SurfaceEnds ends;
};

// The refusal of a section that cannot be normalised; leadingEdgeOff tells whether the ordinary
// chord scaling might still serve it.
struct NormaliseRefusal {
    QString message;
    bool leadingEdgeOff = false;
};

// Finds the trailing edge and the true leading edge of the contour X, Y (1..N), moves, turns and
// scales X and Y into the frame where the nose is (0, 0) and the trailing edge (1, 0), and sets
// iLE to the first point at or after the nose. Changes ws only on success.
std::optional<NormaliseRefusal> normaliseAtLeadingEdge(Module_Common &ws,
                                                       NormalisedSection &section);

} // namespace tessaro
