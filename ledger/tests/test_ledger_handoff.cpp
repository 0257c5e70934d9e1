// What the two programs agree on: files changed together and completed by
// the next start, the merge file's token, and whether the KaneloY that
// started an import still runs.

#include "ledger/tests/FakePrompter.h"
#include "ledger/FileTransaction.h"
#include "ledger/ImportHandOff.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/MergeFile.h"
#include "ledger/tests/TestHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QRegularExpression>
#include <QTest>

class TestLedgerHandOff : public QObject {
    Q_OBJECT
private slots:
    void recovery_data();
    void recovery();
    void commitRefusesBeforeTouching();
    void tokenInTheMergeFile();
    void starterRunning();
};

// A program stopped at some point of FileTransaction::commit: what the next
// start leaves. Files a.txt and b.txt hold "old"; c.txt is to go.
void TestLedgerHandOff::recovery_data()
{
    QTest::addColumn<QStringList>("done");    // names already holding their new content
    QTest::addColumn<QStringList>("staged");  // names with new content beside them
    QTest::addColumn<QByteArray>("journal"); // empty: none written yet
    QTest::addColumn<QString>("after");      // a.txt|b.txt|c.txt afterwards, "-" for gone

    const QByteArray both("Kanelo journal 1\nW a.txt\nW b.txt\nR c.txt\nend\n");
    const QStringList none;
    QTest::newRow("stopped while staging: nothing changes") << none << QStringList{"a.txt"} << QByteArray() << "old|old|old";
    QTest::newRow("stopped after staging: nothing changes") << none << QStringList{"a.txt", "b.txt"} << QByteArray() << "old|old|old";
    QTest::newRow("stopped after the journal: completed") << none << QStringList{"a.txt", "b.txt"} << both << "new|new|-";
    QTest::newRow("stopped after the first rename: completed") << QStringList{"a.txt"} << QStringList{"b.txt"} << both
                                                               << "new|new|-";
    QTest::newRow("stopped before removing the journal") << QStringList{"a.txt", "b.txt"} << none << both << "new|new|-";
    QTest::newRow("a journal cut short is no journal")
        << none << QStringList{"a.txt", "b.txt"} << QByteArray("Kanelo journal 1\nW a.txt\nW b") << "old|old|old";
    QTest::newRow("a journal naming files elsewhere is no journal")
        << none << QStringList{"a.txt"} << QByteArray("Kanelo journal 1\nW ../a.txt\nend\n") << "old|old|old";
}

void TestLedgerHandOff::recovery()
{
    QFETCH(QStringList, done);
    QFETCH(QStringList, staged);
    QFETCH(QByteArray, journal);
    QFETCH(QString, after);
    TestHome home;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        home.writeBytes(QString::fromLatin1(name), done.contains(QLatin1String(name)) ? "new" : "old");
    for (const QString& name : staged)
        home.writeBytes(name + ".kanelo-new", "new");
    if (!journal.isEmpty())
        home.writeBytes(QStringLiteral("Kanelo.journal"), journal);

    QVERIFY(FileTransaction::recover(home.path(".")).ok);
    QStringList now;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        now << (home.exists(QString::fromLatin1(name)) ? QString::fromLatin1(home.readBytes(QString::fromLatin1(name))) : "-");
    QCOMPARE(now.join('|'), after);
    QCOMPARE(QDir(home.path(".")).entryList(QDir::Files).filter(QRegularExpression("kanelo-new|journal")), QStringList());
}

void TestLedgerHandOff::commitRefusesBeforeTouching()
{
    TestHome home;
    home.writeBytes(QStringLiteral("a.txt"), "old");
    QVERIFY(QDir(home.path(".")).mkdir(QStringLiteral("b.txt")));
    const FileTransaction::Result r =
        FileTransaction::commit({{home.path("a.txt"), "new", false}, {home.path("b.txt"), "new", false}});
    QVERIFY(!r.ok);
    QCOMPARE(r.path, home.path("b.txt"));
    QCOMPARE(home.readBytes(QStringLiteral("a.txt")), QByteArray("old"));
    QCOMPARE(QDir(home.path(".")).entryList(QDir::Files), QStringList{"a.txt"});

    QVERIFY(FileTransaction::commit({{home.path("a.txt"), "new", false}, {home.path("c.txt"), "c", false}}).ok);
    QCOMPARE(home.readBytes(QStringLiteral("a.txt")) + home.readBytes(QStringLiteral("c.txt")), QByteArray("newc"));
    QCOMPARE(QDir(home.path(".")).entryList(QDir::Files), (QStringList{"a.txt", "c.txt"}));
}

// The token rides in a comment line: the merge and year readers see the
// same entries with and without it, and only a token in the header counts.
void TestLedgerHandOff::tokenInTheMergeFile()
{
    TestHome home;
    home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMasterText));
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(m.ReadCategoryMaster(1));
    m.setYear(2026);
    QVERIFY(m.InsertEntry(entry(QStringLiteral("04/05"), QStringLiteral("01"), 1200, 0, QStringLiteral("02"))));
    QVERIFY(m.WriteMergeFile(2026));
    const QByteArray plain = home.readBytes(QStringLiteral("2026_add.zbl"));
    const QString token = HandOff::newToken();
    QVERIFY(token.startsWith(QString::number(QCoreApplication::applicationPid()) + '-'));
    QVERIFY(m.WriteMergeFile(2026, token));
    const QByteArray withToken = home.readBytes(QStringLiteral("2026_add.zbl"));

    QCOMPARE(HandOff::tokenOf(withToken), token);
    QCOMPARE(HandOff::tokenOf(plain), QString());
    QCOMPARE(MergeFile::parse(withToken).data.size(), size_t(1));
    QVERIFY(MergeFile::parse(withToken).skipped.isEmpty());
    QCOMPARE(withToken.size() - plain.size(), HandOff::tokenLine(token).size());
    home.writeBytes(QStringLiteral("2026.zbl"), withToken);
    const YearFileLines lines = LedgerModel::readYearFileLines(home.path(QStringLiteral("2026.zbl")));
    QCOMPARE(lines.data.months[3].size(), size_t(1));
    QVERIFY(lines.skipped.isEmpty());
    // A token line after the entries is no token of the file.
    QCOMPARE(HandOff::tokenOf(plain + HandOff::tokenLine(token)), QString());
}

void TestLedgerHandOff::starterRunning()
{
    TestHome home;
    const QString mine = HandOff::newToken();
    QVERIFY(!HandOff::starterRunning(mine)); // no KaneloY holds the folder
    QLockFile lock(HandOff::ledgerLockPath());
    QVERIFY(lock.tryLock(0));
    QVERIFY(HandOff::starterRunning(mine));
    QVERIFY(!HandOff::starterRunning(QStringLiteral("1-0123456789abcdef"))); // another KaneloY holds it
    QVERIFY(!HandOff::starterRunning(QString()));
    QVERIFY(!HandOff::starterRunning(QStringLiteral("x-1")));
    QVERIFY(lock.isLocked());
}

QTEST_GUILESS_MAIN(TestLedgerHandOff)
#include "test_ledger_handoff.moc"
