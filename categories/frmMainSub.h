#pragma once

#include "categories/MasterSnapshot.h"

#include <QDialog>
#include <QSet>

class ColourSwatch;
class LedgerModel;
class NumberedNames;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTreeView;

// The category editor 費目・摘要項目 編集. It works on the categories of the
// model directly; OK writes the master and reads it back, every other way of
// closing puts the master back as it was when the window opened and reads
// that.
class frmMainSub : public QDialog {
    Q_OBJECT
public:
    explicit frmMainSub(LedgerModel& model, QWidget* parent = nullptr);
    ~frmMainSub() override;

    // What OK confirmed as deleted: category numbers, and sub-items as
    // category * 100 + sub-item number.
    struct Deleted {
        QSet<int> categories;
        QSet<int> subItems;
    };
    // Opens the editor modally over parent; false when it could not open.
    // After OK, `deleted` (when given) holds what was deleted.
    static bool Run(LedgerModel& model, QWidget* parent, Deleted* deleted = nullptr);

    QLabel* lblList = nullptr; // "費目リスト"
    QTreeView* lvwMain = nullptr;
    NumberedNames* mainRows = nullptr;
    QLabel* lblMainNo = nullptr;
    QLineEdit* txtMain = nullptr;
    QRadioButton* optOut = nullptr;
    QRadioButton* optIn = nullptr;
    ColourSwatch* lblMain = nullptr;
    QLineEdit* txtLimit = nullptr;
    QLabel* lblNewHelp = nullptr;
    QLabel* lblChangeHelp = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdChange = nullptr;
    QGroupBox* picDummy = nullptr;
    QTreeView* lvwSub = nullptr;
    NumberedNames* subRows = nullptr;
    QLabel* lblSubNo = nullptr;
    QLineEdit* txtSub = nullptr;
    QPushButton* cmdAddsub = nullptr;
    QPushButton* cmdChangesub = nullptr;
    QPushButton* cmdDelsub = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditItems[3] = {};

    // Fills the list, shows the first category and takes the snapshot of
    // the master. False, after telling the user, when no snapshot could be
    // taken: the window must not open then.
    bool Form_Load();

    void lvwMain_Click(int row);
    void lvwSub_Click(int row);
    // Pops mnuEdit up at a global position; 削除 only with a row selected.
    void popupEditMenu(const QPoint& at, bool onRow);
    void mnuEditItem(int index);
    void ClearCategoryFields();
    void lblMain_Click();

    // mode 0 add, 1 change. False, after the message, at the first failure.
    bool ValidateCategory(int mode);
    void cmdNew_Click();
    void cmdChange_Click();
    void DeleteCategory();
    void cmdAddsub_Click();
    void cmdChangesub_Click();
    void cmdDelsub_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The selected row of lvwMain or lvwSub, or -1.
    int selectedMainRow() const;
    int selectedSubRow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Esc and the window frame discard the edits as Cancel does.
    void reject() override;
    void done(int result) override;

private:
    void buildWidgets();
    void buildLayout();
    void buildEditMenu();
    // The name fields as they will be stored: spaces at the ends dropped.
    QString mainName() const;
    QString subName() const;
    // False, after the message, when a name cannot be stored in the master.
    bool acceptableName(const QString& name, bool isCategory);
    // False, after naming the category that has it, when another category
    // than the one numbered ownNo shows this colour.
    bool colourIsFree(quint32 colour, const QString& ownNo);
    void selectOnly(QTreeView* list, int row);
    void showSubRows(const QString& categoryNo);

    LedgerModel& model_;
    MasterSnapshot snapshot_;
    // Numbers of the categories deleted while the window is open: their
    // entries leave the open year on OK.
    QSet<int> deleted_;
    QSet<int> deletedSubs_; // category * 100 + sub-item
    // Set while the lists are filled by the program, so that the current-row
    // signal does not act as a click.
    bool filling_ = false;
    int shownMainRow_ = -1;
    bool closed_ = false;
};
