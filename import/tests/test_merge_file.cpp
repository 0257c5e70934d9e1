// The merge file yyyy_add.zbl between the two programs: its reader, its
// writer, and the merge into a year in day order.
#include "ledger/tests/FakePrompter.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/MergeFile.h"
#include "ledger/tests/TestHome.h"

#include <QTest>
#include <random>

namespace {
QString parsed(const QByteArray& bytes)
{
    const MergeFile::Parsed p = MergeFile::parse(bytes);
    QStringList out;
    for (const MergeFile::Line& l : p.data)
        out << QStringLiteral("%1:%2 %3 %4 %5").arg(l.lineNo).arg(l.entry.date(), l.entry.category(), l.entry.sub()).arg(l.entry.out);
    QStringList skipped;
    for (const SkippedLine& n : p.skipped)
        skipped << QString::number(n.line);
    return out.join(QStringLiteral("; ")) + QStringLiteral(" | ") + skipped.join(QLatin1Char(','));
}

}

class TestMergeFile : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void writtenFileReadsBack();
    void insertEntriesAsOneByOne();
    void mergeAddFile();
};

void TestMergeFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("result");
    const QByteArray header = sjis(QStringLiteral("C\r\n* Last modified: 03-15-2026\r\n*\r\n*  Kanelo Y -データファイル (2024年度)-\r\n\r\n"));
    QTest::newRow("header and entries") << header + "04/0501001200\r\n04/010502-5\r\n"
                                        << "6:04/05 01 00 1200; 7:04/01 05 02 -5 | ";
    QTest::newRow("comments anywhere, LF, spaces, no last line end")
        << QByteArray("  04/0501001\n*x\nComment\n\n   \n12/3102992147483647  ") << "1:04/05 01 00 1; 6:12/31 02 99 2147483647 | ";
    QTest::newRow("carry and balance lines are no entries") << QByteArray("#0\r\n&5\r\n04/0501001\r\n$7\r\n")
                                                             << "3:04/05 01 00 1 | 1,2,4";
    QTest::newRow("broken lines") << QByteArray("13/0101001\n04/3201001\n04/0500001\n04/05010\n04/050100x\n04-0501001\n04/050100-\n")
                                  << " | 1,2,3,4,5,6,7";
    QTest::newRow("amount beyond 32 bits") << QByteArray("04/05010021474836480\n04/0501002147483648\n") << " | 1,2";
    QTest::newRow("empty") << QByteArray() << " | ";
    QTest::newRow("bytes of another code page") << sjis(QStringLiteral("０４/０５\r\n")) + "\xFF\xFE\x00\x01" << " | 1,2";
}

void TestMergeFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, result);
    QCOMPARE(parsed(bytes), result);
}

void TestMergeFile::writtenFileReadsBack()
{
    LedgerFixture l(2024);
    l.m.SetMonthEntries(1, {entry("01/15", "01", 1200, 0, "01"), entry("01/02", "05", 0, 250000)});
    l.m.SetMonthEntries(12, {entry("12/31", "02", -7)});
    QVERIFY(l.m.WriteMergeFile(2024));
    const QByteArray bytes = l.home.readBytes("2024_add.zbl");
    QCOMPARE(bytes, sjis(QStringLiteral("C\r\n* Last modified: 03-15-2026\r\n*\r\n*  Kanelo Y -データファイル (2024年度)-\r\n*\r\n"
                                        "*      [データ内容] 日付/費目/摘要項目/出入金\r\n*\r\n\r\n"
                                        "01/1501011200\r\n01/020500250000\r\n12/310200-7\r\n")));
    QCOMPARE(parsed(bytes), QStringLiteral("9:01/15 01 01 1200; 10:01/02 05 00 250000; 11:12/31 02 00 -7 | "));
}

void TestMergeFile::insertEntriesAsOneByOne()
{
    // Existing months in day order and out of it; many entries of one day.
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        LedgerFixture one(2024), bulk(2024);
        for (LedgerModel* m : {&one.m, &bulk.m}) {
            std::mt19937 same(seed * 7);
            for (int month = 1; month <= 12; ++month) {
                const int n = int(same() % 12);
                std::vector<Entry> entries;
                for (int i = 0; i < n; ++i)
                    entries.push_back(entry(QStringLiteral("%1/%2").arg(month, 2, 10, QChar('0')).arg(1 + same() % 6, 2, 10, QChar('0')), "01", i));
                if (seed % 2)
                    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.day() < b.day(); });
                m->SetMonthEntries(month, std::move(entries));
            }
        }
        std::vector<Entry> incoming;
        for (int i = 0; i < 60; ++i)
            incoming.push_back(entry(QStringLiteral("%1/%2").arg(1 + rng() % 12, 2, 10, QChar('0')).arg(1 + rng() % 7, 2, 10, QChar('0')), "02",
                                     1000 + i, 0));
        for (const Entry& e : incoming)
            one.m.InsertEntry(e);
        bulk.m.InsertEntries(incoming);
        for (int month = 1; month <= 12; ++month) {
            QCOMPARE(dumpMonth(bulk.m, month), dumpMonth(one.m, month));
            QCOMPARE(bulk.m.slot(month).totalOut, one.m.slot(month).totalOut);
        }
    }
}

void TestMergeFile::mergeAddFile()
{
    LedgerFixture l(2024);
    l.m.SetMonthEntries(4, {entry("04/03", "01", 100)});
    l.home.writeText("2024_add.zbl", QStringLiteral("C\n* header\n\n04/0501001\n04/01050110\n04/0301002\n"
                                                    "04/0709001\n04/0809002\n04/0102093\n04/0201022\n#0\nxyz\n"));
    QVERIFY(l.m.MergeAddFile(2024));
    // Category 09 is gone: its two lines are left out with one warning; a
    // deleted sub-item becomes "none"; income goes to income.
    QCOMPARE(dumpMonth(l.m, 4), QStringLiteral("04/01 02 00 3/0; 04/01 05 01 0/10; 04/02 01 02 2/0; 04/03 01 00 2/0; "
                                               "04/03 01 00 100/0; 04/05 01 00 1/0"));
    QCOMPARE(l.m.slot(4).totalOut, 108);
    QCOMPARE(l.m.slot(4).totalIn, 10);
    QCOMPARE(l.p.messages(),
             (QStringList{"費目番号 [09] に該当する費目は削除されています。",
                          "費目 [日用品] の [09] に該当する摘要項目は削除されているため、\r\n [摘要項目なし] のデータとして処理を続行します。",
                          "2024_add.zbl の次の行は形式が正しくないため、読み飛ばしました。\r\n\r\n  行番号 : 11, 12\r\n\r\n"
                          "このまま保存すると、これらの行はファイルから失われます。"}));
    QCOMPARE(l.m.slot(4).entries.front().id != 0, true);

    QFile::remove(l.home.path("2024_add.zbl"));
    l.p.clear();
    QVERIFY(!l.m.MergeAddFile(2024));
    QCOMPARE(l.p.messages().size(), 1);
    QVERIFY(l.p.messages().first().startsWith(QStringLiteral("取込データファイル [")));
}

QTEST_GUILESS_MAIN(TestMergeFile)
#include "test_merge_file.moc"
