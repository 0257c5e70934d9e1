#pragma once

#include <QObject>

class LedgerModel;
class MonthViews;
class QAction;
class QWidget;

// Where the main window opens the graphs: result menu items 0 (the month's
// breakdown) and 1 (the year's trend) and toolbar buttons 17 and 18.
class GraphCommands : public QObject {
    Q_OBJECT
public:
    GraphCommands(LedgerModel& model, MonthViews& views, QWidget* owner);

    QAction* tbrGraphMonth = nullptr; // toolbar button 17
    QAction* tbrGraphYear = nullptr;  // toolbar button 18

    void ShowMonthGraph();
    void ShowYearGraph();

private:
    LedgerModel& model_;
    MonthViews& views_;
    QWidget* owner_;
};
