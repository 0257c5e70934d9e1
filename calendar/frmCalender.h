#pragma once

#include "calendar/MonthGrid.h"

#include <QMainWindow>
#include <QString>

class LedgerModel;
class MonthGridView;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolButton;

// The calendar window カレンダー: a month of the years 100 to 9999 with a
// one-line memo per day, kept per year in yyyy.zbm. A small always-on-top
// tool window, one instance. With the link option on (linkCalendar) it and
// the main window's month tabs follow each other within the loaded year; it
// never changes the ledger's year. It speaks to the main window only through
// its signals and FollowMainWindow().
class frmCalender : public QMainWindow {
    Q_OBJECT
public:
    explicit frmCalender(LedgerModel& model, QWidget* parent = nullptr);

    static QColor markColor() { return QColor(255, 255, 0); }

    int year = 0;
    int month = 1;
    int pmonth = -1;
    int nmonth = 42;
    int nowpos = -1; // the marked (yellow) cell, -1 for none
    // Who asked for the refill under way: "from main" (the main window's
    // month tab), "from sub" (the calendar's own commands) or empty. It
    // keeps a month change from bouncing between the two windows.
    QString tag;

    QLabel* lblYearMonth = nullptr;
    MonthGridView* grid = nullptr; // lblWeek0..6, lblDay0..41
    QToolButton* hsrDown = nullptr;
    QToolButton* hsrUp = nullptr;
    QStatusBar* sbrMemo = nullptr;
    QLabel* sbrMemoPanel[2] = {}; // the marked day, its memo
    QAction* mnuExit = nullptr;
    QMenu* mnuJump = nullptr;
    QAction* mnuJumpItem[3] = {}; // 今日, separator, 年月指定
    QMenu* mnuOpt = nullptr;
    QAction* mnuOptItem[1] = {};
    QMenu* mnuRight = nullptr;    // the right-click pop-up, never in the menu bar
    QAction* mnuRightItem[4] = {}; // 家計簿データの追加, separator, メモの追加/変更, メモの削除

    void RemakeCalender();
    // The main window's month tab changed while the link is on.
    void FollowMainWindow();
    // The link option (here or in the main window): caption and menus.
    bool linkCalendar() const { return linkCalendar_; }
    void showLink(bool on);
    // Closes as the main window unloads: memos are saved, nothing is asked.
    void closeWithMainWindow();

    // The ledger's entries changed: the marks follow once the event loop runs.
    void entriesChanged();

    void hsrDown_Click();
    void hsrUp_Click();
    void lblDay_Click(int i);
    void lblDay_MouseMove(int i);
    void mnuJumpItem_Click(int index);
    void mnuOptItem_Click();
    // Sets up the pop-up for the marked day; false when the marked cell is
    // no day of the shown month (no pop-up then).
    bool prepareRightMenu();
    void mnuRightItem_Click(int index);

    // "mm/dd" of the day in cell i (a neighbouring month's day names its own
    // month), empty for an empty cell or a day of another year.
    QString memoKey(int i) const;

signals:
    // Select the main window's tab of this month (the link, same year only).
    void monthChosen(int month);
    // Select the first entry row of this day of the shown month.
    void daySelected(int day);
    // Open the entry dialog in add mode on this "mm/dd".
    void addEntryRequested(const QString& date);
    // Today's memo was added, changed (text) or deleted (empty).
    void todayMemoChanged(const QString& text);
    // The link option was switched here.
    void linkCalendarToggled(bool on);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void markCell(int i);
    void showMemoOf(int i);
    void elideMemo();
    // Tooltips and marks of the days of the shown month.
    void setCellTips();
    void popupAt(int i, bool byKeyboard = false);
    void stepMonth(int by);
    void askYearMonth();
    // Leaves the shown year for another: its memos are saved first. False,
    // changing nothing, when they could not be saved and the user keeps them.
    bool ChangeYear(int newYear);
    void loadMemos(int y);
    // Writes the memos of the shown year when they changed since they were
    // read; asks before discarding them when that fails (askOnFailure).
    bool saveMemos(bool askOnFailure);
    void editMemo();
    void deleteMemo();
    bool isToday(const QString& key) const;

    LedgerModel& model_;
    MonthGrid shown_;
    bool marked_ = false;        // nowpos is shown yellow
    bool linkCalendar_ = false;
    bool memosChanged_ = false;  // memoList differs from the year's file
    bool memosUnreadable_ = false; // the year's file exists but could not be read
    bool closingWithMain_ = false;
    bool marksPending_ = false;
    QString rightKey_;           // the day the pop-up was opened on
};
