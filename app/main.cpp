#include "KaneloApp.h"
#include "QtPrompter.h"
#include "frmKanelo.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kanelo Y"));
    QtPrompter prompter;
    KaneloApp kanelo(prompter);
    if (!kanelo.start(QApplication::arguments().mid(1).join(QLatin1Char(' '))))
        return 0;
    prompter.setOwner(kanelo.window.get());
    return app.exec();
}
