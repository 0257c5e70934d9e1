#pragma once

#include "graphs/GraphMath.h"
#include "ledger/LedgerModel.h"

#include <QDialog>
#include <vector>

class GraphKeeper;
class GraphSurface;
class LedgerModel;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollBar;
class QTabBar;
class Swatch;

// The monthly breakdown graph: for one month, one pie of the expense
// categories and one of the income categories, each with a legend of ten
// rows at a time, the side's total and the over-budget marking. From a
// legend row it opens the sub-item graph of that category.
class frmGraph : public QDialog {
    Q_OBJECT
public:
    explicit frmGraph(LedgerModel& model, QWidget* parent = nullptr);
    ~frmGraph() override;

    QMenuBar* menuBar = nullptr;
    QMenu* mnuShow = nullptr;
    QAction* mnuShowItem[4] = {}; // 0 前月, 1 翌月, 2 separator, 3 費目別内訳グラフ
    QMenu* mnuEnv = nullptr;
    QAction* mnuEnvItem = nullptr; // 表示対象費目...
    QTabBar* tbsMonth = nullptr;
    GraphSurface* picGraphOut = nullptr;
    GraphSurface* picGraphIn = nullptr;
    QLabel* lblMoneyOut = nullptr;
    QLabel* lblMoneyIn = nullptr;
    // Legend rows: 0-9 expense, 10-19 income.
    QLabel* lblMain[20] = {};
    Swatch* shpMain[20] = {};
    QLabel* lblPercent[20] = {};
    QScrollBar* vsrOut = nullptr;
    QScrollBar* vsrIn = nullptr;
    QLabel* Label2[3] = {}; // the over-budget note
    QPushButton* cmdOK = nullptr;
    GraphKeeper* keeper = nullptr;

    int graphMonth = 1;

    // Opening from the main window: the month shown there, its tab, the graph.
    void Open();
    // Sums the month and fills the legends and totals; the pies follow.
    void InitGraph();
    void ShowLegend(int side, int offset);
    // Menu captions and enabled items for graphMonth.
    void RefreshMenu();
    // Shows another month as its tab, the menu and the keys do.
    void showMonth(int month);
    // Opens the sub-item graph on the category of legend row `row`.
    void OpenSubGraph(int row);
    void ShowOptions();

    // The pies as they are drawn: 0 expense, 1 income.
    const std::vector<Graph::Slice>& slices(int side) const { return side == 0 ? slicesOut_ : slicesIn_; }

public slots:

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    QWidget* buildSide(int side, QWidget* parent);
    bool monthHasEntries() const;
    void onTabChanged(int index);

    LedgerModel& model_;
    CategorySums sums_; // of graphMonth, the categories shown
    std::vector<Graph::Slice> slicesOut_;
    std::vector<Graph::Slice> slicesIn_;
    QWidget* area_ = nullptr; // what is saved as a picture
};
