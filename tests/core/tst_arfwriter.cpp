// SPDX-License-Identifier: MIT
#include "io/ArfReader.h"
#include "io/ArfWriter.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <cmath>
#include <limits>

using namespace tessaro;

namespace {

struct Points {
    PointArray x{};
    PointArray y{};
};

// A smooth made-up section over all 1000 slots, with values that need rounding.
Points wavyPoints() {
    Points p;
    for (int i = 1; i <= MaxIndex; ++i) {
        p.x[i] = 0.5 + 0.5 * std::cos(i * 0.0062831853);
        p.y[i] = 0.06 * std::sin(i * 0.0062831853) * (1.0 + 1e-7 * i);
    }
    return p;
}

// Restores the working directory however the test ends.
class CurrentDirGuard {
  public:
    CurrentDirGuard() : saved(QDir::currentPath()) {}
    ~CurrentDirGuard() { QDir::setCurrent(saved); }
    CurrentDirGuard(const CurrentDirGuard &) = delete;
    CurrentDirGuard &operator=(const CurrentDirGuard &) = delete;

  private:
    QString saved;
};

} // namespace

class TestArfWriter : public QObject {
    Q_OBJECT

  private slots:
    void threePointExample();
    void countLine_data();
    void countLine();
    void refuses_data();
    void refuses();
    void fiveDecimals_data();
    void fiveDecimals();
    void titleKeptAsBytes();
    void roundTrip();
    void replacesExistingFile();
    void relativePath();
    void failures_data();
    void failures();
    void emptyName();
    void permissionDenied();
    void failsPartway();
    void sameFile_data();
    void sameFile();
};

void TestArfWriter::threePointExample() {
    Points p;
    p.x[1] = 1.0;
    p.y[1] = 0.00126;
    p.x[2] = 0.0;
    p.y[2] = 0.0;
    p.x[3] = 1.0;
    p.y[3] = -0.00126;
    p.x[4] = 0.5; // beyond NI: not written
    const std::optional<QByteArray> bytes = formatArf("Sample - redistributed", 3.0, p.x, p.y);
    QVERIFY(bytes);
    QCOMPARE(*bytes, QByteArray("Sample - redistributed\r\n"
                                " 3 \r\n"
                                "  1  1.00000  0.00126\r\n"
                                "  2  0.00000  0.00000\r\n"
                                "  3  1.00000  -0.00126\r\n"));
}

// Changed behaviour: the count line holds the number of point lines written, floor(NI), no longer
// NI as typed, so that a count such as 51.7 reads back.
void TestArfWriter::countLine_data() {
    QTest::addColumn<std::optional<double>>("NI");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("points");

    QTest::newRow("51") << std::optional<double>(51) << QByteArray(" 51 ") << 51;
    QTest::newRow("51.7: its floor") << std::optional<double>(51.7) << QByteArray(" 51 ") << 51;
    QTest::newRow("1.5: one line") << std::optional<double>(1.5) << QByteArray(" 1 ") << 1;
    QTest::newRow("-5: no line") << std::optional<double>(-5) << QByteArray(" 0 ") << 0;
    QTest::newRow("-0.5: no line") << std::optional<double>(-0.5) << QByteArray(" 0 ") << 0;
    QTest::newRow("0.5: no line") << std::optional<double>(0.5) << QByteArray(" 0 ") << 0;
    QTest::newRow("0") << std::optional<double>(0) << QByteArray(" 0 ") << 0;
    QTest::newRow("1") << std::optional<double>(1) << QByteArray(" 1 ") << 1;
    QTest::newRow("1000") << std::optional<double>(1000) << QByteArray(" 1000 ") << 1000;
    QTest::newRow("1000.9") << std::optional<double>(1000.9) << QByteArray(" 1000 ") << 1000;
    QTest::newRow("unset") << std::optional<double>() << QByteArray() << 0;
}

void TestArfWriter::countLine() {
    QFETCH(std::optional<double>, NI);
    QFETCH(QByteArray, line);
    QFETCH(int, points);

    const Points p = wavyPoints();
    const std::optional<QByteArray> bytes = formatArf("Title", NI, p.x, p.y);
    QVERIFY(bytes);
    QVERIFY(bytes->endsWith("\r\n"));
    QList<QByteArray> lines = bytes->split('\n');
    lines.removeLast();
    QCOMPARE(lines.size(), points + 2);
    for (const QByteArray &l : lines)
        QVERIFY(l.endsWith('\r') && l.count('\r') == 1);
    QCOMPARE(lines[0], QByteArray("Title\r"));
    QCOMPARE(lines[1], line + '\r');
    if (points > 0) {
        QVERIFY(lines[2].startsWith("  1  "));
        QVERIFY(lines.last().startsWith("  " + QByteArray::number(points) + "  "));
    }
}

void TestArfWriter::refuses_data() {
    QTest::addColumn<double>("NI");
    QTest::addColumn<int>("badIndex"); // 0: all points ordinary
    QTest::addColumn<bool>("badY");
    QTest::addColumn<double>("badValue");
    QTest::addColumn<bool>("written");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double largest = std::numeric_limits<double>::max();
    QTest::newRow("NI 1001") << 1001.0 << 0 << false << 0.0 << false;
    QTest::newRow("NI 1e9") << 1e9 << 0 << false << 0.0 << false;
    QTest::newRow("NI infinite") << inf << 0 << false << 0.0 << false;
    QTest::newRow("NI -infinite") << -inf << 0 << false << 0.0 << false;
    QTest::newRow("NI NaN") << nan << 0 << false << 0.0 << false;
    QTest::newRow("NaN x written") << 10.0 << 10 << false << nan << false;
    QTest::newRow("infinite y written") << 10.0 << 1 << true << inf << false;
    QTest::newRow("NaN beyond NI") << 10.0 << 11 << false << nan << true;
    QTest::newRow("infinite y beyond NI") << 10.9 << 11 << true << inf << true;
    // 15 digits of the largest double round up past it: such a file would not load again.
    QTest::newRow("largest double x") << 10.0 << 3 << false << largest << false;
    QTest::newRow("largest double y negative") << 10.0 << 4 << true << -largest << false;
    QTest::newRow("1.79769313486231e308 reads back")
        << 10.0 << 5 << false << 1.79769313486231e308 << true;
}

void TestArfWriter::refuses() {
    QFETCH(double, NI);
    QFETCH(int, badIndex);
    QFETCH(bool, badY);
    QFETCH(double, badValue);
    QFETCH(bool, written);

    Points p = wavyPoints();
    if (badIndex > 0)
        (badY ? p.y : p.x)[badIndex] = badValue;
    const std::optional<QByteArray> bytes = formatArf("T", NI, p.x, p.y);
    QCOMPARE(bool(bytes), written);
    if (bytes && NI == std::floor(NI)) // the reader takes whole counts only
        QVERIFY(parseArf(*bytes));
}

void TestArfWriter::fiveDecimals_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("rounding to zero keeps the sign")
        << -0.000004 << 0.000004 << QByteArray("  1  -0.00000  0.00000");
    QTest::newRow("negative zero has none") << -0.0 << -0.0 << QByteArray("  1  0.00000  0.00000");
}

void TestArfWriter::fiveDecimals() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QByteArray, line);

    PointArray xs{};
    PointArray ys{};
    xs[1] = x;
    ys[1] = y;
    QCOMPARE(formatArf("T", 1.0, xs, ys),
             std::optional<QByteArray>("T\r\n 1 \r\n" + line + "\r\n"));
}

void TestArfWriter::titleKeptAsBytes() {
    const QByteArray title("\xd6\x6c\xe7\x65\x6b \xc3\x96 \x00\x7f", 11);
    const std::optional<QByteArray> bytes = formatArf(title, std::nullopt, {}, {});
    QVERIFY(bytes);
    QCOMPARE(*bytes, title + "\r\n\r\n");
}

void TestArfWriter::roundTrip() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const Points p = wavyPoints();
    const std::optional<QByteArray> bytes = formatArf("Round trip", 1000.0, p.x, p.y);
    QVERIFY(bytes);
    QCOMPARE(bytes->count('\n'), 1002);
    const QString path = dir.filePath("round.arf");
    QCOMPARE(writeWholeFile(path, *bytes), std::optional<QString>());
    QCOMPARE(readBytes(path), *bytes);

    const std::optional<ArfFile> read = readArfFile(path);
    QVERIFY(read);
    QCOMPARE(read->title, QByteArray("Round trip"));
    QCOMPARE(read->N, 1000);
    for (int i = 1; i <= 1000; ++i) {
        QVERIFY(std::fabs(read->X[i] - p.x[i]) <= 5e-6);
        QVERIFY(std::fabs(read->Y[i] - p.y[i]) <= 5e-6);
    }
}

void TestArfWriter::replacesExistingFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = writeFile(dir, "old.arf", QByteArray(5000, 'o'));
    QCOMPARE(writeWholeFile(path, "new\r\n"), std::optional<QString>());
    QCOMPARE(readBytes(path), QByteArray("new\r\n"));
    // Only the file itself is left: no temporary beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.arf"});
}

void TestArfWriter::relativePath() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    CurrentDirGuard guard;
    QVERIFY(QDir::setCurrent(dir.path()));
    QCOMPARE(writeWholeFile("sub/rel.arf", "rel"), std::optional<QString>());
    QCOMPARE(readBytes(dir.filePath("sub/rel.arf")), QByteArray("rel"));
}

void TestArfWriter::failures_data() {
    QTest::addColumn<QString>("name"); // relative to a fresh temporary folder
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing folder") << "no/such/foil.arf"
                                    << "the folder %1/no/such does not exist";
    QTest::newRow("folder is a regular file") << "plain.txt/foil.arf"
                                              << "a part of the path is not a folder";
    QTest::newRow("deeper below a regular file") << "plain.txt/a/foil.arf"
                                                 << "a part of the path is not a folder";
    QTest::newRow("target is a folder") << "folder.arf"
                                        << "it is a folder";
}

void TestArfWriter::failures() {
    QFETCH(QString, name);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray plain("plain bytes\r\n");
    const QByteArray sibling("existing foil\r\n 1 \r\n  1  0.00000  0.00000\r\n");
    writeFile(dir, "plain.txt", plain);
    writeFile(dir, "foil.arf", sibling);
    QVERIFY(QDir(dir.path()).mkdir("folder.arf"));
    writeFile(dir, "folder.arf/inside.arf", sibling);
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);

    const std::optional<QString> result = writeWholeFile(dir.filePath(name), "new bytes");
    if (reason.contains(QStringLiteral("%1")))
        reason = reason.arg(dir.path());
    QCOMPARE(result, std::optional<QString>(reason));

    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QCOMPARE(readBytes(dir.filePath("plain.txt")), plain);
    QCOMPARE(readBytes(dir.filePath("foil.arf")), sibling);
    QVERIFY(QFileInfo(dir.filePath("folder.arf")).isDir());
    QCOMPARE(readBytes(dir.filePath("folder.arf/inside.arf")), sibling);
}

void TestArfWriter::emptyName() {
    QCOMPARE(writeWholeFile(QString(), "x"), std::optional<QString>("no file name was given"));
}

void TestArfWriter::permissionDenied() {
    if (::geteuid() == 0)
        QSKIP("file permissions do not hold for root");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray old("old bytes\r\n");
    const QString path = writeFile(dir, "locked.arf", old);
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const std::optional<QString> result = writeWholeFile(path, "new bytes");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(result, std::optional<QString>("permission denied"));
    QCOMPARE(readBytes(path), old);
}

void TestArfWriter::sameFile_data() {
    QTest::addColumn<QString>("first");  // relative to the working directory (a temp folder)
    QTest::addColumn<QString>("second"); // "@" stands for that folder's absolute path
    QTest::addColumn<bool>("same");

    QTest::newRow("relative and absolute") << "a.arf"
                                           << "@/a.arf" << true;
    QTest::newRow("with dot segments") << "./sub/../a.arf"
                                       << "a.arf" << true;
    QTest::newRow("symlink") << "link.arf"
                             << "@/a.arf" << true;
    QTest::newRow("two files") << "a.arf"
                               << "b.arf" << false;
    QTest::newRow("same bytes, other file") << "a.arf"
                                            << "copy.arf" << false;
    QTest::newRow("one missing") << "a.arf"
                                 << "none.arf" << false;
    QTest::newRow("both missing") << "none.arf"
                                  << "none.arf" << false;
    QTest::newRow("empty names") << ""
                                 << "" << false;
}

void TestArfWriter::sameFile() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir, "a.arf", "a");
    writeFile(dir, "copy.arf", "a");
    writeFile(dir, "b.arf", "b");
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(QFile::link(dir.filePath("a.arf"), dir.filePath("link.arf")));

    CurrentDirGuard guard;
    QVERIFY(QDir::setCurrent(dir.path()));
    second.replace('@', dir.path());
    QCOMPARE(isSameFile(first, second), same);
    QCOMPARE(isSameFile(second, first), same);
}

// A write that fails in the middle (here: the file-size limit, as a full disk would) leaves the
// file that was there untouched and no half-written file beside it.
void TestArfWriter::failsPartway() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray old("old foil\r\n 1 \r\n  1  0.50000  0.00000\r\n");
    const QString path = writeFile(dir, "foil.arf", old);
    const QByteArray large(256 * 1024, 'x');

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::optional<QString> result = writeWholeFile(path, large);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(result.has_value());
    QVERIFY(!result->isEmpty());
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"foil.arf"});
}

QTEST_GUILESS_MAIN(TestArfWriter)
#include "tst_arfwriter.moc"
