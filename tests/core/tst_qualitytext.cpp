// SPDX-License-Identifier: MIT
#include "numerics/QualityText.h"

#include <QtTest>

#include <limits>

using namespace tessaro;

class TestQualityText : public QObject {
    Q_OBJECT

  private slots:
    void exponentForm_data();
    void exponentForm();
    void figureTexts_data();
    void figureTexts();
};

void TestQualityText::exponentForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("text");
    const QString dot = QStringLiteral(".");
    QTest::newRow("rounds up into the next power") << 9.96e-5 << dot << "1.0E-04";
    QTest::newRow("rounds down") << 2.04e-4 << dot << "2.0E-04";
    QTest::newRow("one") << 1.0 << dot << "1.0E+00";
    QTest::newRow("zero") << 0.0 << dot << "0.0E+00";
    QTest::newRow("negative zero") << -0.0 << dot << "0.0E+00";
    QTest::newRow("exact half rounds away") << 1.25 << dot << "1.3E+00";
    // 0.285 is stored just below the half; its 15-digit form is the half.
    QTest::newRow("half of the 15-digit form rounds away") << 0.285 << dot << "2.9E-01";
    QTest::newRow("carry into two-digit exponent") << 9.96e9 << dot << "1.0E+10";
    QTest::newRow("three-digit exponent") << 1.5e300 << dot << "1.5E+300";
    QTest::newRow("smallest subnormal") << 5e-324 << dot << "4.9E-324";
    QTest::newRow("negative") << -3.14159 << dot << "-3.1E+00";
    QTest::newRow("comma separator") << 2.04e-4 << QStringLiteral(",") << "2,0E-04";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << dot << "NaN";
}

void TestQualityText::exponentForm() {
    QFETCH(double, value);
    QFETCH(QString, point);
    QFETCH(QString, text);
    QCOMPARE(twoDigitExponentForm(value, point.front()), text);
}

void TestQualityText::figureTexts_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("orderCheck");
    QTest::addColumn<QString>("panelFit");
    const QString dot = QStringLiteral(".");
    QTest::newRow("no figure") << false << 0.0 << 0.0 << dot << "Order check: none"
                               << "Panel fit: none";
    QTest::newRow("four decimals of x")
        << true << 1.95e-4 << 0.0125 << dot << "Order check: 2.0E-04 at x = 0.0125"
        << "Panel fit: 2.0E-04 at x = 0.0125";
    QTest::newRow("x half rounds away")
        << true << 8e-5 << 0.00225 << dot << "Order check: 8.0E-05 at x = 0.0023"
        << "Panel fit: 8.0E-05 at x = 0.0023";
    QTest::newRow("x carries to one")
        << true << 0.0 << 0.99996 << dot << "Order check: 0.0E+00 at x = 1.0000"
        << "Panel fit: 0.0E+00 at x = 1.0000";
    QTest::newRow("comma in both numbers")
        << true << 3.01e-2 << 0.95 << QStringLiteral(",") << "Order check: 3,0E-02 at x = 0,9500"
        << "Panel fit: 3,0E-02 at x = 0,9500";
}

void TestQualityText::figureTexts() {
    QFETCH(bool, present);
    QFETCH(double, value);
    QFETCH(double, x);
    QFETCH(QString, point);
    QFETCH(QString, orderCheck);
    QFETCH(QString, panelFit);
    const std::optional<Figure> figure =
        present ? std::optional<Figure>(Figure{value, 3, x}) : std::nullopt;
    QCOMPARE(orderCheckText(figure, point.front()), orderCheck);
    QCOMPARE(panelFitText(figure, point.front()), panelFit);
}

QTEST_GUILESS_MAIN(TestQualityText)
#include "tst_qualitytext.moc"
