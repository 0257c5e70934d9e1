#include "app/KaneloApp.h"

#include "ledger/Clock.h"
#include "ledger/FileTransaction.h"
#include "ledger/ImportHandOff.h"
#include "app/KaneloStyle.h"
#include "ledger/ProgramFolder.h"
#include "app/SecondStart.h"
#include "ledger/TextFile.h"
#include "app/frmKanelo.h"

#include <QApplication>
#include <QDir>
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

void KaneloApp::useKaneloStyle()
{
    static bool set = false;
    if (!set)
        QApplication::setStyle(new KaneloStyle);
    set = true;
}

bool KaneloApp::start(const QString& commandLine)
{
    // Without CP932 every file would be misread and written without its
    // Japanese header lines.
    if (!TextFile::codecAvailable()) {
        model.prompter().message(TextFile::codecMissingMessage() + QStringLiteral("\r\n\r\nプログラムを終了します。"),
                                 Prompter::Icon::Critical);
        return false;
    }
    lock_ = std::make_unique<QLockFile>(HandOff::ledgerLockPath());
    // Only a lock whose process has ended is stale, however long a run lasts.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        // Another program holds the folder: the running KaneloY takes the
        // command line and comes to the front. A lock that cannot even be
        // made means the folder cannot be written: say so.
        if (lock_->error() != QLockFile::LockFailedError)
            model.prompter().message(QStringLiteral("データフォルダ [%1] にファイルを作成できないため、"
                                                    "Kanelo Y を起動できません。\r\n\r\n"
                                                    "フォルダが存在し、書き込みが許可されているか確認して下さい。")
                                         .arg(QDir::toNativeSeparators(programFolder())),
                                     Prompter::Icon::Warning);
        else if (!SecondStart::handOver(commandLine))
            model.prompter().message(QStringLiteral("データフォルダ [%1] は、実行中の Kanelo Y かインポートツールが使用しています。\r\n\r\n"
                                                    "そのプログラムを終了してから、もう一度起動して下さい。")
                                         .arg(QDir::toNativeSeparators(programFolder())),
                                     Prompter::Icon::Warning);
        lock_.reset();
        return false;
    }
    // Files a stopped program was changing together are completed (or left
    // as they were) before anything is read.
    // Going on half-way would show the year against the wrong master.
    if (const FileTransaction::Result r = FileTransaction::recover(programFolder()); !r.ok) {
        model.prompter().message(QStringLiteral("前回途中で終わった保存を完了できないため、Kanelo Y を起動できません。\r\n\r\n"
                                                "  ファイル : %1\r\n  %2\r\n\r\n"
                                                "フォルダへの書き込みが許可されているか確認して下さい。")
                                     .arg(QDir::toNativeSeparators(r.path), r.error),
                                 Prompter::Icon::Warning);
        lock_.reset();
        return false;
    }
    // Later starts on this folder come to this program. Should the socket
    // fail, a later start says the folder is in use instead.
    secondStart_ = std::make_unique<SecondStart>();
    secondStart_->listen();
    QObject::connect(secondStart_.get(), &SecondStart::started, secondStart_.get(), [this](const QString& commandLine) {
        if (window)
            window->StartedAgain(commandLine);
    });
    placeStarterMaster();
    // The year file is read on another thread while the window is built.
    if (const int year = frmKanelo::yearInCommandLine(commandLine); year >= 0)
        model.PrefetchYearFile(year != 0 ? year : Clock::today().year());
    useJapaneseFont();
    useKaneloStyle();
    window = std::make_unique<frmKanelo>(model);
    if (!window->Form_Load(commandLine)) {
        window.reset();
        return false;
    }
    return true;
}
