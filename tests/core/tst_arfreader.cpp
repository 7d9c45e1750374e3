// SPDX-License-Identifier: MIT
#include "common/NumberText.h"
#include "io/ArfReader.h"
#include "io/ArfWriter.h"
#include "support/TempDir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cmath>

using namespace tessaro;

namespace {

// A well-formed file with points (i / n, -i / n) for i = 1..n, CR LF line ends.
QByteArray makeFile(int declared, int records, const QByteArray &title = "T") {
    QByteArray out = title + "\r\n " + QByteArray::number(declared) + " \r\n";
    for (int i = 1; i <= records; ++i) {
        out += "  " + QByteArray::number(i) + "  " +
               QByteArray::number(double(i) / records, 'g', 17) + "  " +
               QByteArray::number(-double(i) / records, 'g', 17) + "\r\n";
    }
    return out;
}

// The file's own number text rounded to five decimals, halves away from zero, done on the
// digits so that it does not share any code with the writer. A minus sign stays for a negative
// value, even one that rounds to zero; a spelt negative zero ("-0.00000") loses it.
QByteArray roundText(QByteArray text) {
    QByteArray sign;
    if (text.startsWith('-') || text.startsWith('+')) {
        if (text[0] == '-')
            sign = "-";
        text.remove(0, 1);
    }
    const qsizetype point = text.indexOf('.');
    QByteArray whole = point < 0 ? text : text.left(point);
    QByteArray fraction = point < 0 ? QByteArray() : text.mid(point + 1);
    if (whole.isEmpty())
        whole = "0";
    if (QByteArray(whole + fraction).count('0') == whole.size() + fraction.size())
        sign.clear();
    fraction += QByteArray(6, '0');
    QByteArray digits = whole + fraction.left(5);
    if (fraction[5] >= '5') {
        qsizetype k = digits.size() - 1;
        while (k >= 0 && digits[k] == '9')
            digits[k--] = '0';
        if (k >= 0)
            ++digits[k];
        else
            digits.prepend('1');
    }
    QByteArray intPart = digits.left(digits.size() - 5);
    while (intPart.size() > 1 && intPart.startsWith('0'))
        intPart.remove(0, 1);
    return sign + intPart + '.' + digits.right(5);
}

} // namespace

class TestArfReader : public QObject {
    Q_OBJECT

  private slots:
    void parsesLayouts_data();
    void parsesLayouts();
    void rejects_data();
    void rejects();
    void numberForms_data();
    void numberForms();
    void counts_data();
    void counts();
    void titleBytes_data();
    void titleBytes();
    void everyPrefix();
    void longInputsAreLinear_data();
    void longInputsAreLinear();
    void percentRule_data();
    void percentRule();
    void shorterFileKeepsSurplus();
    void readFile_data();
    void readFile();
    void readFileSizeLimit();
    void realFiles();
};

void TestArfReader::parsesLayouts_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QList<double>>("ys");

    const QList<double> xs{1.0, 0.0, 1.0};
    const QList<double> ys{0.5, 0.0, -0.5};
    QTest::newRow("CR LF") << QByteArray(
                                  "Foil\r\n 3 \r\n  1  1  0.5\r\n  2  0  0\r\n  3  1  -0.5\r\n")
                           << QByteArray("Foil") << xs << ys;
    QTest::newRow("LF only") << QByteArray("Foil\n 3 \n  1  1  0.5\n  2  0  0\n  3  1  -0.5\n")
                             << QByteArray("Foil") << xs << ys;
    QTest::newRow("CR only") << QByteArray("Foil\r 3 \r  1  1  0.5\r  2  0  0\r  3  1  -0.5\r")
                             << QByteArray("Foil") << xs << ys;
    QTest::newRow("mixed line ends")
        << QByteArray("Foil\r3\n1 1 0.5\r\r\n2 0 0\n\r3 1 -0.5") << QByteArray("Foil") << xs << ys;
    QTest::newRow("blank runs and tabs")
        << QByteArray("\t Foil\t\r\n\t3\t\r\n1 \t 1\t\t0.5   \r\n\t2 0 0\r\n3    1 -0.5")
        << QByteArray("Foil\t") << xs << ys;
    QTest::newRow("commas") << QByteArray("Foil\r\n3\r\n1,1,0.5\r\n2 , 0 ,0\r\n3,1 , -0.5,\r\n")
                            << QByteArray("Foil") << xs << ys;
    QTest::newRow("comma before line end")
        << QByteArray("Foil\r\n3,\r\n1,1,\r\n0.5,\r\n2,0,0\r\n3,1,-0.5") << QByteArray("Foil") << xs
        << ys;
    QTest::newRow("records across lines")
        << QByteArray("Foil\r\n3\r\n1\r\n1\r\n0.5 2\r\n0\r\n0 3 1\r\n-0.5") << QByteArray("Foil")
        << xs << ys;
    QTest::newRow("several records per line")
        << QByteArray("Foil\r\n3 1 1 0.5 2 0 0 3 1 -0.5\r\n") << QByteArray("Foil") << xs << ys;
    QTest::newRow("blank lines between numbers")
        << QByteArray("Foil\r\n\r\n  \r\n3\r\n\r\n1 1 0.5\r\n\t\r\n\r\n2 0 0\r\n\n\n3 1 -0.5")
        << QByteArray("Foil") << xs << ys;
    QTest::newRow("point numbers are not checked")
        << QByteArray("Foil\r\n3\r\n7 1 0.5\r\n-1.5 0 0\r\n1e9 1 -0.5") << QByteArray("Foil") << xs
        << ys;
    QTest::newRow("quoted title")
        << QByteArray("  \" A, quoted \" rest is dropped\r\n3\r\n1 1 0.5 2 0 0 3 1 -0.5")
        << QByteArray(" A, quoted ") << xs << ys;
    QTest::newRow("quoted title, comma after it")
        << QByteArray("\"NACA 63,3-418\" x,3\r\n1 1 0.5 2 0 0 3 1 -0.5")
        << QByteArray("NACA 63,3-418") << xs << ys;
    QTest::newRow("quoted title over a line end")
        << QByteArray("\"two\r\nlines\"\r\n3\r\n1 1 0.5 2 0 0 3 1 -0.5")
        << QByteArray("two\r\nlines") << xs << ys;
    QTest::newRow("title comma, count after it")
        << QByteArray("Name, 3\r\n1 1 0.5 2 0 0 3 1 -0.5") << QByteArray("Name") << xs << ys;
    QTest::newRow("empty title") << QByteArray("\r\n 3 \r\n1 1 0.5 2 0 0 3 1 -0.5") << QByteArray()
                                 << xs << ys;
    QTest::newRow("blank title") << QByteArray("   \r\n 3 \r\n1 1 0.5 2 0 0 3 1 -0.5")
                                 << QByteArray() << xs << ys;
    QTest::newRow("inner and trailing blanks kept")
        << QByteArray("  My  foil  \r\n 3 \r\n1 1 0.5 2 0 0 3 1 -0.5") << QByteArray("My  foil  ")
        << xs << ys;
    QTest::newRow("garbage after the last record")
        << QByteArray("Foil\r\n3\r\n1 1 0.5 2 0 0 3 1 -0.5 junk,,\"\r\n") +
               QByteArray("\x00\xff", 2) + QByteArray(" 4 x y")
        << QByteArray("Foil") << xs << ys;
    QTest::newRow("fewer records used than present")
        << QByteArray("Foil\r\n3\r\n1 1 0.5 2 0 0 3 1 -0.5\r\n4 7 7\r\n5 8 8\r\n")
        << QByteArray("Foil") << xs << ys;
}

void TestArfReader::parsesLayouts() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, title);
    QFETCH(QList<double>, xs);
    QFETCH(QList<double>, ys);

    const std::optional<ArfFile> file = parseArf(bytes);
    QVERIFY(file);
    QCOMPARE(file->title, title);
    QCOMPARE(file->N, 3);
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(file->X[i], xs[i - 1]);
        QCOMPARE(file->Y[i], ys[i - 1]);
    }
}

void TestArfReader::rejects_data() {
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("no bytes") << QByteArray();
    QTest::newRow("title only") << QByteArray("Foil\r\n");
    QTest::newRow("empty count line, no points") << QByteArray("Foil\r\n\r\n");
    QTest::newRow("unclosed quote") << QByteArray("\"Foil\r\n 1 \r\n 1 0 0\r\n");
    QTest::newRow("title comma, text as count") << QByteArray("NACA 63,3-418\r\n 1 \r\n1 0 0");
    QTest::newRow("short by a record") << makeFile(5, 4);
    QTest::newRow("last y missing") << QByteArray("Foil\r\n2\r\n1 0 0\r\n2 1\r\n");
    QTest::newRow("non-numeric x") << QByteArray("Foil\r\n2\r\n1 0 0\r\n2 abc 1\r\n");
    QTest::newRow("letters after last y") << QByteArray("Foil\r\n1\r\n1 0 0.5abc\r\n");
    QTest::newRow("two commas") << QByteArray("Foil\r\n1\r\n1,,0,0\r\n");
    QTest::newRow("comma, line end, comma") << QByteArray("Foil\r\n1\r\n1,\r\n,0,0\r\n");
    QTest::newRow("comma opening a line") << QByteArray("Foil\r\n1\r\n1\r\n,0,0\r\n");
    QTest::newRow("comma right after title") << QByteArray("Foil,,1\r\n1 0 0\r\n");
    QTest::newRow("1001 points") << makeFile(1001, 1001);
}

void TestArfReader::rejects() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!parseArf(bytes));
}

void TestArfReader::numberForms_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("no leading zero") << QByteArray(".975") << true << 0.975;
    QTest::newRow("negative, no leading zero") << QByteArray("-.00467") << true << -0.00467;
    QTest::newRow("negative zero") << QByteArray("-0.00000") << true << -0.0;
    QTest::newRow("whole") << QByteArray("1") << true << 1.0;
    QTest::newRow("trailing point") << QByteArray("1.") << true << 1.0;
    QTest::newRow("18 decimals") << QByteArray("0.999999999999999500") << true
                                 << 0.999999999999999500;
    QTest::newRow("exponent") << QByteArray("1E-3") << true << 0.001;
    QTest::newRow("small e, signed exponent") << QByteArray("-2.5e+2") << true << -250.0;
    QTest::newRow("plus sign") << QByteArray("+2") << true << 2.0;
    QTest::newRow("leading zeros") << QByteArray("007.50") << true << 7.5;
    QTest::newRow("letters") << QByteArray("abc") << false << 0.0;
    QTest::newRow("digits then letter") << QByteArray("12a") << false << 0.0;
    QTest::newRow("old infinity") << QByteArray("1.#INF") << false << 0.0;
    QTest::newRow("nan") << QByteArray("nan") << false << 0.0;
    QTest::newRow("inf") << QByteArray("inf") << false << 0.0;
    QTest::newRow("signed infinity") << QByteArray("-infinity") << false << 0.0;
    QTest::newRow("hex") << QByteArray("0x10") << false << 0.0;
    QTest::newRow("overflow") << QByteArray("1e400") << false << 0.0;
    QTest::newRow("negative overflow") << QByteArray("-1e309") << false << 0.0;
    QTest::newRow("point only") << QByteArray(".") << false << 0.0;
    QTest::newRow("sign only") << QByteArray("-") << false << 0.0;
    QTest::newRow("two signs") << QByteArray("+-1") << false << 0.0;
    QTest::newRow("two points") << QByteArray("1.2.3") << false << 0.0;
    QTest::newRow("exponent without digits") << QByteArray("1e") << false << 0.0;
    QTest::newRow("exponent sign only") << QByteArray("1e+") << false << 0.0;
    QTest::newRow("fractional exponent") << QByteArray("1e2.5") << false << 0.0;
    QTest::newRow("exponent without mantissa") << QByteArray("e5") << false << 0.0;
    QTest::newRow("D exponent") << QByteArray("1D2") << false << 0.0;
    QTest::newRow("quoted number") << QByteArray("\"1\"") << false << 0.0;
}

void TestArfReader::numberForms() {
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(double, value);

    // The same spelling as x and as y of the only record.
    for (const bool asY : {false, true}) {
        const QByteArray record = asY ? "1 0 " + text : "1 " + text + " 0";
        const std::optional<ArfFile> file = parseArf("T\r\n1\r\n" + record + "\r\n");
        QCOMPARE(bool(file), valid);
        if (!valid)
            continue;
        const double read = asY ? file->Y[1] : file->X[1];
        QCOMPARE(read, value);
        QCOMPARE(std::signbit(read), std::signbit(value));
    }
}

void TestArfReader::counts_data() {
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("expected"); // 0: the file fails

    QTest::newRow("35") << QByteArray("35") << 35 << 35;
    QTest::newRow("35.0") << QByteArray("35.0") << 35 << 35;
    QTest::newRow("1e2") << QByteArray("1e2") << 100 << 100;
    QTest::newRow("1") << QByteArray("1") << 1 << 1;
    QTest::newRow("1000, last at index 1000") << QByteArray("1000") << 1000 << 1000;
    QTest::newRow("1e3 with all 1000 records") << QByteArray("1e3") << 1000 << 1000;
    QTest::newRow("1e3 with 3 records") << QByteArray("1e3") << 3 << 0;
    QTest::newRow("0") << QByteArray("0") << 3 << 0;
    QTest::newRow("-5") << QByteArray("-5") << 3 << 0;
    QTest::newRow("10.5") << QByteArray("10.5") << 11 << 0;
    QTest::newRow("1001") << QByteArray("1001") << 1001 << 0;
    QTest::newRow("abc") << QByteArray("abc") << 3 << 0;
}

void TestArfReader::counts() {
    QFETCH(QByteArray, count);
    QFETCH(int, records);
    QFETCH(int, expected);

    QByteArray bytes = makeFile(records, records);
    bytes.replace("\r\n " + QByteArray::number(records) + " \r\n", "\r\n " + count + " \r\n");
    const std::optional<ArfFile> file = parseArf(bytes);
    QCOMPARE(file ? file->N : 0, expected);
    if (file) {
        QCOMPARE(file->X[expected], 1.0);
        QCOMPARE(file->Y[expected], -1.0);
        QCOMPARE(file->X[1], 1.0 / records);
    }
}

void TestArfReader::titleBytes_data() {
    QTest::addColumn<QByteArray>("title");

    QTest::newRow("UTF-8") << QByteArray("Profil \xc3\x96l\xc3\xa7\x65k \xe2\x80\x93 1");
    QTest::newRow("Windows-1254") << QByteArray("\xd6\x6c\xe7\x65\x6b");
    QTest::newRow("NUL and control bytes") << QByteArray("a\x00"
                                                         "b\x01\x7f\xff",
                                                         6);
    QTest::newRow("quote inside") << QByteArray("5\" chord");
}

void TestArfReader::titleBytes() {
    QFETCH(QByteArray, title);
    const std::optional<ArfFile> file = parseArf(makeFile(2, 2, title));
    QVERIFY(file);
    QCOMPARE(file->title, title);
    QCOMPARE(file->N, 2);
}

// Cut anywhere before the end of the last y, the file must fail; from there on it must load.
void TestArfReader::everyPrefix() {
    // No shorter piece of the last y ("-", "-.") is a number of its own.
    const QByteArray bytes("\"T, 1\"\r\n 2 \r\n  1  1.5  -0.25\r\n  2 , 0.75e1,\r\n -.5\r\n");
    const qsizetype lastY = bytes.indexOf("-.5") + 3;
    for (qsizetype n = 0; n <= bytes.size(); ++n) {
        const std::optional<ArfFile> file = parseArf(QByteArrayView(bytes.constData(), n));
        QVERIFY2(bool(file) == (n >= lastY), qPrintable(QString::number(n)));
        if (file) {
            QCOMPARE(file->title, QByteArray("T, 1"));
            QCOMPARE(file->X[2], 7.5);
            QCOMPARE(file->Y[1], -0.25);
            QCOMPARE(file->Y[2], -0.5);
        }
    }
}

void TestArfReader::longInputsAreLinear_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");

    const qsizetype big = 10 * 1024 * 1024;
    QTest::newRow("one 10 MB title line") << QByteArray(big, 'a') << false;
    QTest::newRow("unclosed quote") << "\"" + QByteArray(big, 'a') << false;
    QTest::newRow("10 MB of blanks") << "T\n" + QByteArray(big, ' ') << false;
    QTest::newRow("10 MB of line ends") << "T\n1\n" + QByteArray(big, '\n') << false;
    QTest::newRow("10 MB digit number") << "T\n1\n1 0 0." + QByteArray(big, '1') << true;
    QTest::newRow("10 MB digit overflow") << "T\n1\n1 0 " + QByteArray(big, '1') << false;
    QTest::newRow("10 MB exponent") << "T\n1\n1 0 1e-" + QByteArray(big, '0') + "1" << true;
    QTest::newRow("10 MB bad number") << "T\n1\n1 0 " + QByteArray(big, '1') + "x" << false;
    QByteArray records = "T\n1000\n";
    while (records.size() < big)
        records += "1 0.5 -0.5 ";
    QTest::newRow("one line of records") << records << true;
}

void TestArfReader::longInputsAreLinear() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);

    QElapsedTimer timer;
    timer.start();
    const std::optional<ArfFile> file = parseArf(bytes);
    QCOMPARE(bool(file), valid);
    // Linear work on 10 MB takes milliseconds; anything quadratic would take hours.
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
}

void TestArfReader::percentRule_data() {
    QTest::addColumn<QByteArray>("firstX");
    QTest::addColumn<bool>("percent");

    QTest::newRow("100") << QByteArray("100") << true;
    QTest::newRow("100.0") << QByteArray("100.0") << true;
    QTest::newRow("1e2") << QByteArray("1e2") << true;
    QTest::newRow("99.99999") << QByteArray("99.99999") << false;
    QTest::newRow("100.00001") << QByteArray("100.00001") << false;
    QTest::newRow("1") << QByteArray("1") << false;
}

void TestArfReader::percentRule() {
    QFETCH(QByteArray, firstX);
    QFETCH(bool, percent);

    const std::optional<ArfFile> file =
        parseArf("P\r\n 3 \r\n 1 " + firstX + " 2\r\n 2 0 0\r\n 3 50 -4\r\n");
    QVERIFY(file);
    Module_Common ws;
    ws.Scale = 7;
    applyLoad(ws, *file);

    const double divisor = percent ? 100.0 : 1.0;
    QCOMPARE(ws.N, 3);
    QCOMPARE(ws.NI, std::optional<double>(3.0));
    QCOMPARE(ws.Scale, 1.0);
    QCOMPARE(ws.X[1], file->X[1] / divisor);
    QCOMPARE(ws.Y[1], 2.0 / divisor);
    QCOMPARE(ws.X[3], 50.0 / divisor);
    QCOMPARE(ws.Y[3], -4.0 / divisor);
    // The copies keep the file's numbers either way.
    QCOMPARE(ws.XN[1], file->X[1]);
    QCOMPARE(ws.YN[1], 2.0);
    QCOMPARE(ws.XN[3], 50.0);
    QCOMPARE(ws.YN[3], -4.0);
    if (percent)
        QCOMPARE(ws.X[1], 1.0);
}

void TestArfReader::shorterFileKeepsSurplus() {
    Module_Common ws;
    ws.X0 = 0.25;
    ws.Y0 = -0.5;
    ws.FileLoaded = true;
    ws.iLE = 17;
    ws.X[0] = 42;

    const std::optional<ArfFile> first = parseArf(makeFile(5, 5));
    const std::optional<ArfFile> second = parseArf("S\r\n2\r\n1 9 8\r\n2 7 6\r\n");
    QVERIFY(first && second);
    applyLoad(ws, *first);
    applyLoad(ws, *second);

    QCOMPARE(ws.N, 2);
    QCOMPARE(ws.NI, std::optional<double>(2.0));
    QCOMPARE(ws.X[2], 7.0);
    QCOMPARE(ws.YN[1], 8.0);
    for (int i = 3; i <= 5; ++i) {
        QCOMPARE(ws.X[i], i / 5.0);
        QCOMPARE(ws.Y[i], -i / 5.0);
        QCOMPARE(ws.XN[i], i / 5.0);
        QCOMPARE(ws.YN[i], -i / 5.0);
    }
    QCOMPARE(ws.X[6], 0.0);
    QCOMPARE(ws.X[0], 42.0);
    QCOMPARE(ws.X0, 0.25);
    QCOMPARE(ws.Y0, -0.5);
    QCOMPARE(ws.FileLoaded, true);
    QCOMPARE(ws.iLE, 17);
}

void TestArfReader::readFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("valid");

    QTest::newRow("regular file") << "file" << true;
    QTest::newRow("link to a file") << "link" << true;
    QTest::newRow("missing file") << "missing" << false;
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("/dev/null") << "devnull" << false;
    QTest::newRow("FIFO") << "fifo" << false;
    QTest::newRow("empty name") << "empty" << false;
}

void TestArfReader::readFile() {
    QFETCH(QString, kind);
    QFETCH(bool, valid);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = writeFile(dir, "foil.arf", makeFile(4, 4));
    QString path;
    if (kind == "file") {
        path = file;
    } else if (kind == "link") {
        path = dir.filePath("link.arf");
        QVERIFY(QFile::link(file, path));
    } else if (kind == "missing") {
        path = dir.filePath("none.arf");
    } else if (kind == "directory") {
        path = dir.filePath("sub.arf");
        QVERIFY(QDir(dir.path()).mkdir("sub.arf"));
    } else if (kind == "devnull") {
        path = "/dev/null";
    } else if (kind == "fifo") {
        path = dir.filePath("pipe.arf");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }

    const std::optional<ArfFile> read = readArfFile(path);
    QCOMPARE(bool(read), valid);
    if (read) {
        QCOMPARE(read->N, 4);
        QCOMPARE(read->Y[4], -1.0);
    }
}

void TestArfReader::readFileSizeLimit() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const qint64 limit = qint64(64) * 1024 * 1024;
    const QString path = writeFile(dir, "big.arf", makeFile(2, 2));

    // The tail is NUL bytes after the last record, which the reader never looks at.
    QVERIFY(QFile::resize(path, limit));
    QVERIFY(readArfFile(path));
    QVERIFY(QFile::resize(path, limit + 1));
    QVERIFY(!readArfFile(path));
}

void TestArfReader::realFiles() {
    const QDir folder(QStringLiteral(TESSARO_AIRFOILS_DIR));
    if (!folder.exists())
        QSKIP("the shared airfoil folder is not there");
    const QStringList names = folder.entryList({"*.arf"}, QDir::Files, QDir::Name);
    QVERIFY(!names.isEmpty());

    for (const QString &name : names) {
        const QByteArray bytes = readBytes(folder.filePath(name));
        const std::optional<ArfFile> file = readArfFile(folder.filePath(name));
        QVERIFY2(file, qPrintable(name));

        // Lines taken apart here on their own, to compare against what the reader made of them.
        QList<QByteArray> lines = bytes.split('\n');
        for (QByteArray &line : lines)
            line.chop(line.endsWith('\r') ? 1 : 0);
        QCOMPARE(file->title, lines[0]);
        QCOMPARE(QByteArray::number(file->N), lines[1].trimmed());

        const std::optional<QByteArray> saved = formatArf(file->title, file->N, file->X, file->Y);
        QVERIFY(saved);
        const QList<QByteArray> out = saved->split('\n');
        QCOMPARE(out.size(), file->N + 3); // title, count, N records, empty piece after last CR LF
        for (int i = 1; i <= file->N; ++i) {
            const QList<QByteArray> fields = lines[i + 1].simplified().split(' ');
            QCOMPARE(fields.size(), 3);
            const QByteArray expected = "  " + QByteArray::number(i) + "  " + roundText(fields[1]) +
                                        "  " + roundText(fields[2]) + "\r";
            QVERIFY2(out[i + 1] == expected,
                     qPrintable(name + ": " + out[i + 1] + " vs " + expected));
        }
    }
}

QTEST_GUILESS_MAIN(TestArfReader)
#include "tst_arfreader.moc"
