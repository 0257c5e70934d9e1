// A save cut short by a crash or power loss never leaves half a year file:
// a child process saves a year of 100,000 entries over and over and is
// killed at random moments; the file is always the whole old or the whole
// new year. The same for the master and the year written together: after
// the next start's recovery they are both old or both new.

#include "ledger/Clock.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/FileTransaction.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/tests/TestHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>

namespace {
constexpr int kEntries = 100000;
const QDateTime kToday(QDate(2026, 3, 15), QTime(10, 0));

// The year both processes save: the versions differ in their first and
// last lines (carry-over and balance), so a cut anywhere shows.
void fillYear(LedgerModel& m, int version)
{
    m.setYear(2026);
    m.SetCarryOver(m.carryOver(), false);
    m.SetCarryOver(version, m.carryAuto());
    m.clearMonthSlots();
    for (int i = 0; i < kEntries; ++i) {
        const int month = 1 + i * 12 / kEntries;
        Entry e = entry(Fmt::zero2(month) + QStringLiteral("/") + Fmt::zero2(1 + i % 28), i % 5 ? "01" : "05",
                        i % 5 ? 100 + i % 9000 : 0, i % 5 ? 0 : 25000);
        e.id = m.nextEntryId();
        LedgerInternals::slot(m, month).entries.push_back(e);
    }
}

// The master of a version: its first category's budget tells it.
void setMasterVersion(LedgerModel& m, int version) { m.category(QStringLiteral("01"))->limit = 1000 + version; }

// The child: saves version 1 and 0 alternately until it is killed; the
// year alone, or the master with the year.
int saveLoop(bool pair)
{
    Clock::setFixed(kToday);
    FakePrompter p;
    LedgerModel m(p);
    if (!m.ReadCategoryMaster(1))
        return 2;
    fillYear(m, 1);
    for (int version = 1;; version = 1 - version) {
        m.SetCarryOver(version, m.carryAuto());
        setMasterVersion(m, version);
        if (!(pair ? m.SaveMasterAndYear() : m.SaveYearFile(1)))
            return 3;
        static bool told = false;
        if (!told) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
            told = true;
        }
    }
}
}

class TestLedgerSaveKill : public QObject {
    Q_OBJECT
private slots:
    void killedSaveLeavesWholeFile_data();
    void killedSaveLeavesWholeFile();
};

void TestLedgerSaveKill::killedSaveLeavesWholeFile_data()
{
    QTest::addColumn<bool>("pair");
    QTest::newRow("the year file") << false;
    QTest::newRow("the master with the year file") << true;
}

void TestLedgerSaveKill::killedSaveLeavesWholeFile()
{
    QFETCH(bool, pair);
    TestHome home(kToday);
    home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMasterText));
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(m.ReadCategoryMaster(1));
    fillYear(m, 1);
    // Both versions of both files, as the child writes them.
    auto save = [&](int version) {
        m.SetCarryOver(version, m.carryAuto());
        setMasterVersion(m, version);
        return m.SaveMasterAndYear();
    };
    QVERIFY(save(1));
    const QByteArray newer = home.readBytes(QStringLiteral("2026.zbl"));
    const QByteArray newerMaster = home.readBytes(QStringLiteral("MainSub.zbt"));
    QVERIFY(save(0));
    const QByteArray older = home.readBytes(QStringLiteral("2026.zbl"));
    const QByteArray olderMaster = home.readBytes(QStringLiteral("MainSub.zbt"));
    QVERIFY(older != newer && older.size() > kEntries * 10 && olderMaster != newerMaster);

    int sawOlder = 0, sawNewer = 0, recovered = 0;
    for (int round = 0; round < 50; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KANELO_SAVE_LOOP"), pair ? QStringLiteral("pair") : QStringLiteral("year"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QVERIFY2(child.waitForReadyRead(30000), "the child never saved");
        QTest::qSleep(int(QRandomGenerator::global()->bounded(60)));
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        // What the next start of either program does first.
        if (QFileInfo::exists(FileTransaction::journalPath(home.path(QStringLiteral(".")))))
            ++recovered;
        QVERIFY(FileTransaction::recover(home.path(QStringLiteral("."))).ok);
        const QByteArray now = home.readBytes(QStringLiteral("2026.zbl"));
        const QByteArray master = home.readBytes(QStringLiteral("MainSub.zbt"));
        QVERIFY2(now == older || now == newer, qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(now.size())));
        if (pair)
            QVERIFY2(master == (now == older ? olderMaster : newerMaster), qPrintable(QStringLiteral("round %1: a mixed pair").arg(round)));
        (now == older ? sawOlder : sawNewer)++;
        const QStringList left = QDir(home.path(QStringLiteral("."))).entryList({QStringLiteral("*.kanelo-new"), QStringLiteral("*.journal")});
        QVERIFY2(left.isEmpty(), qPrintable(left.join(' ')));
    }
    qInfo("whole older files %d times, whole newer files %d times, %d completed by the recovery", sawOlder, sawNewer, recovered);
}

int main(int argc, char* argv[])
{
    // The child is this program again, started with KANELO_HOME inherited.
    if (qEnvironmentVariableIsSet("KANELO_SAVE_LOOP")) {
        QCoreApplication app(argc, argv);
        return saveLoop(qEnvironmentVariable("KANELO_SAVE_LOOP") == QLatin1String("pair"));
    }
    QCoreApplication app(argc, argv);
    TestLedgerSaveKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ledger_savekill.moc"
