#include "ledger/ImportHandOff.h"
#include "import/ImportPrompter.h"
#include "import/ImportTool.h"
#include "ledger/QtJapanese.h"
#include "ledger/Version.h"
#include "ui/FocusReturn.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (printVersionIfAsked(argc, argv, "KaneloImport"))
        return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kanelo Import"));
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.kaneloy.KaneloImport"));
    // Pages are hidden between steps; the tool ends when the run says so.
    QApplication::setQuitOnLastWindowClosed(false);
    installQtJapanese(app);
    installFocusReturn(app);

    ImportPrompter prompter;
    Import::ImportTool tool(prompter);
    QObject::connect(
        &tool, &Import::ImportTool::finished, &app, [&] { QApplication::exit(tool.exitCode()); }, Qt::QueuedConnection);
    if (!tool.start(QApplication::arguments().mid(1).join(QLatin1Char(' '))))
        return HandOff::kExplainedExit;
    return app.exec();
}
