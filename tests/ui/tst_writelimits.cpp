// SPDX-License-Identifier: MIT
// A write that the system stops partway (a full disk, here a file-size limit) through the window's
// Save and through tessaro-batch, each in a child process that runs under the limit.
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/Controls.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "ui/FileBrowser.h"
#include "ui/Form_Main.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>

using namespace tessaro;

namespace {

// Below a result of 161 points (about 3.6 kB), so that the first write is cut short.
void limitFileSize() {
    const rlimit limit{2048, 2048};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN); // EFBIG instead of the end of the process
}

// The child run: loads good.arf, calculates 161 points, saves as name answering Yes to a
// question, and prints the questions and messages.
int saveThroughWindow(const QString &name) {
    MessageRecorder messages;
    QuestionRecorder questions(true);
    Form_Main window;
    findControl<DirectoryList>(&window, "Dir1")->setPath(QDir::currentPath());
    findControl<FileList>(&window, "File1")->setFileName(QStringLiteral("good.arf"));
    emit findControl<FileList>(&window, "File1")->fileChosen();
    findControl<QLineEdit>(&window, "Text_NI")->setText(QStringLiteral("161"));
    findControl<QPushButton>(&window, "Command1")->click();
    findControl<QLineEdit>(&window, "Text_Save")->setText(name);
    findControl<QPushButton>(&window, "Command_Save")->click();
    std::printf("%s\n", qUtf8Printable((questions.texts + messages.texts).join(u'\n')));
    return 0;
}

} // namespace

class tst_WriteLimits : public QObject {
    Q_OBJECT

  private slots:
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
        QTemporaryDir dir;
        writeFile(dir, "good.arf", arfText("Good", nacaSymmetric(61)));
        const QByteArray old("Old\r\n 1 \r\n  1  0.50000  0.00000\r\n");
        if (existing)
            writeFile(dir, "out.arf", old);
        const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);

        const BatchRunResult run =
            window ? runBatchProcess({"--save-as", "out.arf"}, dir.path(), {}, limitFileSize,
                                     QCoreApplication::applicationFilePath())
                   : runBatchProcess({"-n", "161", "-o", "out.arf", "good.arf"}, dir.path(), {},
                                     limitFileSize);
        const QString failure = "Could not save \"out.arf\": File too large\n";
        const QString asked = QStringLiteral("\"%1\" already exists. Replace it?\n");
        QCOMPARE(run.status, window ? 0 : 1);
        QCOMPARE(QString::fromUtf8(window ? run.out : run.err),
                 window ? (existing ? asked.arg(dir.filePath("out.arf")) : QString()) + failure
                        : "good.arf: " + failure + "0 redistributed, 1 refused\n");
        // Nothing cut short took the target's place, and no temporary file stayed behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before);
        QCOMPARE(readBytes(dir.filePath("out.arf")), existing ? old : QByteArray());
    }
};

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (app.arguments().value(1) == u"--save-as")
        return saveThroughWindow(app.arguments().value(2));
    tst_WriteLimits test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_writelimits.moc"
