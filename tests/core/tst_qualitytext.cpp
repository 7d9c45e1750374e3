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
        QTest::addColumn<QString>("figure");
        QTest::addColumn<QString>("orderCheck");
        const QChar dot = u'.';
        const auto row = [](const char *tag) -> QTestData & { return QTest::newRow(tag); };
        row("rounds up into the next power") << 9.96e-5 << 0.0125 << dot << "1.0E-04"
                                             << "Order check: 1.0E-04 at x = 0.0125";
        row("zero") << 0.0 << 1.0 << dot << "0.0E+00"
                    << "Order check: 0.0E+00 at x = 1.0000";
        // 0.285 and 0.00225 are stored just below the half; their 15-digit forms are the half.
        row("halves of the 15-digit form round away") << 0.285 << 0.00225 << dot << "2.9E-01"
                                                      << "Order check: 2.9E-01 at x = 0.0023";
        row("x carries to one") << 1.25 << 0.99996 << dot << "1.3E+00"
                                << "Order check: 1.3E+00 at x = 1.0000";
        row("comma in both numbers") << 3.01e-2 << 0.95 << QChar(u',') << "3,0E-02"
                                     << "Order check: 3,0E-02 at x = 0,9500";
        row("three-digit exponent") << 1.5e300 << 0.5 << dot << "1.5E+300"
                                    << "Order check: 1.5E+300 at x = 0.5000";
        row("smallest subnormal") << 5e-324 << 0.5 << dot << "4.9E-324"
                                  << "Order check: 4.9E-324 at x = 0.5000";
        row("carry into a two-digit exponent") << 9.96e9 << 0.5 << dot << "1.0E+10"
                                               << "Order check: 1.0E+10 at x = 0.5000";
        row("no figure") << -1.0 << 0.0 << dot << "-1.0E+00"
                         << "Order check: none";
    }
    void texts() {
        QFETCH(double, value);
        QFETCH(double, x);
        QFETCH(QChar, point);
        QFETCH(QString, figure);
        QFETCH(QString, orderCheck);
        const std::optional<Figure> f =
            value < 0 ? std::nullopt : std::optional(Figure{value, 2, x});
        QCOMPARE(twoDigitExponentForm(value, point), figure);
        QCOMPARE(orderCheckText(f, point), orderCheck);
        QCOMPARE(panelFitText(f, point), QString(orderCheck).replace("Order check", "Panel fit"));
    }
};

QTEST_GUILESS_MAIN(TestQualityText)
#include "tst_qualitytext.moc"
