#include "app/KaneloMain.h"

#include "app/KaneloApp.h"
#include "ledger/QtJapanese.h"
#include "ui/FocusReturn.h"
#include "ui/QtPrompter.h"
#include "app/frmKanelo.h"

#include <QApplication>
#include <QTimer>

int runKaneloY(int argc, char* argv[], const std::function<void(frmKanelo&)>& started)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kanelo Y"));
    // The desktop entry the window belongs to (its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.kaneloy.KaneloY"));
    installQtJapanese(app);
    installFocusReturn(app);
    QtPrompter prompter;
    KaneloApp kanelo(prompter);
    if (!kanelo.start(QApplication::arguments().mid(1).join(QLatin1Char(' '))))
        return 0;
    prompter.setOwner(kanelo.window.get());
    // Closing the main window ends the program, whatever tool window is
    // open, once the messages its closing brought up (a memo that could not
    // be saved) have been read.
    std::function<void()> quitWhenRead = [&app, &quitWhenRead] {
        if (QApplication::activeModalWidget())
            QTimer::singleShot(100, &app, quitWhenRead);
        else
            QApplication::quit();
    };
    QObject::connect(kanelo.window.get(), &frmKanelo::unloading, &app, quitWhenRead, Qt::QueuedConnection);
    if (started)
        started(*kanelo.window);
    return app.exec();
}
