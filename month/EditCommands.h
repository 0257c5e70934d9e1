#pragma once

#include <QObject>
#include <QString>

class LedgerModel;
class MonthViews;
class QPoint;
class QWidget;
class frmData;

// The edit commands on the entry list of the month views: add and change
// through the entry dialog, delete, the totals of the selected entry's day,
// and the category editor, by the edit menu's item index. The main window
// puts them into its edit menu, toolbar and the lists' popup; here the lists
// themselves lead to them: a double-click or Enter adds or changes, Insert
// adds, Delete deletes, the right button asks for the popup.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(LedgerModel& model, MonthViews& views, QWidget* owner);

    // The entry dialog, loaded on first use and hidden between uses.
    frmData* dataDialog();

    // 0 データ追加, 1 データ内容変更, 2 データ削除, 4 the day's totals,
    // 6 費目・摘要項目 編集.
    void mnuEditItem(int index);
    // Whether an entry row of the entry list is selected (with the entry
    // list in front): change, delete and the day's totals need one.
    bool entrySelected() const;
    // "4月12日の収支状況" for the selected entry's day; empty with none.
    QString dayTotalsCaption() const;
    // Opens the entry dialog in add mode on a given "mm/dd" date.
    void addEntryOn(const QString& date);

signals:
    // 費目・摘要項目 編集: the category editor is the main window's to open.
    void categoriesRequested();
    // The right button on a list, the row under it selected: the edit
    // popup belongs at this global position.
    void popupRequested(const QPoint& at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addEntry();
    void changeEntry();
    void deleteEntry();
    void dayTotals();
    // Enter, Insert and Delete on a list; false for other keys.
    bool listKey(bool summaryList, int key);
    void listActivated(bool summaryList);
    void showDialog();
    void placeBesideSelection(QWidget* dialog) const;
    // The selected entry row of lvwMonth, or -1 (the carry-over row is no entry).
    int selectedEntryRow() const;
    QString dayCaption(int row) const;

    LedgerModel& model_;
    MonthViews& views_;
    QWidget* owner_;
    frmData* dataDialog_ = nullptr;
};
