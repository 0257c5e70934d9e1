// The calendar's commands: the jump menu, the link option and the keys.
#include "calendar/frmCalender.h"

#include "ledger/Clock.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "calendar/MonthGridView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

namespace {
const QString kFromSub = QStringLiteral("from sub");

bool asciiDigits(QStringView s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
}

// ---- menus ----

void frmCalender::mnuJumpItem_Click(int index)
{
    if (index == 0) {
        const QDate today = Clock::today();
        if (today.year() != year && !ChangeYear(today.year()))
            return;
        month = today.month();
        tag = kFromSub;
        RemakeCalender();
    } else if (index == 2) {
        askYearMonth();
    }
}

void frmCalender::askYearMonth()
{
    Prompter& p = model_.prompter();
    const QString typed = p.input(QStringLiteral("表示したい年月を以下の形式で入力して下さい。\r\n\r\n  入力形式 : yyyy/mm\r\n"
                                                 "               (年は西暦4桁、1桁の月は先頭に 0 を挿入)"),
                                  QStringLiteral("表示年月変更"),
                                  QStringLiteral("%1/%2").arg(year, 4, 10, QLatin1Char('0')).arg(Fmt::zero2(month)));
    if (typed.isEmpty())
        return;
    // Digits and the slash typed in full width count as the same characters.
    const QString s = typed.normalized(QString::NormalizationForm_KC);
    const QString formatMessage = QStringLiteral("入力形式が不正です。\r\n入力形式は、[yyyy/mm] です。");
    auto refuse = [&p](const QString& text) { p.message(text, Prompter::Icon::Warning, QStringLiteral("入力データ不正")); };
    if (!s.contains(QLatin1Char('/')) || s.size() != 7)
        return refuse(formatMessage);
    if (!asciiDigits(QStringView(s).left(4)) || !asciiDigits(QStringView(s).right(2)))
        return refuse(QStringLiteral("年または月が数字以外です。"));
    const int y = s.left(4).toInt();
    const int m = s.right(2).toInt();
    if (y < MonthGrid::FirstYear)
        return refuse(QStringLiteral("西暦100年1月以前および西暦9999年12月以降のカレンダーは表示できません。"));
    if (m < 1 || m > 12)
        return refuse(formatMessage);

    if (y != year && !ChangeYear(y))
        return;
    month = m;
    tag = kFromSub;
    RemakeCalender();
}

void frmCalender::mnuOptItem_Click()
{
    showLink(!linkCalendar_);
    emit linkCalendarToggled(linkCalendar_);
    // Switched on: the ledger takes the shown month at once (same year only).
    if (linkCalendar_ && year == model_.curYear()) {
        tag = kFromSub;
        emit monthChosen(month);
        tag.clear();
    }
}

// ---- keyboard ----

void frmCalender::keyPressEvent(QKeyEvent* event)
{
    const int i = nowpos >= 0 ? nowpos : pmonth + 1;
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left: step = -1; break;
    case Qt::Key_Right: step = 1; break;
    case Qt::Key_Up: step = -7; break;
    case Qt::Key_Down: step = 7; break;
    case Qt::Key_PageUp: hsrDown_Click(); return;
    case Qt::Key_PageDown: hsrUp_Click(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (nowpos >= 0)
            lblDay_Click(nowpos);
        return;
    case Qt::Key_Escape: close(); return;
    default:
        if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)
            popupAt(nowpos, true);
        else
            QMainWindow::keyPressEvent(event);
        return;
    }
    // Within the month the marked day moves; past its ends the month pages
    // and the day on the other side is marked.
    const QDate from = shown_.dateOf(i);
    if (!marked_ || !from.isValid()) {
        markCell(std::clamp(i, pmonth + 1, nmonth - 1));
        return;
    }
    const QDate target = from.addDays(step);
    if (target.year() != year || target.month() != month) {
        const int before = year * 12 + month;
        stepMonth(target > from ? 1 : -1);
        if (year * 12 + month == before)
            return;
    }
    if (target.year() == year && target.month() == month)
        markCell(pmonth + target.day());
}

void frmCalender::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse opens the pop-up through the cell it was clicked on.
    if (event->reason() == QContextMenuEvent::Keyboard && nowpos >= 0)
        popupAt(nowpos, true);
    event->accept();
}

void frmCalender::popupAt(int i, bool byKeyboard)
{
    if (i != nowpos || !prepareRightMenu())
        return;
    const QLabel* cell = grid->lblDay[i];
    mnuRight->popup(cell->mapToGlobal(cell->rect().center()));
    // From the keyboard the first item is ready for Enter.
    if (byKeyboard)
        for (QAction* a : mnuRight->actions())
            if (a->isVisible() && a->isEnabled() && !a->isSeparator()) {
                mnuRight->setActiveAction(a);
                break;
            }
}
