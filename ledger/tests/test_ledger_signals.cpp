// Every change of the model is announced, once, with the month it touched,
// and the sums asked for afterwards are those of the changed year.
#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"

#include <QSignalSpy>
#include <QtTest>

class TestLedgerSignals : public QObject {
    Q_OBJECT
private slots:
    void routinesAnnounce_data();
    void routinesAnnounce();
    void refusedChangesAreSilent();
};

namespace {
// Every signal the model sends, as "name month" text, in order.
struct Recorder {
    QStringList heard;
    explicit Recorder(LedgerModel& m)
    {
        auto month = [this](const char* name) { return [this, name](int mo, EntryId) { heard << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(mo); }; };
        QObject::connect(&m, &LedgerModel::entryInserted, month("inserted"));
        QObject::connect(&m, &LedgerModel::entryRemoved, month("removed"));
        QObject::connect(&m, &LedgerModel::entryReplaced, month("replaced"));
        QObject::connect(&m, &LedgerModel::entriesChanged, [this](int mo) { heard << QStringLiteral("changed %1").arg(mo); });
        QObject::connect(&m, &LedgerModel::yearLoaded, [this] { heard << QStringLiteral("loaded"); });
        QObject::connect(&m, &LedgerModel::yearSaved, [this] { heard << QStringLiteral("saved"); });
        QObject::connect(&m, &LedgerModel::masterChanged, [this] { heard << QStringLiteral("master"); });
        QObject::connect(&m, &LedgerModel::carryOverChanged, [this] { heard << QStringLiteral("carry"); });
        QObject::connect(&m, &LedgerModel::graphTargetsChanged, [this] { heard << QStringLiteral("targets"); });
        QObject::connect(&m, &LedgerModel::subItemAdded, [this](const QString& c, const QString& s) { heard << QStringLiteral("sub %1%2").arg(c, s); });
        QObject::connect(&m, &LedgerModel::memoChanged, [this](const QString& key) { heard << QStringLiteral("memo %1").arg(key); });
    }
};
}

// Each routine starts from March 05 (100) and May 10 (200) of category 01
// and the master; `change` names it.
void TestLedgerSignals::routinesAnnounce_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("heard");
    QTest::addColumn<qint64>("yearOut"); // asked for after the change, never built by hand

    QTest::newRow("insert") << "insert 03/01" << QStringList{"inserted 3"} << qint64(350);
    QTest::newRow("insert into an empty month") << "insert 12/31" << QStringList{"inserted 12"} << qint64(350);
    QTest::newRow("insert at a position") << "insert at 0" << QStringList{"inserted 3"} << qint64(350);
    QTest::newRow("remove") << "remove 5" << QStringList{"removed 5"} << qint64(100);
    QTest::newRow("remove several") << "remove both" << QStringList{"changed 3", "changed 5"} << qint64(0);
    QTest::newRow("replace") << "replace 3" << QStringList{"replaced 3"} << qint64(250);
    QTest::newRow("set a month") << "set 5" << QStringList{"changed 5"} << qint64(100);
    QTest::newRow("merge") << "merge" << QStringList{"changed 3", "changed 7"} << qint64(300 + 70);
    QTest::newRow("clear") << "clear" << QStringList{"changed 3", "changed 5"} << qint64(0);
    QTest::newRow("carry-over") << "carry" << QStringList{"carry"} << qint64(300);
    QTest::newRow("same carry-over") << "same carry" << QStringList{} << qint64(300);
    QTest::newRow("graph targets") << "targets" << QStringList{"targets"} << qint64(300);
    QTest::newRow("sub-item") << "sub" << QStringList{"sub 0103"} << qint64(300);
    QTest::newRow("memo") << "memo" << QStringList{"memo 04/01", "memo 04/01"} << qint64(300);
    QTest::newRow("master read") << "read master" << QStringList{"master"} << qint64(300);
    QTest::newRow("category deleted in the editor") << "align" << QStringList{"changed 3", "changed 5"} << qint64(0);
    QTest::newRow("year loaded") << "load" << QStringList{"loaded"} << qint64(0);
    QTest::newRow("year saved") << "save" << QStringList{"saved"} << qint64(300);
}

void TestLedgerSignals::routinesAnnounce()
{
    QFETCH(QString, change);
    QFETCH(QStringList, heard);
    QFETCH(qint64, yearOut);
    LedgerFixture l;
    l.m.InsertEntry(entry("03/05", "01", 100));
    l.m.InsertEntry(entry("05/10", "01", 200));
    QCOMPARE(l.m.yearOut(), 300);
    Recorder r(l.m);

    const EntryId march = l.m.slot(3).entries[0].id;
    if (change == "insert at 0") {
        // Where it is put, whatever its day: an entry put back where it was.
        QVERIFY(l.m.InsertEntryAt(entry("03/31", "01", 50), 0));
        QCOMPARE(l.m.entryIndex(3, l.m.slot(3).entries[0].id), 0);
        QCOMPARE(l.m.slot(3).entries[0].day(), 31);
    } else if (change.startsWith("insert")) {
        QVERIFY(l.m.InsertEntry(entry(change.section(' ', 1), "01", 50)));
    } else if (change == "remove 5") {
        QVERIFY(l.m.RemoveEntry(5, l.m.slot(5).entries[0].id));
    } else if (change == "remove both") {
        Entry stranger = entry("05/10", "01", 1);
        stranger.id = 9999;
        l.m.RemoveEntries({l.m.slot(5).entries[0], l.m.slot(3).entries[0], stranger});
    } else if (change == "replace 3") {
        QVERIFY(l.m.ReplaceEntry(3, march, entry("03/05", "01", 50)));
        QCOMPARE(l.m.slot(3).entries[0].id, march); // the same entry, changed
    } else if (change == "set 5") {
        l.m.SetMonthEntries(5, {});
    } else if (change == "merge") {
        l.m.InsertEntries({entry("07/01", "01", 30), entry("03/31", "01", 0), entry("07/02", "01", 40)});
    } else if (change == "clear") {
        l.m.clearMonthSlots();
    } else if (change == "carry") {
        l.m.SetCarryOver(500, false);
    } else if (change == "same carry") {
        l.m.SetCarryOver(l.m.carryOver(), l.m.carryAuto());
    } else if (change == "targets") {
        l.m.SetGraphTargetsShown({false});
    } else if (change == "sub") {
        QCOMPARE(l.m.AddSubItem("01", "新しい項目"), QStringLiteral("03"));
    } else if (change == "memo") {
        l.m.SetMemo("04/01", "a");
        l.m.RemoveMemo("04/01");
        l.m.RemoveMemo("04/01"); // none left: nothing to tell
    } else if (change == "read master") {
        QVERIFY(l.m.ReadCategoryMaster(0));
    } else if (change == "align") {
        l.m.RemoveCategory("01");
        l.m.AlignYearToMaster({1});
    } else if (change == "save") {
        QVERIFY(l.m.SaveYearFile(1));
    } else if (change == "load") {
        l.m.setYear(2030);
        l.p.inputs.enqueue(QStringLiteral("0"));
        QVERIFY(l.m.LoadYearFile());
    }
    QCOMPARE(r.heard, heard);
    QCOMPARE(l.m.yearOut(), yearOut);
    // The totals record of every month is the sum of its entries.
    for (int month = 1; month <= 12; ++month) {
        qint64 out = 0;
        for (const Entry& e : l.m.slot(month).entries)
            out += e.out;
        QCOMPARE(l.m.slot(month).totalOut, out);
    }
}

void TestLedgerSignals::refusedChangesAreSilent()
{
    LedgerFixture l;
    l.m.InsertEntry(entry("03/05", "01", 100));
    Recorder r(l.m);
    Entry undated = entry("03/05", "01", 1);
    undated.monthNo = 0;
    QVERIFY(!l.m.InsertEntry(undated));
    QVERIFY(!l.m.InsertEntryAt(undated, 0));
    Entry unknown = entry("03/05", "01", 100);
    unknown.id = 9999;
    l.m.RemoveEntries({unknown});
    QVERIFY(!l.m.RemoveEntry(3, 9999));
    QVERIFY(!l.m.RemoveEntry(4, l.m.slot(3).entries[0].id)); // not in that month
    QVERIFY(!l.m.ReplaceEntry(3, 9999, entry("03/05", "01", 1)));
    QVERIFY(l.m.AddSubItem("99", "x").isEmpty());
    QCOMPARE(r.heard, QStringList{});
    QCOMPARE(l.m.slot(3).totalOut, 100);
}

QTEST_GUILESS_MAIN(TestLedgerSignals)
#include "test_ledger_signals.moc"
