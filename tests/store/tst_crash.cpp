// A process killed in the middle of a batch of posts leaves an intact file holding all of the batch or
// none of it.
#include "store/Database.h"
#include "store/Sqlite.h"
#include "store/Table.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace tarlok;

namespace {

constexpr int kBatch = 40;

TableDef batchDef() {
    TableDef t{QStringLiteral("Batch"), {}, {}};
    t.fields = {{QStringLiteral("NrKol"), FieldType::AutoInc},
                {QStringLiteral("Batch"), FieldType::Integer},
                {QStringLiteral("Total"), FieldType::Integer}};
    t.indexes = {IndexDef{QString(), {QStringLiteral("NrKol")}, true, true, false}};
    return t;
}

// The child: batches of posts, each batch one transaction that also rewrites the running total of
// every row of the batch (as a save rewrites the totals of its month), until it is killed.
int runChild(const QString& folder) {
    Database db(folder);
    Table t(db);
    t.setTableName(QStringLiteral("Batch.db"));
    t.open();
    t.last();
    for (int batch = int(t.asInteger(QStringLiteral("Batch"))) + 1;; ++batch) {
        Transaction tx(t);
        for (int i = 0; i < kBatch; ++i) {
            t.append();
            t.setValue(QStringLiteral("Batch"), batch);
            t.post();
        }
        t.first();
        while (!t.eof()) {
            if (t.asInteger(QStringLiteral("Batch")) == batch) {
                t.edit();
                t.setValue(QStringLiteral("Total"), kBatch);
                t.post();
            }
            t.next();
        }
        tx.commit();
    }
}

} // namespace

class CrashTest : public QObject {
    Q_OBJECT

private slots:
    void killedBatchIsAllOrNothing() {
        QTemporaryDir dir;
        {
            Database db(dir.path());
            db.createTable("dane_poj", batchDef());
        }
        for (int round = 0; round < 6; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {"--child", dir.path()});
            QVERIFY(child.waitForStarted());
            QThread::msleep(80 + QRandomGenerator::global()->bounded(400));
            child.kill(); // SIGKILL
            QVERIFY(child.waitForFinished());

            sqlite::Handle handle(dir.path() + "/Batch.db", false); // rolls back a hot journal
            sqlite::Statement check(handle.get(), "PRAGMA integrity_check", "Batch.db");
            QVERIFY(check.step());
            QCOMPARE(check.text(0), QString("ok"));
            sqlite::Statement batches(handle.get(),
                                      "SELECT Batch, COUNT(*), SUM(Total = 40) FROM Batch GROUP BY Batch",
                                      "Batch.db");
            int complete = 0;
            while (batches.step()) {
                QCOMPARE(batches.int64(1), qint64(kBatch)); // all of a batch or none of it
                QCOMPARE(batches.int64(2), qint64(kBatch)); // with its totals rewritten
                ++complete;
            }
            QVERIFY(complete >= 0);
        }
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--child"))
        return runChild(QString::fromLocal8Bit(argv[2]));
    CrashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crash.moc"
