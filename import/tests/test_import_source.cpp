// Reading a source file: date forms, names, numbering in both modes, the
// encodings, the lines that stop an import, and the category pages' work.
#include "FakePrompter.h"
#include "ImportSession.h"
#include "LedgerTestData.h"
#include "TestHome.h"

#include <QTest>

using namespace Import;

namespace {
const QString kInvalid = QStringLiteral("データファイルが不正です。処理を中断します。\r\n");

struct Session {
    TestHome home;
    FakePrompter p;
    ImportSession s{p};
    explicit Session(bool linked = false, const QString& year = QStringLiteral("2026"))
    {
        home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMasterText));
        s.setCommandLine(linked ? year : QString());
        s.importYear = year;
        if (linked && !s.LoadCurrentMaster())
            qFatal("master");
    }
    bool read(const QByteArray& bytes) { return s.ReadSourceBytes(bytes); }
};

// "no name:ioflag:color:limit:flag[subs]" in source order.
QString categories(const ImportSession& s)
{
    QStringList out;
    for (const auto& slot : s.sourceCategories) {
        const ImportCategory& c = *slot.item;
        QStringList subs;
        for (const auto& t : c.nTekiyo)
            subs << t.item->no + t.item->name;
        out << QStringLiteral("%1%2:%3:%4:%5:%6[%7]")
                   .arg(c.no, c.name)
                   .arg(c.ioflag)
                   .arg(qint32(c.color))
                   .arg(c.limit)
                   .arg(c.flag ? 'M' : 'N')
                   .arg(subs.join(QLatin1Char(',')));
    }
    return out.join(QLatin1Char(' '));
}

// The resolved entries of every month, "date cat sub out/in" joined by "; ".
QString entries(ImportSession& s)
{
    s.ResolveEntryNumbers(s.ledger);
    QStringList out;
    for (int m = 1; m <= 12; ++m)
        if (const QString month = dumpMonth(s.ledger, m); !month.isEmpty())
            out << month;
    return out.join(QStringLiteral("; "));
}
}

class TestImportSource : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void invalidLine_data();
    void invalidLine();
    void encodings_data();
    void encodings();
    void namesTheMasterCannotHold_data();
    void namesTheMasterCannotHold();
    void ninetyNineAtMost();
    void linkedKeepsTheMaster();
    void missingMaster();
    void reorder_data();
    void reorder();
    void greens();
    void changeCategoryInfo_data();
    void changeCategoryInfo();
};

void TestImportSource::read_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("categories");

    const QString food = QStringLiteral("01食費:1:-1:0:N[]");
    QTest::newRow("mmdd") << false << "0105,食費,,1200" << "01/05 01 00 1200/0" << food;
    QTest::newRow("mm/dd") << false << "01/05,食費,,1200" << "01/05 01 00 1200/0" << food;
    QTest::newRow("yyyymmdd, year ignored") << false << "20030105,食費,,1200" << "01/05 01 00 1200/0" << food;
    QTest::newRow("yyyy/mm/dd, year ignored") << false << "2003/01/05,食費,,1200" << "01/05 01 00 1200/0" << food;
    QTest::newRow("no category") << false << "0105,,昼食,800" << "01/05 01 01 800/0" << "01未設定費目:1:-1:0:N[01昼食]";
    QTest::newRow("middle fields ignored") << false << "0105,食費,昼食,x,y,800" << "01/05 01 01 800/0"
                                           << "01食費:1:-1:0:N[01昼食]";
    QTest::newRow("spaces around fields") << false << "  0105 , 食費 , 昼食 ,  800  " << "01/05 01 01 800/0"
                                          << "01食費:1:-1:0:N[01昼食]";
    QTest::newRow("letter case, named as first seen")
        << false << "0105,Food,Lunch,1\n0106,FOOD,lunch,2\n0107,food,,3"
        << "01/05 01 01 1/0; 01/06 01 01 2/0; 01/07 01 00 3/0" << "01Food:1:-1:0:N[01Lunch]";
    QTest::newRow("numbered by first appearance")
        << false << "0105,交通費,,1\n0106,食費,バス,2\n0107,交通費,電車,3\n0108,食費,昼食,4"
        << "01/05 01 00 1/0; 01/06 02 01 2/0; 01/07 01 01 3/0; 01/08 02 02 4/0"
        << "01交通費:1:-1:0:N[01電車] 02食費:1:-1:0:N[01バス,02昼食]";
    QTest::newRow("months keep source order") << false << "0310,a,,1\n0105,a,,2\n0301,a,,3"
                                              << "01/05 01 00 2/0; 03/10 01 00 1/0; 03/01 01 00 3/0"
                                              << "01a:1:-1:0:N[]";
    QTest::newRow("only empty lines") << false << "\n   \n\n" << "" << "";
    QTest::newRow("amount bounds and signs") << false << "0105,a,,-2147483648\n0106,a,,2147483647\n0107,a,,0"
                                             << "01/05 01 00 -2147483648/0; 01/06 01 00 2147483647/0; 01/07 01 00 0/0"
                                             << "01a:1:-1:0:N[]";
    QTest::newRow("29 February in a leap year") << false << "0229,a,,1" << "02/29 01 00 1/0" << "01a:1:-1:0:N[]";

    // The master holds 01 食費 (外食, 食材), 02 日用品 and 05 給与 (income).
    QTest::newRow("linked: smallest free numbers")
        << true << "0105,食費,外食,1\n0106,交際費,,2\n0107,食費,おやつ,3\n0108,給与,,4\n0109,趣味,本,5"
        << "01/05 01 01 1/0; 01/06 03 00 2/0; 01/07 01 03 3/0; 01/08 05 00 0/4; 01/09 04 01 5/0"
        << "01食費:1:255:30000:M[01外食,02食材,03おやつ] 02日用品:1:65280:5000:M[] 05給与:2:16711680:0:M[01本給,03賞与] "
           "03交際費:1:-1:0:N[] 04趣味:1:-1:0:N[01本]";
    QTest::newRow("linked: a freed sub-item number is reused") << true << "0105,給与,手当,1"
                                                              << "01/05 05 02 0/1"
                                                              << "01食費:1:255:30000:M[01外食,02食材] 02日用品:1:65280:5000:M[] "
                                                                 "05給与:2:16711680:0:M[01本給,03賞与,02手当]";
}

void TestImportSource::read()
{
    QFETCH(bool, linked);
    QFETCH(QString, source);
    QFETCH(QString, entries);
    QFETCH(QString, categories);
    Session t(linked, QStringLiteral("2024"));
    QVERIFY(t.read(sjis(source)));
    QCOMPARE(t.p.texts(), QStringList());
    QCOMPARE(::entries(t.s), entries);
    QCOMPARE(::categories(t.s), categories);
    QCOMPARE(t.s.hasNewCategories(), categories.contains(QLatin1String(":N[")));
}

void TestImportSource::invalidLine_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("reported"); // "N 行目: text"

    const QString ok = QStringLiteral("0105,食費,,1\n\n");
    QTest::newRow("two separators only") << ok + "0105,食費,1200" << "3 行目: 0105,食費,1200";
    QTest::newRow("no separator") << ok + "0105" << "3 行目: 0105";
    QTest::newRow("month 00") << ok + "0005,食費,,1" << "3 行目: 0005,食費,,1";
    QTest::newRow("month 13") << ok + "1305,食費,,1" << "3 行目: 1305,食費,,1";
    QTest::newRow("month 13 in yyyymmdd") << ok + "20031305,食費,,1" << "3 行目: 20031305,食費,,1";
    QTest::newRow("mm/dd that is no date") << ok + "02/30,食費,,1" << "3 行目: 02/30,食費,,1";
    QTest::newRow("mmdd that is no date") << ok + "0431,食費,,1" << "3 行目: 0431,食費,,1";
    QTest::newRow("day 00") << ok + "2003/01/00,食費,,1" << "3 行目: 2003/01/00,食費,,1";
    QTest::newRow("29 February of a common year") << ok + "0229,食費,,1" << "3 行目: 0229,食費,,1";
    QTest::newRow("no leading zero") << ok + "1/05,食費,,1" << "3 行目: 1/05,食費,,1";
    QTest::newRow("date of length 3") << ok + "105,食費,,1" << "3 行目: 105,食費,,1";
    QTest::newRow("date of length 6") << ok + "030105,食費,,1" << "3 行目: 030105,食費,,1";
    QTest::newRow("other separator") << ok + "2003-01-05,食費,,1" << "3 行目: 2003-01-05,食費,,1";
    QTest::newRow("full-width digits") << ok + "０１０５,食費,,1" << "3 行目: ０１０５,食費,,1";
    QTest::newRow("amount not a number") << ok + "0105,食費,,12a" << "3 行目: 0105,食費,,12a";
    QTest::newRow("amount empty") << ok + "0105,食費,," << "3 行目: 0105,食費,,";
    QTest::newRow("amount with a fraction") << ok + "0105,食費,,1.5" << "3 行目: 0105,食費,,1.5";
    QTest::newRow("amount beyond 32 bits") << ok + "0105,食費,,2147483648" << "3 行目: 0105,食費,,2147483648";
    QTest::newRow("amount below 32 bits") << ok + "0105,食費,,-2147483649" << "3 行目: 0105,食費,,-2147483649";
    QTest::newRow("first line") << "x,y,z,1\n" + ok << "1 行目: x,y,z,1";
}

void TestImportSource::invalidLine()
{
    QFETCH(QString, source);
    QFETCH(QString, reported);
    Session t(false, QStringLiteral("2025"));
    QVERIFY(!t.read(sjis(source)));
    QCOMPARE(t.p.messages(), QStringList{kInvalid + reported});
    QCOMPARE(t.p.shown.first().icon, Prompter::Icon::Warning);
}

void TestImportSource::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("2024/01/05,食費,昼食①,1200\n0106,ｶﾞｿﾘﾝ代,～セルフ,3000\n0107,食費,,-50\n");
    QByteArray crlf = sjis(text);
    crlf.replace("\n", "\r\n");
    QTest::newRow("CP932, CR LF") << crlf;
    QTest::newRow("CP932, LF") << sjis(text);
    QTest::newRow("UTF-8") << text.toUtf8();
    QTest::newRow("UTF-8 with BOM, CR LF") << QByteArray("\xEF\xBB\xBF") + QString(text).replace("\n", "\r\n").toUtf8();
}

void TestImportSource::encodings()
{
    QFETCH(QByteArray, bytes);
    Session t;
    QVERIFY(t.read(bytes));
    QCOMPARE(t.p.texts(), QStringList());
    QCOMPARE(entries(t.s), QStringLiteral("01/05 01 01 1200/0; 01/06 02 01 3000/0; 01/07 01 00 -50/0"));
    QCOMPARE(categories(t.s), QStringLiteral("01食費:1:-1:0:N[01昼食①] 02ｶﾞｿﾘﾝ代:1:-1:0:N[01～セルフ]"));
}

void TestImportSource::namesTheMasterCannotHold_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("category beyond CP932")
        << QStringLiteral("0105,食費😀,,1")
        << QStringLiteral("費目名 [食費😀] の文字「😀」は家計簿データに保存できない文字です。処理を中断します。\r\n2 行目: 0105,食費😀,,1");
    QTest::newRow("sub-item beyond CP932")
        << QStringLiteral("0105,食費,𠮷野家,1")
        << QStringLiteral("摘要項目名 [𠮷野家] の文字「𠮷」は家計簿データに保存できない文字です。処理を中断します。\r\n2 行目: 0105,食費,𠮷野家,1");
    QTest::newRow("separator of the master")
        << QStringLiteral("0105,食費:外食,,1")
        << QStringLiteral("費目名 [食費:外食] には「:」を使用できません。処理を中断します。\r\n2 行目: 0105,食費:外食,,1");
}

void TestImportSource::namesTheMasterCannotHold()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    Session t;
    QVERIFY(!t.read((QStringLiteral("0104,食費,,1\n") + line).toUtf8()));
    QCOMPARE(t.p.messages(), QStringList{message});
}

void TestImportSource::ninetyNineAtMost()
{
    QString source;
    for (int i = 1; i <= 99; ++i)
        source += QStringLiteral("0105,費目%1,摘要%1,1\n").arg(i);
    for (int i = 2; i <= 99; ++i)
        source += QStringLiteral("0105,費目1,摘要%1,1\n").arg(i);
    {
        Session t;
        QVERIFY(t.read(sjis(source)));
        QCOMPARE(t.s.sourceCategories.count(), 99);
        QCOMPARE(t.s.categoryNamed(QStringLiteral("費目1"))->nTekiyo.count(), 99);
        QCOMPARE(t.s.categoryNamed(QStringLiteral("費目99"))->no, QStringLiteral("99"));
    }
    {
        Session t;
        QVERIFY(!t.read(sjis(source + QStringLiteral("0105,費目100,,1\n"))));
        QCOMPARE(t.p.messages(), QStringList{QStringLiteral("費目数が [99] を越えました...\r\n費目数を削減する必要があります。\r\n\r\n処理を中断します。")});
    }
    {
        Session t;
        QVERIFY(!t.read(sjis(source + QStringLiteral("0105,費目1,摘要100,1\n"))));
        QCOMPARE(t.p.messages(), QStringList{QStringLiteral("費目[費目1]の摘要項目が [99] を越えました...\r\n"
                                                            "摘要項目数を削減する必要があります。\r\n\r\n処理を中断します。")});
    }
}

void TestImportSource::linkedKeepsTheMaster()
{
    Session t(true, QStringLiteral("2004"));
    QVERIFY(t.s.linkedMode);
    QCOMPARE(t.s.importYear, QStringLiteral("2004"));
    QVERIFY(!t.s.hasNewCategories());
    QCOMPARE(t.s.namesInNumberOrder(), (QStringList{"食費", "日用品", "給与"}));
    QVERIFY(t.read(sjis(QStringLiteral("0105,日用品,洗剤,10"))));
    QVERIFY(!t.s.hasNewCategories()); // a new sub-item is no new category
}

void TestImportSource::missingMaster()
{
    TestHome home;
    FakePrompter p;
    ImportSession s(p);
    s.setCommandLine(QStringLiteral("2024"));
    QVERIFY(!s.LoadCurrentMaster());
    QCOMPARE(p.messages().size(), 1);
    QVERIFY(p.messages().first().startsWith(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)が存在しません。")));
}

void TestImportSource::reorder_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("before");
    QTest::addColumn<QString>("order");
    QTest::newRow("row 1 after row 3") << 0 << 2 << false << "BCAD";
    QTest::newRow("row 4 before row 2") << 3 << 1 << true << "ADBC";
    QTest::newRow("row 4 before row 1") << 3 << 0 << true << "DABC";
    QTest::newRow("row 1 after row 4") << 0 << 3 << false << "BCDA";
    QTest::newRow("row 1 before row 3") << 0 << 2 << true << "BACD";
    QTest::newRow("row 3 after row 1") << 2 << 0 << false << "ACBD";
    QTest::newRow("directly before its successor") << 1 << 2 << true << "ABCD";
    QTest::newRow("directly after its predecessor") << 2 << 1 << false << "ABCD";
    QTest::newRow("onto itself") << 2 << 2 << true << "ABCD";
}

void TestImportSource::reorder()
{
    QFETCH(int, from);
    QFETCH(int, target);
    QFETCH(bool, before);
    QFETCH(QString, order);
    Session t;
    QVERIFY(t.read(sjis(QStringLiteral("0101,A,,1\n0102,B,,2\n0103,C,,3\n0104,D,,4"))));
    QStringList names = t.s.namesInNumberOrder();
    QCOMPARE(moveRow(names, from, target, before), order != QLatin1String("ABCD"));
    QCOMPARE(names.join(QString()), order);

    // The rows keep 01..04; each category takes the number of its new row,
    // and the entries follow their category.
    t.s.ApplyOrder(names);
    QCOMPARE(t.s.namesInNumberOrder(), names);
    for (int r = 0; r < 4; ++r)
        QCOMPARE(t.s.categoryNamed(names[r])->no, QStringLiteral("0%1").arg(r + 1));
    QCOMPARE(entries(t.s).split(QStringLiteral("; ")).at(0), QStringLiteral("01/01 0%1 00 1/0").arg(order.indexOf('A') + 1));
}

void TestImportSource::greens()
{
    QCOMPARE((QList<quint32>{greenShade(1, 4), greenShade(2, 4), greenShade(3, 4), greenShade(4, 4)}),
             (QList<quint32>{191u << 8, 128u << 8, 64u << 8, 0}));
    QCOMPARE(greenShade(1, 2), 128u << 8); // 127.5 rounds to even
    QCOMPARE(greenShade(1, 1), 0u);

    Session standalone;
    QVERIFY(standalone.read(sjis(QStringLiteral("0101,A,,1\n0102,B,,2\n0103,C,,3\n0104,D,,4"))));
    standalone.s.AssignGreenShades();
    QCOMPARE(categories(standalone.s),
             QStringLiteral("01A:1:48896:0:N[] 02B:1:32768:0:N[] 03C:1:16384:0:N[] 04D:1:0:0:N[]"));

    // Linked: only the categories without a colour; N counts them all.
    Session linked(true);
    QVERIFY(linked.read(sjis(QStringLiteral("0101,新1,,1\n0102,食費,,2\n"))));
    linked.s.AssignGreenShades();
    QCOMPARE(linked.s.categoryNamed(QStringLiteral("食費"))->color, 255u);
    QCOMPARE(linked.s.categoryNamed(QStringLiteral("新1"))->color, 0u); // position 4 of 4
}

void TestImportSource::changeCategoryInfo_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("after"); // the new category afterwards

    const QString unchanged = QStringLiteral("03新:1:-1:0:N[]");
    QTest::newRow("income, budget") << 0x123456u << "30000" << "" << "03新:2:1193046:30000:N[]";
    QTest::newRow("empty budget is 0") << 0x123456u << "  " << "" << "03新:2:1193046:0:N[]";
    QTest::newRow("budget with separators") << 0x123456u << "1,500" << "" << "03新:2:1193046:1500:N[]";
    QTest::newRow("colour of an existing category")
        << 255u << "0" << "この表示色はすでに他の費目 [食費] で使用されています。\r\n他の色を指定して下さい。" << unchanged;
    QTest::newRow("budget of letters") << 1u << "abc" << "予算のデータが不正(数値以外)です。" << unchanged;
    QTest::newRow("budget beyond 32 bits") << 1u << "2147483648"
                                           << "予算の金額が大きすぎます。\r\n\r\n-2,147,483,648 から 2,147,483,647 までの金額を入力して下さい。"
                                           << unchanged;
}

void TestImportSource::changeCategoryInfo()
{
    QFETCH(quint32, color);
    QFETCH(QString, limit);
    QFETCH(QString, message);
    QFETCH(QString, after);
    Session t(true);
    QVERIFY(t.read(sjis(QStringLiteral("0101,新,,1"))));
    QCOMPARE(t.s.ChangeCategoryInfo(QStringLiteral("新"), color, limit, 2), message.isEmpty());
    QCOMPARE(t.p.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(categories(t.s).section(QLatin1Char(' '), 3), after);
}

QTEST_GUILESS_MAIN(TestImportSource)
#include "test_import_source.moc"
