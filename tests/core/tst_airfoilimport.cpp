// SPDX-License-Identifier: MIT
#include "io/AirfoilImport.h"
#include "support/Contours.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tessaro;

Q_DECLARE_METATYPE(Contour)

namespace {

// n points of a made-up section, one "x y" line each.
QByteArray pointLines(int n) {
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += QByteArray::number(1.0 - double(i) / n) + ' ' + QByteArray::number(i % 7) + '\n';
    return out;
}

} // namespace

class TestAirfoilImport : public QObject {
    Q_OBJECT

  private slots:
    void layouts_data();
    void layouts();
    void refuses_data();
    void refuses();
    void refusesFile_data();
    void refusesFile();
    void realSources();
};

void TestAirfoilImport::layouts_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ImportLayout>("layout");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<Contour>("points");

    const auto row = [](const char *tag, const QByteArray &bytes, ImportLayout layout,
                        const char *title, const Contour &points = {{1, .1}, {0, 0}, {1, -.1}}) {
        QTest::newRow(tag) << bytes << layout << QByteArray(title) << points;
    };
    const ImportLayout selig = ImportLayout::Selig;
    row("CR only", "F\r1 0.1\r0 0\r1 -0.1\r", selig, "F");
    row("BOM, CR LF",
        "\xef\xbb\xbf"
        "F\r\n1 0.1\r\n0 0\r\n1 -0.1\r\n",
        selig, "F");
    row("commas, tabs, spellings", "F\n1.,+.1\n\t0 ,\t0e5 \n 1E0 , -1e-1\n", selig, "F");
    row("blank lines anywhere", "F\n\n \t\n1 0.1\n\n0 0\n\r\n1 -0.1\n\n", selig, "F");
    row("Selig with a count", "F\n\n 3 \n1 0.1\n0 0\n1 -0.1\n", selig, "F");
    row("headerless Selig: title from the file name", "1 0.1\n0 0\n1 -0.1\n", selig, "my.foil");
    row("title: commas, quotes, outer blanks", " \t\"NACA 63,3-418\" ,x \t\n1 0.1\n0 0\n1 -0.1\n",
        selig, "NACA 633-418 x");
    row("whole numbers with two decimals are no counts", "F\n1.0000  0.0000\n2.00 2.00\n1 -0.1\n",
        selig, "F", {{1, 0}, {2, 2}, {1, -.1}});
    row("Lednicer 61.-style counts, shared leading edge kept once",
        "F\n  2.    3.\n\n0 0\n1 0.1\n\n0 0\n0.5 -0.05\n1 -0.1\n", ImportLayout::Lednicer, "F",
        {{1, .1}, {0, 0}, {.5, -.05}, {1, -.1}});
    row("Lednicer 2 2.0, leading edges differ", "F\n2 2.0\n0 0.01\n1 0.1\n0 0\n1 -0.1\n",
        ImportLayout::Lednicer, "F", {{1, .1}, {0, .01}, {0, 0}, {1, -.1}});
    row(".arf, records over lines, title kept as read",
        " \"A, b\" c\r\n3\r\n1\r\n1 0.1 2\r\n0 0 3 1\r\n-0.1", ImportLayout::Arf, "A, b");
    row(".arf of one point", "P\n1\n1 0.5 0.25\n", ImportLayout::Arf, "P", {{.5, .25}});
}

void TestAirfoilImport::layouts() {
    QFETCH(QByteArray, bytes);
    QFETCH(ImportLayout, layout);
    QFETCH(QByteArray, title);
    QFETCH(Contour, points);

    const ImportResult result = importAirfoil(bytes, "my.foil.dat");
    QVERIFY2(result.file, qPrintable(result.error));
    QCOMPARE(result.layout, layout);
    QCOMPARE(result.file->title, title);
    QCOMPARE(pointsOf(*result.file), points);
}

void TestAirfoilImport::refuses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    const auto row = [](const char *tag, const QByteArray &bytes, const QString &reason) {
        QTest::newRow(tag) << bytes << reason;
    };
    const QString notTwo = "line %1 does not hold two numbers: \"%2\"";
    row("no bytes", {}, "the file is empty");
    row("name only", "F\n \n", "it holds no points");
    // A tab is a control byte: quoted as \x09, no longer as a blank.
    row("prose", "Dear all,\nthe foil\tis here\n",
        R"(it is not a coordinate file of a known layout (line 2: "the foil\x09is here"))");
    row("letters after a blank line, trimmed and cut to 40",
        "F\n1 0\n\n 0.5 abc" + QByteArray(40, '7') + " \n",
        notTwo.arg(4).arg("0.5 abc" + QString(33, u'7') + "..."));
    row("two commas", "F\n1 0\r\n1,,0\r\n0 0\n", notTwo.arg(3).arg("1,,0"));
    row("trailing comma, headerless", "1 0\n0 0,\n1 0\n", notTwo.arg(2).arg("0 0,"));
    row("inf is no number", "F\n1 0\ninf 0\n0 0\n", notTwo.arg(3).arg("inf 0"));
    row("overflow", "F\n1 0\n1e400 0\n0 0\n", "line 3 holds a number out of range: \"1e400 0\"");
    row("two points", "F\n1 0\n0 0\n", "it holds only 2 points; at least 3 are needed");
    row("1001 points", "F\n" + pointLines(1001), "it holds more than 1000 points");
    row("Selig count past 10^9, as written", "F\n 00123456789012. \n1 0\n0 0\n1 0\n",
        "line 2 gives 123456789012 points, but 3 follow");
    row("Selig count of one", "F\n\n1\n1 0\n0 0\n1 0\n", "line 3 gives 1 point, but 3 follow");
    row("Lednicer total", "F\n3. 3.\n0 0\n.5 .1\n1 0\n\n0 0\n1 0\n",
        "line 2 gives 3 + 3 points, but 5 follow");
    row("Lednicer, 1000 + 2 points", "F\n1000. 2.\n" + pointLines(1002),
        "it holds more than 1000 points");
    row(".arf count 0", "F\n0\n1 0 0\n",
        "line 2: the point count \"0\" is not a whole number from 1 to 1000");
    row(".arf ends early", "F\n3\n1 1 0\n2 0 0\n", "the file ends before point 3 is complete");
    row(".arf letters", "F\r\n2\r\n1 1 0\r\n2 0 zero\r\n",
        "line 4: \"zero\" is not a number, in point 2");
    row(".arf overflow", "F\n2\n1 1 0\n\n2 -1e999 0\n",
        "line 5: \"-1e999\" is a number out of range, in point 2");
    row(".arf empty field", "F\n2\n1,1,,0\n", "line 3: an empty field before a comma, in point 1");
    row(".arf unclosed quote", "\"F\n2\n1 1 0\n2 0 0\n",
        "the quote that opens the title on line 1 is never closed");
}

void TestAirfoilImport::refuses() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    const ImportResult result = importAirfoil(bytes, "x.dat");
    QVERIFY(!result.file);
    QCOMPARE(result.error, "Cannot import \"x.dat\": " + reason + '.');
}

void TestAirfoilImport::refusesFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");

    for (const auto &[kind, reason] : {std::pair{"missing", "the file does not exist"},
                                       {"folder", "it is a folder"},
                                       {"fifo", "it is not a regular file"},
                                       {"big", "it is larger than 64 MiB"}})
        QTest::newRow(kind) << kind << QString("Cannot import \"e1.dat\": %1.").arg(reason);
    QTest::newRow("device") << "device"
                            << "Cannot import \"null\": it is not a regular file.";
}

void TestAirfoilImport::refusesFile() {
    QFETCH(QString, kind);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QString path = dir.filePath("e1.dat");
    if (kind == "folder")
        QVERIFY(QDir(dir.path()).mkdir("e1.dat"));
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "device")
        path = "/dev/null";
    else if (kind == "big")
        QVERIFY(QFile::resize(writeFile(dir, "e1.dat", "E1\n" + pointLines(5)), (64 << 20) + 1));

    const ImportResult result = importAirfoilFile(path);
    QCOMPARE(result.error, message);
    QVERIFY(!result.file);
}

// Every source file against the .arf that the folder's README pairs it with.
void TestAirfoilImport::realSources() {
    const QDir folder(QStringLiteral(TESSARO_AIRFOILS_DIR));
    const QStringList sources = QDir(folder.filePath("source")).entryList(QDir::Files);
    if (sources.isEmpty())
        QSKIP("the shared airfoil folder is not there");
    QMap<QString, QString> pairs; // source name -> .arf name, from the README's table rows
    for (QByteArray line : readBytes(folder.filePath("README.md")).split('\n')) {
        const QList<QByteArray> cells = line.replace("\\|", "").replace('`', "").split('|');
        if (cells.size() >= 8 && cells[1].trimmed().endsWith(".arf") &&
            !cells[1].contains("_dup_le"))
            pairs[QString::fromUtf8(cells[3].split('/').last().trimmed())] =
                QString::fromUtf8(cells[1].trimmed());
    }
    for (const QString &source : sources) {
        const QString arf = pairs.value(source);
        QVERIFY2(!arf.isEmpty(), qPrintable("the README pairs no .arf with " + source));
        const ImportResult imported = importAirfoilFile(folder.filePath("source/" + source));
        const std::optional<ArfFile> expected = parseArf(readBytes(folder.filePath(arf)));
        QVERIFY2(imported.file, qPrintable(imported.error));
        QVERIFY2(expected, qPrintable(arf));
        QVERIFY2(imported.file->title == expected->title, qPrintable(source));
        QVERIFY2(pointsOf(*imported.file) == pointsOf(*expected), qPrintable(source));
    }
}

QTEST_GUILESS_MAIN(TestAirfoilImport)
#include "tst_airfoilimport.moc"
