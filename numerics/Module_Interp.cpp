// SPDX-License-Identifier: MIT
#include "numerics/Module_Interp.h"

#include "common/NumberText.h"
#include "io/ArfWriter.h"
#include "numerics/IntervalSearch.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessaro {

namespace {

// nPoly as a loop bound; callers have refused anything but a whole number 0..MaxOrder, the clamp
// only keeps a direct call inside the arrays.
int orderOf(const Module_Common &ws) {
    const double n = ws.nPoly;
    if (!(n >= 0))
        return 0;
    return n >= MaxOrder ? MaxOrder : static_cast<int>(n);
}

int pointCount(const Module_Common &ws) {
    return std::clamp(ws.N, 0, MaxIndex);
}

QString sameAngleMessage(const Module_Common &ws, int a, int b) {
    return QStringLiteral("Points %1 and %2 have the same angle (x = %3), so the interpolation "
                          "would divide by zero: remove one of the two points from the file.")
        .arg(wholeNumberForm(a), wholeNumberForm(b), messageNumber(ws.X[a], screenDecimalPoint()));
}

bool isOrderAcceptable(double nPoly) {
    return nPoly >= 0 && nPoly <= MaxOrder && nPoly == std::floor(nPoly);
}

// First pair (in the table's own order) that would make a divided difference divide by zero.
std::optional<QString> tableSameAngle(const Module_Common &ws) {
    const int N = pointCount(ws);
    for (int j = 1; j <= DivDiffOrders; ++j) {
        for (int i = 1; i <= N - j; ++i) {
            if (ws.Teta[i + j] == ws.Teta[i])
                return sameAngleMessage(ws, i, i + j);
        }
    }
    return std::nullopt;
}

std::optional<QString> windowSameAngle(const Module_Common &ws, int iStart, int nPoly,
                                       const WindowArray &TetaW) {
    for (int a = 0; a <= nPoly; ++a) {
        for (int b = a + 1; b <= nPoly; ++b) {
            if (TetaW[a] == TetaW[b])
                return sameAngleMessage(ws, iStart + a, iStart + b);
        }
    }
    return std::nullopt;
}

} // namespace

DivDiffTable &DD() {
    static DivDiffTable table{};
    return table;
}

void resetDivDiffTable() {
    for (auto &row : DD())
        row.fill(0.0);
}

double Lagrange(const Module_Common &ws, double x, const WindowArray &TetaW,
                const WindowArray &YW) {
    const int nPoly = orderOf(ws);
    double sum = 0;
    for (int j = 0; j <= nPoly; ++j) {
        double L = 1;
        for (int m = 0; m <= nPoly; ++m) {
            if (m != j)
                L = (L * (x - TetaW[m])) / (TetaW[j] - TetaW[m]);
        }
        sum += YW[j] * L;
    }
    return sum;
}

double DivDiff(const Module_Common &ws, const DivDiffTable &dd, int iStart, double x) {
    if (iStart < 0 || iStart > MaxIndex)
        return std::nan("");
    const int nPoly = orderOf(ws);
    double P = dd[iStart][0];
    double w = 1;
    for (int j = 1; j <= nPoly && iStart + j - 1 <= MaxIndex; ++j) {
        w *= (x - ws.Teta[iStart + j - 1]);
        P += dd[iStart][j] * w;
    }
    return P;
}

double DivDiff(const Module_Common &ws, int iStart, double x) {
    return DivDiff(ws, DD(), iStart, x);
}

QByteArray formatDivDifDump(const Module_Common &ws, const DivDiffTable &dd) {
    QByteArray out = "\r\n";
    for (int i = 1; i <= 10; ++i) {
        QString row = QStringLiteral("  ") + wholeNumberForm(i);
        auto add = [&row](double value) {
            row += QStringLiteral("  ");
            row += fiveDecimalForm(value, u'.');
        };
        add(ws.X[i]);
        add(ws.Teta[i]);
        for (int j = 0; j <= DivDiffOrders; ++j)
            add(dd[i][j]);
        out += row.toLatin1();
        out += "\r\n";
    }
    return out;
}

QByteArray formatDivDifDump(const Module_Common &ws) {
    return formatDivDifDump(ws, DD());
}

std::optional<QString> BuildDivDiffTable(const Module_Common &ws, DivDiffTable &dd,
                                         const QString &dumpPath) {
    const int N = pointCount(ws);
    // Built aside first, so a table that overflows is refused before it replaces the kept one.
    std::vector<std::array<double, DivDiffOrders + 1>> rows(static_cast<std::size_t>(N) + 2);
    for (int i = 1; i <= N; ++i)
        rows[i][0] = ws.Y[i];
    // Order j reads order j - 1 of the next row, so each order is finished before the next.
    for (int j = 1; j <= DivDiffOrders; ++j) {
        for (int i = 1; i <= N - j; ++i) {
            rows[i][j] = (rows[i + 1][j - 1] - rows[i][j - 1]) / (ws.Teta[i + j] - ws.Teta[i]);
            if (!std::isfinite(rows[i][j])) {
                return QStringLiteral("The divided differences of points %1 to %2 are not finite "
                                      "numbers: check the file's y values.")
                    .arg(wholeNumberForm(i), wholeNumberForm(i + j));
            }
        }
    }

    for (int i = 1; i <= N; ++i)
        dd[i][0] = rows[i][0];
    for (int j = 1; j <= DivDiffOrders; ++j) {
        for (int i = 1; i <= N - j; ++i)
            dd[i][j] = rows[i][j];
    }

    if (dumpPath.isEmpty())
        return std::nullopt;
    // An existing dump is replaced only once the new one is complete on disk.
    if (auto reason = writeWholeFile(dumpPath, formatDivDifDump(ws, dd)))
        return QStringLiteral("Could not write DivDif.text: ") + *reason;
    return std::nullopt;
}

std::optional<QString> BuildDivDiffTable(const Module_Common &ws, const QString &dumpPath) {
    return BuildDivDiffTable(ws, DD(), dumpPath);
}

std::optional<QString> InterpNewPoints(Module_Common &ws, InterpMethod method, double orderRead,
                                       const QString &dumpPath) {
    return InterpNewPoints(ws, DD(), method, orderRead, dumpPath);
}

std::optional<QString> InterpNewPoints(Module_Common &ws, DivDiffTable &table, InterpMethod method,
                                       double orderRead, const QString &dumpPath) {
    const int N = pointCount(ws);
    if (method != InterpMethod::None) {
        ws.nPoly = orderRead;
        if (ws.nPoly >= N)
            return QStringLiteral("nPoly must be lower then ") + generalForm(N);
        if (!isOrderAcceptable(ws.nPoly)) {
            return QStringLiteral("nPoly = %1 is not a whole number from 0 to 100: type a whole "
                                  "order from 0 to 100.")
                .arg(messageNumber(ws.nPoly, screenDecimalPoint()));
        }
        if (method == InterpMethod::DivDiff) {
            if (auto message = tableSameAngle(ws))
                return message;
            if (auto message = BuildDivDiffTable(ws, table, dumpPath))
                return message;
        }
    }
    const int nPoly = method == InterpMethod::None ? 0 : static_cast<int>(ws.nPoly);

    const auto angle = [&ws](int j) { return ws.Teta[j]; };
    const bool ascending = anglesAscend(angle, N);
    const int count = wholeCount(ws.niValue());
    for (int i = 1; i <= count; ++i) {
        const double TetaNi = ws.TetaN[i];
        const Interval found =
            ascending ? searchAscending(angle, N, TetaNi) : scanIntervals(angle, N, TetaNi);
        const int k = found.k;
        if (found.how == Settled::Not ||
            (found.how == Settled::Between && method == InterpMethod::None)) {
            return QStringLiteral("Interpolation point x = ") +
                   generalForm(ws.XN[i], screenDecimalPoint()) +
                   QStringLiteral(" is not between the given airfoil points");
        }
        if (found.how == Settled::AtLower) {
            ws.YN[i] = ws.Y[k];
            continue;
        }
        if (found.how == Settled::AtUpper) {
            ws.YN[i] = ws.Y[k + 1];
            continue;
        }

        const int iStart = windowStart(k, nPoly, N);

        double value = 0;
        if (method == InterpMethod::Lagrange) {
            WindowArray TetaW{};
            WindowArray YW{};
            for (int m = 0; m <= nPoly; ++m) {
                TetaW[m] = ws.Teta[iStart + m];
                YW[m] = ws.Y[iStart + m];
            }
            if (auto message = windowSameAngle(ws, iStart, nPoly, TetaW))
                return message;
            value = Lagrange(ws, TetaNi, TetaW, YW);
        } else {
            value = DivDiff(ws, table, iStart, TetaNi);
        }
        if (!std::isfinite(value)) {
            return QStringLiteral("The interpolated y of new point %1 (x = %2) is not a finite "
                                  "number: use a lower nPoly or check the file's y values.")
                .arg(wholeNumberForm(i), messageNumber(ws.XN[i], screenDecimalPoint()));
        }
        ws.YN[i] = value;
    }
    return std::nullopt;
}

} // namespace tessaro
