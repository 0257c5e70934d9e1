#pragma once

#include "MonthListModel.h"

#include <QObject>

class LedgerModel;
class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QStatusBar;
class QTabBar;
class QTreeView;
class QWidget;

// The centre of the main window: the month tabs, the entry list lvwMonth and
// the summary list lvwMonthC in one rectangle, the status bar and the result
// menu. It rebuilds the lists from the month slots and keeps the balances.
class MonthViews : public QObject {
    Q_OBJECT
public:
    MonthViews(LedgerModel& model, QWidget* owner);

    LedgerModel& model() const { return *model_; }

    // Widgets; the main window places `centre` and `sbrStatus`.
    QWidget* centre = nullptr;           // tab strip with the two lists
    QTabBar* tabMonth = nullptr;         // tabs "1 月" … "12月"
    QStackedWidget* listStack = nullptr; // both lists, one in front
    QTreeView* lvwMonth = nullptr;
    QTreeView* lvwMonthC = nullptr;
    MonthListModel* monthRows = nullptr;   // rows of lvwMonth
    MonthListModel* summaryRows = nullptr; // rows of lvwMonthC
    QStatusBar* sbrStatus = nullptr;
    QLabel* statusPanel[7] = {};           // panels 1..7 are statusPanel[0..6]
    QAction* tbrDaySummary = nullptr;      // toolbar toggle 20
    QAction* tbrCategorySummary = nullptr; // toolbar toggle 21
    QMenu* mnuResult = nullptr;            // 実績(&S)

    void RefreshMonthView();
    void ShowCompress();
    void ShowDaySummary();
    void ShowCategorySummary();
    // Fills the 残高 column of list; for the entry list also the status bar
    // and the totals record of curMonth.
    void UpdateBalances(MonthListModel* list);

    // Switches summaryMode (0 entry list, 1 day summary, 2 category summary)
    // as the toggles and the 集計表示 submenu do.
    void setSummaryMode(int mode);
    // Selects tab `month` as a user click would (RefreshMonthView follows).
    void selectMonth(int month);

    // The selected row of lvwMonth (0 = carry-over row), or -1.
    int selectedRow() const;
    void selectRow(int row);
    // The selected row of lvwMonthC, or -1.
    int selectedSummaryRow() const;

    // Set while the main window loads: the next tab selection is not a click.
    QString tabTag;
    // Set once the main window has finished loading.
    bool loaded = false;

signals:
    // curMonth changed by a tab click (the calendar follows when linked).
    void monthTabClicked(int month);
    // The list font size changed (Options).
    void listsRebuilt();

private:
    LedgerModel* model_;
};
