#pragma once

#include "graphs/GraphSums.h"

#include <QDialog>

class GraphKeeper;
class GraphSurface;
class LedgerModel;
class QComboBox;
class QLabel;
class QPushButton;

// The yearly trend graph: twelve bars, one per month, for the expense
// totals, the income totals or one category, with their values, a rounded
// axis, the category's budget line and its year total.
class frmYGraph : public QDialog {
    Q_OBJECT
public:
    explicit frmYGraph(LedgerModel& model, QWidget* parent = nullptr);

    QComboBox* cmbMain = nullptr;
    GraphSurface* picYGraph = nullptr; // the bars (lblRect), their values (lblValue) and lineLimit
    QLabel* lblMonth[12] = {};
    QLabel* lblHigh = nullptr;
    QLabel* lblLow = nullptr;
    QLabel* Label3 = nullptr; // (円)
    QLabel* lblLimit = nullptr;
    QLabel* lblLimitm = nullptr;
    QLabel* lblYen = nullptr;
    QLabel* lblTotal = nullptr;
    QLabel* lblTmoney = nullptr;
    QLabel* lblYen2 = nullptr;
    QPushButton* cmdOK = nullptr;
    GraphKeeper* keeper = nullptr;

    // Opening: the month totals per category, the series list, line 0.
    void Open();
    void SeriesChanged(int line);

    const Graph::YearSeries& series() const { return series_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutChart();

    LedgerModel& model_;
    QWidget* chart_ = nullptr;
    Graph::YearSeries series_;
};
