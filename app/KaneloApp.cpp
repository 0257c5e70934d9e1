#include "KaneloApp.h"

#include "ProgramFolder.h"
#include "frmKanelo.h"

#include <QApplication>
#include <QFont>

KaneloApp::KaneloApp(Prompter& prompter) : model(prompter) {}

KaneloApp::~KaneloApp() = default;

// The windows speak Japanese: a Japanese font that also holds the Latin
// letters and digits draws every text itself. Left to the system's default
// (a Latin font), each kana and kanji script is looked up among all fonts
// before the first window can be drawn.
void KaneloApp::useJapaneseFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK JP")});
    QApplication::setFont(font);
}

bool KaneloApp::start(const QString& commandLine)
{
    lock_ = std::make_unique<QLockFile>(programFile(QStringLiteral("KaneloY.lock")));
    // Only a lock whose process has ended is stale, however long a run lasts.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    useJapaneseFont();
    window = std::make_unique<frmKanelo>(model);
    if (!window->Form_Load(commandLine)) {
        window.reset();
        return false;
    }
    return true;
}
