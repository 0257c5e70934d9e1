// File menu 5: the import tool started for the open year and waited for,
// and the merge of what it leaves. A small script stands in for the tool.
#include "app/tests/AppFixture.h"
#include "month/EditHistory.h"
#include "import/ImportSession.h"
#include "ledger/tests/LedgerTestData.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QUndoStack>

namespace {
const QString kCancelled = QStringLiteral("インポート（データ取込）処理は、以下のいずれかの理由により中断されました。\r\n\r\n"
                                          "　・ユーザによるキャンセル\r\n"
                                          "　・インポート処理でエラーが発生\r\n"
                                          "　　（インポートしようとしているデータファイルが読込可能な形式となっているか確認して下さい）");
const QString kBusy = QStringLiteral("インポート処理の実行中です。\r\n\r\nインポートツールを終了してから、もう一度操作して下さい。");

// Notes its arguments and the files it was given, may put a new master in
// place, waits a while, leaves the prepared merge file with its token if
// there is one, or leaves its two files half-way (staged, journal written)
// as a tool killed while writing would. Ends with the exit code asked for.
const char* const kFakeTool =
    "#!/bin/sh\n"
    "h=\"$KANELO_HOME\"\n"
    "echo \"$@\" > \"$h/args.txt\"\n"
    "cp \"$h/MainSub.zbt\" \"$h/seen.zbt\"; cp \"$h/$1.zbl\" \"$h/seen.zbl\"\n"
    "[ -f \"$h/next.zbt\" ] && cp \"$h/next.zbt\" \"$h/MainSub.zbt\"\n"
    "sleep \"$(cat \"$h/sleep.txt\" 2>/dev/null || echo 0)\"\n"
    "if [ -f \"$h/prepared.zbl\" ]; then\n"
    "  if [ -f \"$h/halfway.txt\" ]; then\n"
    "    sed \"s/@TOKEN@/$2/\" \"$h/prepared.zbl\" > \"$h/$1_add.zbl.kanelo-new\"\n"
    "    printf 'Kanelo journal 1\\nW %s_add.zbl\\nend\\n' \"$1\" > \"$h/Kanelo.journal\"\n"
    "  else\n"
    "    sed \"s/@TOKEN@/$2/\" \"$h/prepared.zbl\" > \"$h/$1_add.zbl\"\n"
    "  fi\n"
    "fi\n"
    "[ -f \"$h/break.txt\" ] && rm \"$h/$1.zbl\" && mkdir \"$h/$1.zbl\"\n"
    "exit \"$(cat \"$h/exit.txt\" 2>/dev/null || echo 0)\"\n";

const QString kTokenLine = QStringLiteral("*      [取込番号] @TOKEN@\n");

struct ImportFixture : AppFixture {
    explicit ImportFixture(bool executable = true, const QString& before = {})
    {
        home.writeBytes(QStringLiteral("KaneloImport"), kFakeTool);
        QFile::setPermissions(home.path(QStringLiteral("KaneloImport")),
                              executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner : QFile::ReadOwner);
        home.writeText(QStringLiteral("2024.zbl"), yearText("&0", {"01/100100500", "04/030100300"}, "$-800"));
        if (!before.isEmpty())
            home.writeText(QStringLiteral("2024_add.zbl"), before);
    }
    void startOn2024()
    {
        if (!start(QStringLiteral("2024.zbl")))
            qFatal("not started");
    }
    // The merge file the tool leaves: header, token, entry lines.
    void prepare(const QStringList& entries, const QString& tokenLine = kTokenLine)
    {
        home.writeText(QStringLiteral("prepared.zbl"), QStringLiteral("C\n* Kanelo Y\n*\n") + tokenLine + QStringLiteral("\n")
                                                            + entries.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }
    QStringList files() const
    {
        QStringList names = QDir(home.path(".")).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const char* name : {"KaneloImport", "KaneloY.lock", "args.txt", "seen.zbt", "seen.zbl", "prepared.zbl", "next.zbt",
                                 "exit.txt", "sleep.txt", "halfway.txt", "break.txt", "2024.z__", "backup"})
            names.removeAll(QString::fromLatin1(name));
        return names;
    }
};

// The entry lines of a year file, without header, carry and balance lines.
QStringList entryLines(const QByteArray& bytes)
{
    QStringList out;
    for (const QString& line : QString::fromLatin1(bytes).split(QStringLiteral("\r\n")))
        if (!line.isEmpty() && line[0].isDigit())
            out << line;
    return out;
}

QString leftoverQuestion(int lines)
{
    return QStringLiteral("前回取り込まれなかったデータがあります。\r\n\r\n  ファイル : 2024_add.zbl\r\n  データ : %1 件\r\n\r\n"
                          "このデータを 2024 年度に取り込みますか。\r\n\r\n"
                          "[いいえ] を選ぶと取り込まずに、ファイルを次の名前で同じフォルダに残します。\r\n  2024_add.zbl.20260315100000.bak")
        .arg(lines);
}
}

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void shownOnlyWithTheTool();
    void mergesInDayOrder();
    void takesNewCategoriesOfTheTool();
    void handOff_data();
    void handOff();
    void leftoverAtStartUp_data();
    void leftoverAtStartUp();
    void failedSaveKeepsTheFileUntilSaved();
    void blocksEveryWindowWhileTheToolRuns();
    void exportImportsBack();
    void toolThatCannotStart();
};

void TestImport::shownOnlyWithTheTool()
{
    {
        AppFixture f;
        QVERIFY(f.start());
        QVERIFY(!f.window()->mnuFileItem[5]->isVisible());
    }
    ImportFixture f;
    f.startOn2024();
    QVERIFY(f.window()->mnuFileItem[5]->isVisible());
    QCOMPARE(f.window()->mnuFileItem[5]->text(), QStringLiteral("家計簿データのインポート(&I)..."));
    const QList<QAction*> items = f.window()->mnuFile->actions();
    QCOMPARE(items.indexOf(f.window()->mnuFileItem[5]), items.indexOf(f.window()->mnuFileItem[6]) - 1);
}

void TestImport::mergesInDayOrder()
{
    ImportFixture f;
    f.startOn2024();
    f.model().InsertEntry(entry(QStringLiteral("04/04"), QStringLiteral("02"), 70)); // typed, not yet saved
    f.prepare({"04/0501011200", "", "04/0103003000", "*", "Comment", "11/300100900"});
    f.window()->mnuFileItem[5]->trigger();

    QCOMPARE(f.prompter.texts(), QStringList());
    const QStringList args = QString::fromLatin1(f.home.readBytes(QStringLiteral("args.txt"))).trimmed().split(' ');
    QCOMPARE(args.size(), 2);
    QCOMPARE(args[0], QStringLiteral("2024"));
    QVERIFY(args[1].startsWith(QString::number(QCoreApplication::applicationPid()) + '-')); // the run's token
    // The tool saw the master and the year as the ledger holds them, written just before.
    QVERIFY(f.home.readBytes(QStringLiteral("seen.zbt")).startsWith("C\r\n*  Last modified: 03-15-2026\r\n"));
    QVERIFY(entryLines(f.home.readBytes(QStringLiteral("seen.zbl"))).contains(QStringLiteral("04/04020070")));
    QCOMPARE(entryLines(f.home.readBytes(QStringLiteral("2024.zbl"))),
             (QStringList{"01/100100500", "04/0103003000", "04/030100300", "04/04020070", "04/0501011200", "11/300100900"}));
    QVERIFY(f.home.readBytes(QStringLiteral("2024.zbl")).endsWith("\r\n$30\r\n"));
    QCOMPARE(f.files(), (QStringList{"2024.zbl", "MainSub.zbt"}));
    QCOMPARE(f.window()->statusBar()->currentMessage(), QStringLiteral("3 件のデータを取り込みました。"));
    // Income of category 03 is income, and April shows it all.
    QCOMPARE(dumpMonth(f.model(), 4), QStringLiteral("04/01 03 00 0/3000; 04/03 01 00 300/0; 04/04 02 00 70/0; 04/05 01 01 1200/0"));
    f.views()->tabMonth->setCurrentIndex(3);
    QCOMPARE(f.cell(1, 0), QStringLiteral("04/01"));
    QCOMPARE(f.cell(1, 1), QStringLiteral("給与"));
    QCOMPARE(f.views()->monthRows->count(), 5); // four entries and the balance brought forward

    // The merge is one step to take back: the year is then the one the tool saw.
    QUndoStack& steps = EditHistory::of(f.model()).stack();
    QCOMPARE(steps.undoText(), QStringLiteral("インポート"));
    QVERIFY(!EditHistory::of(f.model()).unsaved());
    steps.undo();
    QCOMPARE(f.views()->monthRows->count(), 3);
    QVERIFY(f.model().SaveYearFile(1));
    QCOMPARE(entryLines(f.home.readBytes(QStringLiteral("2024.zbl"))), entryLines(f.home.readBytes(QStringLiteral("seen.zbl"))));
    steps.redo();
    QCOMPARE(f.views()->monthRows->count(), 5);

    // The same again adds the entries a second time (the tool is what asks about duplicates).
    f.window()->mnuFileItem[5]->trigger();
    QCOMPARE(f.model().slot(4).count(), 6);
}

void TestImport::takesNewCategoriesOfTheTool()
{
    ImportFixture f;
    f.startOn2024();
    f.home.writeText(QStringLiteral("next.zbt"), QString::fromUtf8(AppFixture::kMaster) + QStringLiteral("0400交際費:1:4096:0\n0401飲み会\n"));
    f.prepare({"04/0204015000", "04/0209001"});
    f.window()->mnuFileItem[5]->trigger();
    QVERIFY(f.model().category(QStringLiteral("04")));
    QCOMPARE(dumpMonth(f.model(), 4), QStringLiteral("04/02 04 01 5000/0; 04/03 01 00 300/0"));
    // A line of a category the master does not hold: the year file's warning, and left out.
    QCOMPARE(f.prompter.messages(), QStringList{"費目番号 [09] に該当する費目は削除されています。"});
}

// What KaneloY does with what a run of the tool leaves, and with a merge
// file that was there before the run.
void TestImport::handOff_data()
{
    QTest::addColumn<QString>("before");     // a merge file already there
    QTest::addColumn<QString>("answer");     // to the leftover question
    QTest::addColumn<QString>("run");        // what the tool does
    QTest::addColumn<QStringList>("boxes");  // every box shown
    QTest::addColumn<QStringList>("april");  // April's entry lines afterwards
    QTest::addColumn<QStringList>("files");  // the data files left

    const QString leftover = QStringLiteral("C\n*\n\n04/2001007\n04/2101008\n");
    const QStringList untouched{"04/030100300"};
    const QStringList saved{"2024.zbl", "MainSub.zbt"};
    QTest::newRow("cancelled run") << QString() << QString() << "cancel" << QStringList{kCancelled} << untouched << saved;
    QTest::newRow("run that explained its end") << QString() << QString() << "explained" << QStringList() << untouched << saved;
    QTest::newRow("file of another run")
        << QString() << QString() << "other token"
        << QStringList{"取込データファイル [@FILE@] は今回のインポートで作成されたものではないため、取り込みませんでした。\r\n\r\n"
                       "ファイルは次の名前で残してあります。\r\n  @FILE@.20260315100000.bak"}
        << untouched << QStringList{"2024.zbl", "2024_add.zbl.20260315100000.bak", "MainSub.zbt"};
    QTest::newRow("tool stopped half-way through writing") << QString() << QString() << "halfway" << QStringList()
                                                           << QStringList{"04/030100300", "04/0501001"} << saved;
    QTest::newRow("leftover declined, run merged")
        << leftover << "No" << "merge" << QStringList{leftoverQuestion(2)} << QStringList{"04/030100300", "04/0501001"}
        << QStringList{"2024.zbl", "2024_add.zbl.20260315100000.bak", "MainSub.zbt"};
    QTest::newRow("leftover taken, then the run")
        << leftover << "Yes" << "merge" << QStringList{leftoverQuestion(2)}
        << QStringList{"04/030100300", "04/0501001", "04/2001007", "04/2101008"} << saved;
    QTest::newRow("leftover declined, run cancelled")
        << leftover << "No" << "cancel" << QStringList{leftoverQuestion(2), kCancelled} << untouched
        << QStringList{"2024.zbl", "2024_add.zbl.20260315100000.bak", "MainSub.zbt"};
}

void TestImport::handOff()
{
    QFETCH(QString, before);
    QFETCH(QString, answer);
    QFETCH(QString, run);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, april);
    QFETCH(QStringList, files);
    ImportFixture f;
    f.startOn2024();
    if (!before.isEmpty())
        f.home.writeText(QStringLiteral("2024_add.zbl"), before);
    if (!answer.isEmpty())
        f.prompter.answers << (answer == "Yes" ? Prompter::Answer::Yes : Prompter::Answer::No);
    if (run == "explained")
        f.home.writeBytes(QStringLiteral("exit.txt"), "2");
    if (run == "merge" || run == "halfway")
        f.prepare({"04/0501001"});
    if (run == "halfway")
        f.home.writeBytes(QStringLiteral("halfway.txt"), "");
    if (run == "other token")
        f.prepare({"04/0501001"}, QStringLiteral("*      [取込番号] 1-0000000000000000\n"));
    f.window()->mnuFileItem[5]->trigger();

    QStringList shown = f.prompter.texts();
    shown.replaceInStrings(QDir::toNativeSeparators(f.home.path(QStringLiteral("2024_add.zbl"))), QStringLiteral("@FILE@"));
    QCOMPARE(shown, boxes);
    if (!answer.isEmpty())
        QCOMPARE(f.prompter.shown.first().defaultAnswer, Prompter::Answer::No);
    QStringList months = entryLines(f.home.readBytes(QStringLiteral("2024.zbl")));
    QCOMPARE(months.filter(QRegularExpression("^04/")), april);
    QCOMPARE(months.filter(QRegularExpression("^01/")), QStringList{"01/100100500"});
    QCOMPARE(f.files(), files);
    if (files.contains("2024_add.zbl.20260315100000.bak") && !before.isEmpty())
        QCOMPARE(f.home.readBytes("2024_add.zbl.20260315100000.bak"), sjis(QString(before).replace("\n", "\r\n")));
}

void TestImport::leftoverAtStartUp_data()
{
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::newRow("taken in") << Prompter::Answer::Yes;
    QTest::newRow("set aside") << Prompter::Answer::No;
}

void TestImport::leftoverAtStartUp()
{
    QFETCH(Prompter::Answer, answer);
    ImportFixture f(true, QStringLiteral("C\n*\n\n04/2001007\n"));
    f.prompter.answers << answer;
    f.startOn2024();
    QCOMPARE(f.prompter.texts(), QStringList{leftoverQuestion(1)});
    const bool taken = answer == Prompter::Answer::Yes;
    QCOMPARE(f.model().slot(4).count(), taken ? 2 : 1);
    QCOMPARE(entryLines(f.home.readBytes(QStringLiteral("2024.zbl"))).contains(QStringLiteral("04/2001007")), taken);
    const QStringList left = taken ? QStringList{"2024.zbl", "MainSub.zbt"}
                                   : QStringList{"2024.zbl", "2024_add.zbl.20260315100000.bak", "MainSub.zbt"};
    QCOMPARE(f.files(), left);
    // Offered once: the next start asks nothing.
    f.app.reset();
    f.startOn2024();
    QCOMPARE(f.prompter.texts().size(), 1);
}

// The merge is in the window but the year cannot be saved: the merge file
// stays exactly until a save takes its entries, and is then gone with it, so
// no later import or start offers it again.
void TestImport::failedSaveKeepsTheFileUntilSaved()
{
    ImportFixture f;
    f.startOn2024();
    f.prepare({"04/0501001"});
    f.home.writeBytes(QStringLiteral("break.txt"), "");
    f.window()->mnuFileItem[5]->trigger();
    QCOMPARE(f.prompter.messages().size(), 2);
    QVERIFY(f.prompter.messages().first().startsWith(QStringLiteral("ファイル [")));
    QVERIFY(f.prompter.messages().last().startsWith(QStringLiteral("取り込んだデータは画面に表示されていますが、まだ保存されていません。")));
    QCOMPARE(f.model().slot(4).count(), 2);
    QVERIFY(f.home.exists(QStringLiteral("2024_add.zbl")));

    // Space made again: the save takes the entries and the merge file goes with it.
    QVERIFY(QDir(f.home.path(QStringLiteral("2024.zbl"))).removeRecursively());
    QFile::remove(f.home.path(QStringLiteral("break.txt")));
    f.window()->mnuFileItem[3]->trigger();
    QCOMPARE(entryLines(f.home.readBytes(QStringLiteral("2024.zbl"))), (QStringList{"01/100100500", "04/030100300", "04/0501001"}));
    QVERIFY(!f.home.exists(QStringLiteral("2024_add.zbl")));

    // The next import, cancelled, merges nothing again.
    f.prompter.clear();
    QFile::remove(f.home.path(QStringLiteral("prepared.zbl")));
    f.window()->mnuFileItem[5]->trigger();
    QCOMPARE(f.prompter.texts(), QStringList{kCancelled});
    QCOMPARE(f.model().slot(4).count(), 2);
}

void TestImport::blocksEveryWindowWhileTheToolRuns()
{
    ImportFixture f;
    f.startOn2024();
    f.home.writeBytes(QStringLiteral("sleep.txt"), "1");
    f.prepare({"04/0501001"});
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(50);
    QString modal;
    Qt::WindowModality modality = Qt::NonModal;
    bool menuOpened = false;
    // While the tool runs a modal note covers the program: a click on the
    // menu bar opens nothing, and closing the window is refused.
    QTimer::singleShot(300, f.window(), [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            modal = w->objectName();
            modality = w->windowModality();
        }
        // Through the window system, as a real click comes.
        QMenuBar* bar = f.window()->menuBar();
        const QPoint at = bar->mapTo(f.window(), bar->actionGeometry(f.window()->mnuFile->menuAction()).center());
        QTest::mouseClick(f.window()->windowHandle(), Qt::LeftButton, {}, at);
        menuOpened = f.window()->mnuFile->isVisible();
        f.window()->close();
    });
    QElapsedTimer clock;
    clock.start();
    f.window()->mnuFileItem[5]->trigger();
    QVERIFY(clock.elapsed() >= 900);
    QVERIFY2(ticks >= 8, qPrintable(QString::number(ticks)));
    QCOMPARE(modal, QStringLiteral("waitNote"));
    QCOMPARE(modality, Qt::ApplicationModal);
    QVERIFY(!menuOpened);
    QCOMPARE(f.prompter.messages(), QStringList{kBusy});
    QCOMPARE(f.prompter.unexpected, 0);
    QVERIFY(f.window()->isVisible());
    QCOMPARE(f.model().slot(4).count(), 2);
    QVERIFY(!f.window()->importRunning);
    QVERIFY(!QApplication::activeModalWidget());
}

// ファイル → エクスポート, then the import tool on its own into the same
// folder: the year comes back entry for entry, income as income.
void TestImport::exportImportsBack()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(AppFixture::kMaster) + QStringLiteral("0400\"外食\", 特:1:7:0\n0401a,b\n"));
    f.home.writeText(QStringLiteral("2024.zbl"),
                     AppFixture::yearText("&0", {"01/100100500", "01/100100500", "01/120102-30", "04/030300250000", "04/0204011", "12/310201700"},
                                          "$0"));
    QVERIFY(f.start(QStringLiteral("2024.zbl")));
    QStringList before;
    for (int m = 1; m <= 12; ++m)
        before << dumpMonth(f.model(), m);
    f.prompter.files << f.home.path(QStringLiteral("2024.csv"));
    f.window()->ExportCsv();
    f.app.reset();
    QVERIFY(QFile::rename(f.home.path("2024.zbl"), f.home.path("2024.zbl.old")));

    FakePrompter p;
    Import::ImportSession s(p);
    s.importYear = QStringLiteral("2024");
    p.answers << Prompter::Answer::No << Prompter::Answer::Yes; // keep the repeated entry; add
    QVERIFY(s.LoadMasterToExtend() && s.ReadSourceFile(f.home.path(QStringLiteral("2024.csv"))));
    QVERIFY(!s.hasNewCategories());
    QVERIFY(s.WriteOutput() == Import::ImportSession::Written::Yes);

    LedgerModel back(p);
    back.setYear(2024);
    QVERIFY(back.ReadCategoryMaster(1) && back.LoadYearFile());
    QStringList after;
    for (int m = 1; m <= 12; ++m)
        after << dumpMonth(back, m);
    QCOMPARE(after, before);
    QCOMPARE(p.messages(), QStringList());
}

void TestImport::toolThatCannotStart()
{
    ImportFixture f(false);
    f.startOn2024();
    f.window()->mnuFileItem[5]->trigger();
    QCOMPARE(f.prompter.messages(), QStringList{"インポートツールを起動できませんでした。\r\n\r\n  " + f.home.path("KaneloImport")});
    QVERIFY(!f.home.exists(QStringLiteral("args.txt")));
}

QTEST_MAIN(TestImport)
#include "test_import.moc"
