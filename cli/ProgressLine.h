// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cstdio>

namespace tessaro {

// "[ 812/1617] e387.dat", redrawn in place on a terminal; cleared before any other line goes to
// the stream. Draws nothing when not shown.
class ProgressLine {
  public:
    ProgressLine(std::FILE *stream, bool shown, qsizetype total);

    // Shows the input at index (from 0) by its file name.
    void show(qsizetype index, const QString &input);
    void clear();

  private:
    std::FILE *stream;
    bool shown;
    qsizetype total;
    int width;
    bool drawn = false;
};

} // namespace tessaro
