// The shared routines of the ledger model: filing entries, the month and
// category sums, the use ranking, sub-item upkeep and the number formats.

#include "ledger/tests/FakePrompter.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"

#include <QTest>

namespace {
// Categories 01 食費, 02 日用品, 03 交通費 (expense) and 05 給与, 06 賞与 (income).
void addStandardCategories(LedgerModel& m)
{
    addCategory(m, "01", "食費", 1);
    addCategory(m, "02", "日用品", 1);
    addCategory(m, "03", "交通費", 1);
    addCategory(m, "05", "給与", 2);
    addCategory(m, "06", "賞与", 2);
}

// Files "cat:amount" items into a month through InsertEntry, the amount on
// the side of the category.
void fill(LedgerModel& m, int month, const QStringList& items)
{
    // One day after another, so the slot keeps the order of the list.
    int day = 0;
    for (const QString& item : items) {
        const QString cat = item.section(QLatin1Char(':'), 0, 0);
        const int amount = item.section(QLatin1Char(':'), 1, 1).toInt();
        const bool isOut = m.category(cat)->ioflag == 1;
        const QString date = Fmt::zero2(month) + QLatin1Char('/') + Fmt::zero2(++day);
        QVERIFY(m.InsertEntry(entry(date, cat, isOut ? amount : 0, isOut ? 0 : amount)));
    }
}

QString dumpSums(const std::vector<CategorySum>& list)
{
    QStringList out;
    for (const CategorySum& s : list)
        out << s.no + QLatin1Char(':') + QString::number(s.amount);
    return out.join(QLatin1Char(','));
}
}

class TestLedger : public QObject {
    Q_OBJECT
private slots:
    void insertEntry_data();
    void insertEntry();
    void insertEntryRefusesBadDates_data();
    void insertEntryRefusesBadDates();
    void buildMonthCatTotals();
    void buildMonthCatTotalsIn64Bits();
    void makeCategorySums_data();
    void makeCategorySums();
    void rankCategoriesByUse_data();
    void rankCategoriesByUse();
    void subItems();
    void keyedLookups_data();
    void keyedLookups();
    void formats_data();
    void formats();
    void amountsTyped_data();
    void amountsTyped();
    void fullWidthTyping_data();
    void fullWidthTyping();
};

void TestLedger::insertEntry_data()
{
    QTest::addColumn<QStringList>("days"); // days already in March
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("position"); // 1-based, as the slot counts
    QTest::newRow("before both entries of the same day") << QStringList{"05", "10", "10", "12"} << "03/10" << 2;
    QTest::newRow("last day goes to the end") << QStringList{"05", "10", "10", "12"} << "03/31" << 5;
    QTest::newRow("first day goes to the front") << QStringList{"05", "10", "10", "12"} << "03/01" << 1;
    QTest::newRow("between two days") << QStringList{"05", "10", "10", "12"} << "03/11" << 4;
    QTest::newRow("empty month") << QStringList{} << "03/10" << 1;
    // Out of day order (a hand-edited file): still between an earlier and a later day.
    QTest::newRow("unsorted slot: between earlier and later day") << QStringList{"20", "03", "25"} << "03/15" << 3;
}

void TestLedger::insertEntry()
{
    QFETCH(QStringList, days);
    QFETCH(QString, date);
    QFETCH(int, position);
    FakePrompter p;
    LedgerModel m(p);
    MonthSlot& march = LedgerInternals::slot(m, 3);
    for (const QString& d : days) {
        Entry e = entry("03/" + d, "01", 100);
        e.id = m.nextEntryId();
        march.entries.push_back(e);
        march.totalOut += 100;
    }
    const QList<EntryId> before = [&] {
        QList<EntryId> ids;
        for (const Entry& e : march.entries)
            ids << e.id;
        return ids;
    }();

    QVERIFY(m.InsertEntry(entry(date, "05", 0, 7000)));
    QCOMPARE(march.count(), days.size() + 1);
    const Entry& added = march.entries[position - 1];
    QCOMPARE(added.date(), date);
    QVERIFY(added.id != 0 && !before.contains(added.id));
    QList<EntryId> others;
    for (const Entry& e : march.entries)
        if (e.id != added.id)
            others << e.id;
    QCOMPARE(others, before);
    QCOMPARE(march.totalOut, 100 * days.size());
    QCOMPARE(march.totalIn, 7000);
    for (int month = 1; month <= 12; ++month)
        if (month != 3)
            QCOMPARE(m.slot(month).count(), 0);
}

void TestLedger::insertEntryRefusesBadDates_data()
{
    QTest::addColumn<QString>("date");
    QTest::newRow("month 13") << "13/01";
    QTest::newRow("month 00") << "00/05";
    QTest::newRow("one-digit parts") << "3/5";
    QTest::newRow("empty") << "";
    QTest::newRow("day 00") << "03/00";
    QTest::newRow("day 32") << "03/32";
    QTest::newRow("fullwidth digits") << "０３/０５";
    QTest::newRow("no slash") << "03-05";
}

void TestLedger::insertEntryRefusesBadDates()
{
    QFETCH(QString, date);
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(!m.InsertEntry(entry(date, "01", 500)));
    for (const MonthSlot& s : m.monthSlots()) {
        QCOMPARE(s.count(), 0);
        QCOMPARE(s.totalOut, 0);
    }
}

void TestLedger::buildMonthCatTotals()
{
    FakePrompter p;
    LedgerModel m(p);
    addStandardCategories(m);
    fill(m, 1, {"01:7"});
    QVERIFY(m.monthCatTotals()[0].has_value());
    // Asked for again after the entries changed, the sums are built anew.
    m.SetMonthEntries(1, {});
    fill(m, 3, {"01:100", "05:5000", "03:40", "01:200"});

    for (int month = 1; month <= 12; ++month)
        QCOMPARE(m.monthCatTotals()[month - 1].has_value(), month == 3);
    QStringList march;
    for (const clsMoney& c : *m.monthCatTotals()[2])
        march << c.no + QLatin1Char('=') + QString::number(c.money);
    QCOMPARE(march, (QStringList{"01=300", "02=0", "03=40", "05=5000", "06=0"}));
    QCOMPARE(m.yearOut(), 340);
    QCOMPARE(m.yearIn(), 5000);
}

void TestLedger::buildMonthCatTotalsIn64Bits()
{
    FakePrompter p;
    LedgerModel m(p);
    addStandardCategories(m);
    fill(m, 1, {"01:2000000000", "01:2000000000"});
    fill(m, 12, {"05:2147483647", "06:2147483647"});
    m.BuildMonthCatTotals();
    QCOMPARE(m.yearOut(), 4000000000LL);
    QCOMPARE(m.yearIn(), 4294967294LL);
    QCOMPARE(m.monthCatTotals()[0]->front().money, 4000000000LL);
}

void TestLedger::makeCategorySums_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("hidden");  // show flag 0
    QTest::addColumn<QStringList>("removed"); // no graph row at all
    QTest::addColumn<QString>("sumOut");
    QTest::addColumn<QString>("sumIn");
    QTest::addColumn<qint64>("totalOut");
    QTest::addColumn<qint64>("totalIn");

    QTest::newRow("largest first") << QStringList{"01:100", "02:500", "03:300"} << QStringList{} << QStringList{}
                                   << "02:500,03:300,01:100" << "" << qint64(900) << qint64(0);
    QTest::newRow("ties keep arrival order") << QStringList{"02:300", "01:300", "03:300"} << QStringList{}
                                             << QStringList{} << "02:300,01:300,03:300" << "" << qint64(900) << qint64(0);
    QTest::newRow("sums of a category tie in order of first entry")
        << QStringList{"01:100", "02:200", "01:100", "03:250"} << QStringList{} << QStringList{}
        << "03:250,01:200,02:200" << "" << qint64(650) << qint64(0);
    QTest::newRow("income apart") << QStringList{"05:1000", "01:50", "06:2000"} << QStringList{} << QStringList{}
                                  << "01:50" << "06:2000,05:1000" << qint64(50) << qint64(3000);
    QTest::newRow("hidden categories left out") << QStringList{"01:100", "02:500", "05:70"} << QStringList{"02", "05"}
                                                << QStringList{} << "01:100" << "" << qint64(100) << qint64(0);
    QTest::newRow("category without a graph row left out")
        << QStringList{"01:100", "03:500"} << QStringList{} << QStringList{"03"} << "01:100" << "" << qint64(100)
        << qint64(0);
    QTest::newRow("no entries") << QStringList{} << QStringList{} << QStringList{} << "" << "" << qint64(0) << qint64(0);
}

void TestLedger::makeCategorySums()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, hidden);
    QFETCH(QStringList, removed);
    QFETCH(QString, sumOut);
    QFETCH(QString, sumIn);
    QFETCH(qint64, totalOut);
    QFETCH(qint64, totalIn);

    FakePrompter p;
    LedgerModel m(p);
    addStandardCategories(m);
    for (auto& r : LedgerInternals::graphTargets(m))
        if (hidden.contains(Fmt::zero2(r.no)))
            r.show = 0;
    std::erase_if(LedgerInternals::graphTargets(m), [&](const GraphTargetRow& r) { return removed.contains(Fmt::zero2(r.no)); });
    fill(m, 4, items);
    const qint64 recordOut = m.slot(4).totalOut, recordIn = m.slot(4).totalIn;

    const CategorySums sums = m.MakeCategorySums(4);
    QCOMPARE(dumpSums(sums.catSumOut), sumOut);
    QCOMPARE(dumpSums(sums.catSumIn), sumIn);
    QCOMPARE(sums.totalOut, totalOut);
    QCOMPARE(sums.totalIn, totalIn);
    // Hiding a category in the graph must not change the balances brought forward.
    QCOMPARE(m.slot(4).totalOut, recordOut);
    QCOMPARE(m.slot(4).totalIn, recordIn);
}

void TestLedger::rankCategoriesByUse_data()
{
    QTest::addColumn<int>("startMonth");
    QTest::addColumn<QList<int>>("previousOrder");
    QTest::addColumn<QStringList>("names");

    const QList<int> byNumber{1, 2, 3, 5, 6};
    QTest::newRow("January counts January only") << 1 << byNumber
                                                 << QStringList{"交通費", "日用品", "食費", "給与", "賞与"};
    QTest::newRow("February counts January and February")
        << 2 << byNumber << QStringList{"交通費", "日用品", "食費", "給与", "賞与"};
    QTest::newRow("July counts June and July") << 7 << byNumber << QStringList{"給与", "食費", "日用品", "交通費", "賞与"};
    QTest::newRow("December counts November and December")
        << 12 << byNumber << QStringList{"食費", "日用品", "交通費", "給与", "賞与"};
    QTest::newRow("ties keep the previous order") << 1 << QList<int>{6, 5, 3, 2, 1}
                                                  << QStringList{"交通費", "日用品", "賞与", "給与", "食費"};
}

void TestLedger::rankCategoriesByUse()
{
    QFETCH(int, startMonth);
    QFETCH(QList<int>, previousOrder);
    QFETCH(QStringList, names);

    FakePrompter p;
    LedgerModel m(p);
    addStandardCategories(m);
    LedgerInternals::categoryUse(m).clear();
    for (int no : previousOrder)
        LedgerInternals::categoryUse(m).push_back({no, 7}); // stale counts are reset
    fill(m, 1, {"02:1", "03:1", "03:1"});
    fill(m, 5, {"06:1", "06:1", "06:1", "06:1", "06:1", "06:1"});
    fill(m, 6, {"05:1", "05:1", "05:1"});
    fill(m, 7, {"01:1", "05:1"});
    fill(m, 10, {"06:1", "06:1", "06:1", "06:1", "06:1", "06:1"});
    fill(m, 12, {"01:1", "01:1", "01:1", "01:1", "01:1"});
    m.setStart(m.curYear(), startMonth);
    m.setCurMonth(10); // the shown month plays no part

    QStringList shown;
    QObject::connect(&m, &LedgerModel::categoriesRanked, [&](const QStringList& list) { shown = list; });
    QCOMPARE(m.RankCategoriesByUse(), names);
    QCOMPARE(shown, names);
    QCOMPARE(int(m.categoryUse().size()), 5);
    QCOMPARE(m.categoryUse().front().no, m.categoryNamed(names.first())->no.toInt());
    QVERIFY(m.categoryUse().back().count == 0);
}

void TestLedger::subItems()
{
    clsHimoku c;
    QVERIFY(c.addsub("01", "外食"));
    QVERIFY(c.addsub("02", "食材"));
    QVERIFY(c.addsub("03", "間食"));
    QVERIFY(!c.addsub("02", "弁当")); // number taken
    QVERIFY(!c.addsub("04", "外食")); // name taken
    QCOMPARE(c.nTekiyo.count(), 3);
    QCOMPARE(c.sTekiyo.count(), 3);

    c.deleachsub("09", "外食"); // no such number; the name plays no part
    QCOMPARE(c.nTekiyo.count(), 3);
    QCOMPARE(c.sTekiyo.count(), 3);

    c.deleachsub("02", "関係ない名前");
    QCOMPARE(c.nTekiyo.count(), 2);
    QVERIFY(!c.nTekiyo.contains("02"));
    QVERIFY(!c.sTekiyo.contains("食材"));
    for (int i = 0; i < 2; ++i)
        QCOMPARE(c.sTekiyo.at(i), c.nTekiyo.at(i));
    QCOMPARE(c.sTekiyo.find("間食")->no, QStringLiteral("03"));
    QVERIFY(c.addsub("02", "食材")); // the freed number and name can be used again

    c.delsub();
    QCOMPARE(c.nTekiyo.count(), 0);
    QCOMPARE(c.sTekiyo.count(), 0);
}

void TestLedger::keyedLookups_data()
{
    QTest::addColumn<int>("others"); // items besides the ones looked up
    QTest::newRow("a few items") << 2;
    QTest::newRow("a full master's sub-items") << 96;
}

void TestLedger::keyedLookups()
{
    QFETCH(int, others);
    KeyedCollection<clsTekiyo> c;
    auto add = [&](const QString& key) { return c.add(key, std::make_shared<clsTekiyo>(clsTekiyo{key, key})); };
    QVERIFY(add("Lunch"));
    QVERIFY(add("Ｂｅｅｒ")); // full-width letters have case too
    QVERIFY(add("食費"));
    for (int i = 0; i < others; ++i)
        QVERIFY(add(QStringLiteral("摘要%1").arg(i)));
    // Beyond the 16-bit range: Deseret letters have case; two characters
    // that share their second half are two keys.
    const auto ucs4 = [](char32_t c) { return QString::fromUcs4(&c, 1); };
    QVERIFY(add(ucs4(0x10400)));
    QVERIFY(add(ucs4(0x20BB7) + ucs4(0x1F600)));
    QVERIFY(add(ucs4(0x10BB7) + ucs4(0x20600)));
    QVERIFY(!add(ucs4(0x10428)));
    QVERIFY(!add("LUNCH"));
    QVERIFY(!add("ｂｅｅｒ"));
    QCOMPARE(c.indexOf("lunch"), 0);
    QCOMPARE(c.indexOf("ＢＥＥＲ"), 1);
    QCOMPARE(c.find("食費")->name, QStringLiteral("食費"));
    QVERIFY(!c.contains("Lunc"));

    c.removeAt(0); // positions move up
    QCOMPARE(c.indexOf("食費"), 1);
    QVERIFY(!c.contains("lunch"));
    QVERIFY(c.rekey(1, "Tea"));
    QVERIFY(!c.rekey(0, "tea"));
    QCOMPARE(c.indexOf("TEA"), 1);
    QVERIFY(!c.contains("食費"));
    QVERIFY(add("食費"));
    QCOMPARE(c.indexOf("食費"), c.count() - 1);
    c.clear();
    QVERIFY(!c.contains("tea") && add("Tea"));
}

void TestLedger::formats_data()
{
    QTest::addColumn<QString>("got");
    QTest::addColumn<QString>("expected");
    QTest::newRow("#,# zero is empty") << Fmt::hash(0) << "";
    QTest::newRow("#,0 zero") << Fmt::hash0(0) << "0";
    QTest::newRow("#,# millions") << Fmt::hash(1234567) << "1,234,567";
    QTest::newRow("#,0 negative") << Fmt::hash0(-1234) << "-1,234";
    QTest::newRow("#,# three digits") << Fmt::hash(999) << "999";
    QTest::newRow("#,# 64-bit") << Fmt::hash(6147483647LL) << "6,147,483,647";
    QTest::newRow("#,0 smallest 64-bit") << Fmt::hash0(std::numeric_limits<qint64>::min()) << "-9,223,372,036,854,775,808";
    QTest::newRow("0# one digit") << Fmt::zero2(3) << "03";
    QTest::newRow("0# two digits") << Fmt::zero2(12) << "12";
    QTest::newRow("0.00%") << Fmt::percent(0.125) << "12.50%";
    QTest::newRow("0.00 %") << Fmt::percentSp(1.0) << "100.00 %";
}

void TestLedger::formats()
{
    QFETCH(QString, got);
    QFETCH(QString, expected);
    QCOMPARE(got, expected);
}

void TestLedger::amountsTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("plain") << "1200" << true << 1200 << false;
    QTest::newRow("separators and spaces") << " 1,200 " << true << 1200 << false;
    QTest::newRow("largest") << "2147483647" << true << 2147483647 << false;
    QTest::newRow("smallest") << "-2147483648" << true << int(std::numeric_limits<qint32>::min()) << false;
    QTest::newRow("one beyond") << "2147483648" << false << 0 << true;
    QTest::newRow("one below") << "-2147483649" << false << 0 << true;
    QTest::newRow("far beyond 64 bits") << "99999999999999999999999" << false << 0 << true;
    QTest::newRow("not a number") << "12a" << false << 0 << false;
    QTest::newRow("empty") << "" << false << 0 << false;
    QTest::newRow("12万") << "12万" << true << 120000 << false;
    QTest::newRow("1.5万") << "1.5万" << true << 15000 << false;
    QTest::newRow("3千") << "3千" << true << 3000 << false;
    QTest::newRow("1万2千500") << "1万2千500" << true << 12500 << false;
    QTest::newRow("-2万, full-width") << "－２万" << true << -20000 << false;
    QTest::newRow("万 beyond 32 bits") << "214748.3648万" << false << 0 << true;
    QTest::newRow("units out of order") << "2千1万" << false << 0 << false;
    QTest::newRow("unit twice") << "1万2万" << false << 0 << false;
    QTest::newRow("unit alone") << "万" << false << 0 << false;
    QTest::newRow("ones after 万") << "12万3456" << true << 123456 << false;
    QTest::newRow("other unit") << "1億" << false << 0 << false;
}

void TestLedger::amountsTyped()
{
    QFETCH(QString, text);
    QFETCH(bool, fits);
    QFETCH(int, value);
    QFETCH(bool, tooLarge);
    const auto v = Num::toInt32(text);
    QCOMPARE(v.has_value(), fits);
    if (fits)
        QCOMPARE(*v, value);
    QCOMPARE(Num::beyondInt32(text), tooLarge);
}

void TestLedger::fullWidthTyping_data()
{
    QTest::addColumn<QString>("typed"); // as an input method commits it
    QTest::addColumn<QString>("half");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<qint64>("value");
    QTest::newRow("digits") << "１２００" << "1200" << true << qint64(1200);
    QTest::newRow("full-width minus") << "－５０００" << "-5000" << true << qint64(-5000);
    QTest::newRow("prolonged sound mark as minus") << "ー５０００" << "-5000" << true << qint64(-5000);
    QTest::newRow("minus sign") << "−５" << "-5" << true << qint64(-5);
    QTest::newRow("plus") << "＋１２" << "+12" << true << qint64(12);
    QTest::newRow("separators and point") << "１，２００．５" << "1,200.5" << true << qint64(1201);
    QTest::newRow("mixed widths, ideographic spaces") << "　1２0０　" << "　1200　" << true << qint64(1200);
    QTest::newRow("date") << "０１／１５" << "01/15" << false << qint64(0);
    QTest::newRow("year") << "２０２６" << "2026" << true << qint64(2026);
    QTest::newRow("other characters stay") << "１２円" << "12円" << false << qint64(0);
    QTest::newRow("half-width untouched") << "1200" << "1200" << true << qint64(1200);
}

void TestLedger::fullWidthTyping()
{
    QFETCH(QString, typed);
    QFETCH(QString, half);
    QFETCH(bool, numeric);
    QFETCH(qint64, value);
    QCOMPARE(Num::halfWidth(typed), half);
    QCOMPARE(Num::isNumeric(typed), numeric);
    QCOMPARE(Num::toInt64(typed).value_or(0), value);
    QCOMPARE(Num::toInt32(typed).value_or(0), qint32(value));
    // Files keep their strict form.
    QVERIFY(!Num::parseFileInt32(typed) || typed == half);
}

QTEST_GUILESS_MAIN(TestLedger)
#include "test_ledger.moc"
