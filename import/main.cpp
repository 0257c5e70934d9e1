#include "ImportHandOff.h"
#include "ImportPrompter.h"
#include "ImportTool.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kanelo Import"));
    // Pages are hidden between steps; the tool ends when the run says so.
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);

    ImportPrompter prompter;
    Import::ImportTool tool(prompter);
    QObject::connect(
        &tool, &Import::ImportTool::finished, &app, [&] { QApplication::exit(tool.exitCode()); }, Qt::QueuedConnection);
    if (!tool.start(QApplication::arguments().mid(1).join(QLatin1Char(' '))))
        return HandOff::kExplainedExit;
    return app.exec();
}
