// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tessaro {

// The refusal of what was typed as the number of new points when it gives no new point (below 1,
// or not a number): a calculation on it would leave nothing a save could write back. Nothing for a
// count of 1 or more, which the calculation judges itself.
std::optional<QString> noNewPointRefusal(QStringView typed);

} // namespace tessaro
