// Writing what the import produced, through the ledger's own writers: the
// master first, then the year file or the merge file, both or neither.
#include "ImportSession.h"

#include "Clock.h"
#include "Formats.h"
#include "ProgramFolder.h"
#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace Import {

void ImportSession::fillLedgerCategories()
{
    ledger.categoryList.clear();
    ledger.categoryByName.clear();
    for (int n = 1; n <= 99; ++n) {
        const auto pair = categoryNumbers.find(Fmt::zero2(n));
        if (!pair)
            continue;
        const auto c = sourceCategories.find(pair->name);
        if (!c)
            continue;
        ledger.categoryList.add(c->no, c);
        ledger.categoryByName.add(c->name, c);
    }
}

bool ImportSession::WriteMasterFile()
{
    const QString path = ledger.masterPath();
    masterExisted_ = QFileInfo::exists(path);
    masterBefore_.clear();
    if (masterExisted_) {
        // Without the old content there is nothing to put back if the year
        // data cannot be written, so the master is not touched.
        const TextFile::BytesResult old = TextFile::readBytes(path);
        if (!old.ok) {
            prompter_->message(QStringLiteral("費目・摘要項目管理ファイル [%1] を読み込めないため、家計簿データを作成できませんでした。\r\n\r\n%2")
                                   .arg(QDir::toNativeSeparators(path), old.error),
                               Prompter::Icon::Warning);
            return false;
        }
        masterBefore_ = old.bytes;
    }
    fillLedgerCategories();
    return ledger.WriteCategoryMaster();
}

void ImportSession::ResolveEntryNumbers(LedgerModel& target) const
{
    target.clearMonthSlots();
    for (int month = 1; month <= 12; ++month) {
        MonthSlot& slot = target.slot(month);
        const auto& source = importMonths[month - 1];
        slot.entries.reserve(source.size());
        for (const ImportEntry& i : source) {
            Entry e;
            e.monthNo = i.month;
            e.dayNo = i.day;
            e.categoryNo = quint8(i.category->no.toInt());
            e.subNo = i.subNo;
            (i.category->ioflag == 2 ? e.in : e.out) = i.amount;
            slot.totalOut += e.out;
            slot.totalIn += e.in;
            slot.entries.push_back(e);
        }
    }
}

bool ImportSession::WriteImportResult()
{
    ResolveEntryNumbers(ledger);
    const int year = yearNumber();
    ledger.curYear = ledger.startYear = year;
    bool written = false;
    if (linkedMode) {
        written = ledger.WriteMergeFile(year);
    } else {
        // A new year file carries its balance over from the year before.
        ledger.carryAuto = true;
        ledger.carryOver = 0;
        written = ledger.SaveYearFile(1);
    }
    if (written)
        return true;

    const QString path = ledger.masterPath();
    bool restored = false;
    if (masterExisted_)
        restored = TextFile::writeBytes(path, masterBefore_).ok;
    else
        restored = QFile::remove(path) || !QFileInfo::exists(path);
    prompter_->message(restored ? QStringLiteral("家計簿データを作成できなかったため、費目・摘要項目管理ファイル(MainSub.zbt)を元に戻しました。\r\n\r\n"
                                                 "ファイルは何も変更されていません。")
                                : QStringLiteral("家計簿データを作成できませんでした。\r\n\r\n"
                                                 "費目・摘要項目管理ファイル(MainSub.zbt)も元に戻せなかったため、"
                                                 "今回の取り込みで追加した費目が残っています。"),
                       Prompter::Icon::Warning);
    return false;
}

bool ImportSession::keepBackups(const QStringList& names, const QString& stamp)
{
    for (const QString& name : names) {
        const QString copy = programFile(name + QLatin1Char('.') + stamp + QStringLiteral(".bak"));
        QFile::remove(copy);
        if (!QFile::copy(programFile(name), copy)) {
            prompter_->message(QStringLiteral("[%1] の控えを作成できなかったため、家計簿データを作成しませんでした。\r\n\r\n  %2")
                                   .arg(name, QDir::toNativeSeparators(copy)),
                               Prompter::Icon::Warning);
            return false;
        }
    }
    return true;
}

bool ImportSession::WriteOutput()
{
    if (yearNumber() == 0) {
        prompter_->message(QStringLiteral("取り込む年度 [%1] が正しくありません。").arg(importYear), Prompter::Icon::Warning);
        return false;
    }
    QLockFile running(programFile(QStringLiteral("KaneloY.lock")));
    if (!linkedMode) {
        // The ledger would write its open year over the new file on exit.
        running.setStaleLockTime(0);
        if (!running.tryLock(0)) {
            prompter_->message(QStringLiteral("[ぽるもさん] が起動しているため、家計簿データを作成できません。\r\n\r\n"
                                              "[ぽるもさん] を終了してから、もう一度 [次へ] をクリックして下さい。"),
                               Prompter::Icon::Warning);
            return false;
        }
        QStringList existing;
        for (const QString& name : {importYear + QStringLiteral(".zbl"), QStringLiteral("MainSub.zbt")})
            if (QFileInfo::exists(programFile(name)))
                existing << name;
        if (!existing.isEmpty()) {
            const QString stamp = Clock::now().toString(QStringLiteral("yyyyMMddHHmmss"));
            QString list, backups;
            for (const QString& name : existing) {
                list += QStringLiteral("  ") + name + QStringLiteral("\r\n");
                backups += QStringLiteral("  ") + name + QLatin1Char('.') + stamp + QStringLiteral(".bak\r\n");
            }
            const auto answer = prompter_->question(
                QStringLiteral("次のファイルはすでに存在します。今回のデータで置き換えてよろしいですか。\r\n\r\n") + list
                    + QStringLiteral("\r\n置き換える前のファイルは、同じフォルダ\r\n  ") + QDir::toNativeSeparators(programFolder())
                    + QStringLiteral("\r\nに次の名前で残します。\r\n") + backups,
                Prompter::Buttons::YesNo, {}, Prompter::Answer::No);
            if (answer != Prompter::Answer::Yes || !keepBackups(existing, stamp))
                return false;
        }
    }
    return WriteMasterFile() && WriteImportResult();
}

void ImportSession::ShowClosingMessage()
{
    if (linkedMode) {
        prompter_->message(QStringLiteral("家計簿データの作成が完了しました。\r\n\r\n[OK]をクリックするとデータを取り込みます。"),
                           Prompter::Icon::Information);
        return;
    }
    const auto answer = prompter_->question(QStringLiteral("家計簿データの作成が完了しました。\r\n\r\n[ぽるもさん]を起動しますか。"),
                                            Prompter::Buttons::YesNo);
    if (answer != Prompter::Answer::Yes)
        return;
    const QString program = companionProgram(QStringLiteral("KaneloY"));
    if (!startProgram(program, {importYear + QStringLiteral(".zbl")}))
        prompter_->message(QStringLiteral("[ぽるもさん] を起動できませんでした。\r\n\r\n  %1").arg(QDir::toNativeSeparators(program)),
                           Prompter::Icon::Warning);
}

}
