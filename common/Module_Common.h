// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cmath>
#include <optional>

namespace tessaro {

// Points live at indices 1..MaxIndex; index 0 is never written or read.
inline constexpr int MaxIndex = 1000;
using PointArray = std::array<double, MaxIndex + 1>;

// The one working set of the running program. Fields keep the domain's own short names.
struct Module_Common {
    double Pi = 0;
    bool FileLoaded = false;
    double Scale = 0;
    double X0 = 0;
    double Y0 = 0;
    int N = 0;
    // Empty until the first load: a save before that writes an empty count line, not "0".
    std::optional<double> NI;
    int iLE = 0;
    PointArray X{};
    PointArray Y{};
    PointArray XN{};
    PointArray YN{};
    PointArray Teta{};
    PointArray TetaN{};
    double nPoly = 0;

    // NI as arithmetic sees it: an unset count is 0.
    double niValue() const { return NI.value_or(0.0); }
};

// Loops "for i = 1 to NI" run over the whole numbers up to floor(NI); never past MaxIndex.
inline int wholeCount(double count) {
    if (!(count >= 1.0))
        return 0;
    return count >= MaxIndex ? MaxIndex : static_cast<int>(std::floor(count));
}

Module_Common &common();

// The section as the reader left it, after the percent-of-chord rule. Each calculation rescales
// (or moves and turns) the working set's X and Y, so every calculation starts again from this
// second store of the section, whatever mode the last one ran in.
struct SectionAsLoaded {
    int N = 0;
    PointArray X{};
    PointArray Y{};
};

// The running program's copy of the section as loaded; set by every load, beside common().
SectionAsLoaded &sectionAsLoaded();

// N, X and Y of ws as they stand.
SectionAsLoaded sectionOf(const Module_Common &ws);

// Start-up of the working set: sets Pi and nothing else.
void startUpCommon();

// Back to the state right after start-up, the section as loaded included (tests use it between
// cases).
void resetCommon();

} // namespace tessaro
