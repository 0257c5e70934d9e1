// Recurring entries: which months a rule has due, the rules file read and
// written back, and the entries offered, filed once and remembered.

#include "ledger/Clock.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/TextFile.h"
#include "recurring/TeikiBook.h"
#include "recurring/TeikiFile.h"

#include <QTest>

namespace {
const QString kHeader = QStringLiteral("C\n*  Last modified: 03-15-2026\n*\n*  Kanelo Y -定期入力管理ファイル-\n*\n"
                                       "*      [データ内容] 費目摘要項目:金額:日:月:開始年月:終了年月:有効:適用済み年月:名称\n*\n\n");

// The dates of a year's due entries, "mm/dd,mm/dd".
QString dueDates(const TeikiRule& r, int year, const QDate& today)
{
    QStringList out;
    for (const YearMonth& ym : r.dueIn(year, today))
        out << r.dateIn(ym).toString(QStringLiteral("MM/dd"));
    return out.join(QLatin1Char(','));
}

void setToday(const QDate& d) { Clock::setFixed(QDateTime(d, QTime(8, 0))); }

// A ledger of 2026 with rent (category 02, day 27, from January) and a
// June/December bonus (income category 05, sub-item 03, day 10).
struct TeikiFixture : LedgerFixture {
    TeikiBook book{m};
    std::vector<std::vector<Entry>> batches;

    explicit TeikiFixture(const QString& rules = QStringLiteral("0200:78000:27:*:2026/01::1::家賃\n"
                                                                "0503:300000:10:6,12:2026/01::1::ボーナス\n"))
    {
        home.writeText(QStringLiteral("2026.zbl"), QStringLiteral("&0\n$0\n"));
        home.writeText(TeikiFile::fileName(), kHeader + rules);
        m.LoadYearFile();
        book.read();
    }
    // Offers what is due, answering the question (if one comes) with `answer`.
    void offer(Prompter::Answer answer = Prompter::Answer::Yes)
    {
        p.answers << answer;
        const int asked = p.shown.size();
        book.offerDue([this](std::vector<Entry> e, TeikiBook::Filed) {
            batches.push_back(e);
            m.InsertEntries(std::move(e));
        });
        if (p.shown.size() == asked) // nothing due, nothing asked
            p.answers.clear();
    }
};
}

class TestTeiki : public QObject {
    Q_OBJECT
private slots:
    void due_data();
    void due();
    void fileRoundTripIsByteExact();
    void malformedLinesReportedAndKept();
    void offerFilesOneBatchOnce();
    void appliedMarksLastAcrossRestartsAndYears();
    void declinedOrUnsavedIsOfferedAgain();
    void deletedCategoriesTurnRulesOff();
    void unreadableFileIsNeverWritten();
};

void TestTeiki::due_data()
{
    QTest::addColumn<QString>("fields"); // day:months:first:last:on:applied
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("due");
    const QDate mar15(2026, 3, 15);
    QTest::newRow("from January, before the 27th") << "27:*:2026/01::1:" << 2026 << mar15 << "01/27,02/27";
    QTest::newRow("on the day itself") << "27:*:2026/01::1:" << 2026 << QDate(2026, 3, 27) << "01/27,02/27,03/27";
    QTest::newRow("31st: month ends") << "31:*:2026/01::1:" << 2026 << QDate(2026, 4, 30) << "01/31,02/28,03/31,04/30";
    QTest::newRow("30th in a leap February") << "30:*:2024/02::1:" << 2024 << QDate(2024, 3, 1) << "02/29";
    QTest::newRow("29th in a common February") << "29:*:2025/02::1:" << 2025 << QDate(2025, 3, 1) << "02/28";
    QTest::newRow("June and December") << "10:6,12:2025/01::1:" << 2025 << QDate(2025, 12, 31) << "06/10,12/10";
    QTest::newRow("December not yet come") << "10:6,12:2025/01::1:" << 2025 << QDate(2025, 12, 9) << "06/10";
    QTest::newRow("applied up to March") << "27:*:2026/01::1:2026/03" << 2026 << QDate(2026, 5, 30) << "04/27,05/27";
    QTest::newRow("last month ends it") << "27:*:2026/01:2026/02:1:" << 2026 << QDate(2026, 5, 30) << "01/27,02/27";
    QTest::newRow("before its first month") << "27:*:2026/06::1:" << 2026 << QDate(2026, 5, 30) << "";
    QTest::newRow("no first month: from the month made") << "27:*:::1:2026/02" << 2026 << QDate(2026, 5, 30)
                                                         << "03/27,04/27,05/27";
    QTest::newRow("no first month: none before it was made") << "27:*:::1:2026/02" << 2025 << QDate(2026, 5, 30) << "";
    QTest::newRow("a later year not yet applied") << "27:*:::1:2026/02" << 2027 << QDate(2027, 2, 28) << "01/27,02/27";
    QTest::newRow("skipped year offered when opened") << "27:*:2025/11::1:2026/03" << 2025 << QDate(2026, 4, 1) << "11/27,12/27";
    QTest::newRow("marks are per year") << "27:*:2025/11::1:2025/12,2026/03" << 2026 << QDate(2026, 4, 30) << "04/27";
    QTest::newRow("year after today") << "27:*:2026/01::1:" << 2027 << QDate(2026, 5, 1) << "";
    QTest::newRow("turned off") << "27:*:2026/01::0:" << 2026 << mar15 << "";
    QTest::newRow("later than the first month applied") << "27:*:2026/01::1:2025/12" << 2026 << QDate(2026, 2, 1)
                                                        << "01/27";
}

void TestTeiki::due()
{
    QFETCH(QString, fields);
    QFETCH(int, year);
    QFETCH(QDate, today);
    QFETCH(QString, due);
    TeikiRule r;
    QVERIFY(TeikiFile::parseLine(QStringLiteral("0101:1000:") + fields + QStringLiteral(":名前"), r));
    QCOMPARE(dueDates(r, year, today), due);
}

void TestTeiki::fileRoundTripIsByteExact()
{
    TestHome home;
    // A name holding the separator, a sub-item of none, sets of months, a
    // rule off with applied marks of two years, and a line that is no rule.
    const QString text = kHeader
                         + QStringLiteral("0200:78000:27:*:2026/01::1:2026/02:家賃\n"
                                          "0503:300000:10:6,12:::0:2025/12,2026/06:ボーナス: 夏と冬\n"
                                          "0101:1:31:1,3,5:2026/01:2027/12:1::ｶﾀｶﾅ\n"
                                          "0101:abc:1:*:::1::壊れた行\n");
    home.writeText(TeikiFile::fileName(), text);
    const QByteArray before = home.readBytes(TeikiFile::fileName());
    const TeikiFile::ReadResult r = TeikiFile::read(home.path(TeikiFile::fileName()));
    QVERIFY(r.ok);
    QCOMPARE(r.contents.rules.size(), size_t(3));
    QCOMPARE(r.contents.rules[1].name, QStringLiteral("ボーナス: 夏と冬"));
    QCOMPARE(r.contents.rules[1].months, quint16(0x0820));
    QCOMPARE(r.contents.keptLines, QList<int>{12});
    QVERIFY(TeikiFile::write(home.path(TeikiFile::fileName()), r.contents, nullptr));
    QCOMPARE(home.readBytes(TeikiFile::fileName()), before);
}

void TestTeiki::malformedLinesReportedAndKept()
{
    TeikiFixture f(QStringLiteral("0200:78000:32:*:::1::日が 32\n"
                                  "0200:78000:27:*:2026/01::1::家賃\n"
                                  "0200:-5:27:*:::1::負の金額\n"
                                  "0200:78000:27:13:::1::13 月\n"));
    QCOMPARE(f.p.messages().size(), 1);
    QVERIFY(f.p.messages()[0].contains(QStringLiteral("Teiki.zbt の次の行は形式が正しくないため")));
    QVERIFY(f.p.messages()[0].contains(QStringLiteral("行番号 : 9, 11, 12")));
    QCOMPARE(f.book.rules().size(), size_t(1));
    TeikiRule r = f.book.rules()[0];
    r.amount = 80000;
    QVERIFY(f.book.replaceRule(r.id, r));
    const QStringList lines = TextFile::readLines(f.home.path(TeikiFile::fileName())).lines;
    QCOMPARE(lines.mid(8), (QStringList{"0200:80000:27:*:2026/01::1::家賃", "0200:78000:32:*:::1::日が 32",
                                        "0200:-5:27:*:::1::負の金額", "0200:78000:27:13:::1::13 月"}));
}

void TestTeiki::offerFilesOneBatchOnce()
{
    TeikiFixture f;
    f.offer();
    const auto& q = f.p.shown.last();
    QCOMPARE(q.kind, FakePrompter::Shown::Question);
    QCOMPARE(q.defaultAnswer, Prompter::Answer::Yes);
    QVERIFY(q.text.startsWith(QStringLiteral("定期入力: 2 件を追加しますか。")));
    QVERIFY(q.text.contains(QStringLiteral("2026/01/27  家賃  [日用品]  78,000 円 (出金)")));
    QCOMPARE(f.batches.size(), size_t(1));
    QCOMPARE(dumpMonth(f.m, 1), QStringLiteral("01/27 02 00 78000/0"));
    QCOMPARE(dumpMonth(f.m, 2), QStringLiteral("02/27 02 00 78000/0"));
    // Asked again before saving: nothing is due twice.
    f.offer();
    QCOMPARE(f.batches.size(), size_t(1));
    QCOMPARE(f.p.shown.size(), 1);
}

void TestTeiki::appliedMarksLastAcrossRestartsAndYears()
{
    {
        TeikiFixture f;
        f.offer();
        QVERIFY(f.m.SaveYearFile(1));
        QVERIFY(f.home.readBytes(TeikiFile::fileName()).contains("0200:78000:27:*:2026/01::1:2026/02:"));
    }
    // A later start: rent of March to June and the June bonus, as income.
    TeikiFixture f{QString()};
    f.home.writeText(QStringLiteral("2026.zbl"), QStringLiteral("&0\n01/270200078000\n02/270200078000\n$0\n"));
    f.home.writeText(TeikiFile::fileName(), kHeader + QStringLiteral("0200:78000:27:*:2026/01::1:2026/02:家賃\n"
                                                                     "0503:300000:10:6,12:2026/01::1::ボーナス\n"));
    setToday(QDate(2026, 6, 30));
    f.m.LoadYearFile();
    f.book.read();
    f.offer();
    QVERIFY(f.p.shown.last().text.startsWith(QStringLiteral("定期入力: 5 件を追加しますか。")));
    QVERIFY(f.p.shown.last().text.contains(QStringLiteral("ボーナス  [給与・賞与]  300,000 円 (入金)")));
    QCOMPARE(dumpMonth(f.m, 6), QStringLiteral("06/10 05 03 0/300000; 06/27 02 00 78000/0"));
    QCOMPARE(f.m.slot(3).count() + f.m.slot(4).count() + f.m.slot(5).count(), 3);
    QVERIFY(f.m.SaveYearFile(1));
    // The next year starts with January; nothing of 2026 is offered there.
    setToday(QDate(2027, 1, 31));
    f.m.setYear(2027);
    f.home.writeText(QStringLiteral("2027.zbl"), QStringLiteral("&0\n$0\n"));
    f.m.LoadYearFile();
    f.offer();
    QVERIFY(f.p.shown.last().text.startsWith(QStringLiteral("定期入力: 1 件を追加しますか。")));
    QCOMPARE(dumpMonth(f.m, 1), QStringLiteral("01/27 02 00 78000/0"));
}

void TestTeiki::declinedOrUnsavedIsOfferedAgain()
{
    TeikiFixture f;
    f.offer(Prompter::Answer::No);
    QVERIFY(f.batches.empty());
    QCOMPARE(f.m.slot(1).count(), 0);
    f.offer();
    QCOMPARE(f.batches.size(), size_t(1));
    // The year read again without saving: the entries are gone, so they are due again.
    f.m.LoadYearFile();
    f.offer();
    QCOMPARE(f.batches.size(), size_t(2));
    QVERIFY(!f.home.readBytes(TeikiFile::fileName()).contains("2026/02"));
}

void TestTeiki::deletedCategoriesTurnRulesOff()
{
    TeikiFixture f(QStringLiteral("0200:78000:27:*:2026/01::1::家賃\n"
                                  "0503:300000:10:6,12:2026/01::1::ボーナス\n"
                                  "0101:5000:1:*:2026/01::1::外食代\n"
                                  "0101:5000:1:*:2026/01::0::止めた外食代\n"));
    f.book.turnOffDeleted({2}, {101});
    QCOMPARE(f.p.messages().last(), QStringLiteral("次の定期入力は、費目または摘要項目が削除されたため、無効にしました。\r\n\r\n"
                                                   "  家賃\r\n  外食代"));
    QVERIFY(f.home.readBytes(TeikiFile::fileName()).contains("0200:78000:27:*:2026/01::0::"));
    // A master without the bonus's sub-item: turned off before anything is offered.
    LedgerInternals::categoryList(f.m).find(QStringLiteral("05"))->deleachsub(QStringLiteral("03"));
    f.offer();
    QVERIFY(f.batches.empty());
    QVERIFY(f.p.messages().last().endsWith(QStringLiteral("  ボーナス")));
}

void TestTeiki::unreadableFileIsNeverWritten()
{
    LedgerFixture l;
    QDir(l.home.path({})).mkdir(TeikiFile::fileName()); // a folder where the file should be
    TeikiBook book(l.m);
    book.read();
    QVERIFY(l.p.messages().last().contains(QStringLiteral("定期入力管理ファイル [Teiki.zbt] を読み込めませんでした。")));
    TeikiRule r;
    r.name = QStringLiteral("家賃");
    r.categoryNo = 2;
    r.amount = 1;
    QVERIFY(!book.addRule(r));
    QVERIFY(l.p.messages().last().contains(QStringLiteral("上書き保存しません")));
    QVERIFY(QFileInfo(l.home.path(TeikiFile::fileName())).isDir());
}

QTEST_GUILESS_MAIN(TestTeiki)
#include "test_teiki.moc"
