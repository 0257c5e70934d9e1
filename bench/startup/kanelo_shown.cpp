// KaneloY's own start-up (the same code as app/main.cpp), ended as soon as
// the entry list of the shown month has painted (see measure.py).
#include "FirstPaint.h"
#include "KaneloApp.h"
#include "MonthViews.h"
#include "QtJapanese.h"
#include "QtPrompter.h"
#include "frmKanelo.h"

#include <QApplication>
#include <QTreeView>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kanelo Y"));
    installQtJapanese(app);
    QtPrompter prompter;
    KaneloApp kanelo(prompter);
    if (!kanelo.start(QApplication::arguments().mid(1).join(QLatin1Char(' '))))
        return 1;
    prompter.setOwner(kanelo.window.get());
    if (kanelo.window->views->lvwMonth->viewport()->isVisible())
        endAfterFirstPaint(kanelo.window->views->lvwMonth->viewport());
    return app.exec();
}
