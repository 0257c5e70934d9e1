#include "ImportTool.h"

#include "frmHimoku.h"
#include "frmImportMainSub.h"
#include "frmMain.h"

#include <QFileInfo>

namespace Import {

ImportTool::ImportTool(Prompter& prompter, QObject* parent) : QObject(parent), session(prompter) {}

ImportTool::~ImportTool()
{
    ending_ = true;
    delete info;
    delete himoku;
    delete main;
}

bool ImportTool::start(const QString& commandLine)
{
    session.setCommandLine(commandLine.trimmed());
    if (session.linkedMode) {
        if (session.yearNumber() == 0) {
            session.prompter().message(QStringLiteral("取り込む年度 [%1] が正しくありません。\r\n\r\n処理を中断します。")
                                           .arg(commandLine.trimmed()),
                                       Prompter::Icon::Warning);
            return false;
        }
        // Without the master nothing can be settled; say so before the user picks a file.
        if (!QFileInfo::exists(session.ledger.masterPath()))
            return session.LoadCurrentMaster();
    }
    main = new frmMain(*this);
    main->show();
    return true;
}

void ImportTool::mainNext(const QString& path)
{
    session.clear();
    if ((session.linkedMode && !session.LoadCurrentMaster()) || !session.ReadSourceFile(path)) {
        end();
        return;
    }
    main->hide();
    if (!session.hasNewCategories()) {
        output(main);
    } else if (session.linkedMode) {
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
    // Nothing written (the user declined, or a write failed and was undone):
    // the page comes back so the user can try again or cancel.
    if (!session.WriteOutput()) {
        page->show();
        return;
    }
    session.ShowClosingMessage();
    end();
}

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
    for (QWidget* page : {static_cast<QWidget*>(info.data()), static_cast<QWidget*>(himoku.data()), static_cast<QWidget*>(main.data())})
        if (page)
            page->close();
    emit finished();
}

}
