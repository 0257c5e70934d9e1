// The tools menu: the calendar and the calculator, and the main window's
// side of the calendar link.
#include "frmKanelo.h"

#include "EditCommands.h"
#include "Formats.h"
#include "KaneloIcons.h"
#include "LedgerModel.h"
#include "MonthViews.h"
#include "frmCalculator.h"
#include "frmCalender.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

namespace {
// A tool window opens at the main window's right edge, below the toolbar,
// where it hides the least of the entry list; always on the screen.
void placeBeside(QWidget* tool, const QWidget* main, int down, int leftOf = 0)
{
    tool->adjustSize();
    const QRect frame = main->frameGeometry();
    QPoint at(frame.right() - leftOf - tool->frameGeometry().width() - 16, frame.top() + down);
    if (const QScreen* s = main->screen()) {
        const QRect area = s->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - tool->frameGeometry().width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - tool->frameGeometry().height())));
    }
    tool->move(at);
}

// Room left at the right edge for the calendar.
constexpr int kCalendarWidth = 270;

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
    mnuToolItem[0] = mnuTool->addAction(QStringLiteral("カレンダー"), this, &frmKanelo::ShowCalendar);
    mnuToolItem[0]->setObjectName(QStringLiteral("mnuToolItem0"));
    mnuToolItem[1] = mnuTool->addAction(QStringLiteral("電卓"), this, &frmKanelo::ShowCalculator);
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
        placeBeside(calendar, this, 90);
    }
    bringUp(calendar);
}

void frmKanelo::ShowCalculator()
{
    if (!calculator) {
        calculator = new frmCalculator(model_->prompter(), this);
        calculator->setAttribute(Qt::WA_DeleteOnClose);
        // Closed with the main window; the rate is stored only by its own 閉じる.
        connect(this, &frmKanelo::unloading, calculator, &QWidget::close);
        // Beside the calendar's place, so that both can be open at once.
        placeBeside(calculator, this, 90, kCalendarWidth);
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
