// The year data file yyyy.zbl: layout written, carry-over of a new year,
// the balance line, and what the reader does with broken or stale lines.

#include "ledger/tests/FakePrompter.h"
#include "ledger/tests/FileSizeLimit.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/tests/TestHome.h"

#include <QDir>
#include <QFile>
#include <QTest>


namespace {
const QString kHeader2026 = QStringLiteral("C\r\n"
                                           "* Last modified: 03-15-2026\r\n"
                                           "*\r\n"
                                           "*  Kanelo Y -データファイル (2026年度)-\r\n"
                                           "*\r\n"
                                           "*      [データ内容] 日付/費目/摘要項目/出入金\r\n"
                                           "*\r\n"
                                           "\r\n");

const QString kCarryPrompt = QStringLiteral("前年度の繰越残高を入力して下さい。\r\n\r\n"
                                            "(赤字の場合は、先頭に\"-(マイナス)\"をつけて下さい。)");

// The lines of a year file after the header, as text.
QStringList bodyLines(const TestHome& home, const QString& name)
{
    const QByteArray bytes = home.readBytes(name);
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.mid(8);
}


}

class TestLedgerYear : public QObject {
    Q_OBJECT
private slots:
    void writesLayout();
    void writesHeaderOnlyInMode0();
    void balanceLine_data();
    void balanceLine();
    void loadsEntries_data();
    void loadsEntries();
    void newYearCarryOver_data();
    void newYearCarryOver();
    void refusesCarryBeyond32Bits();
    void automaticCarryFollowsPreviousYear_data();
    void automaticCarryFollowsPreviousYear();
    void calcPrevCarryOver_data();
    void calcPrevCarryOver();
    void dropsEntriesOfDeletedCategories();
    void messagesFollowTheFileLines_data();
    void messagesFollowTheFileLines();
    void skipsBrokenLines_data();
    void skipsBrokenLines();
    void failedSaveKeepsFileAndModel();
    void saveRefusesTargetThatIsAFolder();
    void unreadableYearIsNotOverwritten();
    void refusesEntriesThatWouldNotReadBack();
    void parsesEntryLines_data();
    void parsesEntryLines();
};

void TestLedgerYear::writesLayout()
{
    LedgerFixture l;
    l.m.SetCarryOver(10000, l.m.carryAuto());
    l.m.SetMonthEntries(1, {entry("01/15", "01", 1200, 0, "01"), entry("01/20", "05", 0, 250000, "01")});
    l.m.SetMonthEntries(3, {entry("03/31", "02", 980)});
    l.m.SetMonthEntries(12, {entry("12/01", "05", 0, 500000, "03")});
    QVERIFY(l.m.SaveYearFile(1));

    const QByteArray want = sjis(kHeader2026)
        + "&10000\r\n"
          "01/1501011200\r\n"
          "01/200501250000\r\n"
          "03/310200980\r\n"
          "12/010503500000\r\n"
          "$757820\r\n";
    QCOMPARE(l.home.readBytes("2026.zbl"), want);
    QVERIFY(l.p.shown.isEmpty());
    QCOMPARE(l.m.yearEndBalance(), 757820);
}

void TestLedgerYear::writesHeaderOnlyInMode0()
{
    LedgerFixture l;
    l.m.SetCarryOver(-300, l.m.carryAuto());
    l.m.SetMonthEntries(2, {entry("02/02", "01", 500)});
    QVERIFY(l.m.SaveYearFile(0));
    QCOMPARE(l.home.readBytes("2026.zbl"), sjis(kHeader2026) + "&-300\r\n$-300\r\n");

    // An automatic carry-over is not looked up when only the frame is written.
    l.home.writeText("2025.zbl", "$25000\n");
    l.m.SetCarryOver(l.m.carryOver(), true);
    QVERIFY(l.m.SaveYearFile(0));
    QCOMPARE(bodyLines(l.home, "2026.zbl"), (QStringList{"#0", "$0"}));
    QCOMPARE(l.m.carryOver(), 0);
}

void TestLedgerYear::balanceLine_data()
{
    QTest::addColumn<int>("carry");
    QTest::addColumn<QStringList>("lines"); // entry lines, categories 01/02 expense, 05 income
    QTest::addColumn<qint64>("balance");
    QTest::addColumn<qint64>("yearOut");
    QTest::addColumn<qint64>("yearIn");

    QTest::newRow("one expense, manual carry") << 10000 << QStringList{"04/0101003000"} << qint64(7000)
                                               << qint64(3000) << qint64(0);
    QTest::newRow("income of an income category")
        << 0 << QStringList{"04/250501300000", "04/2601001000"} << qint64(299000) << qint64(1000) << qint64(300000);
    QTest::newRow("expense sums beyond 2^31")
        << 5 << QStringList{"01/1001002000000000", "06/1001002000000000", "11/1002002147483647"}
        << qint64(5) - 6147483647LL << qint64(6147483647LL) << qint64(0);
    QTest::newRow("income sums beyond 2^31")
        << -2147483647 - 1 << QStringList{"02/2805002147483647", "03/0105002147483647"}
        << qint64(2147483646LL) << qint64(0) << qint64(4294967294LL);
    QTest::newRow("negative expense is kept")
        << 1000 << QStringList{"05/050100-500", "05/060200700"} << qint64(800) << qint64(200) << qint64(0);
    // The next year reads the balance line in 32 bits: a balance beyond is never written.
    QTest::newRow("balance at the top") << 2147483000 << QStringList{"12/310500647"} << qint64(2147483647LL) << qint64(0)
                                        << qint64(647);
    QTest::newRow("balance one beyond the top")
        << 2147483000 << QStringList{"12/310500648"} << qint64(2147483648LL) << qint64(0) << qint64(648);
    QTest::newRow("balance one below the bottom")
        << -2147483647 - 1 << QStringList{"01/0101001"} << qint64(-2147483649LL) << qint64(1) << qint64(0);
}

void TestLedgerYear::balanceLine()
{
    QFETCH(int, carry);
    QFETCH(QStringList, lines);
    QFETCH(qint64, balance);
    QFETCH(qint64, yearOut);
    QFETCH(qint64, yearIn);

    LedgerFixture l;
    l.home.writeText("2026.zbl", QStringLiteral("C\n*\n\n&%1\n%2\n$0\n").arg(carry).arg(lines.join(QLatin1Char('\n'))));
    QVERIFY(l.m.LoadYearFile());
    QVERIFY(l.p.shown.isEmpty());
    QCOMPARE(l.m.yearEndBalance(), balance);
    l.m.BuildMonthCatTotals();
    QCOMPARE(l.m.yearOut(), yearOut);
    QCOMPARE(l.m.yearIn(), yearIn);

    const QByteArray before = l.home.readBytes("2026.zbl");
    const bool fits = balance >= std::numeric_limits<qint32>::min() && balance <= std::numeric_limits<qint32>::max();
    QCOMPARE(l.m.SaveYearFile(1), fits);
    if (!fits) {
        QCOMPARE(l.p.messages().size(), 1);
        QVERIFY2(l.p.messages().first().contains(Fmt::hash0(balance)), qPrintable(l.p.messages().first()));
        QCOMPARE(l.home.readBytes("2026.zbl"), before);
        return;
    }
    QStringList expected = QStringList{QStringLiteral("&%1").arg(carry)} + lines;
    expected << QStringLiteral("$%1").arg(balance);
    QCOMPARE(bodyLines(l.home, "2026.zbl"), expected);
}

void TestLedgerYear::loadsEntries_data()
{
    QTest::addColumn<QByteArray>("eol");
    QTest::newRow("crlf") << QByteArray("\r\n");
    QTest::newRow("lf only") << QByteArray("\n");
}

void TestLedgerYear::loadsEntries()
{
    QFETCH(QByteArray, eol);
    LedgerFixture l;
    l.m.SetMonthEntries(7, {entry("07/07", "01", 1)}); // left over from another year
    l.home.writeText("2026.zbl",
                     QStringLiteral("C\n* Last modified: 01-01-2026\n*\n\n  &2500  \n"
                                    "03/200102800\n  03/050100150\n"
                                    "03/200501120000\n05/010503-20\n$1\n"),
                     eol.constData());
    QVERIFY(l.m.LoadYearFile());
    QVERIFY(l.p.shown.isEmpty());
    QCOMPARE(l.m.carryOver(), 2500);
    QVERIFY(!l.m.carryAuto());
    // File order, not day order; the category decides the side.
    QCOMPARE(dumpMonth(l.m, 3), QStringLiteral("03/20 01 02 800/0; 03/05 01 00 150/0; 03/20 05 01 0/120000"));
    QCOMPARE(dumpMonth(l.m, 5), QStringLiteral("05/01 05 03 0/-20"));
    QCOMPARE(l.m.slot(3).totalOut, 950);
    QCOMPARE(l.m.slot(3).totalIn, 120000);
    QCOMPARE(l.m.slot(7).count(), 0);
    for (int month = 1; month <= 12; ++month)
        for (const Entry& e : l.m.slot(month).entries)
            QVERIFY(e.id != 0);

    // Loading again starts from empty slots.
    QVERIFY(l.m.LoadYearFile());
    QCOMPARE(l.m.slot(3).count(), 3);
}

void TestLedgerYear::newYearCarryOver_data()
{
    QTest::addColumn<bool>("previousFile");
    QTest::addColumn<int>("answer"); // Prompter::Answer when asked
    QTest::addColumn<QStringList>("typed"); // into the input box, asked again after a refusal
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<int>("carryOver");
    QTest::addColumn<bool>("carryAuto");

    const int yes = int(Prompter::Answer::Yes), no = int(Prompter::Answer::No);
    QTest::newRow("no previous year, typed deficit")
        << false << -1 << QStringList{"-5000"} << QStringList{"&-5000", "$-5000"} << -5000 << false;
    QTest::newRow("previous year, taken over")
        << true << yes << QStringList{} << QStringList{"#0", "$0"} << 25000 << true;
    QTest::newRow("previous year declined, typed")
        << true << no << QStringList{"-5000"} << QStringList{"&-5000", "$-5000"} << -5000 << false;
    QTest::newRow("cancelled") << false << -1 << QStringList{""} << QStringList{"&0", "$0"} << 0 << false;
    QTest::newRow("not a number, then 12万") << false << -1 << QStringList{"abc", "12万"} << QStringList{"&120000", "$120000"}
                                            << 120000 << false;
    QTest::newRow("separators") << false << -1 << QStringList{"1,200"} << QStringList{"&1200", "$1200"} << 1200
                                << false;
}

void TestLedgerYear::newYearCarryOver()
{
    QFETCH(bool, previousFile);
    QFETCH(int, answer);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, written);
    QFETCH(int, carryOver);
    QFETCH(bool, carryAuto);

    LedgerFixture l;
    if (previousFile)
        l.home.writeText("2025.zbl", "C\n&0\n01/010100100\n$25000\n");
    if (answer >= 0)
        l.p.answers.enqueue(Prompter::Answer(answer));
    for (const QString& t : typed)
        l.p.inputs.enqueue(t);

    QVERIFY(l.m.LoadYearFile());
    QCOMPARE(l.p.unexpected, 0);
    QVERIFY(l.p.answers.isEmpty() && l.p.inputs.isEmpty());
    QCOMPARE(l.m.carryOver(), carryOver);
    QCOMPARE(l.m.carryAuto(), carryAuto);
    QCOMPARE(bodyLines(l.home, "2026.zbl"), written);
    QCOMPARE(l.home.readBytes("2026.zbl").left(sjis(kHeader2026).size()), sjis(kHeader2026));

    int box = 0;
    if (previousFile) {
        QCOMPARE(l.p.shown[box].kind, FakePrompter::Shown::Question);
        QCOMPARE(l.p.shown[box].text, QStringLiteral("2026 年度のデータファイルを作成します。\r\n"
                                                     "前年度 (2025年) の残高を繰越高として引き継ぎますか。\r\n\r\n"
                                                     "[はい]を選択した場合、前年度データファイルから自動算出します。"));
        ++box;
    }
    for (int i = 0; i < typed.size(); ++i) {
        QCOMPARE(l.p.shown[box].kind, FakePrompter::Shown::Input);
        QCOMPARE(l.p.shown[box].text, kCarryPrompt);
        // Asked again with what could not be read, after saying so.
        QCOMPARE(l.p.shown[box].defaultText, i == 0 ? QStringLiteral("0") : typed[i - 1]);
        ++box;
        if (i + 1 < typed.size()) {
            QCOMPARE(l.p.shown[box].kind, FakePrompter::Shown::Message);
            QVERIFY(l.p.shown[box].text.startsWith(QStringLiteral("入力された繰越高 [%1] は金額として読み取れません。").arg(typed[i])));
            ++box;
        }
    }
    QCOMPARE(l.p.shown.size(), box);
}

void TestLedgerYear::refusesCarryBeyond32Bits()
{
    LedgerFixture l;
    l.p.inputs << QStringLiteral("2147483648") << QStringLiteral("-2147483648");
    QVERIFY(l.m.LoadYearFile());
    QCOMPARE(l.p.messages().size(), 1); // refused, then asked again
    QCOMPARE(l.m.carryOver(), std::numeric_limits<qint32>::min());
    QCOMPARE(bodyLines(l.home, "2026.zbl"), (QStringList{"&-2147483648", "$-2147483648"}));
}

void TestLedgerYear::automaticCarryFollowsPreviousYear_data()
{
    QTest::addColumn<QString>("previous"); // null: no previous file
    QTest::addColumn<QByteArray>("eol");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("saved");
    QTest::addColumn<int>("warnings");
    const QByteArray crlf("\r\n");
    QTest::newRow("previous balance") << QStringLiteral("C\n&0\n$25000\n") << crlf << 25000 << 25000 << 0;
    QTest::newRow("previous lf only, negative")
        << QStringLiteral("&0\n01/010100100\n$-100\n") << QByteArray("\n") << -100 << -100 << 0;
    QTest::newRow("previous file gone") << QString() << crlf << 1000 << 0 << 0;
    // The stored number serves when loading, 0 when saving; warned each time.
    QTest::newRow("previous without balance line") << QStringLiteral("C\n&0\n01/010100100\n") << crlf << 1000 << 0 << 2;
}

void TestLedgerYear::automaticCarryFollowsPreviousYear()
{
    QFETCH(QString, previous);
    QFETCH(QByteArray, eol);
    QFETCH(int, loaded);
    QFETCH(int, saved);
    QFETCH(int, warnings);
    LedgerFixture l;
    if (!previous.isNull())
        l.home.writeText("2025.zbl", previous, eol.constData());
    l.home.writeText("2026.zbl", "C\n#1000\n02/010100500\n$500\n");
    QVERIFY(l.m.LoadYearFile());
    QCOMPARE(l.m.carryOver(), loaded);
    QVERIFY(l.m.carryAuto());
    QVERIFY(l.m.SaveYearFile(1));
    QCOMPARE(l.m.carryOver(), saved);
    QCOMPARE(bodyLines(l.home, "2026.zbl"),
             (QStringList{QStringLiteral("#%1").arg(saved), "02/010100500", QStringLiteral("$%1").arg(saved - 500)}));
    QCOMPARE(l.p.messages().size(), warnings);
    for (const QString& m : l.p.messages())
        QCOMPARE(m, QStringLiteral("家計簿データファイルが異常です。"));
}

void TestLedgerYear::calcPrevCarryOver_data()
{
    QTest::addColumn<QString>("previous"); // null: no file
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("warned");
    QTest::newRow("no file") << QString() << QStringLiteral("NOFILE") << false;
    QTest::newRow("balance line") << QStringLiteral("C\n*\n&5\n$25000\n") << QStringLiteral("25000") << false;
    QTest::newRow("first balance line counts") << QStringLiteral("$7\n$8\n") << QStringLiteral("7") << false;
    QTest::newRow("spaces after the number") << QStringLiteral("&0\n$-40  \n") << QStringLiteral("-40") << false;
    QTest::newRow("no balance line") << QStringLiteral("C\n&5\n01/010100100\n") << QString("") << true;
    QTest::newRow("empty file") << QStringLiteral("") << QString("") << true;
    QTest::newRow("balance not a number") << QStringLiteral("&5\n$abc\n") << QString("") << true;
}

void TestLedgerYear::calcPrevCarryOver()
{
    QFETCH(QString, previous);
    QFETCH(QString, result);
    QFETCH(bool, warned);
    LedgerFixture l;
    if (!previous.isNull())
        l.home.writeText("2025.zbl", previous);
    QCOMPARE(l.m.CalcPrevCarryOver(), result);
    QCOMPARE(l.p.messages(), warned ? QStringList{QStringLiteral("家計簿データファイルが異常です。")} : QStringList{});
}

void TestLedgerYear::messagesFollowTheFileLines_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("read when loaded") << "";
    QTest::newRow("read ahead on another thread") << "ahead";
    QTest::newRow("read ahead, then the file changed") << "changed";
}

void TestLedgerYear::messagesFollowTheFileLines()
{
    // Months out of order, and a carry line whose previous year is broken
    // between them: every word comes in the order of the lines.
    QFETCH(QString, how);
    LedgerFixture l;
    l.home.writeText("2025.zbl", "C\n&0\n");
    const QString text = QStringLiteral("C\n"
                                        "03/020100100\n"
                                        "01/030900777\n"   // category 09 is gone
                                        "02/040107200\n"   // sub-item 07 of 食費 is gone
                                        "#0\n"             // the previous year has no balance line
                                        "01/050502300\n"   // sub-item 02 of 給与 is gone
                                        "03/010900888\n"); // category 09 again
    l.home.writeText("2026.zbl", how == QLatin1String("changed") ? QStringLiteral("C\n&5\n04/010100100\n") : text);
    if (!how.isEmpty())
        l.m.PrefetchYearFile(2026);
    if (how == QLatin1String("changed"))
        l.home.writeText("2026.zbl", text);
    QVERIFY(l.m.LoadYearFile());
    const QString deleted = QStringLiteral("費目番号 [09] に該当する費目は削除されています。");
    const QString noSub = QStringLiteral("] に該当する摘要項目は削除されているため、\r\n [摘要項目なし] のデータとして処理を続行します。");
    QCOMPARE(l.p.messages(), (QStringList{deleted, QStringLiteral("費目 [食費] の [07") + noSub,
                                          QStringLiteral("家計簿データファイルが異常です。"),
                                          QStringLiteral("費目 [給与] の [02") + noSub, deleted}));
    QCOMPARE(dumpMonth(l.m, 1) + " | " + dumpMonth(l.m, 2) + " | " + dumpMonth(l.m, 3),
             QStringLiteral("01/05 05 00 0/300 | 02/04 01 00 200/0 | 03/02 01 00 100/0"));
    QVERIFY(l.m.carryAuto());
    QCOMPARE(l.m.slot(4).count(), 0);
}

void TestLedgerYear::dropsEntriesOfDeletedCategories()
{
    LedgerFixture l;
    l.home.writeText("2026.zbl", "C\n&0\n"
                                 "01/020100100\n"
                                 "01/030900777\n" // category 09 is gone
                                 "01/040107200\n" // sub-item 07 of 食費 is gone
                                 "01/050502300\n" // sub-item 02 of 給与 is gone
                                 "01/060900888\n"
                                 "$0\n");
    QVERIFY(l.m.LoadYearFile());
    QCOMPARE(l.p.messages(),
             (QStringList{QStringLiteral("費目番号 [09] に該当する費目は削除されています。"),
                          QStringLiteral("費目 [食費] の [07] に該当する摘要項目は削除されているため、\r\n"
                                         " [摘要項目なし] のデータとして処理を続行します。"),
                          QStringLiteral("費目 [給与] の [02] に該当する摘要項目は削除されているため、\r\n"
                                         " [摘要項目なし] のデータとして処理を続行します。"),
                          QStringLiteral("費目番号 [09] に該当する費目は削除されています。")}));
    for (const auto& s : l.p.shown)
        QCOMPARE(s.icon, Prompter::Icon::Warning);
    QCOMPARE(dumpMonth(l.m, 1), QStringLiteral("01/02 01 00 100/0; 01/04 01 00 200/0; 01/05 05 00 0/300"));
    QCOMPARE(l.m.slot(1).totalOut, 300);
    QCOMPARE(l.m.slot(1).totalIn, 300);

    QVERIFY(l.m.SaveYearFile(1));
    QCOMPARE(bodyLines(l.home, "2026.zbl"),
             (QStringList{"&0", "01/020100100", "01/040100200", "01/050500300", "$0"}));
}

void TestLedgerYear::skipsBrokenLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("carryOver");
    QTest::addColumn<QString>("lineNumbers"); // as the message lists them

    const QString head = QStringLiteral("C\n&10\n");
    QTest::newRow("short lines") << head + "01/15\n01/150100\n01/150100100\n0\n" << QStringLiteral("01/15 01 00 100/0")
                                 << 10 << QStringLiteral("3, 4, 6");
    QTest::newRow("month outside 01-12")
        << head + "13/010100100\n00/010100100\n1a/010100100\n01/010100100\n" << QStringLiteral("01/01 01 00 100/0") << 10
        << QStringLiteral("3, 4, 5");
    QTest::newRow("amount not a number")
        << head + "01/010100abc\n01/0101001,000\n01/010100+5\n01/010100-\n01/010100１０\n01/010100100\n"
        << QStringLiteral("01/01 01 00 100/0") << 10 << QStringLiteral("3, 4, 5, 6, 7");
    QTest::newRow("amount beyond 32 bits")
        << head + "01/0101002147483648\n01/010100-2147483649\n01/01010099999999999999999999\n"
                  "01/0101002147483647\n01/010100-2147483648\n"
        << QStringLiteral("01/01 01 00 2147483647/0; 01/01 01 00 -2147483648/0") << 10 << QStringLiteral("3, 4, 5");
    QTest::newRow("date, category and sub-item forms")
        << head + "01-010100100\n01/320100100\n01/000100100\n01/010000100\n01/01010a100\n01/01 0100100\n"
                  "01/010100100\n"
        << QStringLiteral("01/01 01 00 100/0") << 10 << QStringLiteral("3, 4, 5, 6, 7, 8");
    QTest::newRow("carry lines that are no numbers")
        << QStringLiteral("C\n&abc\n#2147483648\n&\n&-7\n") << QString() << -7 << QStringLiteral("2, 3, 4");
    {
        // Not a ledger file at all: the box lists the first lines and counts the rest.
        QString text = head;
        QStringList first;
        for (int line = 3; line <= 27; ++line) {
            text += QStringLiteral("not an entry\n");
            if (line <= 22)
                first << QString::number(line);
        }
        QTest::newRow("many broken lines") << text << QString() << 10 << first.join(QStringLiteral(", ")) + " ほか 5 行";
    }
    QTest::newRow("text where an entry belongs")
        << head + "食費 1200\nCx\n01/010100100\n" << QStringLiteral("01/01 01 00 100/0") << 10 << QStringLiteral("3, 4");
}

void TestLedgerYear::skipsBrokenLines()
{
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QFETCH(int, carryOver);
    QFETCH(QString, lineNumbers);
    LedgerFixture l;
    l.home.writeText("2026.zbl", text);
    QVERIFY(l.m.LoadYearFile());
    QCOMPARE(dumpMonth(l.m, 1), kept);
    for (int month = 2; month <= 12; ++month)
        QCOMPARE(l.m.slot(month).count(), 0);
    QCOMPARE(l.m.carryOver(), carryOver);
    QCOMPARE(l.p.messages().size(), 1);
    const QString msg = l.p.messages().first();
    QVERIFY2(msg.startsWith(QStringLiteral("2026.zbl ")), qPrintable(msg));
    QVERIFY2(msg.contains(QStringLiteral("行番号 : ") + lineNumbers + QStringLiteral("\r\n")), qPrintable(msg));
}

void TestLedgerYear::failedSaveKeepsFileAndModel()
{
    LedgerFixture l;
    l.home.writeText("2025.zbl", "&0\n$25000\n");
    l.home.writeText("2026.zbl", "C\n#100\n01/010100100\n$0\n");
    QVERIFY(l.m.LoadYearFile());
    const QByteArray before = l.home.readBytes("2026.zbl");
    // Stands for a carry-over changed since loading; a failed save must not touch it.
    l.m.SetCarryOver(5, l.m.carryAuto());
    LedgerInternals::slot(l.m, 2).entries.push_back(entry("02/02", "01", 300));

    bool saved = true;
    {
        FileSizeLimit limit(64);
        saved = l.m.SaveYearFile(1);
    }
    QVERIFY(!saved);
    QCOMPARE(l.home.readBytes("2026.zbl"), before);
    QCOMPARE(l.m.carryOver(), 5);
    QCOMPARE(l.p.messages().size(), 1);
    QVERIFY(l.p.messages().first().startsWith(QStringLiteral("ファイル [") + l.m.yearPath(2026) + QStringLiteral("] を保存できませんでした。")));
    QVERIFY(l.p.messages().first().endsWith(QStringLiteral("保存されていたファイルはそのまま残っています。")));
    QCOMPARE(QDir(l.home.path(".")).entryList(QDir::Files).size(), 3); // no temporary file left

    QVERIFY(l.m.SaveYearFile(1)); // and it works once there is room
    QCOMPARE(l.m.carryOver(), 25000);
}

void TestLedgerYear::saveRefusesTargetThatIsAFolder()
{
    LedgerFixture l;
    l.m.SetCarryOver(42, l.m.carryAuto());
    l.m.SetCarryOver(l.m.carryOver(), true); // a save would set it from the (missing) previous year
    QVERIFY(QDir().mkdir(l.home.path("2026.zbl")));
    QVERIFY(!l.m.SaveYearFile(1));
    QCOMPARE(l.p.messages().size(), 1);
    QVERIFY(l.p.messages().first().contains(l.m.yearPath(2026)));
    QVERIFY(QFileInfo(l.home.path("2026.zbl")).isDir());
    QCOMPARE(l.m.carryOver(), 42);

    // A program folder that is a file: nothing can be created in it.
    qputenv("KANELO_HOME", l.home.path("MainSub.zbt").toLocal8Bit());
    l.p.clear();
    QVERIFY(!l.m.SaveYearFile(1));
    QCOMPARE(l.p.messages().size(), 1);
    QCOMPARE(l.m.carryOver(), 42);
}

void TestLedgerYear::unreadableYearIsNotOverwritten()
{
    LedgerFixture l;
    QVERIFY(QDir().mkdir(l.home.path("2026.zbl")));
    QVERIFY(!l.m.LoadYearFile());
    QCOMPARE(l.p.messages().size(), 1);
    QVERIFY(l.p.messages().first().contains(QStringLiteral("読み込めませんでした")));
    QVERIFY(QDir().rmdir(l.home.path("2026.zbl")));
    l.p.clear();
    QVERIFY(!l.m.SaveYearFile(1)); // an empty year must not replace what could not be read
    QVERIFY(!l.home.exists("2026.zbl"));
    QVERIFY(l.p.messages().first().contains(QStringLiteral("上書き保存しません")));
}

void TestLedgerYear::refusesEntriesThatWouldNotReadBack()
{
    // Texts the year file could not read back never become an entry's fields.
    Entry e;
    for (const QString& date : {QStringLiteral("3/5"), QStringLiteral("03-05"), QStringLiteral("13/01"),
                                QStringLiteral("03/32"), QStringLiteral("００/０５")})
        QVERIFY2(!e.setDate(date), qPrintable(date));
    QVERIFY(!e.setCategory(u"1") && !e.setCategory(u"00") && !e.setSub(u"x") && !e.setSub(u"100"));
    QVERIFY(!e.hasDate() && e.categoryNo == 0 && e.subNo == 0);

    // An entry left without its category is refused at save; the file stays.
    LedgerFixture l;
    l.home.writeText("2026.zbl", "C\n&0\n01/010100100\n$-100\n");
    QVERIFY(l.m.LoadYearFile());
    const QByteArray before = l.home.readBytes("2026.zbl");
    Entry bad = entry("03/05", "01", 1);
    bad.categoryNo = 0;
    l.m.SetMonthEntries(3, {bad});
    l.p.clear();
    QVERIFY(!l.m.SaveYearFile(1));
    QCOMPARE(l.p.messages().size(), 1);
    QVERIFY(l.p.messages().first().contains(QStringLiteral("[03/05]")));
    QCOMPARE(l.home.readBytes("2026.zbl"), before);
}

void TestLedgerYear::parsesEntryLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("parsed"); // empty: refused
    QTest::newRow("plain") << QStringLiteral("04/150301800") << QStringLiteral("04/15 03 01 800/0");
    QTest::newRow("spaces around") << QStringLiteral("  12/310500-1 ") << QStringLiteral("12/31 05 00 -1/0");
    QTest::newRow("kanji amount") << QStringLiteral("04/150301８００") << QString();
    QTest::newRow("month 13") << QStringLiteral("13/150301800") << QString();
    QTest::newRow("no amount") << QStringLiteral("04/150301") << QString();
}

void TestLedgerYear::parsesEntryLines()
{
    QFETCH(QString, line);
    QFETCH(QString, parsed);
    Entry e;
    const bool ok = LedgerModel::parseEntryLine(line, e);
    QCOMPARE(ok, !parsed.isEmpty());
    if (ok)
        QCOMPARE(QStringLiteral("%1 %2 %3 %4/%5").arg(e.date(), e.category(), e.sub()).arg(e.out).arg(e.in), parsed);
}

QTEST_GUILESS_MAIN(TestLedgerYear)
#include "test_ledger_year.moc"
