#include "MonthGridView.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

const char* const WeekNames[7] = {"日", "月", "火", "水", "木", "金", "土"};

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
    s.dayPoint = 11;
    s.otherColor = QColor(0, 0, 255);
    s.otherPoint = 9;
    s.cellBackground = Qt::white;
    s.headerBackground = QColor(128, 128, 128);
    s.headerColor = Qt::white;
    s.sundayColor = Qt::red;
    s.saturdayColor = Qt::blue;
    s.headerHeight = 20;
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
        setPoint(l, style_.headerPoint);
        if (style_.headerBackground.isValid()) {
            l->setAutoFillBackground(true);
            setColor(l, QPalette::Window, style_.headerBackground);
        }
        setColor(l, QPalette::WindowText,
                 c == 0 ? style_.sundayColor : c == 6 ? style_.saturdayColor : style_.headerColor);
        lblWeek[c] = l;
    }

    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("lblDay%1").arg(i));
        l->setAlignment(Qt::AlignCenter);
        l->setMouseTracking(true);
        l->setAutoFillBackground(true);
        l->setGeometry((i % 7) * pitchW, style_.headerHeight + 1 + (i / 7) * pitchH,
                       style_.cellSize.width(), style_.cellSize.height());
        setColor(l, QPalette::Window, style_.cellBackground);
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
        setColor(l, QPalette::WindowText, cell.inMonth ? style_.dayColor : style_.otherColor);
        setPoint(l, cell.inMonth ? style_.dayPoint : style_.otherPoint);
    }
}

void MonthGridView::setCellBackground(int i, const QColor& color)
{
    if (i >= 0 && i < MonthGrid::CellCount)
        setColor(lblDay[i], QPalette::Window, color);
}

void MonthGridView::setCellTextColor(int i, const QColor& color)
{
    if (i >= 0 && i < MonthGrid::CellCount)
        setColor(lblDay[i], QPalette::WindowText, color);
}

void MonthGridView::resetCell(int i)
{
    setCellBackground(i, style_.cellBackground);
    setCellTextColor(i, Qt::black);
}

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
