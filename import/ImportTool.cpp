#include "import/ImportTool.h"

#include "ledger/FileTransaction.h"
#include "ledger/ImportHandOff.h"
#include "ledger/ProgramFolder.h"
#include "import/frmHimoku.h"
#include "import/frmImportMainSub.h"
#include "import/frmMain.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QProgressBar>
#include <QThread>

namespace Import {

ImportTool::ImportTool(Prompter& prompter, QObject* parent) : QObject(parent), noting_(&prompter), session(noting_)
{
    progressTimer_.setInterval(50);
    connect(&progressTimer_, &QTimer::timeout, this, [this] {
        if (main)
            main->prgRead->setValue(progress_.permille.load());
    });
}

ImportTool::~ImportTool()
{
    ending_ = true;
    stopReading();
    delete reader_;
    delete info;
    delete himoku;
    delete main;
}

bool ImportTool::start(const QString& commandLine)
{
    session.setCommandLine(commandLine.trimmed());
    Prompter& p = session.prompter();
    if (session.linkedMode) {
        if (session.yearNumber() == 0) {
            p.message(QStringLiteral("取り込む年度 [%1] が正しくありません。\r\n\r\n処理を中断します。").arg(commandLine.trimmed()),
                      Prompter::Icon::Warning);
            return false;
        }
        // Only the KaneloY that waits for the tool merges what it leaves.
        if (!HandOff::starterRunning(session.token)) {
            p.message(QStringLiteral("インポートツールは、[ぽるもさん] の [ファイル] メニューの [家計簿データのインポート...] から起動して下さい。\r\n\r\n"
                                     "処理を中断します。"),
                      Prompter::Icon::Warning);
            return false;
        }
        // Without the master nothing can be settled; say so before the user picks a file.
        if (!QFileInfo::exists(session.ledger.masterPath()))
            return session.LoadCurrentMaster();
    } else {
        // Files a stopped program was changing together are completed first,
        // unless KaneloY runs and has done so.
        QLockFile lock(HandOff::ledgerLockPath());
        lock.setStaleLockTime(0);
        if (lock.tryLock(0))
            FileTransaction::recover(programFolder());
    }
    main = new frmMain(*this);
    main->show();
    return true;
}

void ImportTool::mainNext(const QString& path)
{
    session.clear();
    if (!session.LoadMasterToExtend())
        return;
    main->showReading(true);
    progress_.permille = 0;
    progress_.cancel = false;
    const int year = session.yearNumber();
    reader_ = QThread::create([this, path, year] { parsed_ = readSourceFile(path, year, &progress_); });
    connect(reader_, &QThread::finished, this, &ImportTool::sourceRead);
    progressTimer_.start();
    reader_->start();
}

void ImportTool::stopReading()
{
    if (!reader_)
        return;
    progress_.cancel = true;
    reader_->wait();
}

void ImportTool::sourceRead()
{
    progressTimer_.stop();
    if (reader_)
        reader_->deleteLater();
    reader_ = nullptr;
    if (ending_ || !main)
        return;
    main->showReading(false);
    // A source that cannot be taken leaves Step1 as it was, path and all.
    if (!session.TakeSource(std::move(parsed_))) {
        main->txtImport->setFocus();
        return;
    }
    main->hide();
    if (!session.hasNewCategories()) {
        output(main);
    } else if (session.extendsMaster) {
        openInfo();
    } else {
        himoku = new frmHimoku(*this);
        himoku->show();
    }
}

void ImportTool::himokuNext(const QStringList& names)
{
    session.ApplyOrder(names);
    himoku->hide();
    himoku->deleteLater();
    openInfo();
}

void ImportTool::openInfo()
{
    session.AssignGreenShades();
    info = new frmMainSub(*this);
    info->show();
}

void ImportTool::infoNext()
{
    info->hide();
    output(info);
}

void ImportTool::output(QWidget* page)
{
    switch (session.WriteOutput()) {
    case ImportSession::Written::Yes:
        written_ = true;
        session.ShowClosingMessage();
        end();
        break;
    case ImportSession::Written::No:
        // Nothing written: the page comes back so the user can try again or cancel.
        page->show();
        break;
    case ImportSession::Written::Abandoned:
        end();
        break;
    }
}

int ImportTool::exitCode() const { return !written_ && noting_.warnings > 0 ? HandOff::kExplainedExit : 0; }

void ImportTool::confirmCancel()
{
    if (session.prompter().question(QStringLiteral("データの取り込みを中止しますが、よろしいですか。"), Prompter::Buttons::YesNo, {},
                                    Prompter::Answer::No)
        == Prompter::Answer::Yes)
        end();
}

void ImportTool::end()
{
    if (ending_)
        return;
    ending_ = true;
    stopReading();
    for (QWidget* page : {static_cast<QWidget*>(info.data()), static_cast<QWidget*>(himoku.data()), static_cast<QWidget*>(main.data())})
        if (page)
            page->close();
    emit finished();
}

}
