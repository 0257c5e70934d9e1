// File menu 5: the import tool started for the open year and waited for,
// and the merge of what it leaves. A small script stands in for the tool.
#include "AppFixture.h"
#include "LedgerTestData.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QTabBar>
#include <QFile>
#include <QTimer>

namespace {
const QString kCancelled = QStringLiteral("インポート（データ取込）処理は、以下のいずれかの理由により中断されました。\r\n\r\n"
                                          "　・ユーザによるキャンセル\r\n"
                                          "　・インポート処理でエラーが発生\r\n"
                                          "　　（インポートしようとしているデータファイルが読込可能な形式となっているか確認して下さい）");
const QString kBusy = QStringLiteral("インポート処理の実行中です。\r\n\r\nインポートツールを終了してから、もう一度操作して下さい。");

// Notes its arguments and the master it was given, may put a new master in
// place, waits a while, and leaves the prepared merge file if there is one.
const char* const kFakeTool = "#!/bin/sh\n"
                              "echo \"$@\" > \"$KANELO_HOME/args.txt\"\n"
                              "cp \"$KANELO_HOME/MainSub.zbt\" \"$KANELO_HOME/seen.zbt\"\n"
                              "[ -f \"$KANELO_HOME/next.zbt\" ] && cp \"$KANELO_HOME/next.zbt\" \"$KANELO_HOME/MainSub.zbt\"\n"
                              "sleep \"$(cat \"$KANELO_HOME/sleep.txt\" 2>/dev/null || echo 0)\"\n"
                              "[ -f \"$KANELO_HOME/prepared.zbl\" ] && cp \"$KANELO_HOME/prepared.zbl\" \"$KANELO_HOME/$1_add.zbl\"\n"
                              "exit 0\n";

struct ImportFixture : AppFixture {
    explicit ImportFixture(bool executable = true)
    {
        home.writeBytes(QStringLiteral("KaneloImport"), kFakeTool);
        QFile::setPermissions(home.path(QStringLiteral("KaneloImport")),
                              executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner : QFile::ReadOwner);
        home.writeText(QStringLiteral("2024.zbl"), yearText("&0", {"01/100100500", "04/030100300"}, "$-800"));
        if (!start(QStringLiteral("2024.zbl")))
            qFatal("not started");
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
}

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void shownOnlyWithTheTool();
    void mergesInDayOrder();
    void takesNewCategoriesOfTheTool();
    void warnsWhenNothingWasLeft();
    void keepsWorkingWhileTheToolRuns();
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
    QVERIFY(f.window()->mnuFileItem[5]->isVisible());
    QCOMPARE(f.window()->mnuFileItem[5]->text(), QStringLiteral("家計簿データのインポート..."));
    const QList<QAction*> items = f.window()->mnuFile->actions();
    QCOMPARE(items.indexOf(f.window()->mnuFileItem[5]), items.indexOf(f.window()->mnuFileItem[6]) - 1);
}

void TestImport::mergesInDayOrder()
{
    ImportFixture f;
    f.model().InsertEntry(entry(QStringLiteral("04/04"), QStringLiteral("02"), 70)); // typed, not yet saved
    f.home.writeText(QStringLiteral("prepared.zbl"), QStringLiteral("C\n* Kanelo Y\n*\n\n04/0501011200\n\n04/0103003000\n*\n"
                                                                    "Comment\n11/300100900\n"));
    f.window()->mnuFileItem[5]->trigger();

    QCOMPARE(f.prompter.texts(), QStringList());
    QCOMPARE(QString::fromLatin1(f.home.readBytes(QStringLiteral("args.txt"))), QStringLiteral("2024\n"));
    // The tool saw the master as the ledger holds it, written just before.
    QVERIFY(f.home.readBytes(QStringLiteral("seen.zbt")).startsWith("C\r\n*  Last modified: 03-15-2026\r\n"));
    QCOMPARE(entryLines(f.home.readBytes(QStringLiteral("2024.zbl"))),
             (QStringList{"01/100100500", "04/0103003000", "04/030100300", "04/04020070", "04/0501011200", "11/300100900"}));
    QVERIFY(f.home.readBytes(QStringLiteral("2024.zbl")).endsWith("\r\n$30\r\n"));
    QVERIFY(!f.home.exists(QStringLiteral("2024_add.zbl")));
    // Reloaded: income of category 03 is income, and April shows it all.
    QCOMPARE(dumpMonth(f.model(), 4), QStringLiteral("04/01 03 00 0/3000; 04/03 01 00 300/0; 04/04 02 00 70/0; 04/05 01 01 1200/0"));
    f.views()->tabMonth->setCurrentIndex(3);
    QCOMPARE(f.cell(1, 0), QStringLiteral("04/01"));
    QCOMPARE(f.cell(1, 1), QStringLiteral("給与"));
    QCOMPARE(f.views()->monthRows->count(), 5); // four entries and the balance brought forward

    // The same again adds the entries a second time.
    f.window()->mnuFileItem[5]->trigger();
    QCOMPARE(f.model().slot(4).count(), 6);
}

void TestImport::takesNewCategoriesOfTheTool()
{
    ImportFixture f;
    f.home.writeText(QStringLiteral("next.zbt"), QString::fromUtf8(AppFixture::kMaster) + QStringLiteral("0400交際費:1:4096:0\n0401飲み会\n"));
    f.home.writeText(QStringLiteral("prepared.zbl"), QStringLiteral("04/0204015000\n04/0209001\n"));
    f.window()->mnuFileItem[5]->trigger();
    QVERIFY(f.model().category(QStringLiteral("04")));
    QCOMPARE(dumpMonth(f.model(), 4), QStringLiteral("04/02 04 01 5000/0; 04/03 01 00 300/0"));
    // A line of a category the master does not hold: the year file's warning, and left out.
    QCOMPARE(f.prompter.messages(), QStringList{"費目番号 [09] に該当する費目は削除されています。"});
}

void TestImport::warnsWhenNothingWasLeft()
{
    ImportFixture f;
    const QByteArray before = f.home.readBytes(QStringLiteral("2024.zbl"));
    f.window()->mnuFileItem[5]->trigger();
    QCOMPARE(f.prompter.messages(), QStringList{kCancelled});
    QCOMPARE(f.prompter.shown.first().icon, Prompter::Icon::Warning);
    QCOMPARE(f.home.readBytes(QStringLiteral("2024.zbl")), before);
    QCOMPARE(f.model().slot(4).count(), 1);
}

void TestImport::keepsWorkingWhileTheToolRuns()
{
    ImportFixture f;
    f.home.writeBytes(QStringLiteral("sleep.txt"), "1");
    f.home.writeText(QStringLiteral("prepared.zbl"), QStringLiteral("04/0501001\n"));
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(50);
    // While the tool runs: a second import, the exit command and the close
    // box are refused, as they would lose the merge.
    QTimer::singleShot(300, f.window(), [&] {
        f.window()->mnuFileItem[5]->trigger();
        f.window()->mnuFileItem[10]->trigger();
        f.window()->close();
    });
    QElapsedTimer clock;
    clock.start();
    f.window()->mnuFileItem[5]->trigger();
    QVERIFY(clock.elapsed() >= 900);
    QVERIFY2(ticks >= 8, qPrintable(QString::number(ticks)));
    QCOMPARE(f.prompter.messages(), (QStringList{kBusy, kBusy, kBusy}));
    QCOMPARE(f.prompter.unexpected, 0);
    QVERIFY(f.window()->isVisible());
    QCOMPARE(f.model().slot(4).count(), 2);
    QVERIFY(!f.window()->importRunning);
}

void TestImport::toolThatCannotStart()
{
    ImportFixture f(false);
    f.window()->mnuFileItem[5]->trigger();
    QCOMPARE(f.prompter.messages(), QStringList{"インポートツールを起動できませんでした。\r\n\r\n  " + f.home.path("KaneloImport")});
    QVERIFY(!f.home.exists(QStringLiteral("args.txt")));
}

QTEST_MAIN(TestImport)
#include "test_import.moc"
