// What the import writes: the master and the year file or merge file, byte
// for byte; both or neither; an existing master and year extended, never
// replaced; the checks before writing; the closing message.
#include "ledger/tests/FakePrompter.h"
#include "ledger/tests/FileSizeLimit.h"
#include "ledger/ImportHandOff.h"
#include "import/ImportSession.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/ProgramFolder.h"
#include "ledger/tests/TestHome.h"

#include <QDir>
#include <QLockFile>
#include <QTest>

using namespace Import;
using Written = ImportSession::Written;

namespace {
const QByteArray kYearHeader2024 = sjis(QStringLiteral("C\r\n* Last modified: 03-15-2026\r\n*\r\n*  Kanelo Y -データファイル (2024年度)-\r\n"
                                                       "*\r\n*      [データ内容] 日付/費目/摘要項目/出入金\r\n*\r\n\r\n"));
const QByteArray kMasterHeader = sjis(QStringLiteral("C\r\n*  Last modified: 03-15-2026\r\n*\r\n*  Kanelo Y -費目・摘要項目管理ファイル-\r\n*\r\n\r\n"));

QByteArray crlfLines(const QStringList& lines) { return lines.isEmpty() ? QByteArray() : sjis(lines.join("\r\n") + "\r\n"); }

// The merge file's header: the year file's, with the run's token among its comments.
QByteArray mergeHeader(const QString& token)
{
    return kYearHeader2024.chopped(2) + sjis(QStringLiteral("*      [取込番号] ")) + token.toLatin1() + "\r\n\r\n";
}

struct Output {
    TestHome home;
    FakePrompter p;
    ImportSession s{p};
    QStringList started;
    QLockFile ledger{HandOff::ledgerLockPath()}; // the KaneloY that started a linked run

    Output(bool linked, bool withMaster)
    {
        if (withMaster)
            home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMasterText));
        if (linked) {
            ledger.tryLock(0);
            s.setCommandLine(QStringLiteral("2024 ") + HandOff::newToken());
        }
        s.importYear = QStringLiteral("2024");
        s.startProgram = [this](const QString& program, const QStringList& arguments) {
            started << program << arguments;
            return true;
        };
    }
    bool read(const QString& source)
    {
        s.clear();
        if (!s.LoadMasterToExtend() || !s.ReadSourceBytes(sjis(source)))
            return false;
        s.AssignGreenShades();
        return true;
    }
    QStringList files() const
    {
        QStringList names = QDir(home.path(".")).entryList(QDir::Files, QDir::Name);
        names.removeAll(QStringLiteral("KaneloY.lock"));
        return names;
    }
};
}

class TestImportOutput : public QObject {
    Q_OBJECT
private slots:
    void standaloneExample_data();
    void standaloneExample();
    void yearLines_data();
    void yearLines();
    void linkedMaster();
    void extendsTheFolder_data();
    void extendsTheFolder();
    void duplicates_data();
    void duplicates();
    void refusedBeforeWriting_data();
    void refusedBeforeWriting();
    void bothOrNeither_data();
    void bothOrNeither();
    void notWhileTheLedgerRuns();
};

void TestImportOutput::standaloneExample_data()
{
    QTest::addColumn<Prompter::Answer>("startLedger");
    QTest::newRow("start the ledger") << Prompter::Answer::Yes;
    QTest::newRow("do not start it") << Prompter::Answer::No;
}

void TestImportOutput::standaloneExample()
{
    QFETCH(Prompter::Answer, startLedger);
    Output o(false, false);
    QVERIFY(o.read(QStringLiteral("0105,食費,昼食,800\n0103,給料,,200000\n0210,食費,,1500")));
    QCOMPARE(o.s.categoryNamed(QStringLiteral("給料"))->ioflag, 2); // named like income
    QVERIFY(o.s.WriteOutput() == Written::Yes);
    QCOMPARE(o.home.readBytes("MainSub.zbt"), kMasterHeader + crlfLines({"0100食費:1:32768:0", "0101昼食", "0200給料:2:0:0"}));
    QCOMPARE(o.home.readBytes("2024.zbl"),
             kYearHeader2024 + crlfLines({"#0", "01/050101800", "01/030200200000", "02/1001001500", "$197700"}));
    QCOMPARE(o.p.texts(), QStringList());

    o.p.answers << startLedger;
    o.s.ShowClosingMessage();
    QCOMPARE(o.p.texts(), QStringList{"家計簿データの作成が完了しました。\r\n\r\n取り込んだデータ : 3 件\r\n\r\n[ぽるもさん]を起動しますか。"});
    const QStringList ledgerStarted{programFile("KaneloY"), "2024.zbl"};
    QCOMPARE(o.started, startLedger == Prompter::Answer::Yes ? ledgerStarted : QStringList());
    QCOMPARE(o.files(), (QStringList{"2024.zbl", "MainSub.zbt"}));
}

void TestImportOutput::yearLines_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("lines"); // after the header

    QTest::newRow("days backwards keep source order")
        << false << "0120,a,,3\n0110,a,,2\n0105,a,,1" << QStringList{"#0", "01/2001003", "01/1001002", "01/0501001", "$-6"};
    QTest::newRow("negative expense stays an expense") << false << "0105,a,,-500\n0106,a,,0"
                                                       << QStringList{"#0", "01/050100-500", "01/0601000", "$500"};
    QTest::newRow("linked: entries only") << true << "1231,給与,賞与,300000\n0105,食費,外食,-20\n0106,新,,0"
                                          << QStringList{"01/050101-20", "01/0603000", "12/310503300000"};
}

void TestImportOutput::yearLines()
{
    QFETCH(bool, linked);
    QFETCH(QString, source);
    QFETCH(QStringList, lines);
    Output o(linked, linked);
    QVERIFY(o.read(source));
    QVERIFY(o.s.WriteOutput() == Written::Yes);
    QCOMPARE(o.p.texts(), QStringList());
    if (linked)
        QCOMPARE(o.home.readBytes("2024_add.zbl"), mergeHeader(o.s.token) + crlfLines(lines));
    else
        QCOMPARE(o.home.readBytes("2024.zbl"), kYearHeader2024 + crlfLines(lines));
    QVERIFY(!o.home.exists(linked ? "2024.zbl" : "2024_add.zbl"));
}

void TestImportOutput::linkedMaster()
{
    Output o(true, true);
    QVERIFY(o.read(QStringLiteral("0105,食費,おやつ,1\n0106,交際費,飲み会,2")));
    QVERIFY(o.s.ChangeCategoryInfo(QStringLiteral("交際費"), 0x00FF00FFu, QStringLiteral("8000"), 1));
    QVERIFY(o.s.WriteOutput() == Written::Yes);
    QCOMPARE(o.home.readBytes("MainSub.zbt"),
             kMasterHeader
                 + crlfLines({"0100食費:1:255:30000", "0101外食", "0102食材", "0103おやつ", "0200日用品:1:65280:5000",
                              "0300交際費:1:16711935:8000", "0301飲み会", "0500給与:2:16711680:0", "0501本給", "0503賞与"}));
    QCOMPARE(HandOff::tokenOf(o.home.readBytes("2024_add.zbl")), o.s.token);
    o.s.ShowClosingMessage();
    QCOMPARE(o.p.messages(), QStringList{"家計簿データの作成が完了しました。\r\n\r\n取り込むデータ : 2 件\r\n\r\n"
                                         "[OK]をクリックするとデータを取り込みます。"});
    QCOMPARE(o.p.shown.last().icon, Prompter::Icon::Information);
    QCOMPARE(o.started, QStringList());
}

// On its own with a master in the folder: the master is extended as a
// linked import extends it, the year gains the entries in day order, other
// years are not touched, and the question says what will be added.
void TestImportOutput::extendsTheFolder_data()
{
    QTest::addColumn<bool>("withYear");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::newRow("master and year, added") << true << Prompter::Answer::Yes;
    QTest::newRow("master and year, declined") << true << Prompter::Answer::No;
    QTest::newRow("master only, added") << false << Prompter::Answer::Yes;
}

void TestImportOutput::extendsTheFolder()
{
    QFETCH(bool, withYear);
    QFETCH(Prompter::Answer, answer);
    Output o(false, true);
    if (withYear)
        o.home.writeText("2024.zbl", QStringLiteral("C\n*\n\n&1000\n01/030100700\n01/200501300000\n$300300\n"));
    o.home.writeText("2023.zbl", QStringLiteral("C\n*\n\n&0\n05/050501250000\n$250000\n"));
    const QByteArray master = o.home.readBytes("MainSub.zbt");
    const QByteArray year = withYear ? o.home.readBytes("2024.zbl") : QByteArray();
    const QByteArray other = o.home.readBytes("2023.zbl");

    QVERIFY(o.read(QStringLiteral("0110,食費,おやつ,400\n0103,趣味,本,1500\n0104,給与,,2")));
    QCOMPARE(o.s.categoryNamed("給与")->no, QStringLiteral("05"));
    QVERIFY(o.s.extendsMaster);
    o.p.answers << answer;
    QVERIFY(o.s.WriteOutput() == (answer == Prompter::Answer::Yes ? Written::Yes : Written::No));

    QCOMPARE(o.p.shown.size(), 1);
    const FakePrompter::Shown& q = o.p.shown.first();
    QCOMPARE(q.defaultAnswer, Prompter::Answer::Yes);
    QString expected = QStringLiteral("次の内容を追加します。よろしいですか。\r\n\r\n"
                                      "  費目・摘要項目管理ファイル (MainSub.zbt)\r\n"
                                      "    新しい費目 : 1 件 (趣味)\r\n    新しい摘要項目 : 2 件\r\n"
                                      "  2024 年の家計簿データファイル (2024.zbl)\r\n    追加するデータ : 3 件")
        + (withYear ? QStringLiteral(" (すでにある 2 件のデータはそのまま残ります)") : QStringLiteral(" (新しく作成します)"))
        + QStringLiteral("\r\n\r\n追加する前のファイルは、同じフォルダ\r\n  ") + QDir::toNativeSeparators(programFolder())
        + QStringLiteral("\r\nに次の名前で残します。\r\n  MainSub.zbt.20260315100000.bak\r\n")
        + (withYear ? QStringLiteral("  2024.zbl.20260315100000.bak\r\n") : QString());
    QCOMPARE(q.text, expected);

    QCOMPARE(o.home.readBytes("2023.zbl"), other);
    if (answer == Prompter::Answer::No) {
        QCOMPARE(o.home.readBytes("MainSub.zbt"), master);
        QCOMPARE(o.home.readBytes("2024.zbl"), year);
        QVERIFY(!o.files().join(' ').contains(".bak"));
        return;
    }
    QCOMPARE(o.home.readBytes("MainSub.zbt.20260315100000.bak"), master);
    if (withYear)
        QCOMPARE(o.home.readBytes("2024.zbl.20260315100000.bak"), year);
    QCOMPARE(o.home.readBytes("MainSub.zbt"),
             kMasterHeader
                 + crlfLines({"0100食費:1:255:30000", "0101外食", "0102食材", "0103おやつ", "0200日用品:1:65280:5000",
                              "0300趣味:1:0:0", "0301本", "0500給与:2:16711680:0", "0501本給", "0503賞与"}));
    // A new year carries its balance over from 2023 and keeps the source order.
    const QStringList lines = withYear ? QStringList{"&1000", "01/0303011500", "01/030100700", "01/0405002", "01/100103400",
                                                     "01/200501300000", "$298402"}
                                       : QStringList{"#250000", "01/100103400", "01/0303011500", "01/0405002", "$248102"};
    QCOMPARE(o.home.readBytes("2024.zbl"), kYearHeader2024 + crlfLines(lines));
}

void TestImportOutput::duplicates_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<QStringList>("written"); // the merge file's lines or the year's, none when nothing is written
    const QStringList skipped{"01/030101700", "02/010100900"};
    QTest::newRow("linked, skip them") << true << Prompter::Answer::Yes << skipped;
    QTest::newRow("linked, add them all: source order")
        << true << Prompter::Answer::No
        << QStringList{"01/040100500", "01/030101700", "01/040100500", "02/010100900", "02/010100900"};
    QTest::newRow("linked, cancel") << true << Prompter::Answer::Cancel << QStringList();
    QTest::newRow("on its own, skip them") << false << Prompter::Answer::Yes
                                           << QStringList{"&0", "01/030101700", "01/040100500", "02/010100900", "$-2100"};
    QTest::newRow("on its own, add them all: day order")
        << false << Prompter::Answer::No
        << QStringList{"&0", "01/030101700", "01/040100500", "01/040100500", "01/040100500", "02/010100900", "02/010100900", "$-4000"};
    QTest::newRow("on its own, cancel") << false << Prompter::Answer::Cancel << QStringList();
}

void TestImportOutput::duplicates()
{
    QFETCH(bool, linked);
    QFETCH(Prompter::Answer, answer);
    QFETCH(QStringList, written);
    Output o(linked, true);
    o.home.writeText("2024.zbl", QStringLiteral("C\n*\n\n&0\n01/040100500\n$-500\n"));
    const QByteArray year = o.home.readBytes("2024.zbl");
    // 01/04 is in the year; 02/01 comes twice; 01/03 differs from 01/04 by its sub-item.
    QVERIFY(o.read(QStringLiteral("0104,食費,,500\n0103,食費,外食,700\n0201,食費,,900\n0104,食費,,500\n0201,食費,,900")));
    o.p.answers << answer;
    if (!linked)
        o.p.answers << Prompter::Answer::Yes; // what will be added
    QVERIFY(o.s.WriteOutput() == (written.isEmpty() ? Written::No : Written::Yes));
    QCOMPARE(o.p.shown.first().text, QStringLiteral("日付・費目・摘要項目・金額が同じデータがあります。\r\n\r\n"
                                                    "  2024 年の家計簿にすでにあるデータと同じもの : 2 件\r\n"
                                                    "  取り込むファイルの中で繰り返されているもの : 1 件\r\n\r\n"
                                                    "これらを除いて取り込みますか。\r\n\r\n"
                                                    "  ・除いて取り込む場合は [はい]\r\n  ・すべて取り込む場合は [いいえ]\r\n"
                                                    "  ・取り込みを見直す場合は [キャンセル]"));
    QCOMPARE(o.p.shown.first().defaultAnswer, Prompter::Answer::Yes);
    if (written.isEmpty()) {
        QCOMPARE(o.files(), (QStringList{"2024.zbl", "MainSub.zbt"}));
        QCOMPARE(o.home.readBytes("2024.zbl"), year);
        return;
    }
    QCOMPARE(o.s.written, answer == Prompter::Answer::Yes ? 2 : 5);
    QCOMPARE(o.s.skippedDuplicates, answer == Prompter::Answer::Yes ? 3 : 0);
    if (linked)
        QCOMPARE(o.home.readBytes("2024_add.zbl"), mergeHeader(o.s.token) + crlfLines(written));
    else
        QCOMPARE(o.home.readBytes("2024.zbl"), kYearHeader2024 + crlfLines(written));
}

// Refusals that leave every file as it was.
void TestImportOutput::refusedBeforeWriting_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("abandoned"); // the tool ends
    QTest::newRow("linked: balance beyond 32 bits")
        << true << "year" << "取り込むと、年度末の残高が 2,147,483,648 円になり、家計簿データファイルに保存できる範囲 "
                             "(-2,147,483,648 円から 2,147,483,647 円まで) を超えてしまいます。\r\n\r\nこのデータは取り込めません。"
        << false;
    QTest::newRow("on its own: balance beyond 32 bits")
        << false << "year" << "取り込むと、年度末の残高が 2,147,483,648 円になり、家計簿データファイルに保存できる範囲 "
                              "(-2,147,483,648 円から 2,147,483,647 円まで) を超えてしまいます。\r\n\r\nこのデータは取り込めません。"
        << false;
    QTest::newRow("linked: the KaneloY that started it has ended")
        << true << "no ledger" << "取り込みを始めた [ぽるもさん] が終了しているため、家計簿データを作成しませんでした。\r\n\r\n"
                                  "ファイルは何も変更されていません。[ぽるもさん] を起動して、もう一度インポートして下さい。"
        << true;
    const QString changed = QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)が、取り込むデータを読み込んだ後に変更されたため、"
                                           "家計簿データを作成しませんでした。\r\n\r\nもう一度、最初から取り込んで下さい。");
    QTest::newRow("on its own: master changed after reading") << false << "master changed" << changed << true;
    QTest::newRow("on its own: master made after reading") << false << "master made" << changed << true;
    QTest::newRow("on its own: a year file without a master")
        << false << "year, no master"
        << "費目・摘要項目管理ファイル(MainSub.zbt)がないため、2024 年の家計簿データファイル (2024.zbl) のデータがどの費目のものか"
           "分かりません。このファイルには取り込めません。\r\n\r\n別の年を指定するか、2024.zbl を別のフォルダに移してから取り込んで下さい。"
        << false;
    QTest::newRow("on its own: a year file the master does not fit")
        << false << "year of a deleted category"
        << "2024 年の家計簿データファイル (2024.zbl) をそのままの形で読み込めないため、取り込みませんでした。\r\n\r\n"
           "[ぽるもさん] で 2024 年を開いて確認し、保存してから、もう一度取り込んで下さい。\r\n\r\n"
           "費目番号 [09] に該当する費目は削除されています。"
        << false;
}

void TestImportOutput::refusedBeforeWriting()
{
    QFETCH(bool, linked);
    QFETCH(QString, setup);
    QFETCH(QString, message);
    QFETCH(bool, abandoned);
    Output o(linked, setup != "year, no master" && setup != "master made");
    if (setup == "year" || setup == "year, no master")
        o.home.writeText("2024.zbl", QStringLiteral("C\n*\n\n&2147483000\n01/030500600\n$2147483600\n"));
    if (setup == "year of a deleted category")
        o.home.writeText("2024.zbl", QStringLiteral("C\n*\n\n&0\n01/030900600\n$0\n"));
    QVERIFY(o.read(QStringLiteral("0105,給与,,48\n")));
    if (setup == "no ledger")
        o.ledger.unlock();
    if (setup == "master changed")
        o.home.writeText("MainSub.zbt", QString::fromUtf8(kMasterText) + "0600新:1:1:0\n");
    if (setup == "master made")
        o.home.writeText("MainSub.zbt", QString::fromUtf8(kMasterText));
    QMap<QString, QByteArray> before;
    for (const QString& name : o.files())
        before[name] = o.home.readBytes(name);

    QVERIFY(o.s.WriteOutput() == (abandoned ? Written::Abandoned : Written::No));
    QCOMPARE(o.p.messages(), QStringList{message});
    QCOMPARE(o.files(), before.keys());
    for (const QString& name : before.keys())
        QCOMPARE(o.home.readBytes(name), before[name]);
}

void TestImportOutput::bothOrNeither_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<bool>("withMaster");
    QTest::newRow("linked: merge file cannot be written") << true << true;
    QTest::newRow("on its own: year file cannot be written, no master before") << false << false;
    QTest::newRow("on its own: year file cannot be written, master before") << false << true;
}

void TestImportOutput::bothOrNeither()
{
    QFETCH(bool, linked);
    QFETCH(bool, withMaster);
    Output o(linked, withMaster);
    const QByteArray masterBefore = withMaster ? o.home.readBytes("MainSub.zbt") : QByteArray();
    QString source;
    for (int i = 0; i < 400; ++i)
        source += QStringLiteral("0105,新しい費目,,%1\n").arg(100000 + i);
    QVERIFY(o.read(source));
    if (!linked && withMaster)
        o.p.answers << Prompter::Answer::Yes;

    Written written = Written::Yes;
    if (linked) {
        // A folder where the merge file should go.
        QDir(o.home.path(".")).mkdir("2024_add.zbl");
        written = o.s.WriteOutput();
    } else {
        FileSizeLimit limit(2000); // room for the master, not for 400 entry lines
        written = o.s.WriteOutput();
    }
    QVERIFY(written == Written::No);
    QCOMPARE(o.home.exists("MainSub.zbt"), withMaster);
    if (withMaster)
        QCOMPARE(o.home.readBytes("MainSub.zbt"), masterBefore);
    QVERIFY(!QFileInfo(o.home.path("2024.zbl")).isFile() && !QFileInfo(o.home.path("2024_add.zbl")).isFile());
    QCOMPARE(o.p.messages().size(), 1);
    QVERIFY(o.p.messages().first().startsWith(QStringLiteral("ファイル [")));
    for (const QString& name : o.files())
        QVERIFY2(name == "MainSub.zbt", qPrintable(name)); // no staged file, no journal, no backup left
}

void TestImportOutput::notWhileTheLedgerRuns()
{
    Output o(false, false);
    QVERIFY(o.read(QStringLiteral("0105,食費,,1")));
    QLockFile ledger(HandOff::ledgerLockPath());
    QVERIFY(ledger.tryLock(0));
    QVERIFY(o.s.WriteOutput() == Written::No);
    QCOMPARE(o.p.messages(), QStringList{"[ぽるもさん] が起動しているため、家計簿データを作成できません。\r\n\r\n"
                                         "[ぽるもさん] を終了してから、もう一度 [次へ] をクリックして下さい。"});
    QVERIFY(!o.home.exists("MainSub.zbt") && !o.home.exists("2024.zbl"));
    ledger.unlock();
    QVERIFY(o.s.WriteOutput() == Written::Yes);

    // A folder where no lock can be made is no running ledger.
    o.p.clear();
    qputenv("KANELO_HOME", o.home.path("no such folder").toLocal8Bit());
    QVERIFY(o.s.WriteOutput() == Written::No);
    QCOMPARE(o.p.messages(), QStringList{"フォルダ [" + QDir::toNativeSeparators(o.home.path("no such folder"))
                                         + "] にファイルを作成できないため、家計簿データを作成できません。\r\n\r\n"
                                           "フォルダが存在し、書き込みが許可されているか確認して下さい。"});
}

QTEST_GUILESS_MAIN(TestImportOutput)
#include "test_import_output.moc"
