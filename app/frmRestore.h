#pragma once

#include "ledger/BackupRestore.h"

#include <QDialog>

class LedgerModel;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTreeView;

// The window バックアップから復元: the kept copies by file and time, with
// the entry count and year-end balance of each year copy. 復元 puts the
// chosen copy back after asking; the window then closes.
class frmRestore : public QDialog {
    Q_OBJECT
public:
    explicit frmRestore(LedgerModel& model, QWidget* parent = nullptr);

    QTreeView* lvwBackups = nullptr;
    QStandardItemModel* rows = nullptr;
    QLabel* lblNote = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdClose = nullptr;

    const std::vector<Backups::Listing>& listings() const { return listings_; }
    void selectRow(int row);
    void cmdRestore_Click();

signals:
    // Once the user chose to restore, before the file of `listing` is
    // touched; and once it has been replaced.
    void aboutToRestore(const Backups::Listing& listing);
    void restored(const Backups::Listing& listing);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill();

    LedgerModel& model_;
    std::vector<Backups::Listing> listings_;
};
