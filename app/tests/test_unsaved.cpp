// What the main window shows of unsaved changes and the undo stack: the
// caption's " *", 編集 → 元に戻す / やり直し by Ctrl+Z and Ctrl+Y, and the
// close question and the search's jump to another year asked only while
// something is unsaved; a batch of recurring entries taken back as one step.
#include "app/tests/AppFixture.h"
#include "month/EditCommands.h"
#include "month/EditHistory.h"
#include "ledger/tests/LedgerTestData.h"
#include "search/SearchQuery.h"
#include "search/frmSearch.h"
#include "recurring/TeikiBook.h"
#include "recurring/TeikiFile.h"

#include <QAction>
#include <QMenu>
#include <QTreeView>

namespace {
const QString kTitle = QStringLiteral("Kanelo Y -ぽるもさん!?  [2026 年度]");

void startMarch(AppFixture& f)
{
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {"03/010100000100", "03/050200000200"}));
    if (!f.start())
        qFatal("not started");
    f.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window()));
    f.views()->lvwMonth->setFocus();
}

QString item(const QAction* a) { return a->isEnabled() ? a->text() : QStringLiteral("(%1)").arg(a->text()); }

// The steps the tables name: "delete" (the first entry of March), "carry",
// "save", and "undo" / "redo" by their keys on the entry list.
void run(AppFixture& f, const QStringList& steps)
{
    EditHistory& history = EditHistory::of(f.model());
    for (const QString& step : steps) {
        if (step == QLatin1String("carry"))
            history.setCarryOver(300, false);
        else if (step == QLatin1String("delete"))
            history.removeEntry(3, f.model().slot(3).entries.front().id);
        else if (step == QLatin1String("undo"))
            QTest::keyClick(f.views()->lvwMonth, Qt::Key_Z, Qt::ControlModifier);
        else if (step == QLatin1String("redo"))
            QTest::keyClick(f.views()->lvwMonth, Qt::Key_Y, Qt::ControlModifier);
        else
            QVERIFY(f.model().SaveYearFile(1));
    }
}

int savedLines(const AppFixture& f, int year, const char* month)
{
    int lines = 0;
    for (const QByteArray& line : f.home.readBytes(QStringLiteral("%1.zbl").arg(year)).split('\n'))
        lines += line.startsWith(month);
    return lines;
}
}

class TestUnsaved : public QObject {
    Q_OBJECT
private slots:
    void keysAndCaption();
    void closeAsksOnlyWhenUnsaved_data();
    void closeAsksOnlyWhenUnsaved();
    void searchJumpAsksOnlyWhenUnsaved_data();
    void searchJumpAsksOnlyWhenUnsaved();
    void recurringBatchIsOneStep_data();
    void recurringBatchIsOneStep();
};

void TestUnsaved::keysAndCaption()
{
    AppFixture f;
    startMarch(f);
    frmKanelo* w = f.window();
    QCOMPARE(w->windowTitle(), kTitle);
    QCOMPARE(w->mnuEdit->actions().mid(0, 2), (QList<QAction*>{w->mnuUndo, w->mnuRedo}));
    QCOMPARE(item(w->mnuUndo) + item(w->mnuRedo), QStringLiteral("(元に戻す(&U))(やり直し(&Y))"));

    f.views()->selectRow(1);
    f.prompter.answers.enqueue(Prompter::Answer::Yes);
    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Delete);
    QCOMPARE(f.model().slot(3).count(), 1);
    QCOMPARE(w->windowTitle(), kTitle + " *");
    QCOMPARE(item(w->mnuUndo) + item(w->mnuRedo), QStringLiteral("元に戻す(&U)  データ削除(やり直し(&Y))"));

    QTest::keyClick(f.views()->lvwMonth, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w->windowTitle(), kTitle);
    const QByteArray saved = f.home.readBytes(QStringLiteral("2026.zbl"));

    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.model().slot(3).count(), 2);
    QCOMPARE(f.cell(1, 0), QStringLiteral("03/01"));
    QCOMPARE(w->windowTitle(), kTitle + " *");
    QCOMPARE(item(w->mnuUndo) + item(w->mnuRedo), QStringLiteral("(元に戻す(&U))やり直し(&Y)  データ削除"));

    // Ctrl+Y (and Ctrl+Shift+Z) redo: back at the saved year, nothing unsaved.
    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f.model().slot(3).count(), 1);
    QCOMPARE(w->windowTitle(), kTitle);
    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w->windowTitle(), kTitle);
    QCOMPARE(f.home.readBytes(QStringLiteral("2026.zbl")), saved);

    // Another year loaded: nothing to take back.
    f.home.writeText(QStringLiteral("2025.zbl"), AppFixture::yearText("&0", {}));
    w->SwitchYear(2025);
    QVERIFY(!w->mnuUndo->isEnabled());
    QCOMPARE(w->windowTitle(), QStringLiteral("Kanelo Y -ぽるもさん!?  [2025 年度]"));
}

void TestUnsaved::closeAsksOnlyWhenUnsaved_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Prompter::Answer>("answer"); // to the question, when asked
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("entriesSaved");

    using A = Prompter::Answer;
    QTest::newRow("nothing changed") << QStringList{} << A::Yes << false << true << 2;
    QTest::newRow("changed, then saved") << QStringList{"carry", "save"} << A::Yes << false << true << 2;
    QTest::newRow("changed, then undone") << QStringList{"delete", "undo"} << A::Yes << false << true << 2;
    QTest::newRow("undone past the save") << QStringList{"delete", "save", "undo"} << A::No << true << true << 1;
    QTest::newRow("changed, Yes saves") << QStringList{"delete"} << A::Yes << true << true << 1;
    QTest::newRow("changed, No discards") << QStringList{"delete"} << A::No << true << true << 2;
    QTest::newRow("changed, Cancel stays") << QStringList{"delete"} << A::Cancel << true << false << 2;
}

void TestUnsaved::closeAsksOnlyWhenUnsaved()
{
    QFETCH(QStringList, steps);
    QFETCH(Prompter::Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    QFETCH(int, entriesSaved);
    AppFixture f;
    startMarch(f);
    run(f, steps);
    f.prompter.answers.enqueue(answer);
    f.window()->close();

    QCOMPARE(f.prompter.shown.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(f.prompter.shown[0].kind, FakePrompter::Shown::Question);
        QVERIFY(f.prompter.shown[0].text.startsWith(QStringLiteral("[ぽるもさん]を終了してよろしいですか。")));
        // Enter saves and ends.
        QCOMPARE(f.prompter.shown[0].defaultAnswer, Prompter::Answer::Yes);
    }
    QCOMPARE(f.window()->isVisible(), !closed);
    QCOMPARE(savedLines(f, 2026, "03/"), entriesSaved);
}

void TestUnsaved::searchJumpAsksOnlyWhenUnsaved_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Prompter::Answer>("answer"); // to the question, when asked
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("yearShown");
    QTest::addColumn<int>("entriesSaved");

    using A = Prompter::Answer;
    QTest::newRow("nothing changed") << QStringList{} << A::Cancel << false << 2025 << 2;
    QTest::newRow("changed, then saved") << QStringList{"delete", "save"} << A::Cancel << false << 2025 << 1;
    QTest::newRow("changed, then undone") << QStringList{"delete", "undo"} << A::Cancel << false << 2025 << 2;
    QTest::newRow("changed, Yes saves") << QStringList{"delete"} << A::Yes << true << 2025 << 1;
    QTest::newRow("changed, No leaves it") << QStringList{"carry"} << A::No << true << 2025 << 2;
    QTest::newRow("changed, Cancel stays") << QStringList{"delete"} << A::Cancel << true << 2026 << 2;
}

void TestUnsaved::searchJumpAsksOnlyWhenUnsaved()
{
    QFETCH(QStringList, steps);
    QFETCH(Prompter::Answer, answer);
    QFETCH(bool, asked);
    QFETCH(int, yearShown);
    QFETCH(int, entriesSaved);
    AppFixture f;
    f.home.writeText(QStringLiteral("2025.zbl"), AppFixture::yearText("&0", {"05/010100000500", "05/020100000700"}));
    startMarch(f);
    run(f, steps);
    f.prompter.clear();
    f.prompter.answers.enqueue(answer);
    SearchHit hit;
    hit.year = 2025;
    QVERIFY(LedgerModel::parseEntryLine(QStringLiteral("05/020100000700"), hit.entry));
    hit.indexInMonth = 1;
    f.window()->ShowSearch();
    frmSearch* search = f.window()->search;
    f.window()->ShowSearchHit(hit);

    QCOMPARE(f.prompter.shown.size(), asked ? 1 : 0);
    if (asked)
        QVERIFY(f.prompter.shown[0].text.startsWith(QStringLiteral("2025 年度を開きます。")));
    QCOMPARE(f.model().curYear(), yearShown);
    if (yearShown == 2025) {
        QCOMPARE(f.model().curMonth(), 5);
        QCOMPARE(f.views()->lvwMonth->currentIndex().row(), 2);
    }
    // After a jump the search window steps back from the row it found; a
    // jump cancelled leaves it where it was.
    QCOMPARE(search->isVisible(), yearShown != 2025);
    f.window()->ShowSearch(); // Ctrl+F brings the same window back
    QCOMPARE(f.window()->search, search);
    QVERIFY(search->isVisible());
    QCOMPARE(savedLines(f, 2026, "03/"), entriesSaved);
}

void TestUnsaved::recurringBatchIsOneStep_data()
{
    QTest::addColumn<QStringList>("steps"); // a save ends every row
    QTest::addColumn<int>("entries");       // rent entries in the year after the steps
    QTest::addColumn<bool>("marked");       // the rule's file says February is applied
    QTest::addColumn<bool>("offeredAgain");

    QTest::newRow("filed") << QStringList{} << 2 << true << false;
    QTest::newRow("undone") << QStringList{"undo"} << 0 << false << true;
    QTest::newRow("undone, redone") << QStringList{"undo", "redo"} << 2 << true << false;
    QTest::newRow("undone after a save: as deleted") << QStringList{"save", "undo"} << 0 << true << false;
    QTest::newRow("undone, saved, redone") << QStringList{"undo", "save", "redo"} << 2 << true << false;
}

void TestUnsaved::recurringBatchIsOneStep()
{
    QFETCH(QStringList, steps);
    QFETCH(int, entries);
    QFETCH(bool, marked);
    QFETCH(bool, offeredAgain);
    AppFixture f;
    // Rent on the 27th from January: January and February are due on 03/15.
    f.home.writeText(TeikiFile::fileName(), QStringLiteral("C\n*\n\n0200:78000:27:*:2026/01::1::家賃\n"));
    f.prompter.answers.enqueue(Prompter::Answer::Yes);
    startMarch(f);
    frmKanelo* w = f.window();
    auto rent = [&] { return f.model().slot(1).count() + f.model().slot(2).count(); };
    QCOMPARE(rent(), 2);
    QCOMPARE(item(w->mnuUndo), QStringLiteral("元に戻す(&U)  定期入力"));
    QCOMPARE(w->windowTitle(), kTitle + " *");

    run(f, steps);
    QCOMPARE(rent(), entries);
    QVERIFY(f.model().SaveYearFile(1));
    QCOMPARE(savedLines(f, 2026, "02/"), entries / 2);
    QCOMPARE(f.home.readBytes(TeikiFile::fileName()).contains("::1:2026/02:"), marked);

    f.prompter.clear();
    f.prompter.answers.enqueue(Prompter::Answer::No);
    w->OfferRecurring();
    QCOMPARE(f.prompter.shown.size(), offeredAgain ? 1 : 0);
    if (offeredAgain)
        QVERIFY(f.prompter.shown[0].text.startsWith(QStringLiteral("定期入力: 2 件を追加しますか。")));
}

QTEST_MAIN(TestUnsaved)
#include "test_unsaved.moc"
