#include "KaneloApp.h"

#include "ProgramFolder.h"
#include "frmKanelo.h"

KaneloApp::KaneloApp(Prompter& prompter) : model(prompter) {}

KaneloApp::~KaneloApp() = default;

bool KaneloApp::start(const QString& commandLine)
{
    lock_ = std::make_unique<QLockFile>(programFile(QStringLiteral("KaneloY.lock")));
    // Only a lock whose process has ended is stale, however long a run lasts.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    window = std::make_unique<frmKanelo>(model);
    if (!window->Form_Load(commandLine)) {
        window.reset();
        return false;
    }
    return true;
}
