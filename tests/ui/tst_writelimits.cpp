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
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>

using namespace tessaro;

namespace {

// Set in the environment of a child run of this executable: the name the window saves under.
constexpr char kChildSave[] = "TESSARO_TEST_SAVE_AS";

// Well below a result of 161 points (about 3.6 kB), well above the report and anything Qt writes.
constexpr rlim_t kSizeLimit = 2048;

// Runs in the child between fork and exec: a write past the limit then fails with EFBIG instead
// of killing the process.
void limitFileSize() {
    rlimit limit{kSizeLimit, kSizeLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);
}

// The child: loads good.arf from the working directory, calculates 161 points and saves them
// under name as a user would, answering Yes to any question; prints each question and message.
int saveThroughWindow(const QString &name) {
    QLocale::setDefault(QLocale::c());
    MessageRecorder messages;
    QuestionRecorder questions(true);
    Form_Main window;
    window.show();
    findControl<DirectoryList>(&window, "Dir1")->setPath(QDir::currentPath());
    findControl<QAction>(&window, "Mn_Open")->trigger();
    auto *files = findControl<FileList>(&window, "File1");
    files->setFileName(QStringLiteral("good.arf"));
    emit files->fileChosen();
    findControl<QLineEdit>(&window, "Text_NI")->setText(QStringLiteral("161"));
    findControl<QPushButton>(&window, "Command1")->click();
    findControl<QAction>(&window, "Mn_Save")->trigger();
    findControl<QLineEdit>(&window, "Text_Save")->setText(name);
    findControl<QPushButton>(&window, "Command_Save")->click();
    for (const QString &text : questions.texts + messages.texts)
        std::printf("%s\n", qUtf8Printable(text));
    return 0;
}

} // namespace

class tst_WriteLimits : public QObject {
    Q_OBJECT

  private slots:
    void resultCutShortIsNotWritten_data();
    void resultCutShortIsNotWritten();
};

void tst_WriteLimits::resultCutShortIsNotWritten_data() {
    QTest::addColumn<bool>("window");
    QTest::addColumn<bool>("existing");
    QTest::newRow("window Save, new file") << true << false;
    QTest::newRow("window Save, existing file") << true << true;
    QTest::newRow("tessaro-batch, new file") << false << false;
    QTest::newRow("tessaro-batch, existing file") << false << true;
}

void tst_WriteLimits::resultCutShortIsNotWritten() {
    QFETCH(bool, window);
    QFETCH(bool, existing);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir, QStringLiteral("good.arf"), arfText("Good", nacaSymmetric(61)));
    const QByteArray old("Old result\r\n 1 \r\n  1  0.50000  0.00000\r\n");
    if (existing)
        writeFile(dir, QStringLiteral("out.arf"), old);
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const QString failure = QStringLiteral("Could not save \"out.arf\": File too large");

    if (window) {
        QProcess child;
        child.setWorkingDirectory(dir.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kChildSave), QStringLiteral("out.arf"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.setChildProcessModifier(limitFileSize);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QStringList expected{failure};
        if (existing)
            expected.prepend(
                QStringLiteral("\"%1\" already exists. Replace it?").arg(dir.filePath("out.arf")));
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
                 expected);
    } else {
        const BatchRunResult batch = runBatchProcess({"-n", "161", "-o", "out.arf", "good.arf"},
                                                     dir.path(), {}, limitFileSize);
        QCOMPARE(batch.status, 1);
        QCOMPARE(QString::fromUtf8(batch.err),
                 "good.arf: " + failure + "\n0 redistributed, 1 refused\n");
    }
    // Nothing cut short took the target's place, and no temporary file stayed behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    if (existing)
        QCOMPARE(readBytes(dir.filePath("out.arf")), old);
}

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (const QString name = qEnvironmentVariable(kChildSave); !name.isEmpty())
        return saveThroughWindow(name);
    tst_WriteLimits test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_writelimits.moc"
