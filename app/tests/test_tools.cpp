// The tools menu with the real main window: one calendar and one calculator,
// the calendar link both ways, a day click, an entry added from the
// calendar, today's memo and closing with the main window.
#include "app/tests/AppFixture.h"

#include "month/EditCommands.h"
#include "calendar/MonthGridView.h"
#include "ledger/Settings.h"
#include "ledger/TextFile.h"
#include "calculator/frmCalculator.h"
#include "calendar/frmCalender.h"
#include "month/frmData.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace {
// March 2026 (today is 2026-03-15): two entries on the 2nd, one on the 20th.
void startMarch(AppFixture& f, bool link)
{
    f.home.writeText(QStringLiteral("2026.zbl"),
                     AppFixture::yearText("&10000", {"03/0201011200", "03/0202010500", "03/200300200000"}, "$208300"));
    QVERIFY(f.start());
    if (link)
        f.window()->mnuEnvSubItem[0]->trigger();
    QCOMPARE(f.window()->linkCalendar, link);
}

frmCalender* openCalendar(AppFixture& f)
{
    f.window()->mnuToolItem[0]->trigger();
    return f.window()->calendar;
}

bool todayMemoShown(const AppFixture& f)
{
    return f.window()->picMemo->isVisible();
}

void editMemo(AppFixture& f, frmCalender* c, int day, const QString& text)
{
    c->lblDay_MouseMove(c->pmonth + day);
    QVERIFY(c->prepareRightMenu());
    if (text.isEmpty()) {
        f.prompter.answers.enqueue(Prompter::Answer::Yes);
        c->mnuRightItem[3]->trigger();
    } else {
        f.prompter.inputs.enqueue(text);
        c->mnuRightItem[2]->trigger();
    }
}
}

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void oneOfEachFromMenuAndToolbar();
    void linkBothWaysWithoutBouncing();
    void anotherYearNeverChangesLedger();
    void dayClickSelectsFirstRow_data();
    void dayClickSelectsFirstRow();
    void entryAddedFromCalendar();
    void calendarMarksAndPlace();
    void todaysMemoFollowsEdits();
    void toolsCloseWithMainWindow();
    void toolsOpenWithinTheScreen_data();
    void toolsOpenWithinTheScreen();
};

void TestTools::oneOfEachFromMenuAndToolbar()
{
    AppFixture f;
    startMarch(f, false);
    frmKanelo* w = f.window();
    QCOMPARE(w->mnuTool->title() + w->mnuToolItem[0]->text() + w->mnuToolItem[1]->text(), QStringLiteral("ツール(&T)カレンダー(&C)電卓(&K)"));
    const QList<QAction*> bar = w->tbrToolBar->actions();
    QCOMPARE(bar.indexOf(w->tbrCalculator), bar.indexOf(w->tbrCalendar) + 1);
    QVERIFY(bar.indexOf(w->tbrCategorySummary) < bar.indexOf(w->tbrCalendar));

    frmCalender* c = openCalendar(f);
    w->tbrCalendar->trigger();
    QCOMPARE(w->calendar.data(), c);
    w->tbrCalculator->trigger();
    frmCalculator* k = w->calculator;
    w->mnuToolItem[1]->trigger();
    QCOMPARE(w->calculator.data(), k);
    QVERIFY(c->isVisible() && k->isVisible());
    QCOMPARE(k->windowTitle(), QStringLiteral("電卓"));
    // Closed, each is released; the next command makes a new one.
    c->close();
    k->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w->calendar && !w->calculator);
    QVERIFY(openCalendar(f));
}

void TestTools::linkBothWaysWithoutBouncing()
{
    AppFixture f;
    startMarch(f, true);
    MonthViews* v = f.views();
    frmCalender* c = openCalendar(f);
    QCOMPARE(c->windowTitle(), QStringLiteral("カレンダー *"));
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2026年3月"));
    QSignalSpy tabs(v, &MonthViews::monthTabClicked);
    QSignalSpy chosen(c, &frmCalender::monthChosen);
    QSignalSpy tabIndex(v->tabMonth, &QTabBar::currentChanged);

    // A tab change moves the calendar once and comes not back.
    v->tabMonth->setCurrentIndex(4);
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2026年5月"));
    QCOMPARE(tabs.count(), 1);
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(tabIndex.count(), 1);

    // A calendar move selects the tab once.
    c->hsrUp_Click();
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(tabIndex.count(), 2);
    QCOMPARE(tabs.count(), 2);
    QCOMPARE(f.model().curMonth(), 6);
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2026年6月"));
    QVERIFY(c->tag.isEmpty());

    // The main window's option turns the link off: the caption says so and
    // the two no longer follow each other.
    f.window()->mnuEnvSubItem[0]->trigger();
    QCOMPARE(c->windowTitle(), QStringLiteral("カレンダー "));
    v->tabMonth->setCurrentIndex(7);
    c->hsrUp_Click();
    QCOMPARE(v->tabMonth->currentIndex(), 7);
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2026年7月"));
    // The calendar's own option turns it on and hands its month over.
    c->mnuOptItem[0]->trigger();
    QVERIFY(f.window()->linkCalendar);
    QCOMPARE(v->tabMonth->currentIndex(), 6);
}

void TestTools::anotherYearNeverChangesLedger()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2025.zbm"), QStringLiteral("06/01去年のメモ\n"));
    f.home.writeText(QStringLiteral("2026.zbm"), QStringLiteral("04/01今年のメモ\n"));
    startMarch(f, true);
    MonthViews* v = f.views();
    frmCalender* c = openCalendar(f);
    QSignalSpy tabIndex(v->tabMonth, &QTabBar::currentChanged);
    const int selected = v->selectedRow();

    f.prompter.inputs.enqueue(QStringLiteral("2025/06"));
    c->mnuJumpItem_Click(2);
    c->hsrDown_Click();
    c->lblDay_Click(c->pmonth + 2);
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2025年5月"));
    QCOMPARE(f.model().memoList().count(), 1);
    QCOMPARE(f.model().memoList().at(0)->name, QStringLiteral("去年のメモ"));
    QCOMPARE(tabIndex.count(), 0);
    QCOMPARE(f.model().curYear(), 2026);
    QCOMPARE(f.model().curMonth(), 3);
    QCOMPARE(v->selectedRow(), selected);
    QCOMPARE(f.cell(3, MonthListModel::In), QStringLiteral("200,000"));

    // The ledger's tab brings the calendar back to the ledger's year.
    v->tabMonth->setCurrentIndex(3);
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2026年4月"));
    QCOMPARE(f.model().memoList().at(0)->name, QStringLiteral("今年のメモ"));
    QCOMPARE(f.prompter.unexpected, 0);
}

void TestTools::dayClickSelectsFirstRow_data()
{
    QTest::addColumn<bool>("link");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("row");

    QTest::newRow("first of two entries") << true << 2 << 1;
    QTest::newRow("single entry") << true << 20 << 3;
    QTest::newRow("a day without entries") << true << 5 << -1;
    QTest::newRow("the link off") << false << 20 << -1;
}

void TestTools::dayClickSelectsFirstRow()
{
    QFETCH(bool, link);
    QFETCH(int, day);
    QFETCH(int, row);

    AppFixture f;
    startMarch(f, link);
    frmCalender* c = openCalendar(f);
    QLabel* cell = c->grid->lblDay[c->pmonth + day];
    QTest::mouseClick(cell, Qt::LeftButton, {}, cell->rect().center());
    QCOMPARE(f.views()->selectedRow(), row);
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2026年3月"));
}

void TestTools::entryAddedFromCalendar()
{
    AppFixture f;
    startMarch(f, true);
    frmCalender* c = openCalendar(f);
    c->lblDay_MouseMove(c->pmonth + 20);
    QVERIFY(c->prepareRightMenu());
    QVERIFY(c->mnuRightItem[0]->isEnabled());

    frmData* dialog = f.window()->edit->dataDialog();
    bool typed = false;
    QTimer::singleShot(0, [&] {
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("家計簿データ 追加"));
        QCOMPARE(dialog->txtDate->text(), QStringLiteral("03/20"));
        QCOMPARE(dialog->cmbMain->currentText(), QStringLiteral("食費"));
        f.prompter.answers.enqueue(Prompter::Answer::Yes); // no sub-item is fine
        QTest::keyClicks(dialog->txtMoney, QStringLiteral("980"));
        QTest::keyClick(dialog->txtMoney, Qt::Key_Return);
        QTest::mouseClick(dialog->cmdExit, Qt::LeftButton);
        typed = true;
    });
    c->mnuRightItem[0]->trigger();
    QVERIFY(typed);
    // After the day's other entries.
    QCOMPARE(f.cell(4, MonthListModel::Date), QString());
    QCOMPARE(f.cell(4, MonthListModel::Category), QStringLiteral("食費"));
    QCOMPARE(f.cell(4, MonthListModel::Out), QStringLiteral("980"));
    QCOMPARE(f.panel(3), QStringLiteral("支出 : 2,680"));
}

void TestTools::todaysMemoFollowsEdits()
{
    AppFixture f;
    startMarch(f, false);
    frmCalender* c = openCalendar(f);
    editMemo(f, c, 16, QStringLiteral("明日の予定"));
    QVERIFY(!todayMemoShown(f));
    editMemo(f, c, 15, QStringLiteral("燃えないゴミ"));
    editMemo(f, c, 15, QStringLiteral("資源ゴミ"));
    QVERIFY(todayMemoShown(f));
    QCOMPARE(f.window()->picMemo->toolTip(), QStringLiteral("資源ゴミ"));
    // The same day of another year is not today.
    f.prompter.inputs.enqueue(QStringLiteral("2025/03"));
    c->mnuJumpItem_Click(2);
    editMemo(f, c, 15, QStringLiteral("去年"));
    QCOMPARE(f.window()->picMemo->toolTip(), QStringLiteral("資源ゴミ"));
    c->mnuJumpItem_Click(0);
    editMemo(f, c, 15, QString());
    QVERIFY(!todayMemoShown(f));
    QCOMPARE(f.prompter.unexpected, 0);
}

// The calendar marks the days with memos and, more quietly, those with
// entries, and follows the entry list; holidays are named. It opens beside
// the main window, never over the amount columns of the entry list.
void TestTools::calendarMarksAndPlace()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbm"), QStringLiteral("03/10ゴミの日\n03/20墓参り\n"));
    startMarch(f, false);
    frmCalender* c = openCalendar(f);
    const auto marked = [c](bool memo) {
        QStringList days;
        for (int i = c->pmonth + 1; i < c->nmonth; ++i)
            if (memo ? c->grid->hasMemoMark(i) : c->grid->hasEntryMark(i))
                days << c->grid->lblDay[i]->text();
        return days.join(QLatin1Char(' '));
    };
    QCOMPARE(marked(true), QStringLiteral("10 20"));
    QCOMPARE(marked(false), QStringLiteral("2 20"));
    QCOMPARE(c->grid->lblDay[c->pmonth + 20]->toolTip(), QStringLiteral("春分の日\n墓参り"));

    // The entry of the 20th deleted: its mark goes once the events run.
    f.views()->selectRow(3);
    f.prompter.answers.enqueue(Prompter::Answer::Yes);
    f.window()->edit->mnuEditItem(2);
    QCOMPARE(f.views()->monthRows->count(), 3);
    QTRY_COMPARE(marked(false), QStringLiteral("2"));
    // Another month of the ledger's year reads its slot; another year has no entry marks.
    c->hsrDown_Click();
    QCOMPARE(marked(false), QString());
    f.prompter.inputs.enqueue(QStringLiteral("2025/03"));
    c->mnuJumpItem_Click(2);
    QCOMPARE(marked(false), QString());

    const QTreeView* list = f.views()->lvwMonth;
    const int firstAmount = list->header()->sectionViewportPosition(MonthListModel::Out);
    const QRect amounts(list->viewport()->mapToGlobal(QPoint(firstAmount, 0)),
                        list->viewport()->mapToGlobal(QPoint(list->viewport()->width() - 1, list->viewport()->height() - 1)));
    QVERIFY2(!c->frameGeometry().intersects(amounts), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                     .arg(c->frameGeometry().x())
                                                                     .arg(c->frameGeometry().y())
                                                                     .arg(c->frameGeometry().width())
                                                                     .arg(c->frameGeometry().height())));
    QCOMPARE(f.prompter.unexpected, 0);
}

void TestTools::toolsOpenWithinTheScreen_data()
{
    QTest::addColumn<QPoint>("corner"); // where the main window's bottom right goes, from the screen's
    QTest::newRow("centred") << QPoint(0, 0);
    QTest::newRow("low on the screen") << QPoint(0, 300);
    QTest::newRow("at the right edge") << QPoint(1, 0);
}

void TestTools::toolsOpenWithinTheScreen()
{
    QFETCH(QPoint, corner);
    AppFixture f;
    startMarch(f, false);
    frmKanelo* w = f.window();
    const QRect area = w->screen()->availableGeometry();
    if (corner.x() > 0)
        w->move(area.right() - w->frameGeometry().width() + 1, w->y());
    w->move(w->x(), w->y() + corner.y());
    w->mnuToolItem[0]->trigger();
    w->mnuToolItem[1]->trigger();
    for (QWidget* tool : {static_cast<QWidget*>(w->calendar), static_cast<QWidget*>(w->calculator)}) {
        const QRect r = tool->frameGeometry();
        QVERIFY2(area.contains(r), qPrintable(tool->objectName()));
    }
}

// Both close with the main window: the memos reach their file, the rate
// was stored when it was chosen.
void TestTools::toolsCloseWithMainWindow()
{
    AppFixture f;
    startMarch(f, false);
    editMemo(f, openCalendar(f), 20, QStringLiteral("歯医者"));
    f.window()->mnuToolItem[1]->trigger();
    f.prompter.inputs.enqueue(QStringLiteral("8"));
    f.window()->calculator->cmdTax->click();
    f.prompter.answers.enqueue(Prompter::Answer::No); // leave without saving the ledger
    QVERIFY(f.window()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!f.window()->calendar && !f.window()->calculator);
    QVERIFY(TextFile::decode(f.home.readBytes(QStringLiteral("2026.zbm"))).endsWith(QStringLiteral("\r\n\r\n03/20歯医者\r\n")));
    QCOMPARE(ReadSetting(kAppName, QStringLiteral("Options"), QStringLiteral("consumetax"), QStringLiteral("-")), QStringLiteral("8"));
}

QTEST_MAIN(TestTools)
#include "test_tools.moc"
