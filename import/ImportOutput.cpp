// Writing what the import produced, through the ledger's own writers: the
// master with the merge file or the year file, both or neither. Existing
// categories keep their numbers, and an existing year gains the entries.
#include "import/ImportSession.h"

#include "ledger/Clock.h"
#include "ledger/Formats.h"
#include "import/ImportDuplicates.h"
#include "ledger/ImportHandOff.h"
#include "ledger/ProgramFolder.h"
#include "import/RecordingPrompter.h"
#include "ledger/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace Import {

namespace {
const QString kPrevYearOdd = QStringLiteral("家計簿データファイルが異常です。");
}

void ImportSession::fillLedgerCategories()
{
    std::vector<std::shared_ptr<clsHimoku>> categories;
    for (int n = 1; n <= 99; ++n) {
        const auto pair = categoryNumbers.find(Fmt::zero2(n));
        if (!pair)
            continue;
        const auto c = sourceCategories.find(pair->name);
        if (!c)
            continue;
        categories.push_back(c);
    }
    ledger.SetCategories(categories);
}

void ImportSession::ResolveEntryNumbers(LedgerModel& target) const
{
    for (int month = 1; month <= 12; ++month) {
        const auto& source = importMonths[month - 1];
        std::vector<Entry> entries;
        entries.reserve(source.size());
        for (const ImportEntry& i : source) {
            Entry e;
            e.monthNo = i.month;
            e.dayNo = i.day;
            e.categoryNo = quint8(i.category->no.toInt());
            e.subNo = i.subNo;
            (i.category->ioflag == 2 ? e.in : e.out) = i.amount;
            entries.push_back(e);
        }
        target.SetMonthEntries(month, std::move(entries));
    }
}

bool ImportSession::takeLedgerLock(QLockFile& lock)
{
    // The ledger would write its open year and the master over the new files.
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return true;
    if (lock.error() == QLockFile::LockFailedError)
        prompter_->message(QStringLiteral("[ぽるもさん] が起動しているため、家計簿データを作成できません。\r\n\r\n"
                                          "[ぽるもさん] を終了してから、もう一度 [次へ] をクリックして下さい。"),
                           Prompter::Icon::Warning);
    else
        prompter_->message(QStringLiteral("フォルダ [%1] にファイルを作成できないため、家計簿データを作成できません。\r\n\r\n"
                                          "フォルダが存在し、書き込みが許可されているか確認して下さい。")
                               .arg(QDir::toNativeSeparators(programFolder())),
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

bool ImportSession::confirmAdditions(int held, bool yearExists, int adding, const QStringList& backups, const QString& stamp)
{
    QStringList newNames;
    int newSubs = 0;
    for (const auto& slot : sourceCategories) {
        const ImportCategory& c = *slot.item;
        if (!c.flag)
            newNames << c.name;
        newSubs += c.nTekiyo.count() - c.masterSubs;
    }
    QString names = newNames.mid(0, 10).join(QStringLiteral("、"));
    if (newNames.size() > 10)
        names += QStringLiteral(" ほか");
    QString text = QStringLiteral("次の内容を追加します。よろしいですか。\r\n\r\n"
                                  "  費目・摘要項目管理ファイル (MainSub.zbt)\r\n"
                                  "    新しい費目 : %1 件%2\r\n    新しい摘要項目 : %3 件\r\n"
                                  "  %4 年の家計簿データファイル (%4.zbl)\r\n    追加するデータ : %5 件%6\r\n")
                       .arg(Fmt::hash0(newNames.size()),
                            newNames.isEmpty() ? QString() : QStringLiteral(" (") + names + QLatin1Char(')'),
                            Fmt::hash0(newSubs), importYear, Fmt::hash0(adding),
                            yearExists ? QStringLiteral(" (すでにある %1 件のデータはそのまま残ります)").arg(Fmt::hash0(held))
                                       : QStringLiteral(" (新しく作成します)"));
    text += QStringLiteral("\r\n追加する前のファイルは、同じフォルダ\r\n  ") + QDir::toNativeSeparators(programFolder())
        + QStringLiteral("\r\nに次の名前で残します。\r\n");
    for (const QString& name : backups)
        text += QStringLiteral("  ") + name + QLatin1Char('.') + stamp + QStringLiteral(".bak\r\n");
    return prompter_->question(text, Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
}

ImportSession::Written ImportSession::WriteOutput()
{
    const int year = yearNumber();
    if (year == 0) {
        prompter_->message(QStringLiteral("取り込む年度 [%1] が正しくありません。").arg(importYear), Prompter::Icon::Warning);
        return Written::No;
    }
    QLockFile lock(HandOff::ledgerLockPath());
    if (linkedMode) {
        // Nobody would merge the file, and a KaneloY started meanwhile would
        // write its own master over ours.
        if (!HandOff::starterRunning(token)) {
            prompter_->message(QStringLiteral("取り込みを始めた [ぽるもさん] が終了しているため、家計簿データを作成しませんでした。\r\n\r\n"
                                              "ファイルは何も変更されていません。[ぽるもさん] を起動して、もう一度インポートして下さい。"),
                               Prompter::Icon::Warning);
            return Written::Abandoned;
        }
    } else if (!takeLedgerLock(lock)) {
        return Written::No;
    }
    // The pages were built on the master as it was read: a master changed
    // since then (or made since then) would lose those changes.
    const QString masterPath = ledger.masterPath();
    const TextFile::BytesResult masterNow = TextFile::readBytes(masterPath);
    if (extendsMaster ? (!masterNow.ok || masterNow.bytes != masterRead_) : QFileInfo::exists(masterPath)) {
        prompter_->message(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)が、取り込むデータを読み込んだ後に変更されたため、"
                                          "家計簿データを作成しませんでした。\r\n\r\nもう一度、最初から取り込んで下さい。"),
                           Prompter::Icon::Warning);
        return Written::Abandoned;
    }

    fillLedgerCategories();
    ledger.setYear(year);

    // The year as it stands, read as KaneloY reads it.
    RecordingPrompter quiet;
    LedgerModel target(quiet);
    target.setYear(year);
    std::vector<std::shared_ptr<clsHimoku>> categories;
    for (const auto& c : ledger.categoryList())
        categories.push_back(c.item);
    target.SetCategories(categories);
    const bool yearExists = QFileInfo::exists(target.yearPath(year));
    if (yearExists) {
        if (!extendsMaster) {
            prompter_->message(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)がないため、%1 年の家計簿データファイル (%1.zbl) "
                                              "のデータがどの費目のものか分かりません。このファイルには取り込めません。\r\n\r\n"
                                              "別の年を指定するか、%1.zbl を別のフォルダに移してから取り込んで下さい。")
                                   .arg(importYear),
                               Prompter::Icon::Warning);
            return Written::No;
        }
        const bool read = target.LoadYearFile();
        // Linked, KaneloY has shown the year's notes already; on its own a
        // note means the save would change the year beyond the import.
        quiet.messages.removeAll(kPrevYearOdd);
        if (!read || (!linkedMode && !quiet.messages.isEmpty())) {
            prompter_->message(QStringLiteral("%1 年の家計簿データファイル (%1.zbl) をそのままの形で読み込めないため、取り込みませんでした。\r\n\r\n"
                                              "[ぽるもさん] で %1 年を開いて確認し、保存してから、もう一度取り込んで下さい。\r\n\r\n%2")
                                   .arg(importYear, quiet.messages.value(0)),
                               Prompter::Icon::Warning);
            return Written::No;
        }
    } else {
        // A new year file carries its balance over from the year before.
        target.SetCarryOver(0, true);
    }

    ResolveEntryNumbers(ledger);
    std::vector<Entry> incoming;
    incoming.reserve(size_t(entryCount()));
    for (const MonthSlot& s : ledger.monthSlots())
        incoming.insert(incoming.end(), s.entries.begin(), s.entries.end());
    const Duplicates d = findDuplicates(target.monthSlots(), incoming);
    skippedDuplicates = 0;
    if (d.inYear + d.repeated > 0) {
        const auto answer = prompter_->question(
            QStringLiteral("日付・費目・摘要項目・金額が同じデータがあります。\r\n\r\n"
                           "  %1 年の家計簿にすでにあるデータと同じもの : %2 件\r\n"
                           "  取り込むファイルの中で繰り返されているもの : %3 件\r\n\r\n"
                           "これらを除いて取り込みますか。\r\n\r\n"
                           "  ・除いて取り込む場合は [はい]\r\n  ・すべて取り込む場合は [いいえ]\r\n"
                           "  ・取り込みを見直す場合は [キャンセル]")
                .arg(importYear)
                .arg(Fmt::hash0(d.inYear))
                .arg(Fmt::hash0(d.repeated)),
            Prompter::Buttons::YesNoCancel, {}, Prompter::Answer::Yes);
        if (answer == Prompter::Answer::Cancel)
            return Written::No;
        if (answer == Prompter::Answer::Yes) {
            size_t i = 0;
            std::erase_if(incoming, [&](const Entry&) { return d.flagged[i++] != 0; });
            skippedDuplicates = d.inYear + d.repeated;
        }
    }
    if (incoming.empty()) {
        prompter_->message(QStringLiteral("重複しているデータを除くと、取り込むデータがありません。"), Prompter::Icon::Warning);
        return Written::No;
    }

    // The merge file holds the new entries in source order; the year gains
    // them in day order, as KaneloY merges them. A new year keeps the source order.
    int held = 0;
    for (const MonthSlot& s : target.monthSlots())
        held += s.count();
    std::array<std::vector<Entry>, 12> months;
    for (const Entry& e : incoming)
        months[e.month() - 1].push_back(e);
    for (int month = 1; month <= 12; ++month) {
        ledger.SetMonthEntries(month, months[month - 1]);
        if (!yearExists)
            target.SetMonthEntries(month, std::move(months[month - 1]));
    }
    if (yearExists)
        target.InsertEntries(incoming);
    if (const qint64 balance = target.yearEndBalance(); !LedgerModel::balanceFits(balance)) {
        prompter_->message(QStringLiteral("取り込むと、") + LedgerModel::balanceRangeText(balance)
                               + QStringLiteral("\r\n\r\nこのデータは取り込めません。"),
                           Prompter::Icon::Warning);
        return Written::No;
    }

    QStringList backups;
    const QString stamp = Clock::now().toString(QStringLiteral("yyyyMMddHHmmss"));
    if (!linkedMode && extendsMaster) {
        for (const QString& name : {QStringLiteral("MainSub.zbt"), importYear + QStringLiteral(".zbl")})
            if (QFileInfo::exists(programFile(name)))
                backups << name;
        if (!confirmAdditions(held, yearExists, int(incoming.size()), backups, stamp) || !keepBackups(backups, stamp))
            return Written::No;
    }
    auto dropBackups = [&] {
        for (const QString& name : backups)
            QFile::remove(programFile(name + QLatin1Char('.') + stamp + QStringLiteral(".bak")));
        return Written::No;
    };
    QByteArray master, data;
    QString dataPath;
    if (!ledger.masterFileBytes(master))
        return dropBackups();
    if (linkedMode) {
        dataPath = ledger.mergePath(year);
        if (!ledger.mergeFileBytes(year, token, data))
            return dropBackups();
    } else {
        quiet.forwardTo = prompter_;
        dataPath = target.yearPath(year);
        qint32 carry = 0;
        if (!target.yearFileBytes(1, data, carry))
            return dropBackups();
    }
    if (!ledger.commitFiles({{masterPath, master}, {dataPath, data}}))
        return dropBackups();
    written = int(incoming.size());
    return Written::Yes;
}

void ImportSession::ShowClosingMessage()
{
    QString counts = QStringLiteral("\r\n\r\n%1 : %2 件")
                         .arg(linkedMode ? QStringLiteral("取り込むデータ") : QStringLiteral("取り込んだデータ"), Fmt::hash0(written));
    if (skippedDuplicates > 0)
        counts += QStringLiteral("\r\n重複のため除いたデータ : %1 件").arg(Fmt::hash0(skippedDuplicates));
    if (skippedOtherYear > 0)
        counts += QStringLiteral("\r\n%1 年以外の日付のため除いたデータ : %2 件").arg(importYear, Fmt::hash0(skippedOtherYear));
    if (linkedMode) {
        prompter_->message(QStringLiteral("家計簿データの作成が完了しました。") + counts
                               + QStringLiteral("\r\n\r\n[OK]をクリックするとデータを取り込みます。"),
                           Prompter::Icon::Information);
        return;
    }
    const auto answer = prompter_->question(QStringLiteral("家計簿データの作成が完了しました。") + counts
                                                + QStringLiteral("\r\n\r\n[ぽるもさん]を起動しますか。"),
                                            Prompter::Buttons::YesNo);
    if (answer != Prompter::Answer::Yes)
        return;
    const QString program = HandOff::ledgerProgramPath();
    if (!startProgram(program, {importYear + QStringLiteral(".zbl")}))
        prompter_->message(QStringLiteral("[ぽるもさん] を起動できませんでした。\r\n\r\n  %1").arg(QDir::toNativeSeparators(program)),
                           Prompter::Icon::Warning);
}

}
