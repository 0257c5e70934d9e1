// What the readers make of files as editors leave them (line ends, UTF-8,
// a byte order mark), what the writers refuse, and how failures are told.

#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/tests/TestHome.h"
#include "ledger/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
const QString kYearText = QStringLiteral("C\n* Last modified: 01-01-2026\n*\n*  Kanelo Y -データファイル (2026年度)-\n*\n\n"
                                         "&2500\n03/050100150\n03/200102800\n04/010501120000\n$121550\n");
const QString kMemoText = QStringLiteral("*  Last modified: 2026/01/02\n*\n*  メモデータ管理ファイル  [2026年度]\n*\n\n"
                                         "04/15歯医者\n05/01給料日\n12/31大晦日\n");

// Text with "\n" line ends turned into bytes of one encoding and line-end style.
QByteArray fileBytes(const QString& text, const QString& eol, const QString& encoding)
{
    QString t;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i + 1 < lines.size(); ++i) {
        t += lines[i];
        if (eol == QLatin1String("mixed")) // CR LF, then a lone CR, then LF, and so on
            t += QStringList{QStringLiteral("\r\n"), QStringLiteral("\r"), QStringLiteral("\n")}[i % 3];
        else
            t += eol == QLatin1String("cr") ? QStringLiteral("\r") : eol == QLatin1String("lf") ? QStringLiteral("\n")
                                                                                               : QStringLiteral("\r\n");
    }
    if (encoding == QLatin1String("cp932"))
        return sjis(t);
    return (encoding == QLatin1String("utf-8 bom") ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + t.toUtf8();
}

QString dumpMemos(const LedgerModel& m)
{
    QStringList out;
    for (const auto& s : m.memoList())
        out << s.key + QLatin1Char('=') + s.item->name;
    return (out + m.memoOtherLines()).join(QLatin1Char('|'));
}

// Reads the file a reader owns into a fresh model and describes what it holds.
QString readAndDump(const QString& reader, LedgerModel& m)
{
    if (reader == QLatin1String("master"))
        return m.ReadCategoryMaster(1) ? dumpCategories(m) : QStringLiteral("<refused>");
    if (reader == QLatin1String("year")) {
        m.setYear(2026);
        if (!m.LoadYearFile())
            return QStringLiteral("<refused>");
        return QStringLiteral("%1 %2 | %3 | %4").arg(m.carryOver()).arg(m.carryAuto()).arg(dumpMonth(m, 3), dumpMonth(m, 4));
    }
    m.ReadMemoFile(2026);
    return dumpMemos(m);
}

bool save(const QString& reader, LedgerModel& m)
{
    if (reader == QLatin1String("master"))
        return m.WriteCategoryMaster();
    if (reader == QLatin1String("year"))
        return m.SaveYearFile(1);
    return m.WriteMemoFile(2026);
}

const QString kFileOf[] = {QStringLiteral("MainSub.zbt"), QStringLiteral("2026.zbl"), QStringLiteral("2026.zbm")};
QString fileOf(const QString& reader)
{
    return reader == QLatin1String("master") ? kFileOf[0] : reader == QLatin1String("year") ? kFileOf[1] : kFileOf[2];
}


// The codec the data files use, renamed for one test.
struct CodecName {
    explicit CodecName(const char* name) { TextFile::setCodecName(name); }
    ~CodecName() { TextFile::setCodecName("windows-31j"); }
};
}

class TestLedgerFiles : public QObject {
    Q_OBJECT
private slots:
    void readersTakeEditorFiles_data();
    void readersTakeEditorFiles();
    void masterWithoutCategoryIsRefused_data();
    void masterWithoutCategoryIsRefused();
    void categoryTypeBeyondOneAndTwoIsIncome();
    void memoLinesWithoutADayAreKept();
    void missingCodecRefusesEveryFile();
    void realWriteFailuresKeepThePath_data();
    void realWriteFailuresKeepThePath();
};

void TestLedgerFiles::readersTakeEditorFiles_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    const QString master = QStringLiteral("01食費:1:255:30000[01外食,02食材] 02日用品:1:65280:5000[] "
                                          "05給与:2:16711680:0[01本給,03賞与]");
    const QString year = QStringLiteral("2500 0 | 03/05 01 00 150/0; 03/20 01 02 800/0 | 04/01 05 01 0/120000");
    const QString memos = QStringLiteral("04/15=歯医者|05/01=給料日|12/31=大晦日");
    for (const QString& reader : {QStringLiteral("master"), QStringLiteral("year"), QStringLiteral("memo")}) {
        const QString text = reader == QLatin1String("master") ? QString::fromUtf8(kMasterText)
                                                                : reader == QLatin1String("year") ? kYearText : kMemoText;
        for (const QString& eol : {QStringLiteral("crlf"), QStringLiteral("lf"), QStringLiteral("cr"), QStringLiteral("mixed")})
            for (const QString& enc : {QStringLiteral("cp932"), QStringLiteral("utf-8"), QStringLiteral("utf-8 bom")})
                QTest::addRow("%s, %s, %s", qPrintable(reader), qPrintable(eol), qPrintable(enc))
                    << reader << fileBytes(text, eol, enc)
                    << (reader == QLatin1String("master") ? master : reader == QLatin1String("year") ? year : memos);
    }
}

void TestLedgerFiles::readersTakeEditorFiles()
{
    QFETCH(QString, reader);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    TestHome home;
    FakePrompter p;
    if (reader != QLatin1String("master"))
        home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMasterText));
    home.writeBytes(fileOf(reader), bytes);
    LedgerModel m(p);
    if (reader != QLatin1String("master"))
        QVERIFY(m.ReadCategoryMaster(1));
    QCOMPARE(readAndDump(reader, m), expected);
    QVERIFY2(p.shown.isEmpty(), qPrintable(p.texts().join(QLatin1Char('\n'))));

    // Written back as CP932 with CR LF, and read back the same.
    QVERIFY(save(reader, m));
    const QByteArray written = home.readBytes(fileOf(reader));
    QVERIFY(!written.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(written.count("\r\n"), written.count('\n'));
    QCOMPARE(written.count("\r\n"), written.count('\r'));
    const QByteArray kanji = reader == QLatin1String("year") ? sjis(QStringLiteral("データ")) : sjis(QStringLiteral("日"));
    QVERIFY(written.contains(kanji));
    LedgerModel back(p);
    if (reader != QLatin1String("master"))
        QVERIFY(back.ReadCategoryMaster(1));
    QCOMPARE(readAndDump(reader, back), expected);
    QVERIFY(p.shown.isEmpty());
}

void TestLedgerFiles::masterWithoutCategoryIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("messages"); // the skipped-lines report comes first when there is one
    QTest::newRow("comments only") << QByteArray("C\r\n*\r\n\r\n") << 1;
    QTest::newRow("empty file") << QByteArray() << 1;
    QTest::newRow("only broken lines") << sjis(QStringLiteral("0100食費\r\n0101外食\r\n")) << 2;
    QTest::newRow("not a master at all") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 12) << 2;
}

void TestLedgerFiles::masterWithoutCategoryIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, messages);
    TestHome home;
    home.writeBytes(QStringLiteral("MainSub.zbt"), bytes);
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(!m.ReadCategoryMaster(1));
    QCOMPARE(p.messages().size(), messages);
    QVERIFY2(p.messages().last().startsWith(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)から費目をひとつも読み込めませんでした。")),
             qPrintable(p.messages().last()));
    QCOMPARE(home.readBytes(QStringLiteral("MainSub.zbt")), bytes);
}

void TestLedgerFiles::categoryTypeBeyondOneAndTwoIsIncome()
{
    TestHome home;
    home.writeText(QStringLiteral("MainSub.zbt"),
                   QStringLiteral("0100食費:1:0:0\n0200臨時:3:0:0\n0201宝くじ\n0300雑収入:0:0:0\n0400給与:2:0:0\n"));
    home.writeText(QStringLiteral("2026.zbl"), QStringLiteral("&0\n01/050100100\n01/060201500\n01/070300700\n$0\n"));
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(m.ReadCategoryMaster(1));
    QCOMPARE(dumpCategories(m), QStringLiteral("01食費:1:0:0[] 02臨時:2:0:0[01宝くじ] 03雑収入:2:0:0[] 04給与:2:0:0[]"));
    QCOMPARE(p.messages().size(), 1); // told once for the file
    QVERIFY2(p.messages().first().contains(QStringLiteral("行番号 : 2, 4\r\n")), qPrintable(p.messages().first()));

    // Their entries stay, as income.
    m.setYear(2026);
    p.clear();
    QVERIFY(m.LoadYearFile());
    QVERIFY(p.shown.isEmpty());
    QCOMPARE(dumpMonth(m, 1), QStringLiteral("01/05 01 00 100/0; 01/06 02 01 0/500; 01/07 03 00 0/700"));
    QVERIFY(m.WriteCategoryMaster());
    QVERIFY(home.readBytes(QStringLiteral("MainSub.zbt")).contains("\r\n0200" + sjis(QStringLiteral("臨時")) + ":2:0:0\r\n"));
}

void TestLedgerFiles::memoLinesWithoutADayAreKept()
{
    TestHome home;
    home.writeText(QStringLiteral("2026.zbm"),
                   QStringLiteral("*  Last modified: 2026/01/02\n\n4/15歯医者\n04/15眼科\n04/15耳鼻科\n13/01x\n  ab  \n05/01給料日\n"));
    FakePrompter p;
    LedgerModel m(p);
    m.ReadMemoFile(2026);
    QCOMPARE(dumpMemos(m), QStringLiteral("04/15=眼科|05/01=給料日|4/15歯医者|04/15耳鼻科|13/01x|ab"));
    QCOMPARE(p.messages().size(), 1);
    QVERIFY2(p.messages().first().contains(QStringLiteral("行番号 : 3, 5, 6, 7\r\n")), qPrintable(p.messages().first()));

    QVERIFY(m.WriteMemoFile(2026));
    QCOMPARE(home.readBytes(QStringLiteral("2026.zbm")),
             sjis(QStringLiteral("*  Last modified: 2026/03/15\r\n*\r\n*  メモデータ管理ファイル  [2026年度]\r\n*\r\n\r\n"
                                 "04/15眼科\r\n05/01給料日\r\n4/15歯医者\r\n04/15耳鼻科\r\n13/01x\r\nab\r\n")));
    QVERIFY(m.memoList().isEmpty() && m.memoOtherLines().isEmpty());

    // Kept lines belong to their own year's file only.
    m.ReadMemoFile(2026);
    m.ReadMemoFile(2027);
    QVERIFY(m.memoOtherLines().isEmpty());
}

void TestLedgerFiles::missingCodecRefusesEveryFile()
{
    TestHome home;
    home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMasterText));
    home.writeText(QStringLiteral("2026.zbl"), kYearText);
    home.writeText(QStringLiteral("2026.zbm"), kMemoText);
    const QByteArray master = home.readBytes(QStringLiteral("MainSub.zbt"));
    const QByteArray year = home.readBytes(QStringLiteral("2026.zbl"));
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(m.ReadCategoryMaster(1));
    m.setYear(2026);
    QVERIFY(m.LoadYearFile());
    m.ReadMemoFile(2026);

    const CodecName missing("no-such-codec");
    QVERIFY(!TextFile::codecAvailable());
    p.clear();
    QVERIFY(!m.WriteCategoryMaster());
    QVERIFY(!m.SaveYearFile(1));
    QVERIFY(!m.WriteMemoFile(2026));
    LedgerModel other(p);
    QVERIFY(!other.ReadCategoryMaster(1));
    QCOMPARE(other.categoryList().count(), 0);
    QCOMPARE(p.messages().size(), 4);
    for (const QString& text : p.messages())
        QVERIFY2(text.contains(TextFile::codecMissingMessage()), qPrintable(text));
    QCOMPARE(home.readBytes(QStringLiteral("MainSub.zbt")), master);
    QCOMPARE(home.readBytes(QStringLiteral("2026.zbl")), year);
}

void TestLedgerFiles::realWriteFailuresKeepThePath_data()
{
    QTest::addColumn<QString>("make"); // what stands where the file belongs
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder") << "folder" << "同じ名前のフォルダがあるため、ファイルを作成できません。";
    QTest::newRow("a missing program folder") << "missing" << "保存先のフォルダが見つかりません。";
}

void TestLedgerFiles::realWriteFailuresKeepThePath()
{
    QFETCH(QString, make);
    QFETCH(QString, reason);
    TestHome home;
    if (make == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(home.path(QStringLiteral("2026.zbm"))));
    else
        qputenv("KANELO_HOME", home.path(QStringLiteral("gone")).toLocal8Bit());
    FakePrompter p;
    LedgerModel m(p);
    m.SetMemo(QStringLiteral("04/15"), QStringLiteral("歯医者"));
    QVERIFY(!m.WriteMemoFile(2026));
    QCOMPARE(p.messages().size(), 1);
    const QString text = p.messages().first();
    QVERIFY2(text.startsWith(QStringLiteral("ファイル [%1] を保存できませんでした。").arg(m.memoPath(2026))), qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    // Nothing of Qt's English in the box.
    for (const QChar c : text.mid(text.indexOf(QLatin1Char(']'))))
        QVERIFY2(!c.isLetter() || c.unicode() > 127, qPrintable(text));
}

QTEST_GUILESS_MAIN(TestLedgerFiles)
#include "test_ledger_files.moc"
