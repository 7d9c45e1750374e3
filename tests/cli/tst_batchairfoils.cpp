// SPDX-License-Identifier: MIT
// Every shared airfoil through tessaro-batch -t -n 161 -p 3 in one run per folder, against the
// core import, calculation and writer that the window uses, file by file.
#include "io/AirfoilImport.h"
#include "io/ArfReader.h"
#include "io/ArfWriter.h"
#include "numerics/Calculation.h"
#include "numerics/Module_Interp.h"
#include "support/BatchProcess.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace tessaro;

namespace {

// The bytes the window would save for the file, or its refusal.
struct Expected {
    QByteArray bytes;
    QString refusal;
};

Expected expectedFor(const QString &path) {
    const ImportResult imported = importAirfoilFile(path);
    if (!imported.file)
        return {{}, imported.error};
    Module_Common ws;
    ws.Pi = 4.0 * std::atan(1.0);
    resetDivDiffTable();
    applyLoad(ws, *imported.file);
    ws.FileLoaded = true;
    CalculationRequest request{Method::Lagrange, 161, 3};
    request.dumpPath.clear();
    request.ownTrailingEdges = true;
    if (const auto message = Calculate(ws, request))
        return {{}, *message};
    const std::optional<QByteArray> bytes =
        formatArf(imported.file->title + " - redistributed", ws.NI, ws.XN, ws.YN);
    return {bytes.value_or(QByteArray()), {}};
}

} // namespace

class tst_BatchAirfoils : public QObject {
    Q_OBJECT

  private slots:
    void sharedFolder_data();
    void sharedFolder();
};

void tst_BatchAirfoils::sharedFolder_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("filter");
    QTest::addColumn<int>("expectedFiles");
    const QDir shared(QStringLiteral(TESSARO_AIRFOILS_DIR));
    QTest::newRow(".arf files") << shared.path() << QStringList{"*.arf"} << 42;
    QTest::newRow("Selig and Lednicer sources") << shared.filePath("source") << QStringList{} << 41;
}

void tst_BatchAirfoils::sharedFolder() {
    QFETCH(QString, folder);
    QFETCH(QStringList, filter);
    QFETCH(int, expectedFiles);
    const QDir dir(folder);
    if (!dir.exists())
        QSKIP("the shared airfoils are absent");
    const QFileInfoList files = dir.entryInfoList(filter, QDir::Files, QDir::Name);
    QCOMPARE(files.size(), expectedFiles);

    QTemporaryDir out;
    QVERIFY(out.isValid());
    QStringList arguments{"-q", "-t", "-n", "161", "-p", "3", "-o", out.path()};
    for (const QFileInfo &file : files)
        arguments << file.filePath();
    const BatchRunResult batch = runBatchProcess(arguments, out.path());
    QVERIFY(batch.finished);

    QString refusals;
    int written = 0;
    for (const QFileInfo &file : files) {
        const Expected expected = expectedFor(file.filePath());
        const QString result =
            QDir(out.path()).filePath(file.completeBaseName() + QStringLiteral(".arf"));
        if (expected.refusal.isEmpty()) {
            QVERIFY2(!expected.bytes.isEmpty(), qPrintable(file.fileName()));
            QVERIFY2(readBytes(result) == expected.bytes, qPrintable(file.fileName()));
            ++written;
        } else {
            QVERIFY2(!QFileInfo::exists(result), qPrintable(file.fileName()));
            refusals += file.filePath() + QStringLiteral(": ") + expected.refusal + u'\n';
        }
    }
    QCOMPARE(QString::fromUtf8(batch.err), refusals);
    QCOMPARE(batch.status, written == files.size() ? 0 : 1);
    // Most sections go through: the comparison is of bytes, not of two refusals.
    QVERIFY(written >= expectedFiles - 3);
}

QTEST_GUILESS_MAIN(tst_BatchAirfoils)
#include "tst_batchairfoils.moc"
