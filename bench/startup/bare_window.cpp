// The floor KaneloY's start-up is measured against: a plain Qt window with a
// Japanese caption, twelve month tabs and a 25-row list, ended as soon as
// the list has painted (see measure.py).
#include "bench/startup/FirstPaint.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kanelo Y -ぽるもさん!?  [2026 年度]"));
    auto* layout = new QVBoxLayout(&window);
    auto* tabs = new QTabBar(&window);
    for (int m = 1; m <= 12; ++m)
        tabs->addTab(QString::number(m) + QStringLiteral("月"));
    layout->addWidget(tabs);
    auto* rows = new QStandardItemModel(25, 6, &window);
    rows->setHorizontalHeaderLabels({QStringLiteral("日付"), QStringLiteral("費目"), QStringLiteral("摘要項目"),
                                     QStringLiteral("出金"), QStringLiteral("入金"), QStringLiteral("残高")});
    for (int r = 0; r < 25; ++r) {
        rows->setItem(r, 0, new QStandardItem(QStringLiteral("12/%1").arg(r + 1, 2, 10, QLatin1Char('0'))));
        rows->setItem(r, 1, new QStandardItem(QStringLiteral("食費")));
        rows->setItem(r, 2, new QStandardItem(QStringLiteral("外食")));
        rows->setItem(r, 3, new QStandardItem(QStringLiteral("1,280")));
        rows->setItem(r, 5, new QStandardItem(QStringLiteral("%L1").arg(100000 - r * 1280)));
    }
    auto* list = new QTreeView(&window);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setModel(rows);
    layout->addWidget(list);
    window.resize(900, 620);
    window.show();
    endAfterFirstPaint(list->viewport());
    return app.exec();
}
