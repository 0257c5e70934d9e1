// Finding entries: names compared without regard to width and case, the
// ranges of amount and date, the side, every year file of the folder read
// as the loader reads it, a file that cannot be read, and the window.

#include "ledger/tests/LedgerTestData.h"
#include "search/SearchHits.h"
#include "search/SearchRun.h"
#include "search/frmSearch.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTest>
#include <QTreeView>

namespace {
// The master of the tests with a half-width and a full-width name added.
void addNames(LedgerModel& m)
{
    addCategory(m, QStringLiteral("07"), QStringLiteral("ｸﾚｼﾞｯﾄ"), 1)->addsub(QStringLiteral("01"), QStringLiteral("ＡＢＣストア"));
}

// The open year 2026 and two year files, with an entry of a category the
// master lacks (09) and one of a deleted sub-item (01/09).
struct Years : LedgerFixture {
    Years()
    {
        addNames(m);
        home.writeText(QStringLiteral("2024.zbl"), QStringLiteral("&0\n05/010101800\n05/020900999\n05/030109700\n$0\n"));
        home.writeText(QStringLiteral("2025.zbl"),
                       QStringLiteral("&0\n01/100101500\n02/20050150000\n03/050701300\n12/31010112000\n$0\n"));
        home.writeText(QStringLiteral("2026.zbl"), QStringLiteral("&0\n03/01010100100\n$0\n"));
        m.LoadYearFile();
        m.InsertEntry(entry(QStringLiteral("03/02"), QStringLiteral("01"), 2500, 0, QStringLiteral("01"))); // unsaved
        p.clear();
    }
    // "yyyy/mm/dd cat sub amount" of every hit, sorted.
    QStringList run(const SearchQuery& q)
    {
        SearchRun search;
        QStringList out;
        QObject::connect(&search, &SearchRun::found, [&](const std::vector<SearchHit>& hits) {
            for (const SearchHit& h : hits)
                out << QStringLiteral("%1/%2 %3 %4 %5").arg(h.year).arg(h.entry.date(), h.entry.category(), h.entry.sub())
                           .arg(qint64(h.entry.out) + h.entry.in);
        });
        QSignalSpy done(&search, &SearchRun::finished);
        search.start(q, m);
        if (!done.wait(5000))
            out << QStringLiteral("<not finished>");
        out.sort();
        return out;
    }
};
}

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void folding_data();
    void folding();
    void queries_data();
    void queries();
    void unreadableYearIsReportedAndSearchGoesOn();
    void windowShowsHitsAndChoosesOne();
    void windowRefusesWrongFields_data();
    void windowRefusesWrongFields();
};

void TestSearch::folding_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("half-width kana") << "ｶﾞｲｼｮｸ" << "ガイショク";
    QTest::newRow("full-width letters") << "ａｂｃ" << "ABC";
    QTest::newRow("letter case") << "abc" << "AbC";
    QTest::newRow("full-width digits") << "１２３" << "123";
    QTest::newRow("kana both ways") << "クレジット" << "ｸﾚｼﾞｯﾄ";
}

void TestSearch::folding()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(foldForSearch(typed), foldForSearch(stored));
}

void TestSearch::queries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("amounts"); // "from-to", either may be empty
    QTest::addColumn<QString>("dates");   // "yyyy-mm-dd..yyyy-mm-dd"
    QTest::addColumn<int>("side");
    QTest::addColumn<QStringList>("hits");
    const int both = int(SearchQuery::Side::Both);
    QTest::newRow("sub-item name in every year")
        << "外食" << "" << "" << both
        << QStringList{"2024/05/01 01 01 800", "2025/01/10 01 01 500", "2025/12/31 01 01 12000",
                       "2026/03/01 01 01 100", "2026/03/02 01 01 2500"};
    QTest::newRow("category name covers its sub-items and none")
        << "食費" << "" << "" << both
        << QStringList{"2024/05/01 01 01 800", "2024/05/03 01 00 700", "2025/01/10 01 01 500", "2025/12/31 01 01 12000",
                       "2026/03/01 01 01 100", "2026/03/02 01 01 2500"};
    QTest::newRow("half-width category typed full-width") << "クレジット" << "" << "" << both
                                                         << QStringList{"2025/03/05 07 01 300"};
    QTest::newRow("full-width sub-item typed in half-width") << "abc" << "" << "" << both
                                                            << QStringList{"2025/03/05 07 01 300"};
    QTest::newRow("amount range") << "" << "500-2500" << "" << both
                                   << QStringList{"2024/05/01 01 01 800", "2024/05/03 01 00 700", "2025/01/10 01 01 500",
                                                  "2026/03/02 01 01 2500"};
    QTest::newRow("amount from only") << "" << "12000-" << "" << both
                                      << QStringList{"2025/02/20 05 01 50000", "2025/12/31 01 01 12000"};
    QTest::newRow("dates across two years") << "" << "" << "2025-12-31..2026-03-01" << both
                                            << QStringList{"2025/12/31 01 01 12000", "2026/03/01 01 01 100"};
    QTest::newRow("income only") << "" << "" << "" << int(SearchQuery::Side::In) << QStringList{"2025/02/20 05 01 50000"};
    QTest::newRow("expense only, text") << "給与" << "" << "" << int(SearchQuery::Side::Out) << QStringList{};
    QTest::newRow("nothing matches") << "旅行" << "" << "" << both << QStringList{};
}

void TestSearch::queries()
{
    QFETCH(QString, text);
    QFETCH(QString, amounts);
    QFETCH(QString, dates);
    QFETCH(int, side);
    QFETCH(QStringList, hits);
    Years y;
    SearchQuery q;
    q.text = text;
    if (!amounts.isEmpty()) {
        const QStringList a = amounts.split(QLatin1Char('-'));
        if (!a[0].isEmpty())
            q.amountFrom = a[0].toLongLong();
        if (!a[1].isEmpty())
            q.amountTo = a[1].toLongLong();
    }
    if (!dates.isEmpty()) {
        const QStringList d = dates.split(QStringLiteral(".."));
        q.dateFrom = QDate::fromString(d[0], Qt::ISODate);
        q.dateTo = QDate::fromString(d[1], Qt::ISODate);
    }
    q.side = SearchQuery::Side(side);
    QCOMPARE(y.run(q), hits);
    QVERIFY(y.p.shown.isEmpty());
}

void TestSearch::unreadableYearIsReportedAndSearchGoesOn()
{
    Years y;
    QDir(y.home.path({})).mkdir(QStringLiteral("2023.zbl"));
    y.home.writeText(QStringLiteral("2022.zbl"), QStringLiteral("&0\n07/070101777\n$0\n"));
    SearchRun search;
    QSignalSpy failed(&search, &SearchRun::yearFailed);
    QSignalSpy found(&search, &SearchRun::found);
    QSignalSpy done(&search, &SearchRun::finished);
    SearchQuery q;
    q.text = QStringLiteral("外食");
    search.start(q, y.m);
    QVERIFY(done.wait(5000));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed[0][0].toString(), QStringLiteral("2023.zbl"));
    // Each year's hits come as that year is done: the open year, 2025, 2024, 2022.
    QCOMPARE(found.size(), 4);
    const auto last = found.last()[0].value<std::vector<SearchHit>>();
    QCOMPARE(last.size(), size_t(1));
    QCOMPARE(last[0].year, 2022);
    // The files were only read.
    QCOMPARE(y.home.readBytes(QStringLiteral("2022.zbl")), sjis(QStringLiteral("&0\r\n07/070101777\r\n$0\r\n")));
}

void TestSearch::windowShowsHitsAndChoosesOne()
{
    Years y;
    frmSearch w(y.m);
    w.show();
    w.txtText->setText(QStringLiteral("ｶﾞｲｼｮｸ"));
    QTest::keyClick(w.txtText, Qt::Key_Return); // Enter in a field searches
    // No entry is named in kana: found by the kanji only.
    QTRY_VERIFY(w.lblStatus->text().startsWith(QStringLiteral("検索が終わりました。")));
    QCOMPARE(w.hits->count(), 0);
    w.txtText->setText(QStringLiteral("外食"));
    w.txtDateFrom->setText(QStringLiteral("2025"));
    w.txtDateTo->setText(QStringLiteral("２０２６／３"));
    w.cmdFind_Click();
    QTRY_VERIFY(w.lblStatus->text().startsWith(QStringLiteral("検索が終わりました。")));
    QCOMPARE(w.hits->count(), 4);
    QCOMPARE(w.lblCount->text(), QStringLiteral("4 件　　出金 計 15,100 円　　入金 計 0 円"));
    // Sorted by date: the first row is 2025/01/10; by 出金 descending the 12,000.
    QCOMPARE(w.shownHit(0)->year, 2025);
    QCOMPARE(w.shownHit(0)->entry.date(), QStringLiteral("01/10"));
    w.lvwHits->sortByColumn(SearchHits::Out, Qt::DescendingOrder);
    QCOMPARE(w.shownHit(0)->entry.out, 12000);
    QSignalSpy chosen(&w, &frmSearch::hitChosen);
    w.lvwHits->setFocus();
    w.lvwHits->setCurrentIndex(w.sorted->index(1, 0));
    QTest::keyClick(w.lvwHits, Qt::Key_Return);
    QCOMPARE(chosen.size(), 1);
    const SearchHit hit = chosen[0][0].value<SearchHit>();
    QCOMPARE(hit.year, 2026);
    QCOMPARE(hit.entry.out, 2500);
    QVERIFY(hit.entry.id != 0); // an entry of the open year, by its id
}

void TestSearch::windowRefusesWrongFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("amount of letters") << "txtAmountFrom" << "abc" << "金額は数値で入力して下さい。";
    QTest::newRow("no such day") << "txtDateFrom" << "2025/02/30" << "日付は yyyy/mm/dd の形式で入力して下さい。";
    QTest::newRow("two-digit year") << "txtDateTo" << "25/01/01" << "日付は yyyy/mm/dd の形式で入力して下さい。";
}

void TestSearch::windowRefusesWrongFields()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Years y;
    frmSearch w(y.m);
    w.show();
    auto* edit = w.findChild<QLineEdit*>(field);
    edit->setText(typed);
    w.cmdFind_Click();
    QVERIFY(y.p.messages().value(0).startsWith(message));
    QVERIFY(!w.searching());
    QCOMPARE(w.hits->count(), 0);
}

QTEST_MAIN(TestSearch)
#include "test_search.moc"
