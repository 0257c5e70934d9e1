#include "calendar/MonthGridView.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

const char* const WeekNames[7] = {"日", "月", "火", "水", "木", "金", "土"};

// A day cell: the label with its two marks drawn over it.
class DayCell : public QLabel {
public:
    using QLabel::QLabel;
    bool memo = false;
    bool entries = false;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!memo && !entries)
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        if (memo) {
            // A folded corner, as on a note.
            const int s = std::max(6, height() / 3);
            const QPoint tr = rect().topRight() + QPoint(1, 0);
            p.setBrush(QColor(230, 110, 0));
            p.drawPolygon(QPolygon({tr, tr - QPoint(s, 0), tr + QPoint(0, s)}));
        }
        if (entries) {
            // In the corner below, clear of the day's number.
            const double r = std::max(1.5, height() / 12.0);
            p.setBrush(QColor(120, 130, 160));
            p.drawEllipse(QPointF(width() - r - 3, height() - r - 3), r, r);
        }
    }
};

DayCell* dayCell(QLabel* l) { return static_cast<DayCell*>(l); }

// Unchanged colours are left alone: every palette change makes the label
// resolve its palette again and repaint.
void setColor(QWidget* w, QPalette::ColorRole role, const QColor& c)
{
    if (!c.isValid() || w->palette().color(role) == c)
        return;
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}

void setPoint(QWidget* w, int point)
{
    QFont f = w->font();
    if (f.pointSize() != point) {
        f.setPointSize(point);
        w->setFont(f);
    }
}

} // namespace

MonthGridStyle MonthGridStyle::datePicker()
{
    MonthGridStyle s;
    s.dayColor = Qt::black;
    s.holidayColor = QColor(220, 0, 0);
    s.dayPoint = 10;
    s.otherColor = QColor(125, 125, 125);
    s.otherPoint = 8;
    s.cellBackground = Qt::white;
    s.sundayColor = Qt::red;
    s.saturdayColor = Qt::blue;
    s.cellSize = QSize(26, 20);
    return s;
}

MonthGridStyle MonthGridStyle::calendarWindow()
{
    MonthGridStyle s;
    s.dayColor = Qt::black;
    s.holidayColor = QColor(220, 0, 0);
    s.dayPoint = 11;
    s.otherColor = QColor(0, 0, 255);
    s.otherPoint = 9;
    s.cellBackground = Qt::white;
    // Dark enough for white, and for the lighter red and blue of the
    // weekend names to read on it.
    s.headerBackground = QColor(64, 64, 64);
    s.headerColor = Qt::white;
    s.sundayColor = QColor(255, 130, 130);
    s.saturdayColor = QColor(140, 180, 255);
    s.headerPoint = 10;
    s.headerBold = true;
    s.headerHeight = 22;
    s.cellSize = QSize(32, 24);
    return s;
}

MonthGridView::MonthGridView(const MonthGridStyle& style, QWidget* parent)
    : QWidget(parent)
    , style_(style)
{
    // Moves over the headers and the gaps between cells pass on to the
    // window, which watches the pointer outside the cells.
    setMouseTracking(true);
    const int pitchW = style_.cellSize.width() + 1;
    const int pitchH = style_.cellSize.height() + 1;

    for (int c = 0; c < 7; ++c) {
        auto* l = new QLabel(QString::fromUtf8(WeekNames[c]), this);
        l->setObjectName(QStringLiteral("lblWeek%1").arg(c));
        l->setAlignment(Qt::AlignCenter);
        l->setMouseTracking(true);
        l->setGeometry(c * pitchW, 0, style_.cellSize.width(), style_.headerHeight);
        QFont f = l->font();
        f.setPointSize(style_.headerPoint);
        f.setBold(style_.headerBold);
        l->setFont(f);
        if (style_.headerBackground.isValid()) {
            l->setAutoFillBackground(true);
            setColor(l, QPalette::Window, style_.headerBackground);
        }
        setColor(l, QPalette::WindowText,
                 c == 0 ? style_.sundayColor : c == 6 ? style_.saturdayColor : style_.headerColor);
        lblWeek[c] = l;
    }

    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        auto* l = new DayCell(this);
        l->setObjectName(QStringLiteral("lblDay%1").arg(i));
        l->setAlignment(Qt::AlignCenter);
        l->setMouseTracking(true);
        l->setAutoFillBackground(true);
        l->setGeometry((i % 7) * pitchW, style_.headerHeight + 1 + (i / 7) * pitchH,
                       style_.cellSize.width(), style_.cellSize.height());
        setColor(l, QPalette::Window, style_.cellBackground);
        textColor_[i] = l->palette().color(QPalette::WindowText);
        l->installEventFilter(this);
        lblDay[i] = l;
    }
    setFixedSize(7 * pitchW - 1, style_.headerHeight + 1 + 6 * pitchH - 1);
}

void MonthGridView::fill(const MonthGrid& grid)
{
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        const MonthGrid::Cell& cell = grid.cells[i];
        QLabel* l = lblDay[i];
        l->setText(cell.text);
        const bool red = cell.inMonth && (i % 7 == 0 || !cell.holiday.isEmpty());
        textColor_[i] = !cell.inMonth ? style_.otherColor : red && style_.holidayColor.isValid() ? style_.holidayColor
                                                                                                 : style_.dayColor;
        setColor(l, QPalette::WindowText, textColor_[i]);
        setPoint(l, cell.inMonth ? style_.dayPoint : style_.otherPoint);
        // Notes belong to the month filled before.
        holiday_[i] = cell.holiday;
        if (l->toolTip() != cell.holiday)
            l->setToolTip(cell.holiday);
    }
}

void MonthGridView::setCellBackground(int i, const QColor& color)
{
    if (i >= 0 && i < MonthGrid::CellCount)
        setColor(lblDay[i], QPalette::Window, color);
}

void MonthGridView::resetCell(int i)
{
    if (i < 0 || i >= MonthGrid::CellCount)
        return;
    setCellBackground(i, style_.cellBackground);
    setColor(lblDay[i], QPalette::WindowText, textColor_[i]);
}

void MonthGridView::setCellNote(int i, const QString& note)
{
    if (i < 0 || i >= MonthGrid::CellCount)
        return;
    const QString& holiday = holiday_[i];
    const QString tip = holiday.isEmpty() || note.isEmpty() ? holiday + note : holiday + QLatin1Char('\n') + note;
    if (lblDay[i]->toolTip() != tip)
        lblDay[i]->setToolTip(tip);
}

void MonthGridView::setCellMarks(int i, bool memo, bool entries)
{
    if (i < 0 || i >= MonthGrid::CellCount)
        return;
    DayCell* cell = dayCell(lblDay[i]);
    if (cell->memo != memo || cell->entries != entries) {
        cell->memo = memo;
        cell->entries = entries;
        cell->update();
    }
}

bool MonthGridView::hasMemoMark(int i) const { return dayCell(lblDay[i])->memo; }

bool MonthGridView::hasEntryMark(int i) const { return dayCell(lblDay[i])->entries; }

bool MonthGridView::eventFilter(QObject* watched, QEvent* event)
{
    const auto it = std::find(lblDay.begin(), lblDay.end(), watched);
    if (it == lblDay.end())
        return QWidget::eventFilter(watched, event);
    const int i = int(it - lblDay.begin());

    switch (event->type()) {
    case QEvent::MouseMove:
        emit cellHovered(i);
        return true;
    case QEvent::MouseButtonPress:
        return true;
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (!lblDay[i]->rect().contains(me->position().toPoint()))
            return true;
        if (me->button() == Qt::LeftButton)
            emit cellClicked(i);
        else if (me->button() == Qt::RightButton)
            emit cellRightClicked(i);
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}
