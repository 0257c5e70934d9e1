#pragma once

#include "search/SearchQuery.h"

#include <QDialog>

class LedgerModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSortFilterProxyModel;
class QTreeView;
class SearchHits;
class SearchRun;

// The window 検索: finds entries of any year by the name of their category
// or sub-item, their amount, their date and their side, in every year file
// of the data folder and the open year as it stands. Results come in while
// the files are read; Enter or a double-click on one shows it in the main
// window. A modeless tool window, one instance.
class frmSearch : public QDialog {
    Q_OBJECT
public:
    frmSearch(LedgerModel& model, QWidget* parent = nullptr);
    ~frmSearch() override;

    QLineEdit* txtText = nullptr;
    QLineEdit* txtAmountFrom = nullptr;
    QLineEdit* txtAmountTo = nullptr;
    QLineEdit* txtDateFrom = nullptr;
    QLineEdit* txtDateTo = nullptr;
    QRadioButton* optBoth = nullptr;
    QRadioButton* optOut = nullptr;
    QRadioButton* optIn = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdClose = nullptr;
    QTreeView* lvwHits = nullptr;
    SearchHits* hits = nullptr;
    QSortFilterProxyModel* sorted = nullptr;
    QLabel* lblCount = nullptr;  // "12 件  出金 … 円  入金 … 円"
    QLabel* lblStatus = nullptr; // searching, done, the files that could not be read

    // Reads the fields into a query; false (user told) when they are wrong.
    bool readQuery(SearchQuery& query);
    void cmdFind_Click();
    // The hit of a row of the list as shown, or nothing.
    const SearchHit* shownHit(int row) const;
    bool searching() const;

signals:
    // Show this entry in the main window.
    void hitChosen(const SearchHit& hit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void buildLayout();
    void showCount();
    void chooseCurrent();
    bool refuse(const QString& text, QWidget* field);

    LedgerModel& model_;
    SearchRun* run_ = nullptr;
    QStringList failed_;
};
