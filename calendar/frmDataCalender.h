#pragma once

#include "calendar/MonthGrid.h"

#include <QDate>
#include <QDialog>
#include <QString>

class LedgerModel;
class MonthGridView;
class QLabel;
class QPushButton;
class QToolButton;

// The date picker under the entry dialog's date field: one month of the
// ledger's year, paged within that year only. It closes on a chosen day, on
// 今日, on Esc, or when the pointer leaves it. By keyboard the arrows move
// the highlight by a day or a week, PgUp/PgDn by a month, Home/End to the
// month's ends, and Enter (or Space) picks the highlighted day.
//
//     frmDataCalender picker(model, this);
//     picker.move(x, y);
//     picker.chosenMonth = QString::number(month);
//     picker.SetDate(QDate(model.curYear(), month, day));
//     picker.RemakeCalender();
//     if (picker.exec() == QDialog::Accepted)
//         txtDate->setText(picker.pickedDate());
class frmDataCalender : public QDialog {
    Q_OBJECT
public:
    explicit frmDataCalender(LedgerModel& model, QWidget* parent = nullptr);

    int year = 0;
    int month = 1;
    int day = 0;
    QString chosenMonth; // month number of the opening date; its day is highlighted only there
    int pmonth = -1;
    int nmonth = 42;
    int selectedCell = -1;

    QLabel* lblMonth = nullptr;
    MonthGridView* grid = nullptr; // holds lblWeek0..6 and lblDay0..41
    QToolButton* hsrDown = nullptr;
    QToolButton* hsrUp = nullptr;
    QPushButton* cmdToday = nullptr;

    void SetDate(const QDate& date);
    QString GetDate() const; // "mm/dd"
    void RemakeCalender();

    // "mm/dd" of the chosen day or of 今日; empty when the picker closed without a choice.
    QString pickedDate() const { return picked_; }

    // The cells and the month buttons; outside it the picker watches for the pointer leaving.
    QRect controlsRect() const;

    static QColor highlightColor() { return QColor(0, 255, 0); }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

public slots:
    void done(int r) override;

private:
    void hsrDown_Click();
    void hsrUp_Click();
    void cmdToday_Click();
    void lblDay_MouseMove(int i);
    void lblDay_Click(int i);
    QString memoKey(int i) const;
    // The day the keys start from: the highlighted day of the shown month,
    // else the picker's day as far as the month has it.
    int cursorDay() const;
    void moveCursor(const QDate& to);

    LedgerModel& model_;
    MonthGrid shown_;
    QString picked_;
};
