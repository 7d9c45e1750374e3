// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace tessaro {

enum class InterpMethod { None, Lagrange, DivDiff };

inline constexpr int MaxOrder = 100;
// Orders the table is built for, whatever nPoly is.
inline constexpr int DivDiffOrders = 5;
// Angles closer than this are taken as the same point.
inline constexpr double kAngleTolerance = 1e-6;

using WindowArray = std::array<double, MaxOrder + 1>;
using DivDiffTable = std::array<std::array<double, MaxOrder + 1>, MaxIndex + 1>;

// The divided-difference table: zero at start, never cleared, rows 1..N-j of orders 0..5
// rewritten by every build.
DivDiffTable &DD();

// Back to the table of start-up, all zero (a new run of the command-line tool starts from it).
void resetDivDiffTable();

// Value at x of the polynomial of order ws.nPoly through (TetaW(m), YW(m)), m = 0..nPoly.
double Lagrange(const Module_Common &ws, double x, const WindowArray &TetaW, const WindowArray &YW);

// Newton form over Teta(iStart), Teta(iStart + 1), ... with the coefficients of DD.
double DivDiff(const Module_Common &ws, int iStart, double x);

// The dump text: an empty line, then rows 1..10 of i, X, Teta, DD(i, 0..5), CR LF line ends.
QByteArray formatDivDifDump(const Module_Common &ws);

// Fills DD from Y and Teta and writes the dump to dumpPath (none when it is empty). Returns the
// message for the user when a divided difference is not a finite number (DD and the dump then stay
// as they were) or when the dump cannot be written.
std::optional<QString> BuildDivDiffTable(const Module_Common &ws, const QString &dumpPath);

// Gives every new point its y. orderRead is the order field's number, read by the caller at the
// moment of the call. Returns the message that stopped the pass, or nothing when every new point
// got its y.
std::optional<QString> InterpNewPoints(Module_Common &ws, InterpMethod method, double orderRead,
                                       const QString &dumpPath);

} // namespace tessaro
