// What the import writes: the master and the year file or merge file, byte
// for byte; both or neither; the question before replacing; the closing.
#include "FakePrompter.h"
#include "FileSizeLimit.h"
#include "ImportSession.h"
#include "LedgerTestData.h"
#include "ProgramFolder.h"
#include "TestHome.h"

#include <QDir>
#include <QLockFile>
#include <QTest>


using namespace Import;

namespace {
const QByteArray kYearHeader2024 = sjis(QStringLiteral("C\r\n* Last modified: 03-15-2026\r\n*\r\n*  Kanelo Y -データファイル (2024年度)-\r\n"
                                                       "*\r\n*      [データ内容] 日付/費目/摘要項目/出入金\r\n*\r\n\r\n"));
const QByteArray kMasterHeader = sjis(QStringLiteral("C\r\n*  Last modified: 03-15-2026\r\n*\r\n*  Kanelo Y -費目・摘要項目管理ファイル-\r\n*\r\n\r\n"));
const QString kRestored = QStringLiteral("家計簿データを作成できなかったため、費目・摘要項目管理ファイル(MainSub.zbt)を元に戻しました。\r\n\r\n"
                                         "ファイルは何も変更されていません。");

QByteArray crlfLines(const QStringList& lines) { return lines.isEmpty() ? QByteArray() : sjis(lines.join("\r\n") + "\r\n"); }

struct Output {
    TestHome home;
    FakePrompter p;
    ImportSession s{p};
    QStringList started;

    Output(bool linked, bool withMaster)
    {
        if (withMaster)
            home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMasterText));
        s.setCommandLine(linked ? QStringLiteral("2024") : QString());
        s.importYear = QStringLiteral("2024");
        s.startProgram = [this](const QString& program, const QStringList& arguments) {
            started << program << arguments;
            return true;
        };
    }
    void read(const QString& source)
    {
        s.clear();
        if ((s.linkedMode && !s.LoadCurrentMaster()) || !s.ReadSourceBytes(sjis(source)))
            qFatal("read");
        s.AssignGreenShades();
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
    void bothOrNeither_data();
    void bothOrNeither();
    void asksBeforeReplacing_data();
    void asksBeforeReplacing();
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
    o.read(QStringLiteral("0105,食費,昼食,800\n0103,給与,,200000\n0210,食費,,1500"));
    QVERIFY(o.s.ChangeCategoryInfo(QStringLiteral("給与"), 0, QStringLiteral("0"), 2));
    QVERIFY(o.s.WriteOutput());
    QCOMPARE(o.home.readBytes("MainSub.zbt"), kMasterHeader + crlfLines({"0100食費:1:32768:0", "0101昼食", "0200給与:2:0:0"}));
    QCOMPARE(o.home.readBytes("2024.zbl"),
             kYearHeader2024 + crlfLines({"#0", "01/050101800", "01/030200200000", "02/1001001500", "$197700"}));
    QCOMPARE(o.p.texts(), QStringList());

    o.p.answers << startLedger;
    o.s.ShowClosingMessage();
    QCOMPARE(o.p.texts(), QStringList{"家計簿データの作成が完了しました。\r\n\r\n[ぽるもさん]を起動しますか。"});
    const QStringList ledgerStarted{programFile("KaneloY"), "2024.zbl"};
    QCOMPARE(o.started, startLedger == Prompter::Answer::Yes ? ledgerStarted : QStringList());
    QVERIFY(o.home.exists("2024.zbl") && o.home.exists("MainSub.zbt"));
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
    QTest::newRow("empty source") << false << "" << QStringList{"#0", "$0"};
    QTest::newRow("linked: entries only") << true << "1231,給与,賞与,300000\n0105,食費,外食,-20\n0106,新,,0"
                                          << QStringList{"01/050101-20", "01/0603000", "12/310503300000"};
}

void TestImportOutput::yearLines()
{
    QFETCH(bool, linked);
    QFETCH(QString, source);
    QFETCH(QStringList, lines);
    Output o(linked, true);
    o.read(source);
    if (!linked)
        o.p.answers << Prompter::Answer::Yes; // replace the master
    QVERIFY(o.s.WriteOutput());
    const QString name = linked ? QStringLiteral("2024_add.zbl") : QStringLiteral("2024.zbl");
    QCOMPARE(o.home.readBytes(name), kYearHeader2024 + crlfLines(lines));
    QVERIFY(!o.home.exists(linked ? "2024.zbl" : "2024_add.zbl"));
}

void TestImportOutput::linkedMaster()
{
    Output o(true, true);
    o.read(QStringLiteral("0105,食費,おやつ,1\n0106,交際費,飲み会,2"));
    QVERIFY(o.s.ChangeCategoryInfo(QStringLiteral("交際費"), 0x00FF00FFu, QStringLiteral("8000"), 1));
    QVERIFY(o.s.WriteOutput());
    QCOMPARE(o.home.readBytes("MainSub.zbt"),
             kMasterHeader
                 + crlfLines({"0100食費:1:255:30000", "0101外食", "0102食材", "0103おやつ", "0200日用品:1:65280:5000",
                              "0300交際費:1:16711935:8000", "0301飲み会", "0500給与:2:16711680:0", "0501本給", "0503賞与"}));
    o.s.ShowClosingMessage();
    QCOMPARE(o.p.messages(), QStringList{"家計簿データの作成が完了しました。\r\n\r\n[OK]をクリックするとデータを取り込みます。"});
    QCOMPARE(o.p.shown.last().icon, Prompter::Icon::Information);
    QCOMPARE(o.started, QStringList());
}

void TestImportOutput::bothOrNeither_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<bool>("withMaster");
    QTest::newRow("linked: merge file cannot be written") << true << true;
    QTest::newRow("standalone: year file cannot be written, no master before") << false << false;
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
    o.read(source);

    bool written = true;
    if (linked) {
        // A folder where the merge file should go: the master is written, the second file is not.
        QDir(o.home.path(".")).mkdir("2024_add.zbl");
        written = o.s.WriteOutput();
    } else {
        FileSizeLimit limit(2000); // room for the master, not for 400 entry lines
        written = o.s.WriteOutput();
    }
    QVERIFY(!written);
    QCOMPARE(o.home.exists("MainSub.zbt"), withMaster);
    if (withMaster)
        QCOMPARE(o.home.readBytes("MainSub.zbt"), masterBefore);
    QVERIFY(!QFileInfo(o.home.path("2024.zbl")).isFile() && !QFileInfo(o.home.path("2024_add.zbl")).isFile());
    QCOMPARE(o.p.messages().size(), 2); // the writer's own failure, then what became of the master
    QVERIFY(o.p.messages().first().startsWith(QStringLiteral("ファイル [")));
    QCOMPARE(o.p.messages().last(), kRestored);
}

void TestImportOutput::asksBeforeReplacing_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::newRow("both, keep them") << QStringList{"2024.zbl", "MainSub.zbt"} << Prompter::Answer::No;
    QTest::newRow("both, replace them") << QStringList{"2024.zbl", "MainSub.zbt"} << Prompter::Answer::Yes;
    QTest::newRow("year file only, replace it") << QStringList{"2024.zbl"} << Prompter::Answer::Yes;
}

void TestImportOutput::asksBeforeReplacing()
{
    QFETCH(QStringList, existing);
    QFETCH(Prompter::Answer, answer);
    Output o(false, existing.contains("MainSub.zbt"));
    if (existing.contains("2024.zbl"))
        o.home.writeText("2024.zbl", QStringLiteral("C\n*\n\n&0\n01/200100700\n$-700\n"));
    QMap<QString, QByteArray> before;
    for (const QString& name : existing)
        before[name] = o.home.readBytes(name);
    o.read(QStringLiteral("0105,食費,,1"));
    o.p.answers << answer;
    QCOMPARE(o.s.WriteOutput(), answer == Prompter::Answer::Yes);

    QCOMPARE(o.p.shown.size(), 1);
    const FakePrompter::Shown& q = o.p.shown.first();
    QCOMPARE(q.defaultAnswer, Prompter::Answer::No);
    QString expected = QStringLiteral("次のファイルはすでに存在します。今回のデータで置き換えてよろしいですか。\r\n\r\n");
    for (const QString& name : existing)
        expected += "  " + name + "\r\n";
    expected += "\r\n置き換える前のファイルは、同じフォルダ\r\n  " + QDir::toNativeSeparators(programFolder()) + "\r\nに次の名前で残します。\r\n";
    for (const QString& name : existing)
        expected += "  " + name + ".20260315100000.bak\r\n";
    QCOMPARE(q.text, expected);

    for (const QString& name : existing) {
        const QString backup = name + ".20260315100000.bak";
        QCOMPARE(o.home.exists(backup), answer == Prompter::Answer::Yes);
        if (answer == Prompter::Answer::Yes)
            QCOMPARE(o.home.readBytes(backup), before[name]);
        else
            QCOMPARE(o.home.readBytes(name), before[name]);
    }
    if (answer == Prompter::Answer::Yes)
        QVERIFY(o.home.readBytes("2024.zbl").contains("01/0501001"));
}

void TestImportOutput::notWhileTheLedgerRuns()
{
    Output o(false, false);
    o.read(QStringLiteral("0105,食費,,1"));
    QLockFile ledger(programFile("KaneloY.lock"));
    QVERIFY(ledger.tryLock(0));
    QVERIFY(!o.s.WriteOutput());
    QCOMPARE(o.p.messages(), QStringList{"[ぽるもさん] が起動しているため、家計簿データを作成できません。\r\n\r\n"
                                         "[ぽるもさん] を終了してから、もう一度 [次へ] をクリックして下さい。"});
    QVERIFY(!o.home.exists("MainSub.zbt") && !o.home.exists("2024.zbl"));
    ledger.unlock();
    QVERIFY(o.s.WriteOutput());
}

QTEST_GUILESS_MAIN(TestImportOutput)
#include "test_import_output.moc"
