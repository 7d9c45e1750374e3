// SPDX-License-Identifier: MIT
// Every file File -> Save writes opens again: the count typed, the count line written, and the
// file read back through the file list.
#include "common/Module_Common.h"
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"
#include "support/WorkingSetChecks.h"

#include <QAction>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace tessaro;

class tst_ReadBack : public QObject {
    Q_OBJECT

    WindowFixture fx;

    template <typename T> T *child(const char *name) const { return fx.child<T>(name); }
    void calculate(const QString &count) {
        child<QLineEdit>("Text_NI")->setText(count);
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() {
        QVERIFY(fx.makeFolder());
        writeFile(*fx.dir, QStringLiteral("foil.arf"), arfText("Foil", nacaSymmetric(41)));
        QVERIFY(fx.showWindow());
    }
    void cleanup() { fx.tearDown(); }

    // Changed behaviour: a count below 1 is refused instead of wiping the result with no new
    // point, and the count line holds the point lines written (floor of the count), not the
    // count as typed. Either way the saved file opens again with as many points as it lists.
    void typedCountSavedAndReopened_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal"); // empty: calculated
        QTest::addColumn<int>("points");      // in the saved file
        const QString notANumber =
            QStringLiteral("Number of new points is not a number: type a count from 2 to 1000.");
        const auto noPoint = [](const char *count) {
            return QStringLiteral("Number of new points = %1 gives no new point: type a count "
                                  "from 2 to 1000.")
                .arg(QLatin1String(count));
        };
        // Each row calculates 21 points first: a refusal keeps them.
        QTest::newRow("letters") << "abc" << notANumber << 21;
        QTest::newRow("empty") << "" << notANumber << 21;
        QTest::newRow("zero") << "0" << noPoint("0") << 21;
        QTest::newRow("negative") << "-5" << noPoint("-5") << 21;
        QTest::newRow("below 1") << "0.999" << noPoint("0.999") << 21;
        QTest::newRow("1.5 keeps its one point") << "1.5" << QString() << 1;
        QTest::newRow("fraction written as its floor") << "51.7" << QString() << 51;
        QTest::newRow("whole count") << "51" << QString() << 51;
    }
    void typedCountSavedAndReopened() {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(int, points);
        fx.openPanel();
        QVERIFY(fx.clickFile(QStringLiteral("foil.arf")));
        MessageRecorder messages;
        calculate(QStringLiteral("21"));
        const Module_Common before = common();
        const QByteArray outTitle = fx.window->outTitle();
        calculate(typed);
        QCOMPARE(messages.texts, refusal.isEmpty() ? QStringList() : QStringList{refusal});
        if (!refusal.isEmpty()) {
            QVERIFY(sameWorkingSet(common(), before));
            QCOMPARE(fx.window->outTitle(), outTitle);
        }

        child<QAction>("Mn_Save")->trigger();
        child<QLineEdit>("Text_Save")->setText(QStringLiteral("saved.arf"));
        QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
        QCOMPARE(messages.texts.size(), refusal.isEmpty() ? 0 : 1);
        const QList<QByteArray> lines = readBytes(fx.path(QStringLiteral("saved.arf"))).split('\n');
        QCOMPARE(lines.value(1), ' ' + QByteArray::number(points) + " \r");
        QCOMPARE(lines.size(), points + 3); // and the empty rest after the last CR LF

        fx.openPanel();
        QVERIFY(fx.clickFile(QStringLiteral("saved.arf")));
        QCOMPARE(messages.texts.size(), refusal.isEmpty() ? 0 : 1);
        QCOMPARE(common().N, points);
        QCOMPARE(fx.window->title(), QByteArray("Foil - redistributed"));
    }
};

QTEST_MAIN(tst_ReadBack)
#include "tst_readback.moc"
