#include "GraphCommands.h"

#include "KaneloIcons.h"
#include "LedgerModel.h"
#include "MonthViews.h"
#include "frmGraph.h"
#include "frmYGraph.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

GraphCommands::GraphCommands(LedgerModel& model, MonthViews& views, QWidget* owner)
    : QObject(owner), model_(model), views_(views), owner_(owner)
{
    QAction* before = views.mnuResultItem[2];
    QAction* month = new QAction(QString::number(model.curMonth()) + QStringLiteral("月度支出内訳"), views.mnuResult);
    month->setObjectName(QStringLiteral("mnuResultItem0"));
    connect(month, &QAction::triggered, this, &GraphCommands::ShowMonthGraph);
    QAction* year = new QAction(QStringLiteral("年間推移状況"), views.mnuResult);
    year->setObjectName(QStringLiteral("mnuResultItem1"));
    connect(year, &QAction::triggered, this, &GraphCommands::ShowYearGraph);
    views.mnuResult->insertAction(before, month);
    views.mnuResult->insertAction(before, year);
    views.mnuResultItem[0] = month;
    views.mnuResultItem[1] = year;

    tbrGraphMonth = new QAction(kaneloIcon(QLatin1StringView("graph-month")), QStringLiteral("月間収支内訳グラフ"), owner);
    tbrGraphMonth->setObjectName(QStringLiteral("tbrGraphMonth"));
    connect(tbrGraphMonth, &QAction::triggered, month, &QAction::trigger);
    tbrGraphYear = new QAction(kaneloIcon(QLatin1StringView("graph-year")), QStringLiteral("年間支出推移グラフ"), owner);
    tbrGraphYear->setObjectName(QStringLiteral("tbrGraphYear"));
    connect(tbrGraphYear, &QAction::triggered, year, &QAction::trigger);
}

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
