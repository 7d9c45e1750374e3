// SPDX-License-Identifier: MIT
#include "ui/CountField.h"

#include "common/NumberText.h"

namespace tessaro {

std::optional<QString> noNewPointRefusal(QStringView typed) {
    const std::optional<double> count = readLeadingNumber(typed);
    if (!count)
        return QStringLiteral("Number of new points is not a number: type a count from 2 to 1000.");
    if (*count >= 1)
        return std::nullopt;
    return QStringLiteral("Number of new points = %1 gives no new point: type a count from 2 to "
                          "1000.")
        .arg(messageNumber(*count, screenDecimalPoint()));
}

} // namespace tessaro
