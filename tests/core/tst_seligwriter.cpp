// SPDX-License-Identifier: MIT
#include "common/NumberText.h"
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
    void refuses_data();
    void refuses();
    void roundTrip_data();
    void roundTrip();
};

void TestSeligWriter::pointLine_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QByteArray>("line");

    const auto row = [](const char *tag, double x, double y, const char *line) {
        QTest::newRow(tag) << x << y << QByteArray(line);
    };
    row("blank before a positive value", 1.0, 0.00126, " 1.00000000   0.00126000");
    row("tiny negative keeps its minus", 0.5, -0.000000001, " 0.50000000  -0.00000000");
    row("negative zero", -0.0, 0.0, "-0.00000000   0.00000000");
    row("halves away from zero", 0.123456785, -0.123456785, " 0.12345679  -0.12345679");
    row("half of the last decimal", 0.000000005, -0.0000000049999, " 0.00000001  -0.00000000");
    row("carry through nines", 0.999999995, -9.999999995, " 1.00000000  -10.00000000");
    row("on the 15-digit form", 0.1 + 0.2, 1.0000000049999999, " 0.30000000   1.00000001");
    row("eight decimals kept", 0.12345678, 1e20, " 0.12345678   100000000000000000000.00000000");
}

void TestSeligWriter::pointLine() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QByteArray, line);

    PointArray XN{}, YN{};
    XN[1] = x;
    YN[1] = y;
    QCOMPARE(formatSelig("F", 1.0, XN, YN), std::optional<QByteArray>("F\n" + line + '\n'));
}

void TestSeligWriter::wholeFile() {
    PointArray XN{}, YN{};
    XN[1] = 1;
    YN[1] = 0.00126;
    XN[2] = 0.5;
    YN[2] = -0.25;
    XN[3] = 7; // beyond floor(NI)
    QCOMPARE(
        formatSelig("Name\r\nx", 2.7, XN, YN),
        std::optional<QByteArray>("Name  x\n 1.00000000   0.00126000\n 0.50000000  -0.25000000\n"));
    QCOMPARE(formatSelig("Name", std::nullopt, XN, YN), std::optional<QByteArray>("Name\n"));
}

void TestSeligWriter::refuses_data() {
    QTest::addColumn<double>("NI");
    QTest::addColumn<double>("value");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("1001 points") << 1001.0 << 0.5;
    QTest::newRow("count not finite") << inf << 0.5;
    QTest::newRow("count NaN") << std::nan("") << 0.5;
    QTest::newRow("value NaN") << 3.0 << std::nan("");
    QTest::newRow("value infinite") << 3.0 << -inf;
    QTest::newRow("largest double: 15 digits round past it")
        << 3.0 << std::numeric_limits<double>::max();
}

void TestSeligWriter::refuses() {
    QFETCH(double, NI);
    QFETCH(double, value);

    PointArray XN{}, YN{};
    XN.fill(0.5);
    YN.fill(0.5);
    YN[3] = value;
    QCOMPARE(formatSelig("F", NI, XN, YN), std::nullopt);
    QVERIFY(formatSelig("F", 1000.9, XN, PointArray{})); // floor(NI) = 1000 is fine
}

void TestSeligWriter::roundTrip_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("3 points") << 3;
    QTest::newRow("61 points") << 61;
    QTest::newRow("1000 points") << 1000;
}

// What is exported imports back as the same points to eight decimals.
void TestSeligWriter::roundTrip() {
    QFETCH(int, count);

    PointArray XN{}, YN{};
    for (int i = 1; i <= count; ++i) {
        XN[i] = 0.5 + 0.5 * std::cos(i * 6.2831853 / count);
        YN[i] = (i % 5 == 0 ? 1e-9 : 0.06) * std::sin(i * 6.2831853 / count) * (1 + i);
    }
    const std::optional<QByteArray> bytes = formatSelig("Round trip", count, XN, YN);
    QVERIFY(bytes);
    const ImportResult back = importAirfoil(*bytes, "rt.dat");
    QVERIFY2(back.file, qPrintable(back.error));
    QCOMPARE(int(back.layout), int(ImportLayout::Selig));
    QCOMPARE(back.file->title, QByteArray("Round trip"));
    QCOMPARE(back.file->N, count);
    for (int i = 1; i <= count; ++i) {
        QCOMPARE(fixedDecimalForm(back.file->X[i], 8), fixedDecimalForm(XN[i], 8));
        QCOMPARE(fixedDecimalForm(back.file->Y[i], 8), fixedDecimalForm(YN[i], 8));
    }
}

QTEST_GUILESS_MAIN(TestSeligWriter)
#include "tst_seligwriter.moc"
