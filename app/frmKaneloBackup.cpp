// ファイル → バックアップから復元 and 環境 → バックアップの世代数.
#include "app/frmKanelo.h"

#include "ledger/BackupKeeper.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "calendar/frmCalender.h"
#include "app/frmRestore.h"

void frmKanelo::RestoreBackup()
{
    frmRestore window(*model_, this);
    connect(&window, &frmRestore::aboutToRestore, this, [this](const Backups::Listing& l) {
        // The calendar writes its memos as it closes: before the file is
        // replaced, never over the restored one.
        if (l.kind == Backups::Kind::Memo && calendar)
            calendar->close();
    });
    connect(&window, &frmRestore::restored, this, [this](const Backups::Listing& l) {
        if (l.kind == Backups::Kind::Memo)
            TodayMemoFromList();
    });
    window.exec();
}

void frmKanelo::ChangeBackupGenerations()
{
    Prompter& p = model_->prompter();
    const QString current = QString::number(Backups::generations());
    const QString answer = p.input(QStringLiteral("ファイルごとに残すバックアップの数を入力して下さい。\r\n"
                                                  "(0 から %1 まで。0 にするとバックアップを作成しません)\r\n\r\n"
                                                  "  現在の世代数 : %2")
                                       .arg(Backups::kMostGenerations)
                                       .arg(current),
                                   QStringLiteral("バックアップの世代数"), current);
    if (answer.trimmed().isEmpty())
        return;
    const auto n = Num::toInt32(Num::halfWidth(answer));
    if (!n || *n < 0 || *n > Backups::kMostGenerations || Num::halfWidth(answer).contains(QLatin1Char('.'))) {
        p.message(QStringLiteral("バックアップの世代数は 0 から %1 までの整数で入力して下さい。").arg(Backups::kMostGenerations),
                  Prompter::Icon::Warning, QStringLiteral("バックアップの世代数"));
        return;
    }
    Backups::setGenerations(*n);
}
