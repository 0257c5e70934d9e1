#pragma once

#include <QObject>

class LedgerModel;
class QWidget;

// The graphs' commands: the month's breakdown and the year's trend, each a
// modal window over the owner. The main window puts them into its result
// menu and toolbar.
class GraphCommands : public QObject {
    Q_OBJECT
public:
    GraphCommands(LedgerModel& model, QWidget* owner);

    void ShowMonthGraph();
    void ShowYearGraph();

private:
    LedgerModel& model_;
    QWidget* owner_;
};
