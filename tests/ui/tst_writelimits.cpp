// SPDX-License-Identifier: MIT
// A write that the system stops partway (a full disk, here a file-size limit) through the window's
// Save and through tessaro-batch, which runs under the limit in a child process.
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sys/resource.h>

#include <csignal>

// Below a result of 161 points (about 3.6 kB), so that the first write is cut short, and EFBIG
// instead of the end of the process. Returns the limit it lowered.
static rlimit limitFileSize() {
    rlimit was{};
    ::getrlimit(RLIMIT_FSIZE, &was);
    const rlimit limit{2048, was.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);
    return was;
}

class tst_WriteLimits : public QObject {
    Q_OBJECT

    WindowFixture fx;

  private slots:
    void cleanup() { fx.tearDown(); }

    void cutShortLeavesTargetAsItWas_data() {
        QTest::addColumn<bool>("window");
        QTest::addColumn<bool>("existing");
        QTest::newRow("window Save, new file") << true << false;
        QTest::newRow("window Save, existing file") << true << true;
        QTest::newRow("tessaro-batch, new file") << false << false;
        QTest::newRow("tessaro-batch, existing file") << false << true;
    }
    void cutShortLeavesTargetAsItWas() {
        QFETCH(bool, window);
        QFETCH(bool, existing);
        QVERIFY(fx.makeFolder());
        writeFile(*fx.dir, "good.arf", arfText("Good", nacaSymmetric(61)));
        const QByteArray old("Old\r\n 1 \r\n  1  0.50000  0.00000\r\n");
        if (existing)
            writeFile(*fx.dir, "out.arf", old);
        const QStringList before = QDir(fx.path({})).entryList(QDir::Files | QDir::Hidden);
        const QString failure = "Could not save \"out.arf\": File too large";
        if (window) {
            QVERIFY(fx.showWindow());
            fx.openPanel();
            QVERIFY(fx.clickFile("good.arf"));
            fx.child<QLineEdit>("Text_NI")->setText("161");
            QTest::mouseClick(fx.child<QPushButton>("Command1"), Qt::LeftButton);
            fx.child<QLineEdit>("Text_Save")->setText("out.arf");
            MessageRecorder messages;
            QuestionRecorder questions(true);
            const rlimit unlimited = limitFileSize();
            QTest::mouseClick(fx.child<QPushButton>("Command_Save"), Qt::LeftButton);
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
            const QString asked = "\"" + fx.path("out.arf") + "\" already exists. Replace it?";
            QCOMPARE(questions.texts, existing ? QStringList{asked} : QStringList());
            QCOMPARE(messages.texts, QStringList{failure});
        } else {
            const BatchRunResult run = runBatchProcess({"-n", "161", "-o", "out.arf", "good.arf"},
                                                       fx.path({}), {}, [] { limitFileSize(); });
            QCOMPARE(run.status, 1);
            QCOMPARE(QString::fromUtf8(run.err),
                     "good.arf: " + failure + "\n0 redistributed, 1 refused\n");
        }
        // Nothing cut short took the target's place, and no temporary file stayed behind.
        QCOMPARE(QDir(fx.path({})).entryList(QDir::Files | QDir::Hidden), before);
        QCOMPARE(readBytes(fx.path("out.arf")), existing ? old : QByteArray());
    }
};

QTEST_MAIN(tst_WriteLimits)
#include "tst_writelimits.moc"
