#pragma once

#include "calendar/MonthGrid.h"

#include <QColor>
#include <QSize>
#include <QWidget>
#include <array>

class QLabel;

// How a window draws its month grid. An invalid colour means the window's
// default.
struct MonthGridStyle {
    QColor dayColor;        // days of the shown month
    QColor holidayColor;    // Sundays and national holidays of the shown month
    int dayPoint = 10;
    QColor otherColor;      // days of the previous and next month
    int otherPoint = 8;
    QColor cellBackground;  // the unmarked cell
    QColor headerBackground;
    QColor headerColor;     // 月 to 金
    QColor sundayColor;     // 日
    QColor saturdayColor;   // 土
    int headerPoint = 9;
    bool headerBold = false;
    int headerHeight = 18;
    QSize cellSize;         // one cell; a pixel of gap is left between cells

    static MonthGridStyle datePicker();
    static MonthGridStyle calendarWindow();
};

// The weekday header row and the 42 day cells, as labels lblWeek0..6 and
// lblDay0..41. Sundays and holidays of the shown month are red, a
// holiday's name is its cell's tooltip. It only shows what it is given;
// the windows decide what a hover or click on a cell means.
class MonthGridView : public QWidget {
    Q_OBJECT
public:
    explicit MonthGridView(const MonthGridStyle& style, QWidget* parent = nullptr);

    std::array<QLabel*, MonthGrid::CellCount> lblDay {};
    std::array<QLabel*, 7> lblWeek {};

    // Texts, colours, sizes and holiday tooltips of all cells; backgrounds
    // and marks stay as they are.
    void fill(const MonthGrid& grid);

    void setCellBackground(int i, const QColor& color);
    void resetCell(int i); // unmarked background, the day's own text colour
    // The cell's tooltip: its holiday's name, then the note (a memo).
    void setCellNote(int i, const QString& note);
    // A memo mark in the top right corner, a quieter dot for entries.
    void setCellMarks(int i, bool memo, bool entries);
    bool hasMemoMark(int i) const;
    bool hasEntryMark(int i) const;

    const MonthGridStyle& style() const { return style_; }

signals:
    void cellHovered(int i);
    void cellClicked(int i);
    void cellRightClicked(int i);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MonthGridStyle style_;
    std::array<QColor, MonthGrid::CellCount> textColor_;
    std::array<QString, MonthGrid::CellCount> holiday_;
};
