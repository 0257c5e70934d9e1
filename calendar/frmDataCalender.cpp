#include "calendar/frmDataCalender.h"

#include "ledger/Clock.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "calendar/MonthGridView.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

namespace {
// The margin around the controls is where the pointer is seen leaving.
constexpr int Margin = 8;
constexpr int CaptionHeight = 22;
constexpr int ButtonHeight = 22;
constexpr int Gap = 4;
} // namespace

frmDataCalender::frmDataCalender(LedgerModel& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , model_(model)
{
    setObjectName(QStringLiteral("frmDataCalender"));
    setModal(true);
    setMouseTracking(true);

    grid = new MonthGridView(MonthGridStyle::datePicker(), this);
    grid->setObjectName(QStringLiteral("grid"));
    const int gridW = grid->width();

    lblMonth = new QLabel(QStringLiteral("yyyy年mm月"), this);
    lblMonth->setObjectName(QStringLiteral("lblMonth"));
    lblMonth->setAlignment(Qt::AlignCenter);
    lblMonth->setMouseTracking(true);
    lblMonth->setGeometry(Margin, Margin, gridW, CaptionHeight);

    grid->move(Margin, Margin + CaptionHeight);

    const int buttonTop = grid->geometry().bottom() + 1 + Gap;
    hsrDown = new QToolButton(this);
    hsrDown->setObjectName(QStringLiteral("hsrDown"));
    hsrDown->setArrowType(Qt::LeftArrow);
    hsrDown->setGeometry(Margin, buttonTop, 36, ButtonHeight);

    hsrUp = new QToolButton(this);
    hsrUp->setObjectName(QStringLiteral("hsrUp"));
    hsrUp->setArrowType(Qt::RightArrow);
    hsrUp->setGeometry(Margin + gridW - 36, buttonTop, 36, ButtonHeight);

    cmdToday = new QPushButton(QStringLiteral("今日"), this);
    cmdToday->setObjectName(QStringLiteral("cmdToday"));
    cmdToday->setAutoDefault(false);
    cmdToday->setGeometry(Margin + (gridW - 64) / 2, buttonTop, 64, ButtonHeight);

    // Keys other than Esc do nothing, so no button may take the focus.
    for (QWidget* b : {static_cast<QWidget*>(hsrDown), static_cast<QWidget*>(hsrUp), static_cast<QWidget*>(cmdToday)})
        b->setFocusPolicy(Qt::NoFocus);

    setFixedSize(gridW + 2 * Margin, buttonTop + ButtonHeight + Margin);

    connect(hsrDown, &QToolButton::clicked, this, &frmDataCalender::hsrDown_Click);
    connect(hsrUp, &QToolButton::clicked, this, &frmDataCalender::hsrUp_Click);
    connect(cmdToday, &QPushButton::clicked, this, &frmDataCalender::cmdToday_Click);
    connect(grid, &MonthGridView::cellHovered, this, &frmDataCalender::lblDay_MouseMove);
    connect(grid, &MonthGridView::cellClicked, this, &frmDataCalender::lblDay_Click);

    year = model_.curYear();
    month = model_.curMonth();
}

void frmDataCalender::SetDate(const QDate& date)
{
    if (!date.isValid())
        return;
    year = date.year();
    month = date.month();
    day = date.day();
}

QString frmDataCalender::GetDate() const
{
    return Fmt::zero2(month) + QLatin1Char('/') + Fmt::zero2(day);
}

void frmDataCalender::RemakeCalender()
{
    if (selectedCell >= 0)
        grid->resetCell(selectedCell);
    selectedCell = -1;

    shown_ = MonthGrid::compute(year, month);
    year = shown_.year;
    month = shown_.month;
    lblMonth->setText(shown_.caption);
    grid->fill(shown_);
    pmonth = shown_.pmonth;
    nmonth = shown_.nmonth;

    if (chosenMonth == QString::number(month) && day >= 1 && pmonth + day < nmonth) {
        selectedCell = pmonth + day;
        grid->setCellBackground(selectedCell, highlightColor());
    }
}

QRect frmDataCalender::controlsRect() const
{
    const QPoint topLeft = grid->lblDay[0]->mapTo(this, QPoint(0, 0));
    const QLabel* last = grid->lblDay[MonthGrid::CellCount - 1];
    const int right = last->mapTo(this, QPoint(last->width() - 1, 0)).x();
    const int bottom = hsrUp->geometry().bottom();
    return QRect(topLeft, QPoint(right, bottom));
}

QString frmDataCalender::memoKey(int i) const
{
    // A cell of the neighbouring month names its own month; the memos held
    // are those of one year, so days of another year have none.
    const QDate d = shown_.dateOf(i);
    if (!d.isValid() || d.year() != year)
        return {};
    return Fmt::zero2(d.month()) + QLatin1Char('/') + Fmt::zero2(d.day());
}

void frmDataCalender::lblDay_MouseMove(int i)
{
    if (i == selectedCell)
        return;
    if (selectedCell >= 0)
        grid->setCellBackground(selectedCell, grid->style().cellBackground);
    grid->setCellBackground(i, highlightColor());
    selectedCell = i;

    QString memo;
    const QString key = memoKey(i);
    if (!key.isEmpty())
        if (const auto item = model_.memoList().find(key))
            memo = item->name;
    grid->setCellNote(i, memo);
}

void frmDataCalender::lblDay_Click(int i)
{
    if (i <= pmonth) {
        hsrDown_Click();
    } else if (i >= nmonth) {
        hsrUp_Click();
    } else {
        day = shown_.dayOf(i);
        selectedCell = i;
        picked_ = GetDate();
        accept();
    }
}

void frmDataCalender::hsrDown_Click()
{
    if (month == 1)
        return;
    --month;
    RemakeCalender();
}

void frmDataCalender::hsrUp_Click()
{
    if (month == 12)
        return;
    ++month;
    RemakeCalender();
}

void frmDataCalender::cmdToday_Click()
{
    const QDate today = Clock::today();
    picked_ = Fmt::zero2(today.month()) + QLatin1Char('/') + Fmt::zero2(today.day());
    accept();
}

void frmDataCalender::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const bool inClient = p.x() >= 0 && p.y() >= 0 && p.x() <= width() && p.y() <= height();
    if (inClient && !controlsRect().contains(p)) {
        // Keep seeing the pointer after it leaves the window.
        if (mouseGrabber() != this)
            grabMouse();
        return;
    }
    releaseMouse();
    if (!inClient) {
        reject();
        return;
    }
    // Back on the controls while captured: the cell under the pointer is marked at once.
    QWidget* child = childAt(p);
    for (int i = 0; i < MonthGrid::CellCount; ++i)
        if (grid->lblDay[i] == child)
            lblDay_MouseMove(i);
}

int frmDataCalender::cursorDay() const
{
    if (selectedCell > pmonth && selectedCell < nmonth)
        return shown_.dayOf(selectedCell);
    return std::clamp(day, 1, QDate(year, month, 1).daysInMonth());
}

void frmDataCalender::moveCursor(const QDate& to)
{
    // The picker's year is the ledger's: keys stop at its ends.
    if (!to.isValid() || to.year() != year)
        return;
    month = to.month();
    day = to.day();
    chosenMonth = QString::number(month);
    RemakeCalender();
}

void frmDataCalender::keyPressEvent(QKeyEvent* event)
{
    const QDate at(year, month, cursorDay());
    switch (event->key()) {
    case Qt::Key_Escape: reject(); break;
    case Qt::Key_Left: moveCursor(at.addDays(-1)); break;
    case Qt::Key_Right: moveCursor(at.addDays(1)); break;
    case Qt::Key_Up: moveCursor(at.addDays(-7)); break;
    case Qt::Key_Down: moveCursor(at.addDays(7)); break;
    case Qt::Key_PageUp: moveCursor(at.addMonths(-1)); break;
    case Qt::Key_PageDown: moveCursor(at.addMonths(1)); break;
    case Qt::Key_Home: moveCursor(QDate(year, month, 1)); break;
    case Qt::Key_End: moveCursor(QDate(year, month, at.daysInMonth())); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: lblDay_Click(pmonth + at.day()); break;
    default: break;
    }
    event->accept();
}

void frmDataCalender::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void frmDataCalender::done(int r)
{
    releaseMouse();
    QDialog::done(r);
}
