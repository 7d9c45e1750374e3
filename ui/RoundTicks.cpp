// SPDX-License-Identifier: MIT
#include "ui/RoundTicks.h"

#include <QChart>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace tessaro {

namespace {

constexpr double kPixelsPerTick = 70;

double pixelsAlong(const QChart *chart, const QValueAxis *axis) {
    const QRectF plot = chart->plotArea();
    return axis->orientation() == Qt::Horizontal ? plot.width() : plot.height();
}

void apply(QValueAxis *axis, const TickSpacing &spacing) {
    // Interval first, type last: the axis is never dynamic with a spacing for another range.
    axis->setTickInterval(spacing.interval);
    axis->setTickAnchor(0);
    axis->setLabelFormat(spacing.labelFormat);
    axis->setTickType(QValueAxis::TicksDynamic);
}

bool usable(double min, double max) {
    return std::isfinite(min) && std::isfinite(max) && max > min && std::isfinite(max - min);
}

} // namespace

TickSpacing roundTickSpacing(double min, double max, double pixels) {
    const double rough = (max - min) / std::max(pixels / kPixelsPerTick, 1.0);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough) {
            step = m * power;
            break;
        }
    }
    const int stepDigit = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    const double largest = std::max(std::fabs(min), std::fabs(max));
    if (step >= 1e-6 && largest < 1e7)
        return {step, QStringLiteral("%.%1f").arg(std::max(0, -stepDigit))};
    // Digits after the first that tell neighbouring ticks apart.
    const int lead = static_cast<int>(std::floor(std::log10(std::max(largest, step))));
    return {step, QStringLiteral("%.%1e").arg(std::clamp(lead - stepDigit, 0, 15))};
}

bool setRangeTicksFirst(QValueAxis *axis, double min, double max, double pixels) {
    if (!usable(min, max))
        return false;
    // Counted ticks lay out at once for any range; the spacing follows for the range set.
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setRange(min, max);
    apply(axis, roundTickSpacing(min, max, pixels));
    return true;
}

void roundTicks(QValueAxis *axis, double pixels) {
    if (usable(axis->min(), axis->max()))
        apply(axis, roundTickSpacing(axis->min(), axis->max(), pixels));
    else
        axis->setTickType(QValueAxis::TicksFixed);
}

TickHold::TickHold(QChart *chart) : chart(chart) {
    for (QAbstractAxis *axis : chart->axes()) {
        // Category axes (a kind of value axis) place their own ticks.
        if (axis->type() != QAbstractAxis::AxisTypeValue)
            continue;
        auto *value = static_cast<QValueAxis *>(axis);
        if (value->tickType() == QValueAxis::TicksDynamic) {
            value->setTickType(QValueAxis::TicksFixed);
            held.push_back(value);
        }
    }
}

TickHold::~TickHold() {
    for (QValueAxis *axis : held)
        roundTicks(axis, pixelsAlong(chart, axis));
}

} // namespace tessaro
