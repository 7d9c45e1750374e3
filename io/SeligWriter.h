// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"

#include <QByteArray>

#include <optional>

namespace tessaro {

// The name line of an export: outTitle, or title when outTitle is empty, or "Airfoil" when both
// are.
QByteArray exportName(const QByteArray &outTitle, const QByteArray &title);

// The bytes of an export in the Selig layout: the name line, then one line per new point
// 1..floor(NI), x and y with eight decimals and '.', each after a blank or its minus sign, two
// blanks between them, LF after every line. Line ends in the name become blanks. Empty when
// floor(NI) is above 1000 or a value is not finite or would not read back. A count below 1 gives
// the name line alone; the caller refuses it with its own message.
std::optional<QByteArray> formatSelig(const QByteArray &name, std::optional<double> NI,
                                      const PointArray &XN, const PointArray &YN);

} // namespace tessaro
