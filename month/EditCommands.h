#pragma once

#include <QObject>
#include <QString>

class LedgerModel;
class MonthViews;
class QAction;
class QMenu;
class QWidget;
class frmData;

// The edit menu 編集(&E) of the main window, its twin popup on both month
// lists, the double-clicks on the lists and the toolbar's edit buttons. All
// lead to mnuEditItem: add and change through the entry dialog, delete, the
// totals of the selected entry's day, and the category editor. On the lists
// Enter acts as the double-click, Insert adds and Delete deletes.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(LedgerModel& model, MonthViews& views, QWidget* owner);

    QMenu* mnuEdit = nullptr;
    // Menu items by index: 0 データ追加, 1 データ内容変更, 2 データ削除,
    // 3 separator, 4 the day's totals, 5 separator, 6 費目・摘要項目 編集.
    QAction* mnuEditItems[7] = {};
    QAction* tbrAdd = nullptr;    // toolbar button 11
    QAction* tbrChange = nullptr; // toolbar button 12
    QAction* tbrDelete = nullptr; // toolbar button 13
    QAction* tbrCategories = nullptr; // toolbar button 15
    // The entry dialog, loaded on first use and hidden between uses.
    frmData* dataDialog();

    void mnuEditItem(int index);
    // Menu opening (also before the popup): enabled items and the caption
    // of the day's totals.
    void mnuEdit_Open();
    // Opens the entry dialog in add mode on a given "mm/dd" date.
    void addEntryOn(const QString& date);

signals:
    // 費目・摘要項目 編集: the category editor is the main window's to open.
    void categoriesRequested();

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
