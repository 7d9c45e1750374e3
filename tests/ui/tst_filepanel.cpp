// SPDX-License-Identifier: MIT
#include "common/Module_Common.h"
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"
#include "support/WorkingSetChecks.h"
#include "ui/AirfoilView.h"
#include "ui/FileBrowser.h"
#include "ui/Form_Main.h"
#include "ui/MessageBoxHandler.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <limits>
#include <memory>

using namespace tessaro;

namespace {

// Everything a failed load or save must leave as it was.
struct Snapshot {
    Module_Common ws;
    QByteArray title, outTitle;
    QImage picture;
};

} // namespace

class tst_FilePanel : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void driveMovesDirectoryAndFileList();
    void unreadableDriveKeepsTheLists();
    void directoryListWalksDownAndUp();
    void fileListShowsArfNamesOnly();
    void clickLoadsAndHidesThePanel();
    void percentFileKeepsCopyAsRead();
    void brokenFileChangesNothing_data();
    void brokenFileChangesNothing();
    void failedLoadBoxIsPlainText();
    void panelRemembersLoadedFile();
    void saveRefusesTheInputFile_data();
    void saveRefusesTheInputFile();
    void saveAndReopen();
    void saveBeforeAnyLoad();
    void saveAsksBeforeReplacing_data();
    void saveAsksBeforeReplacing();
    void failedSaveKeepsExistingFile_data();
    void failedSaveKeepsExistingFile();
    void saveRefusesPointsThatWouldNotReadBack();
    void typedCountSavedAndReopened_data();
    void typedCountSavedAndReopened();

  private:
    template <typename T> T *child(const char *name) { return fx.child<T>(name); }
    void openPanel() { fx.openPanel(); }
    void clickFile(const QString &name);
    void loadGood();
    Snapshot snapshot() {
        return {common(), fx.window->title(), fx.window->outTitle(),
                child<AirfoilView>("Picture_Airfoil")->picture()};
    }

    WindowFixture fx;
};

void tst_FilePanel::initTestCase() {
    QLocale::setDefault(QLocale::c());
}

void tst_FilePanel::init() {
    QVERIFY(fx.makeFolder());
    QDir root(fx.path({}));
    root.mkpath(QStringLiteral("wings/sub"));
    root.mkpath(QStringLiteral("empty"));
    writeFile(*fx.dir, QStringLiteral("wings/good.arf"), arfText("Good wing", nacaSymmetric(21)));
    writeFile(*fx.dir, QStringLiteral("wings/SHOUT.ARF"), arfText("Loud", nacaSymmetric(11)));
    writeFile(*fx.dir, QStringLiteral("wings/notes.txt"), "not a coordinate file");
    writeFile(*fx.dir, QStringLiteral("wings/short.arf"), "Short\r\n 5 \r\n 1 1 0\r\n 2 0 0\r\n");
    writeFile(*fx.dir, QStringLiteral("wings/letters.arf"),
              "Letters\r\n 2 \r\n 1 1 0\r\n 2 x 0\r\n");
    writeFile(*fx.dir, QStringLiteral("wings/toomany.arf"),
              "Many\r\n 1001 \r\n" + QByteArray(" 1 0.5 0\r\n").repeated(1001));
    writeFile(*fx.dir, QStringLiteral("wings/percent.arf"),
              "Percent\r\n 3 \r\n 1 100.0 1.5\r\n 2 0 0\r\n 3 100 -1.5\r\n");
    QVERIFY(fx.showWindow(QStringLiteral("wings")));
}

void tst_FilePanel::cleanup() {
    fx.tearDown();
}

void tst_FilePanel::clickFile(const QString &name) {
    QVERIFY2(fx.clickFile(name), qPrintable(name));
}

void tst_FilePanel::loadGood() {
    openPanel();
    clickFile(QStringLiteral("good.arf"));
    QVERIFY(common().FileLoaded);
}

void tst_FilePanel::driveMovesDirectoryAndFileList() {
    // A second root, as a machine with drive letters would list it.
    auto *drives = child<QComboBox>("Drive1");
    QCOMPARE(drives->itemText(0), QDir::toNativeSeparators(QDir::rootPath()));
    const QString other = fx.path(QStringLiteral("wings"));
    drives->addItem(other);
    drives->setCurrentIndex(drives->count() - 1);
    QCOMPARE(child<DirectoryList>("Dir1")->path(), other);
    QCOMPARE(child<FileList>("File1")->path(), other);
    drives->setCurrentIndex(0);
    QCOMPARE(child<DirectoryList>("Dir1")->path(), QDir::rootPath());
    QCOMPARE(child<FileList>("File1")->path(), QDir::rootPath());
}

void tst_FilePanel::unreadableDriveKeepsTheLists() {
    MessageRecorder messages;
    auto *drives = child<QComboBox>("Drive1");
    const QString before = child<DirectoryList>("Dir1")->path();
    drives->addItem(fx.path(QStringLiteral("no-such-medium")));
    drives->setCurrentIndex(drives->count() - 1);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts.front().contains(QStringLiteral("no-such-medium")));
    QCOMPARE(child<DirectoryList>("Dir1")->path(), before);
    QCOMPARE(child<FileList>("File1")->path(), before);
    QCOMPARE(drives->currentIndex(), 0);
}

void tst_FilePanel::directoryListWalksDownAndUp() {
    auto *dirs = child<DirectoryList>("Dir1");
    const QString wings = fx.path(QStringLiteral("wings"));
    openPanel();
    // Ancestors first, the current folder selected, then its subfolders.
    QCOMPARE(dirs->currentItem()->text().trimmed(), QStringLiteral("wings"));
    QCOMPARE(dirs->item(dirs->count() - 1)->text().trimmed(), QStringLiteral("sub"));
    QCOMPARE(dirs->item(0)->text(), QDir::toNativeSeparators(QDir::rootPath()));

    const auto sub = dirs->findItems(QStringLiteral("sub"), Qt::MatchEndsWith);
    QCOMPARE(sub.size(), 1);
    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {},
                      dirs->visualItemRect(sub.front()).center());
    QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {},
                       dirs->visualItemRect(sub.front()).center());
    QTRY_COMPARE(dirs->path(), wings + QStringLiteral("/sub"));
    QCOMPARE(child<FileList>("File1")->path(), dirs->path());
    QCOMPARE(child<FileList>("File1")->count(), 0);

    // The keyboard opens the selected entry too.
    const auto up = dirs->findItems(QStringLiteral("wings"), Qt::MatchEndsWith);
    dirs->setCurrentItem(up.front());
    QTest::keyClick(dirs, Qt::Key_Return);
    QTRY_COMPARE(dirs->path(), wings);
    QCOMPARE(child<FileList>("File1")->count(), 6);
}

void tst_FilePanel::fileListShowsArfNamesOnly() {
    auto *files = child<FileList>("File1");
    QStringList names;
    for (int i = 0; i < files->count(); ++i)
        names << files->item(i)->text();
    QCOMPARE(names, (QStringList{"good.arf", "letters.arf", "percent.arf", "short.arf", "SHOUT.ARF",
                                 "toomany.arf"}));
    QCOMPARE(files->fileName(), QString());
}

void tst_FilePanel::clickLoadsAndHidesThePanel() {
    MessageRecorder messages;
    openPanel();
    QVERIFY(child<QGroupBox>("Frame3")->isVisible());
    clickFile(QStringLiteral("good.arf"));
    QVERIFY(messages.texts.isEmpty());
    QVERIFY(!child<QGroupBox>("Frame3")->isVisible());
    const Module_Common &ws = common();
    QVERIFY(ws.FileLoaded);
    QCOMPARE(ws.N, 21);
    QCOMPARE(ws.NI, std::optional<double>(21));
    QCOMPARE(ws.X[1], 1.0);
    QCOMPARE(ws.XN[11], 0.0);
    QCOMPARE(ws.Scale, 1.0);
    QCOMPARE(fx.window->title(), QByteArray("Good wing"));
    QCOMPARE(fx.window->outTitle(), QByteArray());
    QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral("Good wing"));
    // The load resets the scale value only; the bar and its text stay.
    QCOMPARE(child<QLineEdit>("Text_Scale")->text(), QStringLiteral("1"));
    const QImage picture = child<AirfoilView>("Picture_Airfoil")->picture();
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            red += picture.pixelColor(x, y) == QColor(255, 0, 0);
    QVERIFY(red > 100);
}

void tst_FilePanel::percentFileKeepsCopyAsRead() {
    openPanel();
    clickFile(QStringLiteral("percent.arf"));
    const Module_Common &ws = common();
    QVERIFY(ws.FileLoaded);
    QCOMPARE(ws.X[1], 1.0);
    QCOMPARE(ws.Y[1], 0.015);
    QCOMPARE(ws.XN[1], 100.0);
    QCOMPARE(ws.YN[1], 1.5);
}

// Changed behaviour: the message of a failed load keeps its text and says why below it, in an
// import's words, quoting at most 40 characters of the file with unsafe bytes as \xNN.
void tst_FilePanel::brokenFileChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // written before the load; none: from init()
    QTest::addColumn<QString>("why");
    const auto row = [](const char *tag, const char *name, const QByteArray &bytes,
                        const QString &why) {
        QTest::newRow(tag) << QString(name) << bytes
                           << QString("Cannot open \"%1\": %2.").arg(name, why);
    };
    row("fewer records than the count", "short.arf", {},
        "the file ends before point 3 is complete");
    row("letters where a number belongs", "letters.arf", {},
        "line 4: \"x\" is not a number, in point 2");
    row("1001 points", "toomany.arf", {},
        "line 2: the point count \"1001\" is not a whole number from 1 to 1000");
    row("file removed after listing", "SHOUT.ARF", {}, "the file does not exist");
    row("empty", "empty.arf", "", "the file is empty");
    row("NaN", "nan.arf", "NaN\r\n 3 \r\n 1 1 0\r\n 2 nan 0\r\n 3 1 0\r\n",
        "line 4: \"nan\" is not a number, in point 2");
    row("2000 points", "big.arf", "Big\r\n 2000 \r\n" + QByteArray(" 1 0.5 0\r\n").repeated(2000),
        "line 2: the point count \"2000\" is not a whole number from 1 to 1000");
    // Markup as written; control bytes escaped, cut after 40 characters.
    row("binary", "binary.arf",
        QByteArray("\x89PNG\r\n<b>\x00\x01\x02\x03\x04\x05\x06\x07\x08\x0b\x1b\x7f\xff</b>\r\n",
                   28),
        R"(line 2: "<b>\x00\x01\x02\x03\x04\x05\x06\x07\x08..." is not a number, in the point count)");
    row("UTF-8, a bad byte and a terminal control", "mixed.arf",
        "Mixed\r\n 1 \r\n 1 \xc3\xa9\xc3\x28\xc2\x9b 0\r\n",
        QString::fromUtf8(R"(line 3: "é\xc3(\xc2\x9b" is not a number, in point 1)"));
}

void tst_FilePanel::brokenFileChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    if (!bytes.isNull())
        writeFile(*fx.dir, "wings/" + name, bytes);
    loadGood();
    // Move the view so a stray redraw would show.
    common().X0 = 0.3;
    const Snapshot before = snapshot();

    MessageRecorder messages;
    openPanel();
    if (name == QStringLiteral("SHOUT.ARF"))
        QVERIFY(QFile::remove(fx.path(QStringLiteral("wings/SHOUT.ARF"))));
    clickFile(name);
    QCOMPARE(messages.texts, QStringList{QString::fromUtf8("Hata oluştu")});
    QCOMPARE(messages.details, QStringList{why});
    QVERIFY(!child<QGroupBox>("Frame3")->isVisible());
    QCOMPARE(child<FileList>("File1")->fileName(), name);
    const Snapshot after = snapshot();
    QVERIFY(sameWorkingSet(after.ws, before.ws));
    QCOMPARE(after.title, before.title);
    QCOMPARE(after.outTitle, before.outTitle);
    QCOMPARE(after.picture, before.picture);
}

// The real box: the reason as informative text, and markup from the file shown as written.
void tst_FilePanel::failedLoadBoxIsPlainText() {
    writeFile(*fx.dir, "wings/markup.arf", "<b>T</b>\r\n <b>2</b> \r\n");
    installMessageBoxHandler();
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (const char *name : {"qt_msgbox_label", "qt_msgbox_informativelabel"}) {
            const auto *label = box->findChild<QLabel *>(name);
            shown << (label && label->textFormat() == Qt::PlainText ? label->text() : "not plain");
        }
        box->accept();
    });
    openPanel();
    clickFile(QStringLiteral("markup.arf"));
    setMessageHandler({});
    setQuestionHandler({});
    QCOMPARE(shown, QStringList({QString::fromUtf8("Hata oluştu"),
                                 R"(Cannot open "markup.arf": line 2: "<b>2</b>" is not a )"
                                 "number, in the point count."}));
}

void tst_FilePanel::panelRemembersLoadedFile() {
    loadGood();
    auto *dirs = child<DirectoryList>("Dir1");
    openPanel();
    QVERIFY(child<QGroupBox>("Frame3")->isVisible());
    QCOMPARE(child<FileList>("File1")->fileName(), QStringLiteral("good.arf"));
    QCOMPARE(dirs->path(), fx.path(QStringLiteral("wings")));
    child<QAction>("Mn_Save")->trigger();
    QVERIFY(child<QGroupBox>("Frame4")->isVisible());
    QCOMPARE(child<QLineEdit>("Text_Save")->text(), QStringLiteral("good.arf"));
}

void tst_FilePanel::saveRefusesTheInputFile_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("suggested name unchanged") << "good.arf";
    QTest::newRow("absolute path of the input") << "@wings/good.arf";
    QTest::newRow("relative path of the input") << "wings/good.arf";
    QTest::newRow("through a dot folder") << "wings/./sub/../good.arf";
}

void tst_FilePanel::saveRefusesTheInputFile() {
    QFETCH(QString, name);
    loadGood();
    if (name.startsWith(u'@'))
        name = fx.path(name.mid(1));
    const QString input = fx.path(QStringLiteral("wings/good.arf"));
    const QByteArray original = readBytes(input);

    MessageRecorder messages;
    child<QAction>("Mn_Save")->trigger();
    child<QLineEdit>("Text_Save")->setText(name);
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    QCOMPARE(messages.texts, QStringList{"Use a different file name then the old one"});
    QVERIFY(child<QGroupBox>("Frame4")->isVisible());
    QCOMPARE(readBytes(input), original);
}

void tst_FilePanel::saveAndReopen() {
    loadGood();
    MessageRecorder messages;
    child<QAction>("Mn_Save")->trigger();
    // Differs in letter case only: a different name.
    child<QLineEdit>("Text_Save")->setText(QStringLiteral("wings/Good.arf"));
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    QVERIFY(messages.texts.isEmpty());
    QVERIFY(!child<QGroupBox>("Frame4")->isVisible());

    const QByteArray saved = readBytes(fx.path(QStringLiteral("wings/Good.arf")));
    QVERIFY(saved.startsWith("\r\n 21 \r\n  1  1.00000  0.00126\r\n"));
    QCOMPARE(saved.count("\r\n"), 23);

    const Module_Common first = common();
    openPanel();
    QCOMPARE(child<FileList>("File1")->count(), 7);
    clickFile(QStringLiteral("Good.arf"));
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(fx.window->title(), QByteArray());
    for (int i = 1; i <= 21; ++i) {
        QVERIFY(std::abs(common().X[i] - first.X[i]) <= 5e-6);
        QVERIFY(std::abs(common().Y[i] - first.Y[i]) <= 5e-6);
    }
}

// Changed behaviour: a save with nothing to write is refused before any name check, and no
// longer writes two empty lines that cannot be read back.
void tst_FilePanel::saveBeforeAnyLoad() {
    MessageRecorder messages;
    child<QAction>("Mn_Save")->trigger();
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    child<QLineEdit>("Text_Save")->setText(QStringLiteral("blank.arf"));
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    QCOMPARE(messages.texts,
             QStringList(2, QStringLiteral("There are no new points to save yet.")));
    QVERIFY(child<QGroupBox>("Frame4")->isVisible());
    QVERIFY(!QFileInfo::exists(fx.path(QStringLiteral("blank.arf"))));
}

void tst_FilePanel::saveAsksBeforeReplacing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("existed");
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("new file: no question") << "wings/new.arf" << false << false;
    QTest::newRow("another file, No: nothing written") << "wings/SHOUT.ARF" << true << false;
    QTest::newRow("another file, Yes: replaced") << "wings/SHOUT.ARF" << true << true;
    QTest::newRow("through a dot folder, No") << "wings/sub/../short.arf" << true << false;
}

void tst_FilePanel::saveAsksBeforeReplacing() {
    QFETCH(QString, name);
    QFETCH(bool, existed);
    QFETCH(bool, answerYes);
    loadGood();
    const QString path = QDir::cleanPath(fx.path(name));
    const QByteArray old = readBytes(path);

    MessageRecorder messages;
    QuestionRecorder questions(answerYes);
    child<QAction>("Mn_Save")->trigger();
    child<QLineEdit>("Text_Save")->setText(name);
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    QCOMPARE(questions.texts,
             existed ? QStringList{QStringLiteral("\"%1\" already exists. Replace it?").arg(path)}
                     : QStringList{});
    QVERIFY(messages.texts.isEmpty());
    const bool written = !existed || answerYes;
    QCOMPARE(child<QGroupBox>("Frame4")->isVisible(), !written);
    if (written)
        QVERIFY(readBytes(path).startsWith("\r\n 21 \r\n  1  1.00000  0.00126\r\n"));
    else
        QCOMPARE(readBytes(path), old);
}

void tst_FilePanel::failedSaveKeepsExistingFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("missing folder") << "nowhere/out.arf"
                                    << "nowhere/out.arf";
    QTest::newRow("folder part is a file") << "wings/notes.txt/out.arf"
                                           << "notes.txt/out.arf";
    QTest::newRow("name of a folder") << "empty"
                                      << "empty";
}

void tst_FilePanel::failedSaveKeepsExistingFile() {
    QFETCH(QString, name);
    QFETCH(QString, reasonPart);
    loadGood();
    const QByteArray notes = readBytes(fx.path(QStringLiteral("wings/notes.txt")));
    const Snapshot before = snapshot();
    MessageRecorder messages;
    child<QAction>("Mn_Save")->trigger();
    child<QLineEdit>("Text_Save")->setText(name);
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.front().startsWith(QStringLiteral("Could not save \"")),
             qPrintable(messages.texts.front()));
    QVERIFY(messages.texts.front().contains(reasonPart));
    QVERIFY(!child<QGroupBox>("Frame4")->isVisible());
    QVERIFY(QFileInfo(fx.path(QStringLiteral("empty"))).isDir());
    QCOMPARE(readBytes(fx.path(QStringLiteral("wings/notes.txt"))), notes);
    QVERIFY(sameWorkingSet(common(), before.ws));
}

void tst_FilePanel::saveRefusesPointsThatWouldNotReadBack() {
    // The largest double loads, but its 15-digit form would round past it and not load again.
    writeFile(*fx.dir, QStringLiteral("wings/huge.arf"),
              "Huge\r\n 3 \r\n 1 1 0\r\n 2 1.7976931348623157e308 0\r\n 3 1 0\r\n");
    openPanel();
    clickFile(QStringLiteral("huge.arf"));
    QVERIFY(common().FileLoaded);
    QCOMPARE(common().XN[2], std::numeric_limits<double>::max());

    const Snapshot before = snapshot();
    MessageRecorder messages;
    child<QAction>("Mn_Save")->trigger();
    child<QLineEdit>("Text_Save")->setText(QStringLiteral("wings/huge_out.arf"));
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    QCOMPARE(messages.texts,
             QStringList{"Could not save \"wings/huge_out.arf\": the new points cannot be written "
                         "(more than 1000, not finite, or too large to read back)."});
    QVERIFY(!QFileInfo::exists(fx.path(QStringLiteral("wings/huge_out.arf"))));
    QVERIFY(sameWorkingSet(common(), before.ws));
}

// Changed behaviour: a count below 1 is refused instead of wiping the result with no new point,
// and the count line holds the point lines written (floor of the count), not the count as typed;
// either way the saved file opens again with as many points as it lists.
void tst_FilePanel::typedCountSavedAndReopened_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal"); // empty: calculated
    QTest::addColumn<int>("points");      // in the saved file; a refusal keeps the first 11
    const QString range = QStringLiteral(": type a count from 2 to 1000.");
    QTest::newRow("letters") << "abc"
                             << "Number of new points is not a number" + range << 11;
    QTest::newRow("zero") << "0"
                          << "Number of new points = 0 gives no new point" + range << 11;
    QTest::newRow("negative") << "-5"
                              << "Number of new points = -5 gives no new point" + range << 11;
    QTest::newRow("1.5 keeps its one point") << "1.5" << QString() << 1;
    QTest::newRow("fraction written as its floor") << "51.7" << QString() << 51;
}

void tst_FilePanel::typedCountSavedAndReopened() {
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QFETCH(int, points);
    loadGood();
    MessageRecorder messages;
    for (const QString &count : {QStringLiteral("11"), typed}) {
        child<QLineEdit>("Text_NI")->setText(count);
        const Snapshot before = snapshot();
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        if (!refusal.isEmpty() && count == typed)
            QVERIFY(sameWorkingSet(common(), before.ws) &&
                    fx.window->outTitle() == before.outTitle);
    }
    QCOMPARE(messages.texts, refusal.isEmpty() ? QStringList() : QStringList{refusal});

    child<QAction>("Mn_Save")->trigger();
    child<QLineEdit>("Text_Save")->setText(QStringLiteral("wings/saved.arf"));
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    const QList<QByteArray> lines =
        readBytes(fx.path(QStringLiteral("wings/saved.arf"))).split('\n');
    QCOMPARE(lines.value(1), ' ' + QByteArray::number(points) + " \r");
    QCOMPARE(lines.size(), points + 3); // and the empty rest after the last CR LF
    openPanel();
    clickFile(QStringLiteral("saved.arf"));
    QCOMPARE(messages.texts.size(), refusal.isEmpty() ? 0 : 1);
    QCOMPARE(common().N, points);
}

QTEST_MAIN(tst_FilePanel)
#include "tst_filepanel.moc"
