// SPDX-License-Identifier: MIT
#include "numerics/QualityText.h"

#include <QtTest>

using namespace tessaro;

class TestQualityText : public QObject {
    Q_OBJECT

  private slots:
    void texts_data() {
        QTest::addColumn<double>("value"); // negative: no figure
        QTest::addColumn<double>("x");
        QTest::addColumn<QChar>("point");
        QTest::addColumn<QString>("text"); // the order check's; the panel fit's reads the same
        const QChar dot = u'.';
        QTest::newRow("rounds up into the next power")
            << 9.96e-5 << 0.0125 << dot << "1.0E-04 at x = 0.0125";
        QTest::newRow("zero") << 0.0 << 1.0 << dot << "0.0E+00 at x = 1.0000";
        // 0.285 and 0.00225 are stored just below the half; their 15-digit forms are the half.
        QTest::newRow("halves of the 15-digit form round away")
            << 0.285 << 0.00225 << dot << "2.9E-01 at x = 0.0023";
        QTest::newRow("x carries to one") << 1.25 << 0.99996 << dot << "1.3E+00 at x = 1.0000";
        QTest::newRow("comma in both numbers")
            << 3.01e-2 << 0.95 << QChar(u',') << "3,0E-02 at x = 0,9500";
        QTest::newRow("three-digit exponent") << 1.5e300 << 0.5 << dot << "1.5E+300 at x = 0.5000";
        QTest::newRow("smallest subnormal") << 5e-324 << 0.5 << dot << "4.9E-324 at x = 0.5000";
        QTest::newRow("carry into a two-digit exponent")
            << 9.96e9 << 0.5 << dot << "1.0E+10 at x = 0.5000";
        QTest::newRow("no figure") << -1.0 << 0.0 << dot << "none";
    }
    void texts() {
        QFETCH(double, value);
        QFETCH(double, x);
        QFETCH(QChar, point);
        QFETCH(QString, text);
        const std::optional<FigureOfMerit> f =
            value < 0 ? std::nullopt : std::optional(FigureOfMerit{value, 2, x});
        QCOMPARE(orderCheckText(f, point), "Order check: " + text);
        QCOMPARE(panelFitText(f, point), "Panel fit: " + text);
        QCOMPARE(twoDigitExponentForm(value, point),
                 value < 0 ? "-1.0E+00" : text.left(text.indexOf(u' ')));
    }
};

QTEST_GUILESS_MAIN(TestQualityText)
#include "tst_qualitytext.moc"
