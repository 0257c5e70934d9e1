// Starting and closing the program: command line, single instance, stored
// settings, the start-up copy, today's memo and the close question.
#include "app/tests/AppFixture.h"
#include "ledger/tests/LedgerTestData.h"

#include "ledger/ImportHandOff.h"
#include "app/SecondStart.h"
#include "ledger/Settings.h"
#include "app/frmVersion.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <QTreeView>

namespace {
const QString kCloseQuestion = QStringLiteral("[ぽるもさん]を終了してよろしいですか。\r\n\r\n"
                                              "  ・家計簿データを保存して終了する場合は [はい]\r\n"
                                              "  ・家計簿データを保存せずに終了する場合は、[いいえ]\r\n"
                                              "  ・終了しない場合は、[キャンセル]\r\n\r\n"
                                              "をそれぞれクリックして下さい。");
const QString kNotYearFile = QStringLiteral("指定されたファイルは家計簿データファイルではありません。\r\n\r\n"
                                            "家計簿データファイル(yyyy.zbl)を指定して下さい。\r\nプログラムを終了します。");

// Notes whether the main window was already on screen when a box came up.
struct WatchingPrompter : FakePrompter {
    QList<bool> windowShownAtInput;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        bool shown = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            shown = shown || (w->objectName() == QLatin1String("frmKanelo") && w->isVisible());
        windowShownAtInput << shown;
        return FakePrompter::input(prompt, title, defaultText);
    }
};
}

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void parseCommandLine_data();
    void parseCommandLine();
    void startWithYearFileArgument();
    void startPlainShowsTodaysMonth();
    void badArgumentEndsBeforeLoading();
    void secondStart_data();
    void secondStart();
    void secondStartSocket();
    void folderHeldByAnotherProgram();
    void missingMasterEndsTheProgram();
    void missingYearAsksCarryOverBeforeShowing();
    void storedSettingsAreApplied();
    void firstRunUsesDefaults();
    void todaysMemo_data();
    void todaysMemo();
    void closeQuestion_data();
    void closeQuestion();
    void closeYesThatCannotSaveKeepsWindow();
};

void TestStartup::parseCommandLine_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<int>("year");

    QTest::newRow("empty") << "" << 0;
    QTest::newRow("windows path, upper-case extension") << "C:\\data\\2003.ZBL" << 2003;
    QTest::newRow("bare name from the import tool") << "2004.zbl" << 2004;
    QTest::newRow("folder with spaces") << "/home/u/my ledger/1999.Zbl" << 1999;
    QTest::newRow("text file") << "C:\\data\\2003.txt" << -1;
    QTest::newRow("year not numeric") << "20x3.zbl" << -1;
    QTest::newRow("too short") << "3.zbl" << -1;
}

void TestStartup::parseCommandLine()
{
    QFETCH(QString, commandLine);
    QFETCH(int, year);
    FakePrompter prompter;
    LedgerModel model(prompter);
    QCOMPARE(frmKanelo::ParseCommandLine(commandLine, model), year);
    QCOMPARE(prompter.messages(), year == -1 ? QStringList{kNotYearFile} : QStringList{});
}

void TestStartup::startWithYearFileArgument()
{
    AppFixture f;
    const QString year = AppFixture::yearText("&1000", {"01/050101001200", "04/250300250000"});
    f.home.writeText(QStringLiteral("2003.zbl"), year);
    QVERIFY(f.start(QStringLiteral("C:\\data\\2003.ZBL")));

    QVERIFY(f.window()->isVisible());
    QCOMPARE(f.window()->windowTitle(), QStringLiteral("Kanelo Y -ぽるもさん!?  [2003 年度]"));
    QCOMPARE(f.model().curMonth(), 1);
    QCOMPARE(f.views()->tabMonth->currentIndex(), 0);
    QCOMPARE(f.views()->tabMonth->tabText(0), QStringLiteral("1 月"));
    QCOMPARE(f.views()->tabMonth->tabText(11), QStringLiteral("12月"));
    QCOMPARE(f.cell(1, 0), QStringLiteral("01/05"));
    QCOMPARE(f.cell(1, 5), QStringLiteral("-200"));
    QCOMPARE(f.panel(2), QStringLiteral("繰越高 : 1,000 (M)"));
    QCOMPARE(f.window()->views->summaryMode(), 0);
    QCOMPARE(f.views()->listStack->currentWidget(), f.views()->lvwMonth);
    // The start-up copy holds the file as it was found.
    QCOMPARE(f.home.readBytes(QStringLiteral("2003.z__")), f.home.readBytes(QStringLiteral("2003.zbl")));
    QVERIFY(f.prompter.shown.isEmpty());
    QTRY_VERIFY(!f.window()->splash);
}

void TestStartup::startPlainShowsTodaysMonth()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {"03/150100000800", "04/010100000100"}));
    f.home.writeText(QStringLiteral("2026.z__"), QStringLiteral("old copy"));
    QVERIFY(f.start());
    QCOMPARE(f.model().curYear(), 2026);
    QCOMPARE(f.model().curMonth(), 3);
    QCOMPARE(f.views()->tabMonth->currentIndex(), 2);
    QCOMPARE(f.views()->monthRows->count(), 2);
    QCOMPARE(f.cell(1, 0), QStringLiteral("03/15"));
    QCOMPARE(f.panel(1), QStringLiteral("3 月度 収支状況   "));
    QCOMPARE(f.home.readBytes(QStringLiteral("2026.z__")), f.home.readBytes(QStringLiteral("2026.zbl")));

    // The first click on another tab is a real click.
    QTest::mouseClick(f.views()->tabMonth, Qt::LeftButton, {}, f.views()->tabMonth->tabRect(3).center());
    QCOMPARE(f.model().curMonth(), 4);
    QCOMPARE(f.cell(1, 0), QStringLiteral("04/01"));
}

void TestStartup::badArgumentEndsBeforeLoading()
{
    AppFixture f;
    QVERIFY(!f.start(QStringLiteral("C:\\data\\2003.txt")));
    QCOMPARE(f.prompter.messages(), QStringList{kNotYearFile});
    QVERIFY(!f.app->window);
    QVERIFY(!f.home.exists(QStringLiteral("2003.zbl")));
    QVERIFY(!f.home.exists(QStringLiteral("2026.zbl")));
}

void TestStartup::secondStart_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<bool>("dialogOpen"); // a message box open over the window
    QTest::addColumn<int>("year");        // open afterwards

    QTest::newRow("plain") << "" << false << 2026;
    QTest::newRow("the open year's file") << "2026.zbl" << false << 2026;
    QTest::newRow("another year's file") << "/home/user/2025.ZBL" << false << 2025;
    QTest::newRow("no year file") << "notes.txt" << false << 2026;
    QTest::newRow("another year while a box is open") << "2025.zbl" << true << 2026;
}

void TestStartup::secondStart()
{
    QFETCH(QString, commandLine);
    QFETCH(bool, dialogOpen);
    QFETCH(int, year);
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    f.home.writeText(QStringLiteral("2025.zbl"), AppFixture::yearText("&0", {"03/090100000900"}));
    QVERIFY(f.start());
    f.model().InsertEntry(entry(QStringLiteral("03/20"), QStringLiteral("01"), 700));
    f.window()->showMinimized();
    QSignalSpy handed(f.app->secondStart(), &SecondStart::started);

    // The second start ends at once, silently, having handed over its command line.
    FakePrompter second;
    auto startAgain = [&] {
        KaneloApp again(second);
        QVERIFY(!again.start(commandLine));
        QVERIFY(!again.window);
        QTRY_COMPARE(handed.count(), 1);
    };
    if (dialogOpen) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Kanelo Y"), QStringLiteral("..."), QMessageBox::Ok, f.window());
        QTimer::singleShot(0, &box, [&] {
            startAgain();
            QTRY_VERIFY(box.isActiveWindow());
            box.accept();
        });
        box.exec();
    } else {
        startAgain();
    }
    QVERIFY(second.shown.isEmpty());
    QCOMPARE(handed.first().first().toString(), commandLine);
    QVERIFY(!f.window()->isMinimized());
    QCOMPARE(f.model().curYear(), year);
    QVERIFY(f.prompter.shown.isEmpty());
    // Opening another year saved the open one first, as 開く does.
    QCOMPARE(f.home.readBytes(QStringLiteral("2026.zbl")).contains("\r\n03/200100700\r\n"), year == 2025);
    if (!dialogOpen)
        QTRY_VERIFY(f.window()->isActiveWindow());
}

void TestStartup::secondStartSocket()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    // What a killed run leaves behind does not keep the next run from listening.
    const QString name = SecondStart::serverName();
    QVERIFY(QFile(QDir::temp().filePath(name)).open(QIODevice::WriteOnly));
    QVERIFY(f.start());
    QVERIFY(f.app->secondStart()->isListening());

    // Another data folder has a socket of its own.
    const QByteArray home = qgetenv("KANELO_HOME");
    QTemporaryDir other;
    qputenv("KANELO_HOME", other.path().toLocal8Bit());
    QVERIFY(SecondStart::serverName() != name);
    qputenv("KANELO_HOME", home);
    QCOMPARE(SecondStart::serverName(), name);

    // Once the first has ended, the program starts again.
    f.window()->close();
    f.app.reset();
    QVERIFY(!QFile::exists(QDir::temp().filePath(name)));
    FakePrompter second;
    KaneloApp third(second);
    QVERIFY(third.start({}));
}

// The import tool writing on its own holds the folder too, and takes no
// command line: the start says why it ends.
void TestStartup::folderHeldByAnotherProgram()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    QLockFile tool(HandOff::ledgerLockPath());
    QVERIFY(tool.tryLock(0));
    QVERIFY(!f.start());
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY(f.prompter.messages().first().contains(QStringLiteral("実行中の Kanelo Y かインポートツールが使用しています")));
}

void TestStartup::missingMasterEndsTheProgram()
{
    AppFixture f;
    QFile::remove(f.home.path(QStringLiteral("MainSub.zbt")));
    QVERIFY(!f.start());
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY(f.prompter.messages().first().startsWith(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)が存在しません。")));
    QVERIFY(!f.app->window);
}

void TestStartup::missingYearAsksCarryOverBeforeShowing()
{
    TestHome home;
    home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(AppFixture::kMaster));
    WatchingPrompter prompter;
    prompter.inputs.enqueue(QStringLiteral("-5000"));
    KaneloApp app(prompter);
    QVERIFY(app.start({}));

    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown.first().title, QStringLiteral("前年度繰越残高の設定"));
    QCOMPARE(prompter.windowShownAtInput, QList<bool>{false});
    QVERIFY(home.readBytes(QStringLiteral("2026.zbl")).contains("\r\n&-5000\r\n"));
    QCOMPARE(app.window->views->monthRows->cell(0, 3), QStringLiteral("5,000"));
    // No copy is made of a file that did not exist at start.
    QVERIFY(!home.exists(QStringLiteral("2026.z__")));
}

void TestStartup::storedSettingsAreApplied()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    const QString app = QStringLiteral("Kanelo Y");
    WriteSetting(app, QStringLiteral("Settings"), QStringLiteral("left"), QStringLiteral("1500"));
    WriteSetting(app, QStringLiteral("Settings"), QStringLiteral("top"), QStringLiteral("750"));
    WriteSetting(app, QStringLiteral("Settings"), QStringLiteral("width"), QStringLiteral("13500"));
    WriteSetting(app, QStringLiteral("Settings"), QStringLiteral("height"), QStringLiteral("7500"));
    WriteSetting(app, QStringLiteral("Settings"), QStringLiteral("toolbar"), QStringLiteral("False"));
    WriteSetting(app, QStringLiteral("Options"), QStringLiteral("fontsize"), QStringLiteral("14"));
    WriteSetting(app, QStringLiteral("Options"), QStringLiteral("movewith"), QStringLiteral("True"));
    QVERIFY(f.start());

    QCOMPARE(f.window()->pos(), QPoint(100, 50));
    QCOMPARE(f.window()->size(), QSize(900, 500));
    QVERIFY(f.window()->tbrToolBar->isHidden());
    QVERIFY(f.window()->mnuEnvItem[0]->isChecked());
    QCOMPARE(f.views()->lvwMonth->font().pointSize(), 14);
    QCOMPARE(f.views()->lvwMonthC->font().pointSize(), 14);
    QVERIFY(f.window()->linkCalendar);
    QVERIFY(f.window()->mnuEnvSubItem[0]->isChecked());
}

void TestStartup::firstRunUsesDefaults()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    QVERIFY(f.start());
    QVERIFY(!f.window()->tbrToolBar->isHidden());
    QVERIFY(!f.window()->mnuEnvItem[0]->isChecked());
    QCOMPARE(f.views()->lvwMonth->font().pointSize(), 11);
    QVERIFY(!f.window()->linkCalendar);
    QVERIFY(f.window()->width() >= 667 && f.window()->height() >= 267); // 10000 x 4000 twips
}

void TestStartup::todaysMemo_data()
{
    QTest::addColumn<QString>("memoFile");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<bool>("cut"); // too long for its panel: cut with "…", whole in the tool tip

    const QString longMemo = QStringLiteral("町内会の清掃当番、朝8時に公民館前へ集合、軍手とごみ袋を持参すること。回覧板も回す");
    QTest::newRow("memo for today") << "*  Last modified\n*\n\n03/14昨日\n03/15  歯医者 10時  \n" << "  歯医者 10時" << false;
    QTest::newRow("memo for another day") << "03/14昨日\n" << "" << false;
    QTest::newRow("no memo file") << "" << "" << false;
    QTest::newRow("long memo") << "03/15" + longMemo + "\n" << longMemo << true;
}

void TestStartup::todaysMemo()
{
    QFETCH(QString, memoFile);
    QFETCH(QString, memo);
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    if (!memoFile.isEmpty())
        f.home.writeText(QStringLiteral("2026.zbm"), memoFile);
    QVERIFY(f.start());
    QCOMPARE(f.window()->picMemo->isVisible(), !memo.isEmpty());
    QCOMPARE(f.window()->picLabel->isVisible(), !memo.isEmpty());
    QFETCH(bool, cut);
    QCOMPARE(f.window()->picMemo->toolTip(), memo);
    const QString shown = f.window()->picMemo->text();
    if (cut) {
        QVERIFY2(shown.endsWith(QStringLiteral("…")) && memo.startsWith(shown.chopped(1)), qPrintable(shown));
        QVERIFY(shown.size() > 2);
    } else {
        QCOMPARE(shown, memo);
    }
}

void TestStartup::closeQuestion_data()
{
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");

    QTest::newRow("yes saves and closes") << Prompter::Answer::Yes << true << true;
    QTest::newRow("no closes without saving") << Prompter::Answer::No << true << false;
    QTest::newRow("cancel stays") << Prompter::Answer::Cancel << false << false;
}

void TestStartup::closeQuestion()
{
    QFETCH(Prompter::Answer, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {"03/010100000100"}));
    WriteSetting(QStringLiteral("Kanelo Y"), QStringLiteral("Settings"), QStringLiteral("toolbar"), QStringLiteral("True"));
    QVERIFY(f.start());
    const QByteArray before = f.home.readBytes(QStringLiteral("2026.zbl"));
    f.model().InsertEntry(entry(QStringLiteral("03/20"), QStringLiteral("01"), 700));
    f.window()->ToggleToolbar();

    f.prompter.answers.enqueue(answer);
    f.window()->close();
    QCOMPARE(f.prompter.shown.size(), 1);
    QCOMPARE(f.prompter.shown.first().kind, FakePrompter::Shown::Question);
    QCOMPARE(f.prompter.shown.first().text, kCloseQuestion);
    QCOMPARE(f.window()->isVisible(), !closed);
    const QByteArray after = f.home.readBytes(QStringLiteral("2026.zbl"));
    QCOMPARE(after.contains("\r\n03/200100700\r\n"), saved);
    if (!saved)
        QCOMPARE(after, before);
    // Closing this way never stores the settings.
    QCOMPARE(ReadSetting(QStringLiteral("Kanelo Y"), QStringLiteral("Settings"), QStringLiteral("toolbar"), {}),
             QStringLiteral("True"));
}

void TestStartup::closeYesThatCannotSaveKeepsWindow()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {"03/010100000100"}));
    QVERIFY(f.start());
    // The year file's place is taken by a folder: saving must fail.
    QFile::remove(f.home.path(QStringLiteral("2026.zbl")));
    QVERIFY(QDir(f.home.path({})).mkdir(QStringLiteral("2026.zbl")));
    f.model().InsertEntry(entry(QStringLiteral("03/20"), QStringLiteral("01"), 700));

    f.prompter.answers.enqueue(Prompter::Answer::Yes);
    f.window()->close();
    QVERIFY(f.window()->isVisible());
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY(f.prompter.messages().first().contains(QStringLiteral("保存できませんでした")));
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
