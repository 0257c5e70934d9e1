#include "graphs/GraphCommands.h"

#include "graphs/frmGraph.h"
#include "graphs/frmYGraph.h"

GraphCommands::GraphCommands(LedgerModel& model, QWidget* owner) : QObject(owner), model_(model), owner_(owner) {}

void GraphCommands::ShowMonthGraph()
{
    frmGraph graph(model_, owner_);
    graph.Open();
    graph.exec();
}

void GraphCommands::ShowYearGraph()
{
    frmYGraph graph(model_, owner_);
    graph.Open();
    graph.exec();
}
