// The verified copy of one file across its blocks: every size about a block's edges arrives byte for
// byte and is told block by block, and a fault past the first block (a write, a short write, a failed
// flush, the disk changing a byte) is caught: the older target stays as it was and no temporary file is
// left beside it.
#include "archive/FileCopy.h"
#include "platform/SimulatedDrives.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarlok;
using archive::CopyOutcome;
using Fault = SimulatedDrives::Fault;

namespace {

constexpr int kNoFault = -1;

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class FileCopyTest : public QObject {
    Q_OBJECT

private slots:
    void copyAcrossBlocks_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("fault");
        QTest::addColumn<qint64>("faultAfter");
        QTest::addColumn<int>("outcome");
        constexpr qint64 b = archive::kBlock;
        const int copied = int(CopyOutcome::Copied);
        QTest::newRow("empty") << qint64(0) << kNoFault << qint64(0) << copied;
        QTest::newRow("one byte") << qint64(1) << kNoFault << qint64(0) << copied;
        QTest::newRow("a block less a byte") << b - 1 << kNoFault << qint64(0) << copied;
        QTest::newRow("one block") << b << kNoFault << qint64(0) << copied;
        QTest::newRow("a block and a byte") << b + 1 << kNoFault << qint64(0) << copied;
        QTest::newRow("two and a half blocks") << 5 * b / 2 << kNoFault << qint64(0) << copied;
        QTest::newRow("write fails in the second block")
            << 5 * b / 2 << int(Fault::WriteFails) << b + 10 << int(CopyOutcome::WriteFailed);
        QTest::newRow("short write in the last block")
            << 5 * b / 2 << int(Fault::WriteShort) << 2 * b + 10 << int(CopyOutcome::ShortWrite);
        QTest::newRow("flush fails") << 5 * b / 2 << int(Fault::SyncFails) << qint64(0)
                                     << int(CopyOutcome::SyncFailed);
        // The byte changed is the middle one: in the second block.
        QTest::newRow("the disk changes a byte")
            << 5 * b / 2 << int(Fault::LosesData) << qint64(0) << int(CopyOutcome::Mismatch);
    }
    void copyAcrossBlocks() {
        QFETCH(qint64, size);
        QFETCH(int, fault);
        QFETCH(qint64, faultAfter);
        QFETCH(int, outcome);
        QTemporaryDir dir;
        SimulatedDrives drives;
        drives.setProgramDrive(QStringLiteral("C:"), dir.path());
        const QString source = dir.path() + "/zrodlo/Przejazdy.db";
        const QString target = dir.path() + "/archiwum/Przejazdy.db";
        QVERIFY(QDir().mkpath(dir.path() + "/zrodlo") && QDir().mkpath(dir.path() + "/archiwum"));
        QByteArray bytes(size, Qt::Uninitialized);
        for (qint64 i = 0; i < size; ++i)
            bytes[i] = char((i * 131 + i / 4093) & 0xff);
        put(source, bytes);
        const QByteArray older("starsza kopia");
        put(target, older);
        if (fault != kNoFault)
            drives.inject(Fault(fault), "archiwum/", faultAfter);

        qint64 told = 0;
        qint64 largest = 0;
        const CopyOutcome result = archive::copyVerified(drives, source, target, [&](qint64 n) {
            told += n;
            largest = std::max(largest, n);
        });
        QCOMPARE(int(result), outcome);
        if (result == CopyOutcome::Copied) {
            QVERIFY(bytesOf(target) == bytes);
            QCOMPARE(told, size);
            QVERIFY(largest <= archive::kBlock);
        } else {
            QCOMPARE(bytesOf(target), older);
        }
        QCOMPARE(QDir(dir.path() + "/archiwum").entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Przejazdy.db"});
        QVERIFY(bytesOf(source) == bytes);
    }
};

QTEST_GUILESS_MAIN(FileCopyTest)
#include "tst_filecopy.moc"
