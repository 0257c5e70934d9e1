// 編集 → 定期入力の設定 and 検索: the recurring entries offered and filed,
// and the search window with the jump to an entry it found.
#include "app/frmKanelo.h"

#include "month/EditCommands.h"
#include "month/EditHistory.h"
#include "ledger/LedgerModel.h"
#include "month/MonthViews.h"
#include "recurring/TeikiBook.h"
#include "search/frmSearch.h"
#include "recurring/frmTeiki.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

void frmKanelo::addRecordMenus()
{
    QMenu* menu = mnuEdit;
    menu->addSeparator();
    mnuEditTeiki = menu->addAction(QStringLiteral("定期入力の設定(&R)..."), this, &frmKanelo::EditRecurring);
    mnuEditTeiki->setObjectName(QStringLiteral("mnuEditTeiki"));
    mnuEditTeiki->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuEditSearch = menu->addAction(QStringLiteral("検索(&F)..."), this, &frmKanelo::ShowSearch);
    mnuEditSearch->setObjectName(QStringLiteral("mnuEditSearch"));
    mnuEditSearch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    // The menu is also the pop-up of the lists; the shortcuts belong to the window.
    addAction(mnuEditTeiki);
    addAction(mnuEditSearch);

    // After 家計簿データのエクスポート.
    mnuFileRestore = new QAction(QStringLiteral("バックアップから復元(&R)..."), mnuFile);
    mnuFileRestore->setObjectName(QStringLiteral("mnuFileRestore"));
    mnuFile->insertAction(mnuFileItem[7], mnuFileRestore);
    connect(mnuFileRestore, &QAction::triggered, this, [this] {
        if (importRunning)
            refuseWhileImporting();
        else
            RestoreBackup();
    });
    // After フォントサイズの変更.
    mnuEnvBackups = new QAction(QStringLiteral("バックアップの世代数(&B)..."), mnuEnv);
    mnuEnvBackups->setObjectName(QStringLiteral("mnuEnvBackups"));
    mnuEnv->insertAction(mnuEnvItem[3], mnuEnvBackups);
    connect(mnuEnvBackups, &QAction::triggered, this, &frmKanelo::ChangeBackupGenerations);
}

void frmKanelo::OfferRecurring()
{
    // One step to undo; the book hears when it is taken back or done again.
    teiki->offerDue([this](std::vector<Entry> entries, TeikiBook::Filed filed) {
        EditHistory::of(*model_).addEntries(std::move(entries), QStringLiteral("定期入力"), std::move(filed));
    });
}

void frmKanelo::EditRecurring()
{
    if (importRunning) {
        refuseWhileImporting();
        return;
    }
    frmTeiki window(*teiki, *model_, this);
    window.exec();
    // A rule added or changed may be due already.
    OfferRecurring();
}

void frmKanelo::ShowSearch()
{
    if (!search) {
        search = new frmSearch(*model_, this);
        search->setAttribute(Qt::WA_DeleteOnClose);
        connect(search, &frmSearch::hitChosen, this, &frmKanelo::ShowSearchHit);
        connect(this, &frmKanelo::unloading, search, &QWidget::close);
    }
    search->show();
    search->raise();
    search->activateWindow();
    // Back after a jump: on the hit chosen, so Down and Enter go to the next.
    if (search->lvwHits->currentIndex().isValid()) {
        search->lvwHits->setFocus();
    } else {
        search->txtText->setFocus();
        search->txtText->selectAll();
    }
}

void frmKanelo::ShowSearchHit(const SearchHit& hit)
{
    LedgerModel& m = *model_;
    if (hit.year != m.curYear()) {
        if (importRunning) {
            refuseWhileImporting();
            return;
        }
        // Nothing unsaved: nothing to ask.
        auto answer = Prompter::Answer::No;
        if (EditHistory::of(m).unsaved())
            answer = m.prompter().question(
                QStringLiteral("%1 年度を開きます。\r\n\r\n開いている %2 年度の家計簿データを保存してから開きますか。\r\n\r\n"
                               "  ・保存して開く場合は [はい]\r\n  ・保存せずに開く場合は [いいえ]\r\n  ・開かない場合は [キャンセル]")
                    .arg(hit.year)
                    .arg(m.curYear()),
                Prompter::Buttons::YesNoCancel, QStringLiteral("検索"));
        // A year that could not be saved stays open: the user has been told.
        if (answer == Prompter::Answer::Cancel || (answer == Prompter::Answer::Yes && !m.SaveYearFile(1)))
            return;
        SwitchYear(hit.year);
        if (m.curYear() != hit.year)
            return;
    }
    views->setSummaryMode(0);
    views->selectMonth(hit.entry.month());
    // The entry itself when it is still there: by id in the year that was
    // open, by its place in the month in a year read from its file, else the
    // first of the same content on that day.
    const auto& entries = m.slot(hit.entry.month()).entries;
    EntryId id = 0;
    for (const Entry& e : entries)
        if (hit.entry.id != 0 && e.id == hit.entry.id && e.sameContent(hit.entry))
            id = e.id;
    if (id == 0 && hit.indexInMonth < int(entries.size()) && entries[size_t(hit.indexInMonth)].sameContent(hit.entry))
        id = entries[size_t(hit.indexInMonth)].id;
    for (size_t i = 0; id == 0 && i < entries.size(); ++i)
        if (entries[i].sameContent(hit.entry))
            id = entries[i].id;
    if (const int row = id != 0 ? views->monthRows->findEntry(id) : -1; row >= 0)
        views->selectRow(row);
    else
        SelectDayRow(hit.entry.day());
    // The window in front would cover the row just found: it steps back,
    // keeping its conditions and hits for the next Ctrl+F.
    if (search)
        search->hide();
    raise();
    activateWindow();
}
