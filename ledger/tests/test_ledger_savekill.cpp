// A save cut short by a crash or power loss never leaves half a year file:
// a child process saves a year of 100,000 entries over and over and is
// killed at random moments; the file is always the whole old or the whole
// new year.

#include "Clock.h"
#include "FakePrompter.h"
#include "Formats.h"
#include "LedgerModel.h"
#include "LedgerTestData.h"
#include "TestHome.h"

#include <QCoreApplication>
#include <QProcess>
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

// The child: saves version 1 and 0 alternately until it is killed.
int saveLoop()
{
    Clock::setFixed(kToday);
    FakePrompter p;
    LedgerModel m(p);
    if (!m.ReadCategoryMaster(1))
        return 2;
    fillYear(m, 1);
    for (int version = 1;; version = 1 - version) {
        m.SetCarryOver(version, m.carryAuto());
        if (!m.SaveYearFile(1))
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
    void killedSaveLeavesWholeFile();
};

void TestLedgerSaveKill::killedSaveLeavesWholeFile()
{
    TestHome home(kToday);
    home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMasterText));
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(m.ReadCategoryMaster(1));
    fillYear(m, 1);
    QVERIFY(m.SaveYearFile(1));
    const QByteArray newer = home.readBytes(QStringLiteral("2026.zbl"));
    m.SetCarryOver(0, m.carryAuto());
    QVERIFY(m.SaveYearFile(1));
    const QByteArray older = home.readBytes(QStringLiteral("2026.zbl"));
    QVERIFY(older != newer && older.size() > kEntries * 10);

    int sawOlder = 0, sawNewer = 0;
    for (int round = 0; round < 50; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KANELO_SAVE_LOOP"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QVERIFY2(child.waitForReadyRead(30000), "the child never saved");
        QTest::qSleep(int(QRandomGenerator::global()->bounded(60)));
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const QByteArray now = home.readBytes(QStringLiteral("2026.zbl"));
        QVERIFY2(now == older || now == newer, qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(now.size())));
        (now == older ? sawOlder : sawNewer)++;
    }
    qInfo("whole older file %d times, whole newer file %d times", sawOlder, sawNewer);
}

int main(int argc, char* argv[])
{
    // The child is this program again, started with KANELO_HOME inherited.
    if (qEnvironmentVariableIsSet("KANELO_SAVE_LOOP")) {
        QCoreApplication app(argc, argv);
        return saveLoop();
    }
    QCoreApplication app(argc, argv);
    TestLedgerSaveKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ledger_savekill.moc"
