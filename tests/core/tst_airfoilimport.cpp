// SPDX-License-Identifier: MIT
#include "io/AirfoilImport.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tessaro;
using Pts = QList<QPointF>;

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
    void realSources_data();
    void realSources();
};

void TestAirfoilImport::layouts_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("layout");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<Pts>("points");

    const int selig = int(ImportLayout::Selig);
    const int lednicer = int(ImportLayout::Lednicer);
    const Pts three{{1, 0.1}, {0, 0}, {1, -0.1}};
    // Selig files named "F" that hold the three points above.
    const auto plain = [&](const char *tag, const QByteArray &bytes) {
        QTest::newRow(tag) << bytes << selig << QByteArray("F") << three;
    };
    plain("name line, LF", "F\n1 0.1\n0 0\n1 -0.1");
    plain("CR only", "F\r1 0.1\r0 0\r1 -0.1\r");
    plain("BOM, CR LF", "\xef\xbb\xbf"
                        "F\r\n1 0.1\r\n0 0\r\n1 -0.1\r\n");
    plain("commas, tabs, spellings", "F\n1.,+.1\n\t0 ,\t0e5 \n 1E0 , -1e-1\n");
    plain("blank lines anywhere", "F\n\n \t\n1 0.1\n\n0 0\n\r\n1 -0.1\n\n");
    plain("Selig with a count", "F\n\n 3 \n1 0.1\n0 0\n1 -0.1\n");
    QTest::newRow("headerless Selig: title from the file name")
        << QByteArray("1 0.1\n0 0\n1 -0.1\n") << selig << QByteArray("my.foil") << three;
    QTest::newRow("title: commas, quotes, outer blanks")
        << QByteArray(" \t\"NACA 63,3-418\" ,x \t\n1 0.1\n0 0\n1 -0.1\n") << selig
        << QByteArray("NACA 633-418 x") << three;
    QTest::newRow("whole numbers with two decimals are no counts")
        << QByteArray("F\n1.0000  0.0000\n2.00 2.00\n1 -0.1\n") << selig << QByteArray("F")
        << Pts{{1, 0}, {2, 2}, {1, -0.1}};
    QTest::newRow("Lednicer 61.-style counts, shared leading edge kept once")
        << QByteArray("F\n  2.    3.\n\n0 0\n1 0.1\n\n0 0\n0.5 -0.05\n1 -0.1\n") << lednicer
        << QByteArray("F") << Pts{{1, 0.1}, {0, 0}, {0.5, -0.05}, {1, -0.1}};
    QTest::newRow("Lednicer 2 2.0, leading edges differ")
        << QByteArray("F\n2 2.0\n0 0.01\n1 0.1\n0 0\n1 -0.1\n") << lednicer << QByteArray("F")
        << Pts{{1, 0.1}, {0, 0.01}, {0, 0}, {1, -0.1}};
    QTest::newRow(".arf, records over lines, title kept as read")
        << QByteArray(" \"A, b\" c\r\n3\r\n1\r\n1 0.1 2\r\n0 0 3 1\r\n-0.1")
        << int(ImportLayout::Arf) << QByteArray("A, b") << three;
    QTest::newRow(".arf of one point") << QByteArray("P\n1\n1 0.5 0.25\n") << int(ImportLayout::Arf)
                                       << QByteArray("P") << Pts{{0.5, 0.25}};
}

void TestAirfoilImport::layouts() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, layout);
    QFETCH(QByteArray, title);
    QFETCH(Pts, points);

    const ImportResult result = importAirfoil(bytes, "my.foil.dat");
    QVERIFY2(result.file, qPrintable(result.error));
    QCOMPARE(result.error, QString());
    QCOMPARE(int(result.layout), layout);
    QCOMPARE(result.file->title, title);
    QCOMPARE(result.file->N, points.size());
    for (int i = 1; i <= result.file->N; ++i) {
        QCOMPARE(result.file->X[i], points[i - 1].x());
        QCOMPARE(result.file->Y[i], points[i - 1].y());
    }
}

void TestAirfoilImport::refuses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    QTest::newRow("no bytes") << QByteArray() << "the file is empty";
    QTest::newRow("name only") << QByteArray("F\n \n") << "it holds no points";
    QTest::newRow("prose") << QByteArray("Dear all,\nthe foil\tis here\n")
                           << "it is not a coordinate file of a known layout (line 2: "
                              "\"the foil is here\")";
    QTest::newRow("letters in a later line") << QByteArray("F\n1 0\n\n 0.5 abc \n0 0\n")
                                             << "line 4 does not hold two numbers: \"0.5 abc\"";
    QTest::newRow("two commas") << QByteArray("F\n1 0\r\n1,,0\r\n0 0\n")
                                << "line 3 does not hold two numbers: \"1,,0\"";
    QTest::newRow("trailing comma, headerless")
        << QByteArray("1 0\n0 0,\n1 0\n") << "line 2 does not hold two numbers: \"0 0,\"";
    QTest::newRow("inf is no number")
        << QByteArray("F\n1 0\ninf 0\n0 0\n") << "line 3 does not hold two numbers: \"inf 0\"";
    QTest::newRow("long line cut to 40")
        << QByteArray("F\n1 0\n0 0 " + QByteArray(50, '7') + "\n")
        << "line 3 does not hold two numbers: \"0 0 " + QString(36, u'7') + "...\"";
    QTest::newRow("overflow") << QByteArray("F\n1 0\n1e400 0\n0 0\n")
                              << "line 3 holds a number out of range: \"1e400 0\"";
    QTest::newRow("two points") << QByteArray("F\n1 0\n0 0\n")
                                << "it holds only 2 points; at least 3 are needed";
    QTest::newRow("1001 points") << "F\n" + pointLines(1001) << "it holds more than 1000 points";
    QTest::newRow("Selig count too high")
        << QByteArray("F\n4\n1 0\n0 0\n1 0\n") << "line 2 gives 4 points, but 3 follow";
    QTest::newRow("Selig count past 10^9, as written")
        << QByteArray("F\n 00123456789012. \n1 0\n0 0\n1 0\n")
        << "line 2 gives 123456789012 points, but 3 follow";
    QTest::newRow("Selig count of one")
        << QByteArray("F\n\n1\n1 0\n0 0\n1 0\n") << "line 3 gives 1 point, but 3 follow";
    QTest::newRow("Lednicer total") << QByteArray("F\n3. 3.\n0 0\n.5 .1\n1 0\n\n0 0\n1 0\n")
                                    << "line 2 gives 3 + 3 points, but 5 follow";
    QTest::newRow("Lednicer, 1000 + 2 points")
        << "F\n1000. 2.\n" + pointLines(1002) << "it holds more than 1000 points";
    QTest::newRow(".arf count 0") << QByteArray("F\n0\n1 0 0\n")
                                  << "line 2: the point count \"0\" is not a whole number from 1 "
                                     "to 1000";
    QTest::newRow(".arf ends early")
        << QByteArray("F\n3\n1 1 0\n2 0 0\n") << "the file ends before point 3 is complete";
    QTest::newRow(".arf letters") << QByteArray("F\r\n2\r\n1 1 0\r\n2 0 zero\r\n")
                                  << "line 4: \"zero\" is not a number, in point 2";
    QTest::newRow(".arf overflow") << QByteArray("F\n2\n1 1 0\n\n2 -1e999 0\n")
                                   << "line 5: \"-1e999\" is a number out of range, in point 2";
    QTest::newRow(".arf empty field")
        << QByteArray("F\n2\n1,1,,0\n") << "line 3: an empty field before a comma, in point 1";
    QTest::newRow(".arf unclosed quote") << QByteArray("\"F\n2\n1 1 0\n2 0 0\n")
                                         << "the quote that opens the title on line 1 is never "
                                            "closed";
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

    QTest::newRow("missing") << "missing"
                             << "Cannot import \"e1.dat\": the file does not exist.";
    QTest::newRow("folder") << "folder"
                            << "Cannot import \"e1.dat\": it is a folder.";
    QTest::newRow("FIFO") << "fifo"
                          << "Cannot import \"e1.dat\": it is not a regular file.";
    QTest::newRow("device") << "device"
                            << "Cannot import \"null\": it is not a regular file.";
    QTest::newRow("over 64 MiB") << "big"
                                 << "Cannot import \"e1.dat\": it is larger than 64 MiB.";
}

void TestAirfoilImport::refusesFile() {
    QFETCH(QString, kind);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath("e1.dat");
    if (kind == "folder")
        QVERIFY(QDir(dir.path()).mkdir("e1.dat"));
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "device")
        path = "/dev/null";
    else if (kind != "missing")
        writeFile(dir, "e1.dat", "E1\n" + pointLines(5));
    if (kind == "big")
        QVERIFY(QFile::resize(path, qint64(64) * 1024 * 1024 + 1));

    const ImportResult result = importAirfoilFile(path);
    QCOMPARE(result.error, message);
    QVERIFY(!result.file);
}

// Every source file against the .arf that the folder's README pairs it with.
void TestAirfoilImport::realSources_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("arf");

    const QDir folder(QStringLiteral(TESSARO_AIRFOILS_DIR));
    const QStringList sources = QDir(folder.filePath("source")).entryList(QDir::Files);
    QMap<QString, QString> pairs; // source name -> .arf name
    for (QByteArray line : readBytes(folder.filePath("README.md")).split('\n')) {
        const QList<QByteArray> cells = line.replace("\\|", "").split('|');
        if (cells.size() < 8 || !cells[1].trimmed().endsWith(".arf`"))
            continue;
        const QString arf = QString::fromUtf8(cells[1].trimmed()).remove(u'`');
        const QString source = QString::fromUtf8(cells[3].split('/').last()).remove(u'`');
        if (!arf.endsWith("_dup_le.arf"))
            pairs[source.trimmed()] = arf;
    }
    for (const QString &source : sources)
        QTest::newRow(qPrintable(source)) << source << pairs.value(source);
    if (sources.isEmpty())
        QTest::newRow("no shared airfoil folder") << QString() << QString();
}

void TestAirfoilImport::realSources() {
    QFETCH(QString, source);
    QFETCH(QString, arf);
    if (source.isEmpty())
        QSKIP("the shared airfoil folder is not there");
    QVERIFY2(!arf.isEmpty(), "the README pairs no .arf with this source");

    const QDir folder(QStringLiteral(TESSARO_AIRFOILS_DIR));
    const ImportResult imported = importAirfoilFile(folder.filePath("source/" + source));
    const std::optional<ArfFile> expected = parseArf(readBytes(folder.filePath(arf)));
    QVERIFY2(imported.file, qPrintable(imported.error));
    QVERIFY(expected);
    QCOMPARE(imported.file->title, expected->title);
    QCOMPARE(imported.file->N, expected->N);
    for (int i = 1; i <= expected->N; ++i) {
        QCOMPARE(imported.file->X[i], expected->X[i]);
        QCOMPARE(imported.file->Y[i], expected->Y[i]);
    }
}

QTEST_GUILESS_MAIN(TestAirfoilImport)
#include "tst_airfoilimport.moc"
