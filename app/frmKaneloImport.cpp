// The import: the import tool run for the open year, and the merge of the
// entries it leaves in yyyy_add.zbl.
#include "frmKanelo.h"

#include "LedgerModel.h"
#include "MonthViews.h"
#include "ProgramFolder.h"
#include "clsExecute.h"

#include <QDir>
#include <QFile>

QString frmKanelo::importToolPath() { return companionProgram(QStringLiteral("KaneloImport")); }

void frmKanelo::refuseWhileImporting()
{
    model_->prompter().message(QStringLiteral("インポート処理の実行中です。\r\n\r\n"
                                              "インポートツールを終了してから、もう一度操作して下さい。"),
                               Prompter::Icon::Warning);
}

void frmKanelo::ImportData()
{
    LedgerModel& m = *model_;
    Prompter& p = m.prompter();
    if (importRunning) {
        refuseWhileImporting();
        return;
    }
    // The tool reads the master; a master it cannot see as it is would
    // number new categories over existing ones.
    if (!m.WriteCategoryMaster())
        return;

    const int year = m.curYear;
    bool started = false;
    importRunning = true;
    {
        clsExecute run;
        started = run.ShellX(importToolPath(), {QString::number(year)}, true);
    }
    importRunning = false;
    if (!started) {
        p.message(QStringLiteral("インポートツールを起動できませんでした。\r\n\r\n  %1").arg(QDir::toNativeSeparators(importToolPath())),
                  Prompter::Icon::Warning);
        return;
    }

    const QString path = m.mergePath(year);
    if (!QFile::exists(path)) {
        p.message(QStringLiteral("インポート（データ取込）処理は、以下のいずれかの理由により中断されました。\r\n\r\n"
                                 "　・ユーザによるキャンセル\r\n"
                                 "　・インポート処理でエラーが発生\r\n"
                                 "　　（インポートしようとしているデータファイルが読込可能な形式となっているか確認して下さい）"),
                  Prompter::Icon::Warning);
        return;
    }

    // The tool may have added categories. Should its master be unreadable,
    // the categories in memory stay and go back to the file.
    const auto categories = m.categoryList;
    const auto byName = m.categoryByName;
    const QString kept = QStringLiteral("\r\n\r\n取込データファイルはそのまま残してあります。\r\n  ") + QDir::toNativeSeparators(path);
    if (!m.ReadCategoryMaster(1)) {
        m.categoryList = categories;
        m.categoryByName = byName;
        m.WriteCategoryMaster();
        p.message(QStringLiteral("費目・摘要項目管理ファイルを読み込めなかったため、データを取り込みませんでした。") + kept,
                  Prompter::Icon::Warning);
        return;
    }
    m.RankCategoriesByUse();

    if (!m.MergeAddFile(year))
        return;
    if (!m.SaveYearFile(1)) {
        views->RefreshMonthView();
        p.message(QStringLiteral("取り込んだデータは画面に表示されていますが、まだ保存されていません。") + kept,
                  Prompter::Icon::Warning);
        return;
    }
    m.clearMonthSlots();
    m.LoadYearFile();
    views->RefreshMonthView();
    QFile::remove(path);
}
