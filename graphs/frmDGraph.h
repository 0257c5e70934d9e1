#pragma once

#include "graphs/GraphMath.h"
#include "graphs/GraphSums.h"

#include <QDialog>
#include <vector>

class GraphKeeper;
class GraphSurface;
class LedgerModel;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class Swatch;

// The sub-item breakdown graph: one category's amount in the graph month
// divided among its sub-items, as a doughnut in shades of the category's
// colour with a legend of ten rows at a time, the total and the budget.
// The categories to choose from are those of the monthly breakdown graph.
class frmDGraph : public QDialog {
    Q_OBJECT
public:
    frmDGraph(LedgerModel& model, int graphMonth, QWidget* parent = nullptr);

    QComboBox* cmbMain = nullptr;
    GraphSurface* picDGraph = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblMoney = nullptr;
    QLabel* lblLimit = nullptr;
    QLabel* lblSub[10] = {};
    Swatch* shpSub[10] = {};
    QLabel* lblPercent[10] = {};
    QScrollBar* vsrSub = nullptr;
    QPushButton* cmdOK = nullptr;
    GraphKeeper* keeper = nullptr;

    // What the monthly graph hands over: the category name (may be empty),
    // the caption and the category colour as decimal text. Places the window
    // and selects the category.
    void Open(const QString& name, const QString& caption, const QString& colorText);
    // The combo line for a name: the line of exactly that name, else the
    // first line beginning with it (any letter case), else line 0.
    int lineFor(const QString& name) const;
    void CategoryChanged(int line);
    void SumSubItems();
    void ShowSubLegend(int offset);

    const Graph::SubSums& subSums() const { return subSums_; }
    const std::vector<Graph::Slice>& slices() const { return slices_; }

private:
    void place();

    LedgerModel& model_;
    int graphMonth_;
    std::shared_ptr<clsHimoku> category_;
    quint32 color_ = 0;
    Graph::SubSums subSums_;
    std::vector<quint32> itemColors_; // legend and doughnut, item by item
    std::vector<Graph::Slice> slices_;
};
