// SPDX-License-Identifier: MIT
#include "common/Module_Common.h"
#include "common/NumberText.h"
#include "common/TitleText.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

using namespace tessaro;

class tst_NumberText : public QObject {
    Q_OBJECT

  private slots:
    void readNumber_data();
    void readNumber();
    void readNumberOutOfRange();
    void generalForm_data();
    void generalForm();
    void messageNumber_data();
    void messageNumber();
    void fiveDecimalForm_data();
    void fiveDecimalForm();
    void formsFollowTheGivenSeparator();
    void wholeNumberForm();
    void titleDecoding_data();
    void titleDecoding();
    void workingSetStartUp();
};

void tst_NumberText::readNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("fraction") << "51.7" << 51.7;
    QTest::newRow("blank between digits") << "5 1" << 51.0;
    QTest::newRow("tab and line feed ignored") << "\t5\n1" << 51.0;
    QTest::newRow("stops at a letter") << "12a" << 12.0;
    QTest::newRow("letter first") << "a1" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("exponent without digits") << "1E" << 1.0;
    QTest::newRow("exponent") << "1E3" << 1000.0;
    QTest::newRow("lower-case exponent") << "1e3" << 1000.0;
    QTest::newRow("signed exponent") << "25E-1" << 2.5;
    QTest::newRow("exponent sign without digits") << "7E+" << 7.0;
    QTest::newRow("negative") << "-3.5" << -3.5;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("hex prefix reads the zero") << "0x10" << 0.0;
    QTest::newRow("comma is not a separator") << "1,5" << 1.0;
    QTest::newRow("carriage return stops") << "1\r2" << 1.0;
    QTest::newRow("infinity sign stops") << QString::fromUtf8("∞") << 0.0;
    QTest::newRow("largest double") << "1e308" << 1e308;
    QTest::newRow("two hundred digits") << QString(200, u'9') << 1e200;
}

void tst_NumberText::readNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(tessaro::readNumber(text), expected);
}

void tst_NumberText::readNumberOutOfRange() {
    QCOMPARE(tessaro::readNumber(u"1e400"), std::numeric_limits<double>::infinity());
    QCOMPARE(tessaro::readNumber(u"-1e400"), -std::numeric_limits<double>::infinity());
    QCOMPARE(tessaro::readNumber(u"1e-400"), 0.0);
    QCOMPARE(tessaro::readNumber(u"0.000001e-320"), 0.0);
    QCOMPARE(tessaro::readNumber(u"1E99999999999999999999999"),
             std::numeric_limits<double>::infinity());
    QVERIFY(std::signbit(tessaro::readNumber(u"-0")));
}

void tst_NumberText::generalForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one") << 1.0 << "1";
    QTest::newRow("scale step") << 1.2 << "1.2";
    QTest::newRow("smallest scale") << 0.2 << "0.2";
    QTest::newRow("largest scale") << 21.0 << "21";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative") << -5.0 << "-5";
    QTest::newRow("fifteen digits") << 0.1 + 0.2 << "0.3";
    QTest::newRow("long fraction") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("scaled outside") << 1.0032722513089 << "1.0032722513089";
    QTest::newRow("1e-4 stays plain") << 1e-4 << "0.0001";
    QTest::newRow("1e15") << 1e15 << "1E+15";
    QTest::newRow("just below 1e15") << 999999999999999.0 << "999999999999999";
    QTest::newRow("rounds up to 1e15") << 999999999999999.9 << "1E+15";
    QTest::newRow("three-digit exponent") << 1.25e-300 << "1.25E-300";
    QTest::newRow("negative large") << -908.090909090909 << "-908.090909090909";
}

void tst_NumberText::generalForm() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(tessaro::generalForm(value), expected);
}

// The program's own messages carry six significant digits; the texts fixed at 15 keep the above.
void tst_NumberText::messageNumber_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a scaled end") << 1.00175315568022 << "1.00175";
    QTest::newRow("negative, leading zero not counted") << -0.400909090909117 << "-0.400909";
    QTest::newRow("whole count") << 1000.0 << "1000";
    QTest::newRow("half rounds away from zero") << 1.234565 << "1.23457";
    QTest::newRow("carry drops the zeros") << 0.99999951 << "1";
    QTest::newRow("carry into 1e6 takes the exponent") << 999999.7 << "1E+06";
    QTest::newRow("from 1e6 with exponent") << 1234567.0 << "1.23457E+06";
    QTest::newRow("small, plain down to 1e-4") << 0.000123456789 << "0.000123457";
    QTest::newRow("count far above 1000") << 1e308 << "1E+308";
}

void tst_NumberText::messageNumber() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(tessaro::messageNumber(value), expected);
    QCOMPARE(tessaro::messageNumber(value, u','), QString(expected).replace(u'.', u','));
}

void tst_NumberText::fiveDecimalForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("half rounds away") << 0.123455 << "0.12346";
    QTest::newRow("one") << 1.0 << "1.00000";
    QTest::newRow("zero") << 0.0 << "0.00000";
    QTest::newRow("negative") << -0.0401234 << "-0.04012";
    QTest::newRow("negative rounding to zero") << -0.000001 << "-0.00000";
    QTest::newRow("negative zero has no sign") << -0.0 << "0.00000";
    QTest::newRow("hundred") << 100.0 << "100.00000";
    QTest::newRow("pi") << 3.14159265 << "3.14159";
    QTest::newRow("2 pi") << 6.283185307179586 << "6.28319";
    QTest::newRow("negative half") << -0.000005 << "-0.00001";
    QTest::newRow("carry into integer") << 9.999995 << "10.00000";
    QTest::newRow("below half of last place") << 0.0000049 << "0.00000";
    QTest::newRow("18 decimals") << 0.999999999999999500 << "1.00000";
    QTest::newRow("large") << 123456789.123456 << "123456789.12346";
    QTest::newRow("tiny") << 1e-300 << "0.00000";
}

void tst_NumberText::fiveDecimalForm() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(tessaro::fiveDecimalForm(value), expected);
}

void tst_NumberText::formsFollowTheGivenSeparator() {
    QCOMPARE(tessaro::generalForm(1.2, u','), QStringLiteral("1,2"));
    QCOMPARE(tessaro::fiveDecimalForm(-0.5, u','), QStringLiteral("-0,50000"));
    QCOMPARE(tessaro::generalForm(1.5e-5, u','), QStringLiteral("1,5E-05"));

    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(screenDecimalPoint(), QChar(u','));
    QLocale::setDefault(QLocale::c());
    QCOMPARE(screenDecimalPoint(), QChar(u'.'));
    QLocale::setDefault(saved);
}

void tst_NumberText::wholeNumberForm() {
    QCOMPARE(tessaro::wholeNumberForm(7), QStringLiteral("7"));
    QCOMPARE(tessaro::wholeNumberForm(1000), QStringLiteral("1000"));
}

void tst_NumberText::titleDecoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ascii") << QByteArray("NACA 0012") << "NACA 0012";
    QTest::newRow("utf-8") << QByteArray("\xC3\x96l\xC3\xA7\x65k") << QString::fromUtf8("Ölçek");
    QTest::newRow("windows-1254") << QByteArray("\xD6\x6C\xE7\x65\x6B")
                                  << QString::fromUtf8("Ölçek");
    QTest::newRow("turkish letters")
        << QByteArray("\xD0\xDD\xDE\xF0\xFD\xFE") << QString::fromUtf8("ĞİŞğış");
    QTest::newRow("euro sign") << QByteArray("\x80") << QString::fromUtf8("€");
}

void tst_NumberText::titleDecoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(decodeTitle(bytes), expected);
}

void tst_NumberText::workingSetStartUp() {
    resetCommon();
    const Module_Common &ws = common();
    QCOMPARE(ws.Pi, 4.0 * std::atan(1.0));
    QVERIFY(!ws.FileLoaded);
    QVERIFY(!ws.NI.has_value());
    QCOMPARE(ws.niValue(), 0.0);
    QCOMPARE(ws.N, 0);
    QCOMPARE(ws.X.size(), std::size_t(1001));
    QCOMPARE(wholeCount(51.7), 51);
    QCOMPARE(wholeCount(0.9), 0);
    QCOMPARE(wholeCount(-5), 0);
    QCOMPARE(wholeCount(1e9), MaxIndex);
}

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
