#pragma once

#include "month/MonthList.h"
#include "month/MonthListModel.h"

#include <QObject>
#include <optional>

class LedgerModel;
class QLabel;
class QStackedWidget;
class QStatusBar;
class QTabBar;
class QTreeView;
class QEvent;
class QWidget;

// The centre of the main window: the month tabs, the entry list lvwMonth and
// the summary list lvwMonthC in one rectangle, and the status bar. It
// rebuilds the lists from the month slots and keeps the balances. Its
// commands (the summaries, the carry-overs) are slots; the main window puts
// them into its menus and toolbar.
class MonthViews : public QObject {
    Q_OBJECT
public:
    MonthViews(LedgerModel& model, QWidget* owner);

    LedgerModel& model() const { return *model_; }

    // Widgets; the main window places `centre` and `sbrStatus`.
    QWidget* centre = nullptr;           // tab strip with the two lists
    QTabBar* tabMonth = nullptr;         // tabs "1 月" … "12月"
    QStackedWidget* listStack = nullptr; // both lists, one in front
    MonthList* lvwMonth = nullptr;
    MonthList* lvwMonthC = nullptr;
    MonthListModel* monthRows = nullptr;   // rows of lvwMonth
    MonthListModel* summaryRows = nullptr; // rows of lvwMonthC
    QStatusBar* sbrStatus = nullptr;
    QLabel* statusPanel[7] = {};           // panels 1..7 are statusPanel[0..6]

    void RefreshMonthView();
    void ShowCompress();
    void ShowDaySummary();
    void ShowCategorySummary();
    // Fills the 残高 column of list; for the entry list also the status bar
    // and the totals record of curMonth.
    void UpdateBalances(MonthListModel* list);

    // Which list is in front: 0 the entry list, 1 the day summary, 2 the
    // category summary; announced by summaryModeChanged().
    int summaryMode() const { return summaryMode_; }
    void setSummaryMode(int mode);
    // The day or category summary (1, 2) switched on or off, as its toggle
    // does: off brings the entry list back.
    void toggleSummary(int mode, bool on);
    // Selects tab `month` as a user click would (RefreshMonthView follows).
    void selectMonth(int month);

    // Font size in points of the entry list, and of both lists when
    // alsoSummary (the summary list keeps its own size until the user
    // changes it). Column widths follow the font.
    void setListFontSize(int points, bool alsoSummary);
    int listFontSize() const;

    // The carry-over commands: the input box on row 1 (January, manual
    // carry-over) and the automatic/manual switch of status panel 2.
    void CarryOverInput();
    void SwitchCarryOverMode();
    // The previous year's carry-over in a message box.
    void showPrevCarryOver();

    // The row of lvwMonth showing the shown month's entry with that id, or -1.
    int rowOfEntry(EntryId id) const;
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
    // curMonth changed by a tab click after loading; emitted before the
    // month is rebuilt (a linked calendar follows).
    void monthTabClicked(int month);
    // The list font size changed (Options).
    void listsRebuilt();
    void summaryModeChanged(int mode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets(QWidget* owner);
    void buildStatusBar(QWidget* owner);
    void onTabChanged(int index);
    void frontList(QTreeView* list);
    void updateClock();
    // Asks for the carry-over: a value the year can hold, or nothing.
    std::optional<qint32> askCarryOver(const QString& defaultText);
    void fitColumns(MonthList* list);

    // Following the model: an entry of the shown month came, went or
    // changed; a change before the shown month moves its balance brought
    // forward.
    void followModel();
    void onEntryInserted(int month, EntryId id);
    void onEntryRemoved(int month, EntryId id);
    void onEntryReplaced(int month, EntryId id);
    void onEntriesChanged(int month);
    // Row 1 and the balances from the carry-over and the months before.
    void ShowBroughtForward();
    // The balances and the summary in front after a change of the shown month.
    void monthRowsChanged();
    qint64 broughtForward() const;
    // rowOfEntry, trying the row `likely` first.
    int rowOfEntry(EntryId id, int likely) const;
    MonthRow entryRowOf(const Entry& e) const;

    LedgerModel* model_;
    int summaryMode_ = 0;
};
