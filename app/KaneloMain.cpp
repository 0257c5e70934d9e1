#include "KaneloMain.h"

#include "KaneloApp.h"
#include "QtJapanese.h"
#include "QtPrompter.h"
#include "frmKanelo.h"

#include <QApplication>

int runKaneloY(int argc, char* argv[], const std::function<void(frmKanelo&)>& started)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kanelo Y"));
    // The desktop entry the window belongs to (its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.kaneloy.KaneloY"));
    installQtJapanese(app);
    QtPrompter prompter;
    KaneloApp kanelo(prompter);
    if (!kanelo.start(QApplication::arguments().mid(1).join(QLatin1Char(' '))))
        return 0;
    prompter.setOwner(kanelo.window.get());
    // Closing the main window ends the program, whatever tool window is open.
    QObject::connect(kanelo.window.get(), &frmKanelo::unloading, &app, &QApplication::quit, Qt::QueuedConnection);
    if (started)
        started(*kanelo.window);
    return app.exec();
}
