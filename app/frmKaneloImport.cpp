// The import: the import tool run for the open year, and the merge of the
// entries it leaves in yyyy_add.zbl. A merge file is merged only by the run
// whose token it carries; one found otherwise is offered once and set aside.
#include "app/frmKanelo.h"

#include "ledger/Clock.h"
#include "month/EditHistory.h"
#include "ledger/FileTransaction.h"
#include "ledger/Formats.h"
#include "ledger/ImportHandOff.h"
#include "ledger/LedgerModel.h"
#include "ledger/MergeFile.h"
#include "month/MonthViews.h"
#include "ledger/ProgramFolder.h"
#include "ledger/TextFile.h"
#include "app/clsExecute.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>

namespace {
const QString kCancelled = QStringLiteral("インポート（データ取込）処理は、以下のいずれかの理由により中断されました。\r\n\r\n"
                                          "　・ユーザによるキャンセル\r\n"
                                          "　・インポート処理でエラーが発生\r\n"
                                          "　　（インポートしようとしているデータファイルが読込可能な形式となっているか確認して下さい）");

QString nativeName(const QString& path) { return QDir::toNativeSeparators(path); }

// Where a merge file that is not to be merged is kept, beside it.
QString asidePath(const QString& path)
{
    return path + QLatin1Char('.') + Clock::now().toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral(".bak");
}

bool setAside(const QString& path, const QString& aside)
{
    QFile::remove(aside);
    return QFile::rename(path, aside);
}
}

QString frmKanelo::importToolPath() { return HandOff::importToolPath(); }

void frmKanelo::refuseWhileImporting()
{
    model_->prompter().message(QStringLiteral("インポート処理の実行中です。\r\n\r\n"
                                              "インポートツールを終了してから、もう一度操作して下さい。"),
                               Prompter::Icon::Warning);
}

bool frmKanelo::OfferLeftoverMerge()
{
    LedgerModel& m = *model_;
    Prompter& p = m.prompter();
    const QString path = m.mergePath(m.curYear());
    if (!QFileInfo(path).isFile())
        return true;
    const qsizetype lines = qsizetype(MergeFile::read(path).data.size());
    const QString name = QFileInfo(path).fileName();
    const QString aside = asidePath(path);
    const auto answer = p.question(
        QStringLiteral("前回取り込まれなかったデータがあります。\r\n\r\n"
                       "  ファイル : %1\r\n  データ : %2 件\r\n\r\n"
                       "このデータを %3 年度に取り込みますか。\r\n\r\n"
                       "[いいえ] を選ぶと取り込まずに、ファイルを次の名前で同じフォルダに残します。\r\n  %4")
            .arg(name, Fmt::hash0(lines))
            .arg(m.curYear())
            .arg(QFileInfo(aside).fileName()),
        Prompter::Buttons::YesNo, {}, Prompter::Answer::No);
    if (answer == Prompter::Answer::Yes)
        return MergeImported(path);
    if (!setAside(path, aside)) {
        p.message(QStringLiteral("前回取り込まれなかったデータのファイル [%1] を別の名前にできませんでした。\r\n\r\n"
                                 "フォルダへの書き込みが許可されているか確認して下さい。")
                      .arg(nativeName(path)),
                  Prompter::Icon::Warning);
        return false;
    }
    return true;
}

bool frmKanelo::MergeImported(const QString& mergeFile)
{
    LedgerModel& m = *model_;
    std::vector<Entry> entries;
    if (!m.ReadMergeFile(m.curYear(), entries))
        return false;
    const qsizetype merged = qsizetype(entries.size());
    // One step of the undo stack, however many entries came.
    EditHistory::of(m).addEntries(std::move(entries), QStringLiteral("インポート"));
    // The save removes the merge file in the same step; until then it
    // holds entries the year file lacks.
    m.setMergeToRemove(mergeFile);
    // The month views follow the merge. The year in memory is the year
    // saved, so it stays loaded and the merge can still be taken back.
    if (!m.SaveYearFile(1)) {
        m.prompter().message(QStringLiteral("取り込んだデータは画面に表示されていますが、まだ保存されていません。\r\n\r\n"
                                            "上書き保存すると保存されます。それまで取込データファイルは残してあります。\r\n  ")
                                 + nativeName(mergeFile),
                             Prompter::Icon::Warning);
        return false;
    }
    views->sbrStatus->showMessage(QStringLiteral("%1 件のデータを取り込みました。").arg(Fmt::hash0(merged)), 8000);
    return true;
}

void frmKanelo::ImportData()
{
    LedgerModel& m = *model_;
    Prompter& p = m.prompter();
    const int year = m.curYear();
    const QString path = m.mergePath(year);
    // Only what this run leaves is merged: an older file is dealt with first.
    if (!OfferLeftoverMerge() || QFileInfo::exists(path))
        return;
    // The tool reads the master and the year as the ledger holds them, and
    // numbers its new categories after those.
    if (!m.SaveMasterAndYear())
        return;

    const QString token = HandOff::newToken();
    bool started = false;
    int exitCode = 0;
    importRunning = true;
    {
        clsExecute run;
        started = run.ShellX(importToolPath(), {QString::number(year), token}, true, this,
                             QStringLiteral("インポートツールの実行中です。\r\n\r\n"
                                            "インポートツールの画面で操作を続けて下さい。\r\n"
                                            "インポートツールが終わると、取り込んだデータがここに表示されます。"));
        exitCode = run.exitCode;
    }
    importRunning = false;
    if (!started) {
        p.message(QStringLiteral("インポートツールを起動できませんでした。\r\n\r\n  %1").arg(nativeName(importToolPath())),
                  Prompter::Icon::Warning);
        return;
    }
    // A tool stopped half-way through writing its two files: they are completed here.
    FileTransaction::recover(programFolder());

    if (!QFileInfo(path).isFile()) {
        if (exitCode != HandOff::kExplainedExit)
            p.message(kCancelled, Prompter::Icon::Warning);
        return;
    }
    const TextFile::BytesResult file = TextFile::readBytes(path);
    if (!file.ok || HandOff::tokenOf(file.bytes) != token) {
        const QString aside = asidePath(path);
        const bool kept = setAside(path, aside);
        p.message(QStringLiteral("取込データファイル [%1] は今回のインポートで作成されたものではないため、取り込みませんでした。")
                          .arg(nativeName(path))
                      + (kept ? QStringLiteral("\r\n\r\nファイルは次の名前で残してあります。\r\n  ") + nativeName(aside) : QString()),
                  Prompter::Icon::Warning);
        return;
    }

    // The tool may have added categories. Should its master be unreadable,
    // the categories in memory stay and go back to the file.
    std::vector<std::shared_ptr<clsHimoku>> categories;
    for (const auto& c : m.categoryList())
        categories.push_back(c.item);
    if (!m.ReadCategoryMaster(1)) {
        m.SetCategories(categories);
        m.WriteCategoryMaster();
        p.message(QStringLiteral("費目・摘要項目管理ファイルを読み込めなかったため、データを取り込みませんでした。\r\n\r\n"
                                 "取込データファイルはそのまま残してあります。\r\n  ")
                      + nativeName(path),
                  Prompter::Icon::Warning);
        return;
    }
    m.RankCategoriesByUse();

    MergeImported(path);
}
