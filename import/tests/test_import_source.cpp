// Reading a source file: date forms, names, numbering in both modes, the
// encodings, the lines that stop an import, and the category pages' work.
#include "ledger/tests/FakePrompter.h"
#include "import/ImportSession.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/tests/TestHome.h"
#include "ledger/TextFile.h"

#include <QStringEncoder>
#include <QTest>

using namespace Import;

namespace {

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

// "データファイルが不正です。" with the line, the reason and the line's text.
QString fault(int line, const QString& reason, const QString& text)
{
    return QStringLiteral("データファイルが不正です。\r\n\r\n%1 行目の%2\r\n\r\n  %1 行目: %3").arg(line).arg(reason, text);
}

QByteArray utf16(const QString& text, bool littleEndian)
{
    QStringEncoder enc(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    return QByteArray(littleEndian ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(enc.encode(text));
}
}

class TestImportSource : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void asWritten_data();
    void asWritten();
    void refused_data();
    void refused();
    void otherYears_data();
    void otherYears();
    void kindFromTheExport_data();
    void kindFromTheExport();
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
    QTest::newRow("yyyymmdd") << false << "20240105,食費,,1200" << "01/05 01 00 1200/0" << food;
    QTest::newRow("yyyy/mm/dd") << false << "2024/01/05,食費,,1200" << "01/05 01 00 1200/0" << food;
    QTest::newRow("no category") << false << "0105,,昼食,800" << "01/05 01 01 800/0" << "01未設定費目:1:-1:0:N[01昼食]";
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
    QTest::newRow("amount bounds and signs") << false << "0105,a,,-2147483648\n0106,a,,2147483647\n0107,a,,0"
                                             << "01/05 01 00 -2147483648/0; 01/06 01 00 2147483647/0; 01/07 01 00 0/0"
                                             << "01a:1:-1:0:N[]";
    QTest::newRow("29 February in a leap year") << false << "0229,a,,1" << "02/29 01 00 1/0" << "01a:1:-1:0:N[]";
    QTest::newRow("quoted amount with thousands separators")
        << false << "2024/03/01,食費,昼食,\"1,000\"\n0302,食費,,\"-12,345,678\"" << "03/01 01 01 1000/0; 03/02 01 00 -12345678/0"
        << "01食費:1:-1:0:N[01昼食]";
    QTest::newRow("quoted names: comma, doubled quote, spaces")
        << false << "0105,\"食費,外食\",\" \"\"特上\"\" \",1" << "01/05 01 01 1/0" << "01食費,外食:1:-1:0:N[01\"特上\"]";
    QTest::newRow("a header line") << false << "日付,費目,摘要項目,金額\n0105,a,,1" << "01/05 01 00 1/0" << "01a:1:-1:0:N[]";
    QTest::newRow("income words start as income")
        << false << "0125,給与,,250000\n0126,ローン利息,,3000\n0127,年金,,1"
        << "01/25 01 00 0/250000; 01/26 02 00 3000/0; 01/27 03 00 0/1" << "01給与:2:-1:0:N[] 02ローン利息:1:-1:0:N[] 03年金:2:-1:0:N[]";
    QTest::newRow("the ledger's own export") << false << "01/05,食費,外食,1200,0\n01/25,給与,,0,250000\n01/26,食費,,0,0"
                                             << "01/05 01 01 1200/0; 01/25 02 00 0/250000; 01/26 01 00 0/0"
                                             << "01食費:1:-1:0:N[01外食] 02給与:2:-1:0:N[]";

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
    QTest::newRow("linked: the export into the same master") << true << "01/05,食費,外食,1200,0\n01/25,給与,本給,0,250000"
                                                             << "01/05 01 01 1200/0; 01/25 05 01 0/250000"
                                                             << "01食費:1:255:30000:M[01外食,02食材] 02日用品:1:65280:5000:M[] "
                                                                "05給与:2:16711680:0:M[01本給,03賞与]";
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

// One source written every way a spreadsheet or editor saves it reads the same.
void TestImportSource::asWritten_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QStringList plain{"2026/01/05,食費,昼食①,1200", "0106,ｶﾞｿﾘﾝ代,～セルフ,3000", "0107,食費,,-50"};
    const QStringList quoted{"\"2026/01/05\",\"食費\",\"昼食①\",\"1,200\"", "0106 , \"ｶﾞｿﾘﾝ代\" ,～セルフ,\"3000\"",
                             "\"0107\",食費,\"\",-50"};
    const QList<QPair<const char*, QString>> ends{{"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}};
    for (const auto& [quoting, lines] : {qMakePair("plain", plain), qMakePair("quoted", quoted)}) {
        for (const auto& [endName, end] : ends) {
            const QString text = lines.join(end) + end;
            QTest::addRow("%s, %s, CP932", quoting, endName) << sjis(text);
            QTest::addRow("%s, %s, UTF-8", quoting, endName) << text.toUtf8();
            QTest::addRow("%s, %s, UTF-8 with BOM", quoting, endName) << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
            QTest::addRow("%s, %s, UTF-16 LE", quoting, endName) << utf16(text, true);
            QTest::addRow("%s, %s, UTF-16 BE, no last line end", quoting, endName) << utf16(text.chopped(end.size()), false);
        }
    }
}

void TestImportSource::asWritten()
{
    QFETCH(QByteArray, bytes);
    Session t;
    QVERIFY(t.read(bytes));
    QCOMPARE(t.p.texts(), QStringList());
    QCOMPARE(entries(t.s), QStringLiteral("01/05 01 01 1200/0; 01/06 02 01 3000/0; 01/07 01 00 -50/0"));
    QCOMPARE(categories(t.s), QStringLiteral("01食費:1:-1:0:N[01昼食①] 02ｶﾞｿﾘﾝ代:1:-1:0:N[01～セルフ]"));
}

void TestImportSource::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QString ok = QStringLiteral("0105,食費,,1\n\n");
    auto row = [&](const char* name, const QString& line, const QString& reason) {
        QTest::newRow(name) << sjis(ok + line) << fault(3, reason, line);
    };
    const QString forms = QStringLiteral("日付は mmdd、mm/dd、yyyymmdd、yyyy/mm/dd のいずれかの形で、月と日は 2 桁で書いて下さい。");
    row("two separators only", "0105,食費,1200",
        "項目が 3 個しかありません。日付、費目、摘要項目、金額の 4 つの項目が必要です (摘要項目は空でもかまいません)。");
    row("no separator", "0105", "項目が 1 個しかありません。日付、費目、摘要項目、金額の 4 つの項目が必要です (摘要項目は空でもかまいません)。");
    row("six fields", "0105,食費,昼食,x,y,800",
        "項目が 6 個あります。取り込めるのは、日付、費目、摘要項目、金額の 4 項目の行か、"
        "Kanelo Y がエクスポートした日付、費目、摘要項目、出金、入金の 5 項目の行です。");
    const QString thousands = QStringLiteral("の「,」が桁区切りなのか項目の区切りなのか区別できません。"
                                             "金額を「\"」で囲む (例: \"12,345\") か、桁区切りの「,」を除いて下さい。");
    row("unquoted thousands", "2026/03/01,食費,昼食,12,345", "金額「12,345」" + thousands);
    row("unquoted thousands without a sub-item", "0301,食費,,1,000", "金額「1,000」" + thousands);
    row("unquoted thousands twice", "0301,食費,昼食,1,234,567", "金額「234,567」" + thousands);
    row("month 00", "0005,食費,,1", "日付「0005」は存在しない日付です。");
    row("month 13 in yyyymmdd", "20261305,食費,,1", "日付「20261305」は存在しない日付です。");
    row("mm/dd that is no date", "02/30,食費,,1", "日付「02/30」は存在しない日付です。");
    row("29 February of a common year", "0229,食費,,1", "日付「0229」は存在しない日付です。");
    row("no leading zero", "1/05,食費,,1", "日付「1/05」の形が正しくありません。" + forms);
    row("other separator", "2026-01-05,食費,,1", "日付「2026-01-05」の形が正しくありません。" + forms);
    row("full-width digits", "０１０５,食費,,1", "日付「０１０５」の形が正しくありません。" + forms);
    row("no date", ",食費,,1", "日付がありません。" + forms);
    row("amount not a number", "0105,食費,,12a", "金額「12a」が数値ではありません。金額は半角の数字で書いて下さい。");
    row("amount empty", "0105,食費,,", "金額がありません。");
    row("percent signs stay as written", "0105,%1食費,,%3", "金額「%3」が数値ではありません。金額は半角の数字で書いて下さい。");
    row("amount with a fraction", "0105,食費,,1.5", "金額「1.5」が数値ではありません。金額は半角の数字で書いて下さい。");
    row("quoted amount, separators misplaced", "0105,食費,,\"12,34\"", "金額「12,34」が数値ではありません。金額は半角の数字で書いて下さい。");
    row("amount beyond 32 bits", "0105,食費,,2147483648",
        "金額「2147483648」が大きすぎます。金額は -2,147,483,648 から 2,147,483,647 までです。");
    row("export: both amounts", "01/05,食費,,1200,500", "出金「1200」と入金「500」の両方に金額があります。");
    row("export: income not a number", "01/05,食費,,0,x", "入金「x」が数値ではありません。金額は半角の数字で書いて下さい。");
    row("quote that does not close", "0105,\"食費,,1", "「\"」で始まる項目が「\"」で閉じられていません。");
    row("text after a closing quote", "0105,\"食費\"x,,1", "「\"」で囲んだ項目の後に「,」以外の文字があります。");
    QTest::newRow("line end inside a quoted name")
        << sjis(ok + "0105,\"食\r費\",,1") << fault(3, "費目名「食」に改行があります。費目名と摘要項目名には改行を使えません。", "0105,\"食");

    // Bytes no text holds: the line and the byte's position in it.
    const QByteArray head = sjis(QStringLiteral("0105,食費,,1\r\n0106,"));
    // Shown as the line reads, with "?" for what is no text.
    auto bad = [&](const char* name, const QByteArray& b, const QString& reason, const QString& shown) {
        QTest::newRow(name) << head + b + ",,1\r\n" << fault(2, reason, shown);
    };
    const QString notCp932 = QStringLiteral("はシフトJIS (CP932) の文字として正しくありません。");
    bad("0x80", sjis(QStringLiteral("食")) + "\x80", " 8 バイト目 (0x80) " + notCp932, "0106,食?,,1");
    bad("0xA0", "a\xA0", " 7 バイト目 (0xA0) " + notCp932, "0106,a?,,1");
    bad("0xFD", "\xFD", " 6 バイト目 (0xFD) " + notCp932, "0106,?,,1");
    bad("lead byte without its trail", "ab\x81", " 8 バイト目 (0x81) " + notCp932, "0106,ab?,,1");
    bad("unassigned pair", "\x85\x40", " 6 バイト目 (0x85) はシフトJIS (CP932) に割り当てのない文字です。", "0106,?,,1");
    bad("NUL", QByteArray("a\0b", 3), " 7 バイト目 (0x00) は制御文字です。名前に制御文字は使えません。", "0106,a?b,,1");
    QTest::newRow("UTF-8 with BOM and a broken sequence")
        << QByteArray("\xEF\xBB\xBF" "0105,\xE9\xA3,,1\n") << fault(1, " 6 バイト目 (0xE9) は UTF-8 の文字として正しくありません。", "0105,??,,1");
    const QString utf16Broken = QStringLiteral("データファイルが不正です。\r\n\r\nUTF-16 のファイルとして正しくない部分があるため、読み込めません。\r\n\r\n"
                                               "シフトJIS (CP932) か UTF-8 で保存し直して下さい。");
    QTest::newRow("UTF-16 of odd length") << QByteArray("\xFF\xFE\x30\x00\x31", 5) << utf16Broken;
    QTest::newRow("UTF-16 with a lone surrogate") << QByteArray("\xFF\xFE\x00\xD8\x30\x00", 6) << utf16Broken;

    // Nothing to import, nothing written.
    const QString nothing = QStringLiteral("取り込むデータがありません。");
    QTest::newRow("no bytes") << QByteArray() << nothing;
    QTest::newRow("blank lines only") << QByteArray("\r\n   \n\r\n") << nothing;
    QTest::newRow("a header only") << sjis(QStringLiteral("日付,費目,摘要項目,出金,入金\r\n")) << nothing;
    QTest::newRow("nothing but a broken trailing byte") << QByteArray("\r\n\x81") << nothing;
}

void TestImportSource::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Session t(false, QStringLiteral("2026"));
    QVERIFY(!t.read(bytes));
    QCOMPARE(t.p.messages(), QStringList{message});
    QCOMPARE(t.p.shown.first().icon, Prompter::Icon::Warning);
}

void TestImportSource::otherYears_data()
{
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::newRow("skip them") << Prompter::Answer::Yes;
    QTest::newRow("cancel") << Prompter::Answer::No;
}

void TestImportSource::otherYears()
{
    QFETCH(Prompter::Answer, answer);
    Session t(false, QStringLiteral("2026"));
    QString source = QStringLiteral("0105,食費,,1\n2019/03/01,旧費目,,2\n20260201,食費,,3\n");
    for (int i = 0; i < 6; ++i)
        source += QStringLiteral("2025123%1,食費,,9\n").arg(i % 2);
    t.p.answers << answer;
    QCOMPARE(t.read(sjis(source)), answer == Prompter::Answer::Yes);
    const FakePrompter::Shown& q = t.p.shown.first();
    QCOMPARE(q.kind, FakePrompter::Shown::Question);
    QCOMPARE(q.defaultAnswer, Prompter::Answer::No);
    QCOMPARE(q.text, QStringLiteral("2026 年以外の日付のデータが 7 件あります。\r\n\r\n"
                                    "  2 行目: 2019/03/01,旧費目,,2\r\n  4 行目: 20251230,食費,,9\r\n  5 行目: 20251231,食費,,9\r\n"
                                    "  6 行目: 20251230,食費,,9\r\n  7 行目: 20251231,食費,,9\r\n  ほか 2 件\r\n\r\n"
                                    "これらのデータを除いて、2026 年のデータだけを取り込みますか。\r\n\r\n"
                                    "  ・除いて取り込む場合は [はい]\r\n  ・取り込みを中止する場合は [いいえ]"));
    QCOMPARE(t.p.shown.size(), 1);
    if (answer == Prompter::Answer::Yes) {
        QCOMPARE(entries(t.s), QStringLiteral("01/05 01 00 1/0; 02/01 01 00 3/0"));
        QCOMPARE(categories(t.s), QStringLiteral("01食費:1:-1:0:N[]")); // nothing of the skipped lines is registered
        QCOMPARE(t.s.skippedOtherYear, 7);
    }
}

void TestImportSource::kindFromTheExport_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::newRow("income into an expense category of the master")
        << true << "0105,食費,,1,0\n0106,食費,,0,5"
        << "データファイルの 2 行目は入金の金額ですが、費目 [食費] は出金の費目です。\r\n\r\n"
           "ひとつの費目の金額は、出金か入金のどちらか一方の列に書いて下さい。";
    QTest::newRow("a new category on both sides")
        << false << "0105,雑,,0,7\n0106,雑,,0,0\n0107,雑,,3,0"
        << "データファイルの 3 行目は出金の金額ですが、費目 [雑] は入金の費目です。\r\n\r\n"
           "ひとつの費目の金額は、出金か入金のどちらか一方の列に書いて下さい。";
}

void TestImportSource::kindFromTheExport()
{
    QFETCH(bool, linked);
    QFETCH(QString, source);
    QFETCH(QString, message);
    Session t(linked);
    QVERIFY(!t.read(sjis(source)));
    QCOMPARE(t.p.messages(), QStringList{message});
}

void TestImportSource::namesTheMasterCannotHold_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("category beyond CP932")
        << QStringLiteral("0105,食費😀,,1")
        << QStringLiteral("費目名 [食費😀] の文字「😀」は家計簿データに保存できない文字です。\r\n\r\n  2 行目: 0105,食費😀,,1");
    QTest::newRow("sub-item beyond CP932")
        << QStringLiteral("0105,食費,𠮷野家,1")
        << QStringLiteral("摘要項目名 [𠮷野家] の文字「𠮷」は家計簿データに保存できない文字です。\r\n\r\n  2 行目: 0105,食費,𠮷野家,1");
    QTest::newRow("separator of the master")
        << QStringLiteral("0105,食費:外食,,1")
        << QStringLiteral("費目名 [食費:外食] には「:」を使用できません。\r\n\r\n  2 行目: 0105,食費:外食,,1");
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
    // Halves to the even yen, as the category editor rounds.
    QTest::newRow("budget half down to even") << 0x123456u << "1500.5" << "" << "03新:2:1193046:1500:N[]";
    QTest::newRow("budget half up to even") << 0x123456u << "1501.5" << "" << "03新:2:1193046:1502:N[]";
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
