// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <vector>

class QChart;
class QValueAxis;

namespace tessaro {

// Ticks at 1, 2 or 5 times a power of ten, about every 70 pixels, labelled with the digits
// their spacing needs: fixed decimals for ordinary sizes, an exponent for very large or small.
struct TickSpacing {
    double interval = 1;
    QString labelFormat;
};

// For the range min..max (finite, max above min) drawn over this many pixels.
TickSpacing roundTickSpacing(double min, double max, double pixels);

// An axis lays out its ticks as soon as its range changes, with whatever spacing it has: one
// left from a range a billion times narrower lays out billions. So the axis counts its ticks
// while its range changes and gets the spacing for the new range right after. A range that is not
// finite or not wider than zero is not set: false.
bool setRangeTicksFirst(QValueAxis *axis, double min, double max, double pixels);

// Gives the axis the spacing for the range it has.
void roundTicks(QValueAxis *axis, double pixels);

// For a change of range the chart makes itself (a zoom or a pan): while it lives, the chart's
// round-ticked value axes count their ticks instead of spacing them, and at its end they get the
// spacing for their new ranges.
class TickHold {
  public:
    explicit TickHold(QChart *chart);
    ~TickHold();
    TickHold(const TickHold &) = delete;
    TickHold &operator=(const TickHold &) = delete;

  private:
    QChart *chart;
    std::vector<QValueAxis *> held;
};

} // namespace tessaro
