#include "clsExecute.h"

#include <QCoreApplication>
#include <QProcess>

bool clsExecute::ShellX(const QString& program, const QStringList& arguments, bool wait)
{
    if (!wait)
        return QProcess::startDetached(program, arguments);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return false;
    // Every 100 ms: see whether it has ended, then let this program's
    // window handle what came in meanwhile.
    while (!cancelWait && process.state() != QProcess::NotRunning) {
        process.waitForFinished(100);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}
