#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "ledger/Types.h"

class LedgerModel;
class MonthViews;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QKeyEvent;
class QRadioButton;
class QToolButton;

// The entry dialog. In add mode (empty tag) the user adds entries one after
// the other and may undo the last ones; in change mode (tag = the date of the
// entry) it edits the entry of one row of the entry list. Every entry goes
// through the model, which files it in its month; the month views follow.
// The dialog is hidden between uses, not destroyed.
class frmData : public QDialog {
    Q_OBJECT
public:
    frmData(LedgerModel& model, MonthViews& views, QWidget* parent = nullptr);
    ~frmData() override;

    QLabel* lblDate = nullptr;
    QLabel* lblDateFormat = nullptr;
    QLineEdit* txtDate = nullptr;
    QToolButton* cmbDate = nullptr;
    QLabel* lblMain = nullptr;
    QComboBox* cmbMain = nullptr;
    QLabel* lblSub = nullptr;
    QLineEdit* txtSub = nullptr;
    QListWidget* lstSub = nullptr;
    QGroupBox* fraMoney = nullptr;
    QRadioButton* optOut = nullptr;
    QRadioButton* optIn = nullptr;
    QLineEdit* txtMoney = nullptr;
    QLabel* lblCalc = nullptr; // the running subtotal while "+" or "-" waits for its amount
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Mode: empty = add; otherwise change mode, holding the entry's date.
    QString tag;
    // Keys of the entries added since add mode began, after one empty slot.
    QStringList addedLog;
    qint32 calcTotal = 0;
    QString calcOp;

    // Opening, as the edit commands do it. The dialog is prepared but not
    // shown; showModal() shows it.
    void prepareAdd(const QString& date);
    // entryId: the entry of the row being changed.
    void prepareChange(const QString& date, const QString& category, const QString& sub, const QString& amount,
                       EntryId entryId);
    int showModal();

    // Resets the adding machine, sets the buttons for the mode and puts the
    // focus in the category box.
    void Activate();

    bool ValidateEntry();
    // Files the typed entry into the shown month, after the entries of its
    // day, and selects its row; its id.
    EntryId InsertEntryRow();
    // Registers the typed sub-item in the chosen category when it lacks it.
    void RegisterSubItem();

    void cmbMain_Click();
    void lstSub_Click();
    void cmbDate_Click();
    // "2/5" and "2/05" in the date field become "02/05".
    void completeDate();
    void cmdOK_Click();
    void cmdExit_Click();
    void cmdCancel_Click();

    // Refills the category box in the given order and selects the first line.
    void fillCategories(const QStringList& names);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Esc and the close box: 終了 in add mode (the list is written back),
    // キャンセル in change mode.
    void reject() override;

private:
    // What undo removes: exactly the entry an add made, found by its id.
    struct AddedEntry {
        int month = 0;
        EntryId id = 0;
    };

    bool isAddMode() const { return tag.isEmpty(); }
    void setButtonsForMode();
    // Keys of the fields other than the amount; true when taken.
    bool fieldKey(QObject* field, const QKeyEvent& key);
    // The adding machine.
    bool moneyKeyPress(const QKeyEvent& key);
    void moneyKey(QChar key);
    void moneyEnter();
    // Completes a pending "+" or "-" with the field's amount, which then
    // shows the total; false when a message refused the step.
    bool finishSum();
    bool applyPending(qint32 current);
    void showSubtotal();
    // Shows a refusal and puts the focus on the field to correct.
    bool refuse(const QString& text, QWidget* field);
    // The field's value, or nothing after telling the user why it cannot be used.
    std::optional<qint32> currentAmount();
    // The typed entry as numbers, with a fresh id; registers its sub-item
    // first when the category lacks it.
    Entry buildEntry();
    // Files the typed entry: into the shown month after its day's entries,
    // into another month before them. Its id.
    EntryId fileEntry();
    QString addedKey() const;
    void applyChange();
    void undoLast();

    LedgerModel& model_;
    MonthViews& views_;
    std::vector<AddedEntry> added_; // parallel to addedLog without its empty slot
    EntryId changeEntryId_ = 0;
    qint32 changeAmount_ = 0; // the amount the changed entry had
    // False, after telling the user, when an entry of this amount would put
    // the year-end balance beyond what the year file holds.
    bool balanceStaysInRange(qint32 amount);
};
