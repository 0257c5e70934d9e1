// Dated copies in backup/: made before each write of a year, the master or a
// memo file, pruned to the newest, never in the way of the save, and put
// back by a restore that leaves the model as a fresh read would.

#include "ledger/BackupRestore.h"
#include "ledger/tests/FileSizeLimit.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
const QString kYear = QStringLiteral("2026.zbl");

// Dates the file as saved at that minute of the day, so each copy gets its own name.
void dateFile(const QString& path, int minute)
{
    QFile f(path);
    f.open(QIODevice::ReadWrite);
    f.setFileTime(QDateTime(QDate(2026, 3, 15), QTime(9, minute, 15)), QFileDevice::FileModificationTime);
}

QStringList copyNames(const QString& fileName)
{
    QStringList names;
    for (const Backups::Copy& c : Backups::copiesOf(fileName))
        names << QFileInfo(c.path).fileName();
    return names;
}

// Saves the open year with one more entry of `amount`, the old file dated at `minute`.
bool saveWith(LedgerFixture& l, qint32 amount, int minute)
{
    if (QFile::exists(l.home.path(kYear)))
        dateFile(l.home.path(kYear), minute);
    l.m.InsertEntry(entry(QStringLiteral("03/10"), QStringLiteral("01"), amount));
    return l.m.SaveYearFile(1);
}
}

class TestBackups : public QObject {
    Q_OBJECT
private slots:
    void copiesArePrunedToTheNewest_data();
    void copiesArePrunedToTheNewest();
    void sameSecondAndSameBytes();
    void everyWriterKeepsACopy();
    void noCopyNeverStopsTheSave_data();
    void noCopyNeverStopsTheSave();
    void restoreYearRoundTrip();
    void restoreDeclinedChangesNothing();
    void restoreRefusedWhenCurrentCannotBeKept();
    void restoreMasterKeepsYearConsistent();
    void restoreUnusableMasterRollsBack();
    void restoreMemosReloads();
    void listingOfYearCopies();
};

void TestBackups::copiesArePrunedToTheNewest_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("saves");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("default keeps all of 4") << -1 << 5
                                           << QStringList{"2026.zbl.20260315-090115", "2026.zbl.20260315-090215",
                                                          "2026.zbl.20260315-090315", "2026.zbl.20260315-090415"};
    QTest::newRow("2 generations") << 2 << 5 << QStringList{"2026.zbl.20260315-090315", "2026.zbl.20260315-090415"};
    QTest::newRow("0 turns copies off") << 0 << 5 << QStringList{};
    QTest::newRow("setting beyond the range") << 5000 << 3
                                              << QStringList{"2026.zbl.20260315-090115", "2026.zbl.20260315-090215"};
}

void TestBackups::copiesArePrunedToTheNewest()
{
    QFETCH(int, setting);
    QFETCH(int, saves);
    QFETCH(QStringList, left);
    LedgerFixture l;
    if (setting >= 0)
        Backups::setGenerations(setting);
    for (int i = 0; i < saves; ++i)
        QVERIFY(saveWith(l, 100 + i, i));
    QCOMPARE(copyNames(kYear), left);
    // Each copy holds what the file held when it was replaced: one entry fewer.
    if (!left.isEmpty()) {
        const QByteArray newest = TextFile::readBytes(Backups::copiesOf(kYear).back().path).bytes;
        QVERIFY(newest.contains("03/10010010" + QByteArray::number(saves - 2)));
        QVERIFY(!newest.contains("03/10010010" + QByteArray::number(saves - 1)));
    }
    QVERIFY(l.p.messages().isEmpty());
}

void TestBackups::sameSecondAndSameBytes()
{
    LedgerFixture l;
    QVERIFY(saveWith(l, 1, 0)); // no file yet, no copy
    QVERIFY(saveWith(l, 2, 5));
    dateFile(l.home.path(kYear), 5); // saved within the same second as the copy just made
    QVERIFY(l.m.SaveYearFile(1));
    QVERIFY(l.m.SaveYearFile(1)); // the same bytes again: the newest copy holds them already
    QCOMPARE(copyNames(kYear), (QStringList{"2026.zbl.20260315-090515", "2026.zbl.20260315-090515-01"}));
}

void TestBackups::everyWriterKeepsACopy()
{
    LedgerFixture l;
    l.home.writeText(QStringLiteral("2026.zbm"), QStringLiteral("*\n\n04/15歯医者\n"));
    l.home.writeText(kYear, QStringLiteral("&0\n$0\n"));
    const QByteArray master = l.home.readBytes(QStringLiteral("MainSub.zbt"));
    const QByteArray memos = l.home.readBytes(QStringLiteral("2026.zbm"));
    QVERIFY(l.m.WriteCategoryMaster());
    QVERIFY(l.m.ReadMemoFile(2026));
    QVERIFY(l.m.WriteMemoFile(2026));
    QVERIFY(l.m.SaveYearFile(1));
    QCOMPARE(copyNames(QStringLiteral("MainSub.zbt")).size(), 1);
    QCOMPARE(TextFile::readBytes(Backups::copiesOf(QStringLiteral("MainSub.zbt"))[0].path).bytes, master);
    QCOMPARE(TextFile::readBytes(Backups::copiesOf(QStringLiteral("2026.zbm"))[0].path).bytes, memos);
    QCOMPARE(copyNames(kYear).size(), 1);
    // The start-up copy and the merge file are no business of the keeper.
    QVERIFY(l.m.WriteMergeFile(2026));
    QCOMPARE(copyNames(QStringLiteral("2026_add.zbl")).size(), 0);
}

void TestBackups::noCopyNeverStopsTheSave_data()
{
    QTest::addColumn<bool>("fullDisk");
    QTest::newRow("disk too full for the copy") << true;
    QTest::newRow("backup is no folder") << false;
}

void TestBackups::noCopyNeverStopsTheSave()
{
    QFETCH(bool, fullDisk);
    LedgerFixture l;
    // A large year is replaced by a small one: the copy of the old one does
    // not fit where the new file still does.
    QString big = QStringLiteral("&0\n");
    for (int i = 0; i < 2000; ++i)
        big += QStringLiteral("03/100100123456\n");
    l.home.writeText(kYear, big + QStringLiteral("$0\n"));
    if (!fullDisk)
        l.home.writeBytes(QStringLiteral("backup"), "in the way");
    l.m.setYear(2026);
    l.m.SetMonthEntries(3, {entry(QStringLiteral("03/01"), QStringLiteral("01"), 5)});
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (fullDisk)
            limit = std::make_unique<FileSizeLimit>(4096);
        QVERIFY(l.m.SaveYearFile(1));
        l.m.SetMonthEntries(3, {entry(QStringLiteral("03/02"), QStringLiteral("01"), 6)});
        QVERIFY(l.m.SaveYearFile(1));
        QVERIFY(l.m.WriteCategoryMaster());
    }
    QVERIFY(l.home.readBytes(kYear).contains("03/0201006"));
    // Told once, naming the file that had no copy.
    QCOMPARE(l.p.messages().size(), 1);
    QVERIFY(l.p.messages()[0].contains(QStringLiteral("[2026.zbl] のバックアップを作成できませんでした")));
    QVERIFY(l.p.messages()[0].contains(QStringLiteral("保存はこのまま行います")));
}

void TestBackups::restoreYearRoundTrip()
{
    LedgerFixture l;
    QVERIFY(saveWith(l, 111, 0));
    const QByteArray first = l.home.readBytes(kYear);
    QVERIFY(saveWith(l, 222, 1));
    const QByteArray second = l.home.readBytes(kYear);
    l.m.InsertEntry(entry(QStringLiteral("03/11"), QStringLiteral("01"), 333)); // unsaved
    const Backups::Copy earlier = Backups::copiesOf(kYear).back();
    l.p.answers << Prompter::Answer::Yes;
    QVERIFY(Backups::restore(l.m, earlier));
    const auto& q = l.p.shown.last();
    QCOMPARE(q.kind, FakePrompter::Shown::Question);
    QCOMPARE(q.defaultAnswer, Prompter::Answer::No);
    QVERIFY(q.text.contains(QStringLiteral("[2026.zbl] を、2026/03/15 09:01:15 に保存された内容に戻しますか。")));
    QVERIFY(q.text.contains(QStringLiteral("保存していない変更は失われます")));
    QCOMPARE(l.home.readBytes(kYear), first);
    QCOMPARE(dumpMonth(l.m, 3), QStringLiteral("03/10 01 00 111/0"));
    // The replaced file is the newest copy: restoring it brings the second save back.
    QCOMPARE(TextFile::readBytes(Backups::copiesOf(kYear).back().path).bytes, second);
    l.p.answers << Prompter::Answer::Yes;
    QVERIFY(Backups::restore(l.m, Backups::copiesOf(kYear).back()));
    QCOMPARE(l.home.readBytes(kYear), second);
}

void TestBackups::restoreDeclinedChangesNothing()
{
    LedgerFixture l;
    QVERIFY(saveWith(l, 1, 0));
    QVERIFY(saveWith(l, 2, 1));
    const QByteArray now = l.home.readBytes(kYear);
    const QStringList copies = copyNames(kYear);
    l.p.answers << Prompter::Answer::No;
    QVERIFY(!Backups::restore(l.m, Backups::copiesOf(kYear)[0]));
    QCOMPARE(l.home.readBytes(kYear), now);
    QCOMPARE(copyNames(kYear), copies);
    QCOMPARE(l.m.slot(3).count(), 2);
}

void TestBackups::restoreRefusedWhenCurrentCannotBeKept()
{
    LedgerFixture l;
    QVERIFY(saveWith(l, 1, 0));
    QVERIFY(saveWith(l, 2, 1));
    const QByteArray now = l.home.readBytes(kYear);
    const Backups::Copy copy = Backups::copiesOf(kYear)[0];
    l.p.answers << Prompter::Answer::Yes;
    {
        FileSizeLimit limit(16);
        QVERIFY(!Backups::restore(l.m, copy));
    }
    QCOMPARE(l.home.readBytes(kYear), now);
    QVERIFY(l.p.messages().last().contains(QStringLiteral("バックアップとして残せないため、復元しませんでした")));
}

void TestBackups::restoreMasterKeepsYearConsistent()
{
    LedgerFixture l;
    // The copy knows categories 01 and 05 only, and 05 as an expense.
    l.home.writeText(QStringLiteral("MainSub.zbt"), QStringLiteral("C\n*\n\n0100食費:1:255:0\n0500給与:1:0:0\n"));
    dateFile(l.home.path(QStringLiteral("MainSub.zbt")), 0);
    QVERIFY(l.m.WriteCategoryMaster()); // the master of the fixture again; the copy above is kept
    l.m.InsertEntries({entry(QStringLiteral("03/01"), QStringLiteral("01"), 10), entry(QStringLiteral("03/02"), QStringLiteral("02"), 20),
                       entry(QStringLiteral("03/03"), QStringLiteral("05"), 0, 30)});
    l.p.answers << Prompter::Answer::Yes;
    QVERIFY(Backups::restore(l.m, Backups::copiesOf(QStringLiteral("MainSub.zbt"))[0]));
    QVERIFY(l.p.shown.last().text.contains(QStringLiteral("2026 年度のデータのうち 1 件は、この管理ファイルにない費目")));
    QCOMPARE(dumpCategories(l.m), QStringLiteral("01食費:1:255:0[] 05給与:1:0:0[]"));
    // As a reload would give: no entry of a category the master lacks, amounts on the side of their kind.
    QCOMPARE(dumpMonth(l.m, 3), QStringLiteral("03/01 01 00 10/0; 03/03 05 00 30/0"));
    QCOMPARE(l.m.categoryUse().size(), size_t(2));
}

void TestBackups::restoreUnusableMasterRollsBack()
{
    LedgerFixture l;
    l.home.writeText(QStringLiteral("MainSub.zbt"), QStringLiteral("C\n*\nno categories here\n"));
    dateFile(l.home.path(QStringLiteral("MainSub.zbt")), 0);
    QVERIFY(l.m.WriteCategoryMaster());
    const QByteArray good = l.home.readBytes(QStringLiteral("MainSub.zbt"));
    const QString before = dumpCategories(l.m);
    l.p.answers << Prompter::Answer::Yes;
    QVERIFY(!Backups::restore(l.m, Backups::copiesOf(QStringLiteral("MainSub.zbt"))[0]));
    QCOMPARE(l.home.readBytes(QStringLiteral("MainSub.zbt")), good);
    QCOMPARE(dumpCategories(l.m), before);
    QVERIFY(l.p.messages().last().contains(QStringLiteral("元に戻しました")));
}

void TestBackups::restoreMemosReloads()
{
    LedgerFixture l;
    l.home.writeText(QStringLiteral("2026.zbm"), QStringLiteral("*\n\n04/15歯医者\n"));
    dateFile(l.home.path(QStringLiteral("2026.zbm")), 0);
    QVERIFY(l.m.ReadMemoFile(2026));
    l.m.SetMemo(QStringLiteral("04/15"), QStringLiteral("眼科"));
    QVERIFY(l.m.WriteMemoFile(2026));
    QVERIFY(l.m.ReadMemoFile(2026));
    QCOMPARE(l.m.memoList().find(QStringLiteral("04/15"))->name, QStringLiteral("眼科"));
    l.p.answers << Prompter::Answer::Yes;
    QVERIFY(Backups::restore(l.m, Backups::copiesOf(QStringLiteral("2026.zbm"))[0]));
    QCOMPARE(l.m.memoList().count(), 1);
    QCOMPARE(l.m.memoList().find(QStringLiteral("04/15"))->name, QStringLiteral("歯医者"));
}

void TestBackups::listingOfYearCopies()
{
    LedgerFixture l;
    l.home.writeText(QStringLiteral("2025.zbl"), QStringLiteral("C\n&1000\n01/050100300\n02/010500500\n$1200\n"));
    dateFile(l.home.path(QStringLiteral("2025.zbl")), 7);
    QVERIFY(Backups::keep(l.home.path(QStringLiteral("2025.zbl")), 20).ok);
    l.home.writeBytes(QStringLiteral("backup/notes.txt"), "not a copy");
    l.home.writeBytes(QStringLiteral("backup/KaneloY.lock.20260101-000000"), "no file of the ledger");
    const auto listed = Backups::restorable();
    QCOMPARE(listed.size(), size_t(1));
    QCOMPARE(listed[0].copy.fileName, QStringLiteral("2025.zbl"));
    QCOMPARE(listed[0].kind, Backups::Kind::Year);
    QCOMPARE(listed[0].year, 2025);
    QCOMPARE(listed[0].copy.saved, QDateTime(QDate(2026, 3, 15), QTime(9, 7, 15)));
    QCOMPARE(listed[0].entries, 2);
    QCOMPARE(listed[0].balance, std::optional<qint64>(1200));
}

QTEST_GUILESS_MAIN(TestBackups)
#include "test_backups.moc"
