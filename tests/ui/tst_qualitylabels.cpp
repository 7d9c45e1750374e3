// SPDX-License-Identifier: MIT
// The order check and the panel fit in the window's labels.
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace tessaro;

class tst_QualityLabels : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { QVERIFY(fx.makeFolder()); }
    void cleanup() {
        fx.tearDown();
        QLocale::setDefault(QLocale::c());
    }

    void placedEmptyWithToolTips();
    void figuresAfterCalculation_data();
    void figuresAfterCalculation();
    void refusalKeepsAndLoadClears();

  private:
    template <typename T> T *child(const char *name) { return fx.child<T>(name); }
    void calculate(const QString &NI, const QString &nPoly) {
        child<QLineEdit>("Text_NI")->setText(NI);
        child<QLineEdit>("Text_nPoly")->setText(nPoly);
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    }
    QStringList texts() {
        return {child<QLabel>("Label6")->text(), child<QLabel>("Label7")->text()};
    }

    WindowFixture fx;
};

void tst_QualityLabels::placedEmptyWithToolTips() {
    QVERIFY(fx.showWindow());
    auto *frame = child<QGroupBox>("Frame6");
    for (const auto &[name, top] : {std::pair{"Label6", 36}, std::pair{"Label7", 56}}) {
        auto *label = child<QLabel>(name);
        QCOMPARE(label->parentWidget(), frame);
        QCOMPARE(label->geometry(), QRect(8, top, 288, 17)); // 120, 540 / 840, 4320, 255 twips
        QCOMPARE(label->text(), QString());
        QVERIFY(label->toolTip().endsWith(QLatin1Char('.')));
        QCOMPARE(label->toolTip().count(QLatin1String(". ")), 0); // one sentence
    }
}

void tst_QualityLabels::figuresAfterCalculation_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("nPoly");
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("goe776, order 3")
        << "goe776.arf"
        << "3" << false
        << QStringList{"Order check: 1.9E-04 at x = 0.0125", "Panel fit: 8.2E-05 at x = 0.0125"};
    QTest::newRow("goe776, order 11, decimal comma")
        << "goe776.arf"
        << "11" << true
        << QStringList{"Order check: 3,0E-02 at x = 0,9500", "Panel fit: 7,6E-05 at x = 0,0125"};
    QTest::newRow("order above the points read: no order check")
        << ""
        << "3" << false << QStringList{"Order check: none", "Panel fit: 0.0E+00 at x = 1.0000"};
}

void tst_QualityLabels::figuresAfterCalculation() {
    QFETCH(QString, file);
    QFETCH(QString, nPoly);
    QFETCH(bool, decimalComma);
    QFETCH(QStringList, expected);
    if (file.isEmpty()) {
        // Four points: order 3 is accepted, but leaving one out leaves too few for it.
        writeFile(*fx.dir, "four.arf", arfText("Four", {{1, 0}, {0, 0}, {0.5, -0.02}, {1, 0}}));
        file = QStringLiteral("four.arf");
    } else {
        const QString shared = QDir(QStringLiteral(TESSARO_AIRFOILS_DIR)).filePath(file);
        if (!QFile::copy(shared, fx.path(file)))
            QSKIP("the shared airfoils are not here");
    }
    if (decimalComma)
        QLocale::setDefault(QLocale(QLocale::German));
    QVERIFY(fx.showWindow());
    fx.openPanel();
    QVERIFY(fx.clickFile(file));
    MessageRecorder messages;
    calculate(QStringLiteral("161"), nPoly);
    QCOMPARE(messages.texts, QStringList());
    QCOMPARE(texts(), expected);
    for (const char *name : {"Label6", "Label7"}) {
        auto *label = child<QLabel>(name);
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <=
                label->contentsRect().width());
    }
}

void tst_QualityLabels::refusalKeepsAndLoadClears() {
    writeFile(*fx.dir, "naca.arf", arfText("NACA", nacaSymmetric(35)));
    QVERIFY(fx.showWindow());
    fx.openPanel();
    QVERIFY(fx.clickFile(QStringLiteral("naca.arf")));
    calculate(QStringLiteral("101"), QStringLiteral("3"));
    const QStringList shown = texts();
    QVERIFY(shown[0].startsWith(QLatin1String("Order check: ")));
    QVERIFY(shown[1].startsWith(QLatin1String("Panel fit: ")));

    MessageRecorder messages;
    calculate(QStringLiteral("101"), QStringLiteral("40"));
    QCOMPARE(messages.texts, QStringList{"nPoly must be lower then 35"});
    QCOMPARE(texts(), shown);

    fx.openPanel();
    QVERIFY(fx.clickFile(QStringLiteral("naca.arf")));
    QCOMPARE(texts(), QStringList({QString(), QString()}));
}

QTEST_MAIN(tst_QualityLabels)
#include "tst_qualitylabels.moc"
