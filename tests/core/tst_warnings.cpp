// SPDX-License-Identifier: MIT
// The warnings a calculation raises from its facts: which kinds apply, where each begins to, and
// their numbers at six significant digits in the caller's decimal separator.
#include "numerics/Warnings.h"

#include <QtTest>

using namespace tessaro;

Q_DECLARE_METATYPE(tessaro::WarningFacts)

class tst_Warnings : public QObject {
    Q_OBJECT

  private slots:
    void kindsAndThresholds_data() {
        QTest::addColumn<WarningFacts>("facts");
        QTest::addColumn<QChar>("decimalPoint");
        QTest::addColumn<QString>("unchecked");
        QTest::addColumn<QString>("strays");
        const auto facts = [](bool unchecked, double worst) {
            WarningFacts f;
            f.orderCheck = unchecked ? std::nullopt : std::optional(Figure{0.001, 5, 0.5});
            f.orderUnchecked = unchecked;
            f.N = 61;
            f.nPoly = unchecked ? 60 : 3;
            f.worstNewPoint = Figure{worst, 160, 0.99961523};
            return f;
        };
        const QString stray = "New point 160 (x = %1) lies %2 from the polygon through the points "
                              "read, more than 5 % of the chord: the new points stray from the "
                              "section; try a lower order.";
        QTest::newRow("5 % of the chord exactly: no warning")
            << facts(false, StrayDeviation) << QChar('.') << ""
            << "";
        QTest::newRow("just beyond")
            << facts(false, 0.0500001) << QChar('.') << "" << stray.arg("0.999615", "0.0500001");
        QTest::newRow("too few points for the order, far off, decimal comma")
            << facts(true, 4.12743217e8) << QChar(',')
            << "The order check needs at least nPoly + 2 = 62 points and 61 were read: this "
               "result is unchecked."
            << stray.arg("0,999615", "4,12743e+08");
    }
    void kindsAndThresholds() {
        QFETCH(WarningFacts, facts);
        QFETCH(QChar, decimalPoint);
        QFETCH(QString, unchecked);
        QFETCH(QString, strays);
        const CalculationWarnings warnings = calculationWarnings(facts, "advice.", decimalPoint);
        QCOMPARE(warnings.unchecked, unchecked);
        QCOMPARE(warnings.strays, strays);
        QCOMPARE(warnings.list().join(u' '), QStringList({unchecked, strays}).join(u' ').trimmed());
    }
};

QTEST_GUILESS_MAIN(tst_Warnings)
#include "tst_warnings.moc"
