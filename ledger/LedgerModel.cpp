#include "ledger/LedgerModel.h"

#include "ledger/BackupRestore.h"
#include "ledger/Clock.h"
#include "ledger/FileTransaction.h"
#include "ledger/Formats.h"
#include "ledger/LineText.h"
#include "ledger/ProgramFolder.h"

#include <QFileInfo>

#include <algorithm>

LedgerModel::LedgerModel(Prompter& prompter, QObject* parent) : QObject(parent), prompter_(&prompter) {}

LedgerModel::~LedgerModel() = default;

QString LedgerModel::headerDate() { return Clock::today().toString(QStringLiteral("MM-dd-yyyy")); }

// ---- year and carry-over ----

void LedgerModel::setStart(int year, int month)
{
    startYear_ = curYear_ = year;
    startMonth_ = curMonth_ = month;
}

void LedgerModel::setYear(int year) { startYear_ = curYear_ = year; }

void LedgerModel::SetCarryOver(qint32 value, bool automatic)
{
    if (value == carryOver_ && automatic == carryAuto_)
        return;
    carryOver_ = value;
    carryAuto_ = automatic;
    emit carryOverChanged();
}

// ---- entries ----

MonthSlot& LedgerModel::editSlot(int month)
{
    sumsChanged();
    return monthSlots_[month - 1];
}

bool LedgerModel::InsertEntry(Entry e, DayPlace place)
{
    // The month picks the slot; a date that names none would fall outside the table.
    if (!e.hasDate() || e.month() > 12)
        return false;
    const auto& entries = slot(e.month()).entries;
    const quint8 day = e.dayNo;
    const auto pos = place == DayPlace::First
        ? std::partition_point(entries.begin(), entries.end(), [day](const Entry& x) { return x.dayNo < day; })
        : std::partition_point(entries.begin(), entries.end(), [day](const Entry& x) { return x.dayNo <= day; });
    return InsertEntryAt(std::move(e), int(pos - entries.begin()));
}

bool LedgerModel::InsertEntryAt(Entry e, int position)
{
    if (!e.hasDate() || e.month() > 12)
        return false;
    if (e.id == 0)
        e.id = nextEntryId();
    MonthSlot& s = editSlot(e.month());
    position = std::clamp(position, 0, s.count());
    s.totalOut += e.out;
    s.totalIn += e.in;
    const int month = e.month();
    const EntryId id = e.id;
    lastFiled_ = {month, position};
    s.entries.insert(s.entries.begin() + position, std::move(e));
    emit entryInserted(month, id);
    return true;
}

qsizetype LedgerModel::entryIndex(int month, EntryId id) const
{
    if (month < 1 || month > 12)
        return -1;
    const auto& entries = slot(month).entries;
    // Whoever follows a filing looks the entry up at once.
    if (lastFiled_.first == month && lastFiled_.second < qsizetype(entries.size()) && entries[lastFiled_.second].id == id)
        return lastFiled_.second;
    const auto it = std::find_if(entries.begin(), entries.end(), [id](const Entry& e) { return e.id == id; });
    return it == entries.end() ? -1 : it - entries.begin();
}

const Entry* LedgerModel::findEntry(int month, EntryId id) const
{
    const qsizetype i = entryIndex(month, id);
    return i < 0 ? nullptr : &slot(month).entries[size_t(i)];
}

bool LedgerModel::RemoveEntry(int month, EntryId id)
{
    const qsizetype i = entryIndex(month, id);
    if (i < 0)
        return false;
    MonthSlot& s = editSlot(month);
    const auto it = s.entries.begin() + i;
    s.totalOut -= it->out;
    s.totalIn -= it->in;
    s.entries.erase(it);
    emit entryRemoved(month, id);
    return true;
}

bool LedgerModel::ReplaceEntry(int month, EntryId id, const Entry& e)
{
    const qsizetype i = entryIndex(month, id);
    if (i < 0)
        return false;
    MonthSlot& s = editSlot(month);
    Entry& old = s.entries[size_t(i)];
    s.totalOut += qint64(e.out) - old.out;
    s.totalIn += qint64(e.in) - old.in;
    old.categoryNo = e.categoryNo;
    old.subNo = e.subNo;
    old.out = e.out;
    old.in = e.in;
    emit entryReplaced(month, id);
    return true;
}

void LedgerModel::RemoveEntries(const std::vector<Entry>& entries)
{
    std::array<QSet<EntryId>, 12> ids;
    for (const Entry& e : entries)
        if (e.hasDate() && e.month() <= 12)
            ids[e.month() - 1].insert(e.id);
    for (int month = 1; month <= 12; ++month) {
        const QSet<EntryId>& gone = ids[month - 1];
        if (gone.isEmpty())
            continue;
        MonthSlot& s = editSlot(month);
        const auto kept = std::stable_partition(s.entries.begin(), s.entries.end(),
                                                [&](const Entry& e) { return !gone.contains(e.id); });
        if (kept == s.entries.end())
            continue;
        for (auto it = kept; it != s.entries.end(); ++it) {
            s.totalOut -= it->out;
            s.totalIn -= it->in;
        }
        s.entries.erase(kept, s.entries.end());
        emit entriesChanged(month);
    }
}

void LedgerModel::SetMonthEntries(int month, std::vector<Entry> entries)
{
    MonthSlot& s = editSlot(month);
    s.totalOut = 0;
    s.totalIn = 0;
    for (Entry& e : entries) {
        if (e.id == 0)
            e.id = nextEntryId();
        s.totalOut += e.out;
        s.totalIn += e.in;
    }
    s.entries = std::move(entries);
    emit entriesChanged(month);
}

void LedgerModel::clearMonthSlots()
{
    sumsChanged();
    for (int month = 1; month <= 12; ++month) {
        const bool held = slot(month).count() > 0;
        monthSlots_[month - 1] = MonthSlot{};
        if (held)
            emit entriesChanged(month);
    }
}

// ---- sums ----

std::vector<CategorySum> LedgerModel::SumByCategory(int month) const
{
    std::vector<CategorySum> list;
    // Where each category number sits in the list, so a month of many
    // entries is not rescanned per entry.
    std::array<int, 100> at;
    at.fill(-1);
    for (const Entry& e : slot(month).entries) {
        const qint64 amount = qint64(e.out) + e.in;
        int& i = at[e.categoryNo % 100];
        if (i >= 0) {
            list[i].amount += amount;
        } else {
            i = int(list.size());
            list.push_back({e.category(), amount});
        }
    }
    return list;
}

void LedgerModel::BuildMonthCatTotals() const
{
    for (auto& m : monthCatTotals_)
        m.reset();
    yearOut_ = 0;
    yearIn_ = 0;
    for (int month = 1; month <= 12; ++month) {
        const MonthSlot& s = slot(month);
        if (s.count() == 0)
            continue;
        auto& totals = monthCatTotals_[month - 1].emplace();
        totals.reserve(categoryList_.count());
        for (const auto& c : categoryList_)
            totals.push_back({c.item->no, 0});
        yearOut_ += s.totalOut;
        yearIn_ += s.totalIn;
        for (const CategorySum& item : SumByCategory(month)) {
            for (clsMoney& m : totals) {
                if (m.no == item.no) {
                    m.money = item.amount;
                    break;
                }
            }
        }
    }
    sumsValid_ = true;
}

const std::array<std::optional<std::vector<clsMoney>>, 12>& LedgerModel::monthCatTotals() const
{
    if (!sumsValid_)
        BuildMonthCatTotals();
    return monthCatTotals_;
}

qint64 LedgerModel::yearOut() const
{
    if (!sumsValid_)
        BuildMonthCatTotals();
    return yearOut_;
}

qint64 LedgerModel::yearIn() const
{
    if (!sumsValid_)
        BuildMonthCatTotals();
    return yearIn_;
}

CategorySums LedgerModel::MakeCategorySums(int month) const
{
    CategorySums sums;
    for (const CategorySum& item : SumByCategory(month)) {
        const int number = item.no.toInt();
        const bool shown = std::any_of(graphTargets_.begin(), graphTargets_.end(),
                                       [&](const GraphTargetRow& r) { return r.no == number && r.show == 1; });
        if (!shown)
            continue;
        const auto cat = category(item.no);
        const bool isOut = cat && cat->ioflag == 1;
        auto& list = isOut ? sums.catSumOut : sums.catSumIn;
        (isOut ? sums.totalOut : sums.totalIn) += item.amount;
        // After the last element whose amount is at least as large: ties keep arrival order.
        auto pos = list.begin();
        for (auto it = list.end(); it != list.begin();) {
            --it;
            if (it->amount >= item.amount) {
                pos = it + 1;
                break;
            }
        }
        list.insert(pos, item);
    }
    // The month's totals record keeps the totals of all categories: the
    // balance brought forward of later months is computed from it, so the
    // sums of the shown categories stay in these sums only.
    return sums;
}

QStringList LedgerModel::RankCategoriesByUse()
{
    for (CategoryUseRow& r : categoryUse_)
        r.count = 0;
    for (int month = std::max(1, startMonth_ - 1); month <= startMonth_ && month <= 12; ++month) {
        for (const Entry& e : slot(month).entries) {
            const int number = e.categoryNo;
            for (CategoryUseRow& r : categoryUse_) {
                if (r.no == number) {
                    ++r.count;
                    break;
                }
            }
        }
    }
    // Stable: equal counts keep their previous order.
    std::stable_sort(categoryUse_.begin(), categoryUse_.end(),
                     [](const CategoryUseRow& a, const CategoryUseRow& b) { return a.count > b.count; });
    QStringList names;
    for (const CategoryUseRow& r : categoryUse_)
        if (const auto c = category(Fmt::zero2(r.no)))
            names << c->name;
    emit categoriesRanked(names);
    return names;
}

QString LedgerModel::masterPath() const { return programFile(QStringLiteral("MainSub.zbt")); }
QString LedgerModel::yearPath(int year) const { return programFile(QString::number(year) + QStringLiteral(".zbl")); }
QString LedgerModel::memoPath(int year) const { return programFile(QString::number(year) + QStringLiteral(".zbm")); }

QString LedgerModel::lineListText(const QList<int>& lineNumbers)
{
    // A file that is not a ledger file at all would otherwise fill the screen.
    constexpr int kListed = 20;
    QStringList numbers;
    for (int i = 0; i < lineNumbers.size() && i < kListed; ++i)
        numbers << QString::number(lineNumbers[i]);
    QString list = numbers.join(QStringLiteral(", "));
    if (lineNumbers.size() > kListed)
        list += QStringLiteral(" ほか %1 行").arg(lineNumbers.size() - kListed);
    return list;
}

void LedgerModel::reportSkippedLines(const QString& fileName, const QList<int>& lineNumbers)
{
    if (lineNumbers.isEmpty())
        return;
    prompter_->message(QStringLiteral("%1 の次の行は形式が正しくないため、読み飛ばしました。\r\n\r\n  行番号 : %2\r\n\r\n"
                                      "このまま保存すると、これらの行はファイルから失われます。")
                           .arg(fileName, lineListText(lineNumbers)),
                       Prompter::Icon::Warning);
}

void LedgerModel::reportWriteFailure(const QString& path, const QString& error)
{
    QString text = QStringLiteral("ファイル [%1] を保存できませんでした。\r\n\r\n%2").arg(path, error);
    if (QFileInfo(path).isFile())
        text += QStringLiteral("\r\n\r\n保存されていたファイルはそのまま残っています。");
    prompter_->message(text, Prompter::Icon::Warning);
}

void LedgerModel::keepBackup(const QString& path)
{
    const Backups::Result r = Backups::keep(path, Backups::generations());
    if (r.ok || backupFailureTold_)
        return;
    backupFailureTold_ = true;
    prompter_->message(QStringLiteral("ファイル [%1] のバックアップを作成できませんでした。\r\n\r\n%2\r\n\r\n"
                                      "保存はこのまま行います。（このお知らせは、次に起動するまで表示しません。）")
                           .arg(QFileInfo(path).fileName(), r.error),
                       Prompter::Icon::Warning);
}

bool LedgerModel::commitFiles(const std::vector<std::pair<QString, QByteArray>>& writes, const QString& removal)
{
    std::vector<FileTransaction::Change> changes;
    for (const auto& [path, bytes] : writes) {
        // The user's files, not the merge file of a hand-over.
        if (Backups::kindOf(QFileInfo(path).fileName()) != Backups::Kind::Other)
            keepBackup(path);
        changes.push_back({path, bytes, false});
    }
    if (!removal.isEmpty())
        changes.push_back({removal, {}, true});
    const FileTransaction::Result r = FileTransaction::commit(changes);
    if (!r.ok)
        reportWriteFailure(r.path, r.error);
    return r.ok;
}
