#include "app/clsExecute.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QProcess>
#include <QVBoxLayout>

#include <memory>

namespace {
// Stays until the program ends: neither Esc nor the frame closes it.
class WaitNote : public QDialog {
public:
    WaitNote(QWidget* owner, const QString& text) : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    {
        setObjectName(QStringLiteral("waitNote"));
        setWindowTitle(owner ? owner->windowTitle() : QString());
        setWindowModality(Qt::ApplicationModal);
        auto* label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("lblWait"));
        label->setMargin(12);
        (new QVBoxLayout(this))->addWidget(label);
    }

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};
}

bool clsExecute::ShellX(const QString& program, const QStringList& arguments, bool wait, QWidget* owner, const QString& note)
{
    if (!wait)
        return QProcess::startDetached(program, arguments);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return false;
    std::unique_ptr<WaitNote> shown;
    if (owner) {
        shown = std::make_unique<WaitNote>(owner, note);
        shown->show();
    }
    // Every 100 ms: see whether it has ended, then let this program's
    // windows handle what came in meanwhile.
    while (process.state() != QProcess::NotRunning) {
        process.waitForFinished(100);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return true;
}
