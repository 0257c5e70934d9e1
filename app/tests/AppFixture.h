#pragma once

#include "ledger/tests/FakePrompter.h"
#include "app/KaneloApp.h"
#include "month/MonthViews.h"
#include "ledger/tests/TestHome.h"
#include "app/frmKanelo.h"

#include <QLabel>
#include <QTest>

// A program folder with a small master, the fake prompter and the program
// started on it, as a user would start it.
struct AppFixture {
    static constexpr const char* kMaster = "C\n*\n\n"
                                           "0100食費:1:255:10000\n0101外食\n0102食料品\n"
                                           "0200日用品:1:0:0\n0201消耗品\n"
                                           "0300給与:2:0:200000\n";

    TestHome home;
    FakePrompter prompter;
    std::unique_ptr<KaneloApp> app;

    AppFixture() { home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMaster)); }

    static QString yearText(const QString& carryLine, const QStringList& entries, const QString& balance = QStringLiteral("$0"))
    {
        QString t = QStringLiteral("C\n* test\n*\n\n") + carryLine + QLatin1Char('\n');
        for (const QString& e : entries)
            t += e + QLatin1Char('\n');
        return t + balance + QLatin1Char('\n');
    }

    bool start(const QString& commandLine = {})
    {
        app = std::make_unique<KaneloApp>(prompter);
        return app->start(commandLine);
    }
    frmKanelo* window() const { return app->window.get(); }
    MonthViews* views() const { return app->window->views; }
    LedgerModel& model() const { return app->model; }
    QString cell(int row, int column) const { return views()->monthRows->cell(row, column); }
    QString panel(int n) const { return views()->statusPanel[n - 1]->text(); }
};
