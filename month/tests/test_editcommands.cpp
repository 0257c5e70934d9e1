// The edit commands on the entry list of the month views: what needs a
// selected entry, the popup asked for, the double-clicks, delete and the
// day's totals.

#include "month/tests/test_entrydialog_fixture.h"

#include <QSignalSpy>
#include <QScreen>

namespace {
QPoint rowPoint(QTreeView* list, int row)
{
    return list->visualRect(list->model()->index(row, 1)).center();
}

// One expense on the 5th and one on the 12th of April.
void seedTwoDays(EntryFixture& f)
{
    f.seed(QStringLiteral("04/05"), QStringLiteral("01"), QStringLiteral("01"), 1000);
    f.seed(QStringLiteral("04/12"), QStringLiteral("02"), QStringLiteral("00"), 250);
    f.show();
}
}

class TestEditCommands : public QObject {
    Q_OBJECT
private slots:
    void selectionCommands_data();
    void selectionCommands();
    void doubleClick_data();
    void doubleClick();
    void rightButton();
    void addProposesDate_data();
    void addProposesDate();
    void deleteEntry_data();
    void deleteEntry();
    void deleteAnsweredNo();
    void deleteRanksCategories();
    void dayTotals_data();
    void dayTotals();
    void rowsAddressTheirEntries();
    void dialogLeavesRowInView_data();
    void dialogLeavesRowInView();
};

void TestEditCommands::selectionCommands_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("caption");

    QTest::newRow("nothing selected") << 0 << -1 << false << "";
    QTest::newRow("carry-over row") << 0 << 0 << false << "";
    QTest::newRow("day 5") << 0 << 1 << true << "4月5日の収支状況";
    QTest::newRow("day 12") << 0 << 2 << true << "4月12日の収支状況";
    QTest::newRow("day summary in front") << 1 << 2 << false << "";
    QTest::newRow("category summary in front") << 2 << 1 << false << "";
}

// What change, delete and the day's totals need: an entry row of the
// entry list, with that list in front.
void TestEditCommands::selectionCommands()
{
    QFETCH(int, mode);
    QFETCH(int, row);
    QFETCH(bool, selected);
    QFETCH(QString, caption);
    EntryFixture f;
    seedTwoDays(f);
    f.views->selectRow(row);
    f.views->setSummaryMode(mode);
    QCOMPARE(f.edit->entrySelected(), selected);
    QCOMPARE(f.edit->dayTotalsCaption(), caption);
}

void TestEditCommands::doubleClick_data()
{
    QTest::addColumn<bool>("summary");
    QTest::addColumn<int>("row"); // -1: below the rows, nothing selected
    QTest::addColumn<QString>("opens"); // dialog title, empty when nothing opens

    QTest::newRow("entry list, no row") << false << -1 << "家計簿データ 追加";
    QTest::newRow("entry list, carry-over row") << false << 0 << "";
    QTest::newRow("entry list, entry row") << false << 2 << "家計簿データ 変更";
    QTest::newRow("summary list, day row") << true << 1 << "家計簿データ 追加";
    QTest::newRow("summary list, no row") << true << -1 << "家計簿データ 追加";
}

void TestEditCommands::doubleClick()
{
    QFETCH(bool, summary);
    QFETCH(int, row);
    QFETCH(QString, opens);
    EntryFixture f;
    seedTwoDays(f);
    if (summary)
        f.views->setSummaryMode(1);
    QTreeView* list = summary ? f.views->lvwMonthC : f.views->lvwMonth;
    list->selectionModel()->clearSelection();
    const QPoint at = row >= 0 ? rowPoint(list, row) : QPoint(40, list->viewport()->height() - 4);
    QString title;
    // A double-click starts with a plain click, which selects the row under the pointer.
    const bool opened = f.whileOpen([&] {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }, [&] {
        title = f.dialog->windowTitle();
        QTest::mouseClick(f.dialog->tag.isEmpty() ? f.dialog->cmdExit : f.dialog->cmdCancel, Qt::LeftButton);
    });
    QCOMPARE(opened, !opens.isEmpty());
    QCOMPARE(title, opens);
    if (!summary && row == 2)
        QCOMPARE(f.dialog->txtDate->text(), QStringLiteral("04/12"));
}

void TestEditCommands::rightButton()
{
    EntryFixture f;
    seedTwoDays(f);
    f.views->selectRow(1);
    QSignalSpy popup(f.edit, &EditCommands::popupRequested);
    QTreeView* list = f.views->lvwMonth;
    // Right press over the second entry: it becomes the selected row, then the popup is asked for there.
    const QPoint at(list->columnWidth(0) + 30, rowPoint(list, 2).y());
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(f.views->selectedRow(), 2);
    QCOMPARE(popup.size(), 1);
    QCOMPARE(popup[0][0].toPoint(), list->viewport()->mapToGlobal(at));
    QCOMPARE(f.edit->dayTotalsCaption(), QStringLiteral("4月12日の収支状況"));

    f.views->setSummaryMode(1);
    f.views->lvwMonthC->selectionModel()->clearSelection();
    QTest::mousePress(f.views->lvwMonthC->viewport(), Qt::RightButton, {}, rowPoint(f.views->lvwMonthC, 1));
    QCOMPARE(popup.size(), 2);
    QCOMPARE(f.views->selectedSummaryRow(), -1);
    QVERIFY(!f.edit->entrySelected());
}

void TestEditCommands::addProposesDate_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("entryRow");
    QTest::addColumn<int>("summaryRow");
    QTest::addColumn<QString>("date");

    // Today is 03/15 while April is shown.
    QTest::newRow("nothing selected") << 0 << -1 << -1 << "03/15";
    QTest::newRow("entry row of the 12th") << 0 << 2 << -1 << "04/12";
    QTest::newRow("carry-over row") << 0 << 0 << -1 << "03/15";
    QTest::newRow("day summary row") << 1 << 1 << 2 << "04/12";
    QTest::newRow("day summary, none selected") << 1 << 2 << -1 << "03/15";
    QTest::newRow("day summary, first row") << 1 << 2 << 0 << "03/15";
    QTest::newRow("category summary uses the entry list") << 2 << 1 << -1 << "04/05";
}

void TestEditCommands::addProposesDate()
{
    QFETCH(int, mode);
    QFETCH(int, entryRow);
    QFETCH(int, summaryRow);
    QFETCH(QString, date);
    EntryFixture f;
    seedTwoDays(f);
    f.views->selectRow(entryRow);
    f.views->setSummaryMode(mode);
    if (summaryRow >= 0)
        f.views->lvwMonthC->setCurrentIndex(f.views->summaryRows->index(summaryRow, 0));
    QString proposed;
    f.whileAdding([&] {
        proposed = f.dialog->txtDate->text();
        QCOMPARE(f.dialog->cmbMain->currentText(), QStringLiteral("食費"));
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(proposed, date);
}

void TestEditCommands::deleteEntry_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QString>("question");

    // Rows 1-3: three entries of the 3rd (100, 200, 300); row 4: the 7th (400); row 5: the 9th (500).
    QTest::newRow("first of three") << 1 << QStringList{"", "04/03", "", "04/07", "04/09"} << "04/03  食費  外食  出金 100 円";
    QTest::newRow("middle of three") << 2 << QStringList{"", "04/03", "", "04/07", "04/09"} << "04/03  日用品  出金 200 円";
    QTest::newRow("only entry of a day") << 4 << QStringList{"", "04/03", "", "", "04/09"} << "04/07  食費  Lunch  出金 400 円";
    QTest::newRow("last row") << 5 << QStringList{"", "04/03", "", "", "04/07"} << "04/09  日用品  出金 500 円";
}

void TestEditCommands::deleteEntry()
{
    QFETCH(int, row);
    QFETCH(QStringList, dates);
    QFETCH(QString, question);
    EntryFixture f;
    f.model.SetCarryOver(5000, f.model.carryAuto());
    QList<EntryId> ids;
    ids << f.seed(QStringLiteral("04/03"), QStringLiteral("01"), QStringLiteral("01"), 100)
        << f.seed(QStringLiteral("04/03"), QStringLiteral("02"), QStringLiteral("00"), 200)
        << f.seed(QStringLiteral("04/03"), QStringLiteral("01"), QStringLiteral("00"), 300)
        << f.seed(QStringLiteral("04/07"), QStringLiteral("01"), QStringLiteral("02"), 400)
        << f.seed(QStringLiteral("04/09"), QStringLiteral("02"), QStringLiteral("00"), 500);
    f.show();
    f.views->selectRow(row);
    f.prompter.answers.enqueue(Prompter::Answer::Yes);
    f.edit->mnuEditItem(2);

    QCOMPARE(f.prompter.shown.size(), 1);
    QCOMPARE(f.prompter.shown[0].kind, FakePrompter::Shown::Question);
    QCOMPARE(f.prompter.shown[0].title, QStringLiteral("家計簿データ 削除"));
    QCOMPARE(f.prompter.shown[0].text,
             QStringLiteral("選択されたデータを削除しますが、よろしいですか。\r\n\r\n  [削除データ]  ") + question);
    QCOMPARE(f.column(MonthListModel::Date), dates);

    const qint64 gone = 100 * row;
    const qint64 spent = 1500 - gone;
    QCOMPARE(f.panel(3), QStringLiteral("支出 : ") + Fmt::hash0(spent));
    QCOMPARE(f.panel(4), QStringLiteral("収入 : 0"));
    QCOMPARE(f.panel(5), QStringLiteral("残高 : ") + Fmt::hash0(5000 - spent));
    QCOMPARE(f.rows().cell(f.rows().count() - 1, MonthListModel::Balance), Fmt::hash(5000 - spent));
    const MonthSlot& april = f.model.slot(4);
    QCOMPARE(april.totalOut, spent);
    QCOMPARE(april.count(), 4);
    QList<EntryId> left;
    for (const Entry& e : april.entries)
        left << e.id;
    ids.removeAt(row - 1);
    QCOMPARE(left, ids);
}

void TestEditCommands::deleteAnsweredNo()
{
    EntryFixture f;
    seedTwoDays(f);
    f.views->selectRow(1);
    f.prompter.answers.enqueue(Prompter::Answer::No);
    f.edit->mnuEditItem(2);
    QCOMPARE(f.rows().count(), 3);
    QCOMPARE(f.model.slot(4).count(), 2);
    QCOMPARE(f.panel(3), QStringLiteral("支出 : 1,250"));
}

void TestEditCommands::deleteRanksCategories()
{
    EntryFixture f;
    f.model.setCurMonth(3); // the ranking counts February and March
    f.seed(QStringLiteral("03/02"), QStringLiteral("02"), QStringLiteral("00"), 100);
    f.seed(QStringLiteral("03/04"), QStringLiteral("02"), QStringLiteral("00"), 100);
    f.seed(QStringLiteral("03/06"), QStringLiteral("03"), QStringLiteral("00"), 9000);
    f.show();
    f.model.RankCategoriesByUse();
    QCOMPARE(f.dialog->cmbMain->itemText(0), QStringLiteral("日用品"));
    for (int i = 0; i < 2; ++i) {
        f.views->selectRow(1);
        f.prompter.answers.enqueue(Prompter::Answer::Yes);
        f.edit->mnuEditItem(2);
    }
    QCOMPARE(f.dialog->cmbMain->itemText(0), QStringLiteral("給与"));
}

void TestEditCommands::dayTotals_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("sums");

    // Rows: 04/01 食費 1,000; 04/01 給与 5,000; 04/05 食費 1,000; 04/05 日用品 250; 04/08 食費 1,000.
    QTest::newRow("day 01 beside the carry-over row") << 2 << "4月1日の収支状況" << "支出： 1,000 円   収入： 5,000 円";
    QTest::newRow("two expenses") << 3 << "4月5日の収支状況" << "支出： 1,250 円   収入： 0 円";
    QTest::newRow("one expense") << 5 << "4月8日の収支状況" << "支出： 1,000 円   収入： 0 円";
}

void TestEditCommands::dayTotals()
{
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(QString, sums);
    EntryFixture f;
    f.model.SetCarryOver(7000, f.model.carryAuto()); // row 0 carries tag "01" and must not count
    f.seed(QStringLiteral("04/01"), QStringLiteral("01"), QStringLiteral("00"), 1000);
    f.seed(QStringLiteral("04/01"), QStringLiteral("03"), QStringLiteral("01"), 5000);
    f.seed(QStringLiteral("04/05"), QStringLiteral("01"), QStringLiteral("00"), 1000);
    f.seed(QStringLiteral("04/05"), QStringLiteral("02"), QStringLiteral("00"), 250);
    f.seed(QStringLiteral("04/08"), QStringLiteral("01"), QStringLiteral("00"), 1000);
    f.show();
    f.views->selectRow(row);
    f.edit->mnuEditItem(4);
    QCOMPARE(f.prompter.shown.size(), 1);
    const FakePrompter::Shown& box = f.prompter.shown[0];
    QCOMPARE(box.icon, Prompter::Icon::Information);
    QCOMPARE(box.title, caption);
    QCOMPARE(box.text, caption + QStringLiteral("は以下のとおりです。\r\n\r\n   ") + sums);
}

// A row left out for a deleted category must not shift which entry the
// following rows stand for.
void TestEditCommands::rowsAddressTheirEntries()
{
    EntryFixture f;
    const EntryId a = f.seed(QStringLiteral("04/02"), QStringLiteral("01"), QStringLiteral("00"), 100);
    const EntryId orphan = f.seed(QStringLiteral("04/02"), QStringLiteral("09"), QStringLiteral("00"), 999);
    const EntryId b = f.seed(QStringLiteral("04/02"), QStringLiteral("02"), QStringLiteral("00"), 200);
    const EntryId c = f.seed(QStringLiteral("04/06"), QStringLiteral("01"), QStringLiteral("00"), 300);
    f.show();
    QCOMPARE(f.prompter.messages(), QStringList{QStringLiteral("費目番号[09]に該当する費目はすでに削除されています。")});
    QCOMPARE(f.column(MonthListModel::Category), (QStringList{"前月繰越残高", "食費", "日用品", "食費"}));

    f.views->selectRow(2); // 日用品 200
    f.prompter.answers.enqueue(Prompter::Answer::Yes);
    f.edit->mnuEditItem(2);
    auto ids = [&] {
        QList<EntryId> out;
        for (const Entry& e : f.model.slot(4).entries)
            out << e.id;
        return out;
    };
    QCOMPARE(ids(), (QList<EntryId>{a, orphan, c}));

    f.views->selectRow(2); // 食費 300 on the 6th
    f.whileOpen([&] { f.edit->mnuEditItem(1); }, [&] {
        QCOMPARE(f.dialog->txtMoney->text(), QStringLiteral("300"));
        f.dialog->txtMoney->setText(QStringLiteral("350"));
        f.prompter.answers.enqueue(Prompter::Answer::Yes);
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    // The change reaches the entry its row shows; the orphan the list never
    // showed stays as the month holds it.
    const MonthSlot& april = f.model.slot(4);
    QCOMPARE(ids(), (QList<EntryId>{a, orphan, c}));
    QCOMPARE(april.entries[0].out, 100);
    QCOMPARE(april.entries[2].out, 350);
    QCOMPARE(april.totalOut, 1449);
    Q_UNUSED(b);
}

void TestEditCommands::dialogLeavesRowInView_data()
{
    QTest::addColumn<int>("command"); // edit menu item
    QTest::addColumn<int>("row");

    QTest::newRow("add on a row near the top") << 0 << 1;
    QTest::newRow("change a row near the top") << 1 << 2;
    QTest::newRow("add on a row near the bottom") << 0 << 17;
    QTest::newRow("change a row near the bottom") << 1 << 18;
}

void TestEditCommands::dialogLeavesRowInView()
{
    QFETCH(int, command);
    QFETCH(int, row);
    EntryFixture f;
    for (int day = 1; day <= 20; ++day)
        f.seed(QStringLiteral("04/%1").arg(day, 2, 10, QLatin1Char('0')), QStringLiteral("02"), QStringLiteral("00"), 100);
    f.show();
    // The list ends near the foot of the screen.
    const QRect screen = f.window.screen()->availableGeometry();
    f.window.setGeometry(screen.left(), screen.top() + 40, screen.width(), screen.height() - 60);
    QTRY_VERIFY(f.views->lvwMonth->visualRect(f.rows().index(row, 0)).bottom() < f.views->lvwMonth->viewport()->height());
    f.views->selectRow(row);
    QTreeView* list = f.views->lvwMonth;
    const QRect cell = list->visualRect(f.rows().index(row, 0));
    const QRect shown(list->viewport()->mapToGlobal(QPoint(0, cell.top())), QSize(list->viewport()->width(), cell.height()));
    QRect dialog;
    const bool opened = f.whileOpen([&] { f.edit->mnuEditItem(command); }, [&] {
        dialog = f.dialog->frameGeometry();
        QTest::keyClick(f.dialog, Qt::Key_Escape);
    });
    QVERIFY(opened);
    QVERIFY2(!dialog.intersects(shown), qPrintable(QStringLiteral("dialog %1,%2 %3x%4 over row at y %5")
                                                      .arg(dialog.x()).arg(dialog.y()).arg(dialog.width())
                                                      .arg(dialog.height()).arg(shown.y())));
    QVERIFY(screen.contains(dialog));
}

QTEST_MAIN(TestEditCommands)
#include "test_editcommands.moc"
