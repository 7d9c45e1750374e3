// SPDX-License-Identifier: MIT
#include "io/ArfReader.h"
#include "support/TempDir.h"
#include "tools/NacaSamples.h"

#include <QDir>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace tessaro;

class TestSamples : public QObject {
    Q_OBJECT

  private slots:
    void committedFiles();
    void sample_data();
    void sample();
};

// The folder holds exactly the files the generator writes, nothing stale or hand-made.
void TestSamples::committedFiles() {
    QStringList expected;
    for (const auto &section : samples::sampleSections())
        expected << QString::fromLatin1(section.fileName);
    expected.sort();
    const QDir folder(QStringLiteral(TESSARO_SAMPLES_DIR));
    QCOMPARE(folder.entryList({"*.arf"}, QDir::Files, QDir::Name), expected);
}

void TestSamples::sample_data() {
    QTest::addColumn<int>("index");
    const auto sections = samples::sampleSections();
    for (int i = 0; i < int(sections.size()); ++i)
        QTest::newRow(sections[i].fileName) << i;
}

void TestSamples::sample() {
    QFETCH(int, index);
    const samples::NacaSection section = samples::sampleSections()[index];
    const QString path =
        QDir(QStringLiteral(TESSARO_SAMPLES_DIR)).filePath(QString::fromLatin1(section.fileName));

    const QByteArray committed = readBytes(path);
    const std::optional<QByteArray> generated = samples::sampleBytes(section);
    QVERIFY(generated);
    QVERIFY2(committed == *generated, "the committed file differs from the generator's output");

    const std::optional<ArfFile> file = readArfFile(path);
    QVERIFY(file);
    const int n = file->N;
    QCOMPARE(n, section.points);
    QCOMPARE(file->title, QByteArray(section.title));
    QCOMPARE(file->X[1], section.chord);
    QCOMPARE(file->X[n], section.chord);

    // x falls to the single nose point at 0, then rises again; nothing else touches 0.
    int nose = 0;
    for (int i = 1; i <= n; ++i) {
        if (file->X[i] == 0.0) {
            QCOMPARE(nose, 0);
            nose = i;
        }
    }
    QCOMPARE(nose, n - n / 2);
    for (int i = 2; i <= nose; ++i)
        QVERIFY(file->X[i] < file->X[i - 1]);
    for (int i = nose + 1; i <= n; ++i)
        QVERIFY(file->X[i] > file->X[i - 1]);
    QCOMPARE(file->Y[nose], 0.0);

    // Thickness and camber seen from the file, in fractions of the chord; for odd counts the
    // surfaces share their x, so opposite points give both directly.
    double maxThickness = 0;
    double maxCamber = 0;
    double camberAt = 0;
    for (int i = 1; 2 * i < n && n % 2 == 1; ++i) {
        const int j = n + 1 - i;
        QCOMPARE(file->X[i], file->X[j]);
        QVERIFY(file->Y[i] > file->Y[j]);
        const double thickness = (file->Y[i] - file->Y[j]) / section.chord;
        const double camber = (file->Y[i] + file->Y[j]) / 2 / section.chord;
        maxThickness = std::max(maxThickness, thickness);
        if (camber > maxCamber) {
            maxCamber = camber;
            camberAt = file->X[i] / section.chord;
        }
    }
    if (n % 2 == 1) {
        QVERIFY(std::fabs(maxThickness - section.thickness) < 0.002);
        QVERIFY(std::fabs(maxCamber - section.camber) < 0.0005);
        if (section.camber > 0)
            QVERIFY(std::fabs(camberAt - section.position) < 0.06);
    }

    if (section.camber == 0) {
        const auto [low, high] = std::minmax_element(file->Y.begin() + 1, file->Y.begin() + n + 1);
        QVERIFY(std::fabs((*high - *low) / section.chord - section.thickness) < 0.002);
    }

    // Percent files switch to fractions on load; the copies keep the written numbers.
    Module_Common ws;
    applyLoad(ws, *file);
    QCOMPARE(ws.X[1], 1.0);
    QCOMPARE(ws.XN[1], section.chord);
    if (section.chord == 100.0)
        QVERIFY(committed.contains("\r\n  1  100.00000  "));
}

QTEST_GUILESS_MAIN(TestSamples)
#include "tst_samples.moc"
