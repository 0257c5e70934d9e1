// The import tool's pages driven as a user would: Step1, the reordering
// page, the information page, Cancel and the window frame.
#include "ledger/tests/FakePrompter.h"
#include "ledger/ImportHandOff.h"
#include "import/ImportTool.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/tests/TestHome.h"
#include "ledger/TextFile.h"
#include "import/frmHimoku.h"
#include "import/frmImportMainSub.h"
#include "import/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

using namespace Import;

namespace {
const QString kQuit = QStringLiteral("データの取り込みを中止しますが、よろしいですか。");

// A mnemonic clicks its button the way a mouse would, a moment later.
void altKey(QWidget* window, Qt::Key key)
{
    QTest::keyClick(window, key, Qt::AltModifier);
    QTest::qWait(250);
}

struct Tool {
    TestHome home;
    FakePrompter p;
    ImportTool tool{p};
    bool finished = false;
    QStringList started;
    QLockFile ledger{HandOff::ledgerLockPath()}; // held by "the KaneloY" of a linked run

    // The command line KaneloY gives: the year and the run's token.
    QString linked(const QString& year)
    {
        ledger.tryLock(0);
        return year + QLatin1Char(' ') + HandOff::newToken();
    }

    explicit Tool(bool withMaster = false)
    {
        if (withMaster)
            home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMasterText));
        QObject::connect(&tool, &ImportTool::finished, [this] { finished = true; });
        tool.session.startProgram = [this](const QString& program, const QStringList& arguments) {
            started << program << arguments;
            return true;
        };
    }
    QString source(const QString& text)
    {
        home.writeText(QStringLiteral("source.csv"), text);
        return home.path(QStringLiteral("source.csv"));
    }
    // Starts, types the path into Step1, presses Alt+N and waits for the reading.
    void throughStep1(const QString& commandLine, const QString& text)
    {
        QVERIFY(tool.start(commandLine));
        QVERIFY(QTest::qWaitForWindowActive(tool.main));
        QTest::keyClicks(tool.main->txtImport, source(text));
        altKey(tool.main, Qt::Key_N);
        QTRY_VERIFY(!tool.isReading());
    }
    QStringList rows(QTreeWidget* list) const
    {
        QStringList out;
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            out << list->topLevelItem(r)->text(0) + list->topLevelItem(r)->text(1);
        return out;
    }
};

QPoint rowCentre(QTreeWidget* list, int row) { return list->visualItemRect(list->topLevelItem(row)).center(); }
}

class TestImportPages : public QObject {
    Q_OBJECT
private slots:
    void step1Standalone();
    void step1Linked();
    void step1Refusals_data();
    void step1Refusals();
    void standaloneByKeyboard();
    void linkedWithoutNewCategories();
    void linkedInformationPage();
    void dragAndDrop();
    void cancel_data();
    void cancel();
    void invalidSourceStaysOnStep1();
    void informationPageKeepsWhatItShows();
    void failedWriteStaysOnThePage();
};

void TestImportPages::step1Standalone()
{
    Tool t;
    QVERIFY(t.tool.start(QString()));
    frmMain* page = t.tool.main;
    QVERIFY(page->isVisible());
    QCOMPARE(page->windowTitle(), QStringLiteral("Step1: データファイルの指定"));
    QCOMPARE(page->Label1->text(), QStringLiteral("取り込むデータファイルを指定して下さい。"));
    QVERIFY(page->cmbYear->isVisible() && page->lblYear->isVisible());
    QCOMPARE(page->cmbYear->count(), 11);
    QCOMPARE(page->cmbYear->itemText(0), QStringLiteral("2021"));
    QCOMPARE(page->cmbYear->itemText(10), QStringLiteral("2031"));
    QCOMPARE(page->cmbYear->currentText(), QStringLiteral("2026"));
    QVERIFY(QTest::qWaitForWindowActive(page));
    QCOMPARE(QApplication::focusWidget(), page->txtImport);
    QVERIFY(page->txtImport->text().isEmpty());

    // The chooser fills the path; Cancel ends the tool without a question.
    t.p.files << QStringLiteral("/data/kakeibo.csv");
    page->cmdRef->click();
    QCOMPARE(t.p.shown.last().title, QStringLiteral("Kanelo Log -インポートするデータファイルを開く"));
    QCOMPARE(page->txtImport->text(), QDir::toNativeSeparators("/data/kakeibo.csv"));
    QTest::keyClick(page, Qt::Key_Escape);
    QVERIFY(t.finished);
    QCOMPARE(t.p.shown.size(), 1);
}

void TestImportPages::step1Linked()
{
    Tool t(true);
    QVERIFY(t.tool.start(t.linked(QStringLiteral("2004"))));
    QCOMPARE(t.tool.session.importYear, QStringLiteral("2004"));
    QVERIFY(!t.tool.main->cmbYear->isVisible() && !t.tool.main->lblYear->isVisible());

    // Without a master the tool ends before the user picks a file.
    Tool none;
    QVERIFY(!none.tool.start(none.linked(QStringLiteral("2004"))));
    QVERIFY(!none.tool.main);
    QVERIFY(none.p.messages().value(0).startsWith(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)が存在しません。")));

    // Only a running KaneloY's token starts a linked run.
    const QString notStarted = QStringLiteral("インポートツールは、[ぽるもさん] の [ファイル] メニューの [家計簿データのインポート...] から"
                                              "起動して下さい。\r\n\r\n処理を中断します。");
    for (const QString& commandLine : {QStringLiteral("2004"), QStringLiteral("2004 999999999-0123456789abcdef")}) {
        Tool alone(true);
        QVERIFY(!alone.tool.start(commandLine));
        QCOMPARE(alone.p.messages(), QStringList{notStarted});
    }
}

void TestImportPages::step1Refusals_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("message");
    const QString missing = QStringLiteral("指定されたファイルが存在しません。\r\n\r\n正しいファイル名を入力して下さい。");
    QTest::newRow("empty") << "   " << "2026" << "インポートするファイルが指定されていません。";
    QTest::newRow("no such file") << "/no/such/file.csv" << "2026" << missing;
    QTest::newRow("a folder") << "." << "2026" << missing;
    QTest::newRow("year of two digits") << "x" << "26" << "取り込む年度は西暦4桁の数字で指定して下さい。";
}

void TestImportPages::step1Refusals()
{
    QFETCH(QString, path);
    QFETCH(QString, year);
    QFETCH(QString, message);
    Tool t;
    QVERIFY(t.tool.start(QString()));
    t.tool.main->txtImport->setText(path == "." ? t.home.path(".") : path);
    t.tool.main->cmbYear->setEditText(year);
    t.tool.main->cmdNext->click();
    QCOMPARE(t.p.messages(), QStringList{message});
    QVERIFY(t.tool.main->isVisible());
    QVERIFY(!t.finished);
}

void TestImportPages::standaloneByKeyboard()
{
    Tool t;
    t.throughStep1(QString(), QStringLiteral("0105,食費,昼食,800\n0103,給与,,200000\n0210,食費,,1500\n0301,交通費,,300\n"));
    QVERIFY(!t.tool.main->isVisible());
    frmHimoku* order = t.tool.himoku;
    QVERIFY(order && order->isVisible());
    QCOMPARE(order->windowTitle(), QStringLiteral("Step2: 費目の並べ替え"));
    QCOMPARE(t.rows(order->lvwMain), (QStringList{"01食費", "02給与", "03交通費"}));

    // 給与 to the end by keyboard: Ctrl+Down on the list, then Alt+D.
    QVERIFY(QTest::qWaitForWindowActive(order));
    order->lvwMain->setFocus();
    order->lvwMain->setCurrentItem(order->lvwMain->topLevelItem(1));
    QTest::keyClick(order->lvwMain, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(t.rows(order->lvwMain), (QStringList{"01食費", "02交通費", "03給与"}));
    altKey(order, Qt::Key_U);
    altKey(order, Qt::Key_D);
    QCOMPARE(t.rows(order->lvwMain), (QStringList{"01食費", "02交通費", "03給与"}));
    altKey(order, Qt::Key_N);

    frmMainSub* info = t.tool.info;
    QVERIFY(info && info->isVisible());
    QCOMPARE(info->windowTitle(), QStringLiteral("Step3: 費目情報の編集"));
    QCOMPARE(t.rows(info->lvwMain), (QStringList{"01食費", "02交通費", "03給与"}));
    QCOMPARE(info->lblMain->text(), QStringLiteral("食費"));
    QCOMPARE(info->swatchColor(), 170u << 8); // first of three greens
    QVERIFY(info->picDummy->isEnabled() && !info->cmdChange->isHidden() && info->lblAttention->isHidden());

    // 給与 becomes income with a budget: keys on the list, the budget and the option.
    QVERIFY(QTest::qWaitForWindowActive(info));
    info->lvwMain->setFocus();
    QTest::keyClick(info->lvwMain, Qt::Key_End);
    QCOMPARE(info->lblMain->text(), QStringLiteral("給与"));
    QCOMPARE(t.rows(info->lvwSub), QStringList());
    info->txtLimit->setFocus();
    info->txtLimit->selectAll();
    QTest::keyClicks(info->txtLimit, QStringLiteral("250000"));
    info->optIn->setChecked(true);
    QTest::keyClick(info->txtLimit, Qt::Key_Return); // 変更 is the default button
    QCOMPARE(t.p.texts(), QStringList());

    t.p.answers << Prompter::Answer::Yes;
    altKey(info, Qt::Key_N);
    QVERIFY(t.finished);
    QCOMPARE(t.p.texts(), QStringList{"家計簿データの作成が完了しました。\r\n\r\n取り込んだデータ : 4 件\r\n\r\n[ぽるもさん]を起動しますか。"});
    QCOMPARE(t.started.value(1), QStringLiteral("2026.zbl"));
    QVERIFY(t.home.readBytes("MainSub.zbt")
                .endsWith(sjis("\r\n0100食費:1:43520:0\r\n0101昼食\r\n0200交通費:1:0:0\r\n0300給与:2:21760:250000\r\n")));
    QVERIFY(t.home.readBytes("2026.zbl").endsWith("#0\r\n01/050101800\r\n01/030300200000\r\n02/1001001500\r\n03/010200300\r\n$197400\r\n"));
    QVERIFY(!t.tool.main->isVisible() && !info->isVisible());
}

void TestImportPages::linkedWithoutNewCategories()
{
    Tool t(true);
    t.throughStep1(t.linked(QStringLiteral("2024")), QStringLiteral("0401,食費,おやつ,300\n0402,給与,,1000\n"));
    // Only a new sub-item: no page, the output at once.
    QVERIFY(t.finished);
    QCOMPARE(t.tool.exitCode(), 0);
    QVERIFY(!t.tool.himoku && !t.tool.info);
    QCOMPARE(t.p.messages(), QStringList{"家計簿データの作成が完了しました。\r\n\r\n取り込むデータ : 2 件\r\n\r\n"
                                         "[OK]をクリックするとデータを取り込みます。"});
    const QByteArray merge = t.home.readBytes("2024_add.zbl");
    QCOMPARE(HandOff::tokenOf(merge), t.tool.session.token);
    QVERIFY(merge.endsWith(t.tool.session.token.toLatin1() + "\r\n\r\n04/010103300\r\n04/0205001000\r\n"));
    QVERIFY(t.home.readBytes("MainSub.zbt").contains(sjis("\r\n0102食材\r\n0103おやつ\r\n")));
    QVERIFY(!t.home.exists("2024.zbl"));
}

void TestImportPages::linkedInformationPage()
{
    Tool t(true);
    t.throughStep1(t.linked(QStringLiteral("2024")), QStringLiteral("0401,食費,,300\n0402,交際費,,1000\n"));
    frmMainSub* info = t.tool.info;
    QVERIFY(info && info->isVisible() && !t.tool.himoku);
    QCOMPARE(info->windowTitle(), QStringLiteral("Step2: 費目情報の編集"));
    QCOMPARE(t.rows(info->lvwMain), (QStringList{"01食費", "02日用品", "05給与", "03交際費"}));

    // An existing category: its stored values, read-only, with the note.
    QCOMPARE(info->lblMain->text(), QStringLiteral("食費"));
    QCOMPARE(info->swatchColor(), 255u);
    QCOMPARE(info->txtLimit->text(), QStringLiteral("30000"));
    QCOMPARE(t.rows(info->lvwSub), (QStringList{"01外食", "02食材"}));
    QVERIFY(!info->picDummy->isEnabled() && info->cmdChange->isHidden() && !info->lblAttention->isHidden());
    QVERIFY(info->optOut->isChecked());

    // The new one: green (last of four), editable; 食費's colour is refused.
    info->lvwMain->setCurrentItem(info->lvwMain->topLevelItem(3));
    QCOMPARE(info->swatchColor(), 0u);
    QVERIFY(info->picDummy->isEnabled() && !info->cmdChange->isHidden() && info->lblAttention->isHidden());
    t.p.colors << std::optional<quint32>(255u);
    info->lblColor->click();
    QCOMPARE(info->swatchColor(), 255u);
    info->cmdChange->click();
    QCOMPARE(t.p.messages(), QStringList{"この表示色はすでに他の費目 [食費] で使用されています。\r\n他の色を指定して下さい。"});
    QCOMPARE(t.p.shown.last().title, QStringLiteral("表示色重複"));
    t.p.colors << std::nullopt; // the chooser cancelled keeps the swatch
    info->lblColor->click();
    QCOMPARE(info->swatchColor(), 255u);
}

void TestImportPages::dragAndDrop()
{
    Tool t;
    t.throughStep1(QString(), QStringLiteral("0101,A,,1\n0102,B,,2\n0103,C,,3\n0104,D,,4\n"));
    frmHimoku* order = t.tool.himoku;
    QTreeWidget* list = order->lvwMain;
    QWidget* surface = list->viewport();

    // Released over the row it started on: no question.
    QTest::mousePress(surface, Qt::LeftButton, {}, rowCentre(list, 1));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, rowCentre(list, 1));
    QCOMPARE(t.p.shown.size(), 0);

    // Row 1 after row 3.
    t.p.answers << Prompter::Answer::No;
    QTest::mousePress(surface, Qt::LeftButton, {}, rowCentre(list, 0));
    QCOMPARE(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor, Qt::DragMoveCursor);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, rowCentre(list, 2));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(t.p.shown.last().title, QStringLiteral("[01 A] の移動"));
    QCOMPARE(t.p.shown.last().text,
             QStringLiteral("[03 C] の前に挿入しますか、後に挿入しますか。\r\n\r\n[前]の場合は、[はい]\r\n[後]の場合は、[いいえ]"));
    QCOMPARE(t.rows(list), (QStringList{"01B", "02C", "03A", "04D"}));
    QCOMPARE(list->currentItem()->text(1), QStringLiteral("A"));

    // Directly before its successor: asked, nothing moves; Cancel: nothing either.
    t.p.answers << Prompter::Answer::Yes << Prompter::Answer::Cancel;
    QTest::mousePress(surface, Qt::LeftButton, {}, rowCentre(list, 0));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, rowCentre(list, 1));
    QTest::mousePress(surface, Qt::LeftButton, {}, rowCentre(list, 3));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, rowCentre(list, 0));
    QCOMPARE(t.p.shown.size(), 3);
    QCOMPARE(t.rows(list), (QStringList{"01B", "02C", "03A", "04D"}));

    // The category first met as A now has number 03.
    order->cmdNext->click();
    QCOMPARE(t.tool.session.categoryNamed("A")->no, QStringLiteral("03"));
}

void TestImportPages::cancel_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<int>("how"); // 0 キャンセル, 1 Esc, 2 the window frame
    QTest::addColumn<Prompter::Answer>("answer");
    for (bool linked : {false, true}) {
        const char* page = linked ? "information page" : "reordering page";
        for (int how : {0, 1, 2}) {
            const char* way = how == 0 ? "Cancel" : how == 1 ? "Esc" : "frame";
            QTest::addRow("%s, %s, No", page, way) << linked << how << Prompter::Answer::No;
            QTest::addRow("%s, %s, Yes", page, way) << linked << how << Prompter::Answer::Yes;
        }
    }
}

void TestImportPages::cancel()
{
    QFETCH(bool, linked);
    QFETCH(int, how);
    QFETCH(Prompter::Answer, answer);
    Tool t(linked);
    t.throughStep1(linked ? t.linked(QStringLiteral("2024")) : QString(), QStringLiteral("0101,新しい費目,,1\n"));
    QDialog* page = linked ? static_cast<QDialog*>(t.tool.info) : static_cast<QDialog*>(t.tool.himoku);
    QVERIFY(page && page->isVisible());
    const QByteArray master = t.home.readBytes("MainSub.zbt");
    t.p.answers << answer;
    if (how == 0)
        page->findChild<QPushButton*>("cmdCancel")->click();
    else if (how == 1)
        QTest::keyClick(page, Qt::Key_Escape);
    else
        page->close();
    QCOMPARE(t.p.texts(), QStringList{kQuit});
    QCOMPARE(t.p.shown.first().defaultAnswer, Prompter::Answer::No);
    QCOMPARE(t.finished, answer == Prompter::Answer::Yes);
    QCOMPARE(t.tool.exitCode(), 0);
    QCOMPARE(page->isVisible(), answer == Prompter::Answer::No);
    QCOMPARE(t.home.readBytes("MainSub.zbt"), master);
    QCOMPARE(QDir(t.home.path(".")).entryList(QDir::Files).size(), linked ? 3 : 1); // (lock,) master and source only
}

void TestImportPages::invalidSourceStaysOnStep1()
{
    for (bool linked : {true, false}) {
        Tool t(linked);
        t.throughStep1(linked ? t.linked(QStringLiteral("2024")) : QString(), QStringLiteral("0401,食費,,300\n0431,食費,,1\n"));
        QVERIFY(!t.finished);
        QCOMPARE(t.p.messages(), QStringList{"データファイルが不正です。\r\n\r\n2 行目の日付「0431」は存在しない日付です。\r\n\r\n"
                                             "  2 行目: 0431,食費,,1"});
        QVERIFY(!t.home.exists("2024_add.zbl") && !t.home.exists("2026.zbl"));
        // The page as it was, path and all, to fix the file and try again.
        frmMain* page = t.tool.main;
        QVERIFY(page->isVisible() && page->cmdNext->isEnabled() && page->prgRead->isHidden());
        QCOMPARE(page->txtImport->text(), t.home.path(QStringLiteral("source.csv")));
        t.home.writeText(QStringLiteral("source.csv"), QStringLiteral("0401,食費,,300\n0430,食費,,1\n"));
        altKey(page, Qt::Key_N);
        QTRY_VERIFY(!t.tool.isReading());
        QVERIFY(t.finished || !page->isVisible());
    }

    // Cancelled after the tool said why: KaneloY is told it need not say more.
    Tool t(true);
    t.throughStep1(t.linked(QStringLiteral("2024")), QStringLiteral("0431,食費,,1\n"));
    QTest::keyClick(t.tool.main, Qt::Key_Escape);
    QVERIFY(t.finished);
    QCOMPARE(t.tool.exitCode(), 2);
}

void TestImportPages::informationPageKeepsWhatItShows()
{
    Tool t(true);
    t.throughStep1(t.linked(QStringLiteral("2024")), QStringLiteral("0401,交際費,,300\n0402,賞与,,1000\n0403,雑費,,5\n"));
    frmMainSub* info = t.tool.info;
    QCOMPARE(t.rows(info->lvwMain), (QStringList{"01食費", "02日用品", "05給与", "03交際費", "04賞与", "06雑費"}));
    // Named like income: it starts as income.
    QVERIFY(t.tool.session.categoryNamed("賞与")->ioflag == 2);

    // Switched to income and moved on without 変更: kept.
    info->lvwMain->setCurrentItem(info->lvwMain->topLevelItem(3));
    info->optIn->setChecked(true);
    info->txtLimit->setText(QStringLiteral("7000"));
    info->lvwMain->setCurrentItem(info->lvwMain->topLevelItem(5));
    QCOMPARE(t.tool.session.categoryNamed("交際費")->ioflag, 2);
    QCOMPARE(t.tool.session.categoryNamed("交際費")->limit, 7000);
    QCOMPARE(info->lblMain->text(), QStringLiteral("雑費"));

    // A budget that cannot be kept keeps the row, and says why.
    info->txtLimit->setText(QStringLiteral("abc"));
    info->lvwMain->setCurrentItem(info->lvwMain->topLevelItem(0));
    QCOMPARE(t.p.messages(), QStringList{"予算のデータが不正(数値以外)です。"});
    QCOMPARE(info->lblMain->text(), QStringLiteral("雑費"));
    QCOMPARE(info->lvwMain->currentItem()->text(1), QStringLiteral("雑費"));
    info->cmdNext->click();
    QVERIFY(!t.finished && info->isVisible());

    // 次へ keeps what is shown.
    info->txtLimit->setText(QStringLiteral("100"));
    info->cmdNext->click();
    QVERIFY(t.finished);
    const QStringList master = TextFile::decode(t.home.readBytes("MainSub.zbt")).split("\r\n");
    QVERIFY(master.filter(QRegularExpression("^0300交際費:2:\\d+:7000$")).size() == 1);
    QVERIFY(master.filter(QRegularExpression("^0600雑費:1:\\d+:100$")).size() == 1);
}

void TestImportPages::failedWriteStaysOnThePage()
{
    Tool t(true);
    QDir(t.home.path(".")).mkdir("2024_add.zbl");
    t.throughStep1(t.linked(QStringLiteral("2024")), QStringLiteral("0401,交際費,,300\n"));
    frmMainSub* info = t.tool.info;
    info->cmdNext->click();
    QVERIFY(!t.finished);
    QVERIFY(info->isVisible());
    QCOMPARE(t.p.messages().size(), 1);
    QCOMPARE(t.home.readBytes("MainSub.zbt"), sjis(QString::fromUtf8(kMasterText).replace("\n", "\r\n")));
}

QTEST_MAIN(TestImportPages)
#include "test_import_pages.moc"
