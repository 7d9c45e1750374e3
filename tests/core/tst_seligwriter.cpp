// SPDX-License-Identifier: MIT
#include "io/AirfoilImport.h"
#include "io/SeligWriter.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace tessaro;

class TestSeligWriter : public QObject {
    Q_OBJECT

  private slots:
    void pointLine_data();
    void pointLine();
    void wholeFile();
    void roundTrip();
};

// Every new point holds (0.5, 0.5) but point 1, which holds (x, y); line is its text, or empty
// where the export is refused.
void TestSeligWriter::pointLine_data() {
    QTest::addColumn<double>("NI");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QByteArray>("line");

    const auto row = [](const char *tag, double NI, double x, double y, const char *line) {
        QTest::newRow(tag) << NI << x << y << QByteArray(line);
    };
    const double inf = std::numeric_limits<double>::infinity();
    row("blank before a positive value", 1, 1.0, 0.00126, " 1.00000000   0.00126000");
    row("tiny negative keeps its minus", 1, 0.5, -0.000000001, " 0.50000000  -0.00000000");
    row("negative zero has no sign", 1, -0.0, -0.0, " 0.00000000   0.00000000");
    row("halves away from zero", 1, 0.123456785, -0.123456785, " 0.12345679  -0.12345679");
    row("half of the last decimal", 1, 0.000000005, -0.0000000049999, " 0.00000001  -0.00000000");
    row("carry through nines", 1, 0.999999995, -9.999999995, " 1.00000000  -10.00000000");
    row("on the 15-digit form", 1, 0.1 + 0.2, 1.0000000049999999, " 0.30000000   1.00000001");
    row("eight decimals kept", 1, 0.12345678, 1e20, " 0.12345678   100000000000000000000.00000000");
    row("refused: 1001 points", 1001, 0.5, 0.5, "");
    row("refused: count not finite", inf, 0.5, 0.5, "");
    row("refused: count NaN", std::nan(""), 0.5, 0.5, "");
    row("refused: value NaN", 1, 0.5, std::nan(""), "");
    row("refused: value infinite", 1, -inf, 0.5, "");
    row("refused: largest double, 15 digits round past it", 1, 0.5,
        std::numeric_limits<double>::max(), "");
}

void TestSeligWriter::pointLine() {
    QFETCH(double, NI);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QByteArray, line);

    PointArray XN{}, YN{};
    XN.fill(0.5);
    YN.fill(0.5);
    XN[1] = x;
    YN[1] = y;
    const std::optional<QByteArray> bytes = formatSelig("F", NI, XN, YN);
    QCOMPARE(bytes, line.isEmpty() ? std::nullopt : std::optional<QByteArray>("F\n" + line + '\n'));
}

// Line ends in the name become blanks, points past floor(NI) are left out, no count gives the
// name line alone, and floor(NI) = 1000 is the most.
void TestSeligWriter::wholeFile() {
    PointArray XN{}, YN{};
    XN = {0, 1, 0.5, 7};
    YN = {0, 0.00126, -0.25, 0};
    QCOMPARE(
        formatSelig("Name\r\nx", 2.7, XN, YN),
        std::optional<QByteArray>("Name  x\n 1.00000000   0.00126000\n 0.50000000  -0.25000000\n"));
    QCOMPARE(formatSelig("Name", std::nullopt, XN, YN), std::optional<QByteArray>("Name\n"));
    QCOMPARE(formatSelig("F", 1000.9, XN, YN).value_or("").count('\n'), 1001);
}

// What is exported imports back as the same points to eight decimals: exported again, the bytes
// do not change, but for a tiny negative value written "-0.00000000": it reads back as negative
// zero, which is not negative and is written without a sign.
void TestSeligWriter::roundTrip() {
    for (const int count : {3, 61, 1000}) {
        PointArray XN{}, YN{};
        for (int i = 1; i <= count; ++i) {
            XN[i] = 0.5 + 0.5 * std::cos(i * 6.2831853 / count);
            YN[i] = (i % 5 == 0 ? 1e-9 : 0.06) * std::sin(i * 6.2831853 / count) * (1 + i);
        }
        const std::optional<QByteArray> bytes = formatSelig("Round trip", count, XN, YN);
        const ImportResult back = importAirfoil(bytes.value_or(""), "rt.dat");
        QVERIFY2(back.file, qPrintable(back.error));
        QCOMPARE(back.layout, ImportLayout::Selig);
        QVERIFY(bytes);
        QCOMPARE(formatSelig(back.file->title, back.file->N, back.file->X, back.file->Y),
                 QByteArray(*bytes).replace("-0.00000000", " 0.00000000"));
    }
}

QTEST_GUILESS_MAIN(TestSeligWriter)
#include "tst_seligwriter.moc"
