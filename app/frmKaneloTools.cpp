// The tools menu: the calendar and the calculator, and the main window's
// side of the calendar link.
#include "app/frmKanelo.h"

#include "month/EditCommands.h"
#include "ledger/Formats.h"
#include "icons/KaneloIcons.h"
#include "ledger/LedgerModel.h"
#include "month/MonthViews.h"
#include "calculator/frmCalculator.h"
#include "calendar/frmCalender.h"

#include <QAction>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

namespace {
// A tool window opens beside the main window, below the toolbar: to its
// right where the screen has room, else to its left, at worst at the
// screen's left edge over the dates and categories of the list, never over
// the amount columns at its right. `down` is measured from the main
// window's top; a tool window already open there (`other`) is not covered.
void placeBeside(QWidget* tool, const QWidget* main, int down, const QWidget* other = nullptr)
{
    // The size it shows with: its menu bar laid out, and the title bar and
    // borders the main window has (a window not yet shown has none).
    tool->ensurePolished();
    if (tool->layout())
        tool->layout()->activate();
    tool->adjustSize();
    const QRect frame = main->frameGeometry();
    const QSize decoration = frame.size() - main->size();
    const int w = tool->width() + decoration.width(), h = tool->height() + decoration.height();
    const QRect area = main->screen() ? main->screen()->availableGeometry() : QRect(frame.topLeft(), QSize(1 << 20, 1 << 20));
    const int gap = 4;
    int x = frame.right() + 1 + gap;
    if (x + w - 1 > area.right())
        x = std::max(area.left(), frame.left() - gap - w);
    const int y = std::clamp(frame.top() + down, area.top(), std::max(area.top(), area.bottom() - h + 1));
    if (other && other->isVisible() && other->frameGeometry().intersects(QRect(x, y, w, h)))
        x = std::min(other->frameGeometry().right() + 1 + gap, std::max(area.left(), area.right() - w + 1));
    tool->move(x, y);
}

// Where the calendar opens, and the calculator under it.
constexpr int kCalendarTop = 90;
constexpr int kCalculatorTop = 380;

void bringUp(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
}
}

void frmKanelo::buildToolMenu()
{
    mnuTool = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    mnuTool->setObjectName(QStringLiteral("mnuTool"));
    mnuToolItem[0] = mnuTool->addAction(QStringLiteral("カレンダー(&C)"), this, &frmKanelo::ShowCalendar);
    mnuToolItem[0]->setObjectName(QStringLiteral("mnuToolItem0"));
    mnuToolItem[1] = mnuTool->addAction(QStringLiteral("電卓(&K)"), this, &frmKanelo::ShowCalculator);
    mnuToolItem[1]->setObjectName(QStringLiteral("mnuToolItem1"));
}

void frmKanelo::addToolButtons()
{
    tbrCalendar = tbrToolBar->addAction(kaneloIcon(QLatin1StringView("calendar")), QStringLiteral("カレンダー"),
                                        mnuToolItem[0], &QAction::trigger);
    tbrCalendar->setObjectName(QStringLiteral("tbrCalendar"));
    tbrCalculator = tbrToolBar->addAction(kaneloIcon(QLatin1StringView("calculator")), QStringLiteral("電卓"),
                                          mnuToolItem[1], &QAction::trigger);
    tbrCalculator->setObjectName(QStringLiteral("tbrCalculator"));
}

void frmKanelo::ShowCalendar()
{
    if (!calendar) {
        calendar = new frmCalender(*model_, this);
        calendar->setAttribute(Qt::WA_DeleteOnClose);
        calendar->showLink(linkCalendar);
        connect(calendar, &frmCalender::monthChosen, views, &MonthViews::selectMonth);
        connect(calendar, &frmCalender::daySelected, this, &frmKanelo::SelectDayRow);
        connect(calendar, &frmCalender::addEntryRequested, edit, &EditCommands::addEntryOn);
        connect(calendar, &frmCalender::todayMemoChanged, this, &frmKanelo::ShowTodayMemo);
        connect(views, &MonthViews::monthTabClicked, calendar, [this] {
            if (linkCalendar)
                calendar->FollowMainWindow();
        });
        connect(this, &frmKanelo::linkCalendarChanged, calendar, &frmCalender::showLink);
        connect(calendar, &frmCalender::linkCalendarToggled, this, [this](bool on) {
            linkCalendar = on;
            mnuEnvSubItem[0]->setChecked(on);
        });
        connect(this, &frmKanelo::unloading, calendar, &frmCalender::closeWithMainWindow);
        placeBeside(calendar, this, kCalendarTop);
    }
    bringUp(calendar);
}

void frmKanelo::ShowCalculator()
{
    if (!calculator) {
        calculator = new frmCalculator(model_->prompter(), this);
        calculator->setAttribute(Qt::WA_DeleteOnClose);
        // Closed with the main window; the rate was stored as it changed.
        connect(this, &frmKanelo::unloading, calculator, &QWidget::close);
        // Below the calendar's place, so that both can be open at once.
        placeBeside(calculator, this, kCalculatorTop, calendar);
    }
    bringUp(calculator);
}

void frmKanelo::SelectDayRow(int day)
{
    const MonthListModel& rows = *views->monthRows;
    // Row 0 is the carry-over row, whatever its day.
    for (int r = 1; r < rows.count(); ++r) {
        if (rows.row(r).day == day) {
            views->selectRow(r);
            return;
        }
    }
}
