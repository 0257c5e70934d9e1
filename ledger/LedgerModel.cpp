#include "LedgerModel.h"

#include "Clock.h"
#include "FileTransaction.h"
#include "Formats.h"
#include "LineText.h"
#include "ProgramFolder.h"

#include <QFileInfo>

#include <algorithm>

LedgerModel::LedgerModel(Prompter& prompter) : prompter_(&prompter) {}

void LedgerModel::clearMonthSlots()
{
    for (MonthSlot& s : monthSlots)
        s = MonthSlot{};
}

QString LedgerModel::headerDate() { return Clock::today().toString(QStringLiteral("MM-dd-yyyy")); }

bool LedgerModel::InsertEntry(Entry e)
{
    // The month picks the slot; a date that names none would fall outside the table.
    if (!e.hasDate() || e.month() > 12)
        return false;
    if (e.id == 0)
        e.id = nextEntryId();
    MonthSlot& s = slot(e.month());
    const quint8 day = e.dayNo;
    const auto pos = std::partition_point(s.entries.begin(), s.entries.end(), [day](const Entry& x) { return x.dayNo < day; });
    s.totalOut += e.out;
    s.totalIn += e.in;
    s.entries.insert(pos, std::move(e));
    return true;
}

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

void LedgerModel::BuildMonthCatTotals()
{
    for (auto& m : monthCatTotals)
        m.reset();
    yearOut = 0;
    yearIn = 0;
    for (int month = 1; month <= 12; ++month) {
        const MonthSlot& s = slot(month);
        if (s.count() == 0)
            continue;
        auto& totals = monthCatTotals[month - 1].emplace();
        totals.reserve(categoryList.count());
        for (const auto& c : categoryList)
            totals.push_back({c.item->no, 0});
        yearOut += s.totalOut;
        yearIn += s.totalIn;
        for (const CategorySum& item : SumByCategory(month)) {
            for (clsMoney& m : totals) {
                if (m.no == item.no) {
                    m.money = item.amount;
                    break;
                }
            }
        }
    }
}

void LedgerModel::MakeCategorySums(int month)
{
    catSumOut.clear();
    catSumIn.clear();
    totalOut = 0;
    totalIn = 0;
    for (const CategorySum& item : SumByCategory(month)) {
        const int number = item.no.toInt();
        const bool shown = std::any_of(graphTargets.begin(), graphTargets.end(),
                                       [&](const GraphTargetRow& r) { return r.no == number && r.show == 1; });
        if (!shown)
            continue;
        const auto cat = category(item.no);
        const bool isOut = cat && cat->ioflag == 1;
        auto& list = isOut ? catSumOut : catSumIn;
        (isOut ? totalOut : totalIn) += item.amount;
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
    // sums of the shown categories stay in totalOut and totalIn only.
}

QStringList LedgerModel::RankCategoriesByUse()
{
    for (CategoryUseRow& r : categoryUse)
        r.count = 0;
    for (int month = std::max(1, startMonth - 1); month <= startMonth && month <= 12; ++month) {
        for (const Entry& e : slot(month).entries) {
            const int number = e.categoryNo;
            for (CategoryUseRow& r : categoryUse) {
                if (r.no == number) {
                    ++r.count;
                    break;
                }
            }
        }
    }
    // Stable: equal counts keep their previous order.
    std::stable_sort(categoryUse.begin(), categoryUse.end(),
                     [](const CategoryUseRow& a, const CategoryUseRow& b) { return a.count > b.count; });
    QStringList names;
    for (const CategoryUseRow& r : categoryUse)
        if (const auto c = category(Fmt::zero2(r.no)))
            names << c->name;
    if (onCategoriesRanked)
        onCategoriesRanked(names);
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

bool LedgerModel::commitFiles(const std::vector<std::pair<QString, QByteArray>>& writes, const QString& removal)
{
    std::vector<FileTransaction::Change> changes;
    for (const auto& [path, bytes] : writes)
        changes.push_back({path, bytes, false});
    if (!removal.isEmpty())
        changes.push_back({removal, {}, true});
    const FileTransaction::Result r = FileTransaction::commit(changes);
    if (!r.ok)
        reportWriteFailure(r.path, r.error);
    return r.ok;
}
