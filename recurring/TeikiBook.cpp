#include "recurring/TeikiBook.h"

#include "ledger/Clock.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"

#include <QPointer>

#include <algorithm>

namespace {
const QString kTitle = QStringLiteral("定期入力");
// A question longer than a screen helps nobody: the rest is counted.
constexpr int kListed = 20;
}

TeikiBook::TeikiBook(LedgerModel& model, QObject* parent) : QObject(parent), model_(model)
{
    connect(&model_, &LedgerModel::yearSaved, this, &TeikiBook::flushApplied);
    // Entries filed but never saved left with the year they were filed in.
    connect(&model_, &LedgerModel::yearLoaded, this, [this] { pending_.clear(); });
}

void TeikiBook::read()
{
    Prompter& p = model_.prompter();
    const TeikiFile::ReadResult r = TeikiFile::read(TeikiFile::path());
    unreadable_ = !r.ok;
    pending_.clear();
    contents_ = r.contents;
    for (TeikiRule& rule : contents_.rules)
        rule.id = takeId();
    if (!r.ok) {
        p.message(QStringLiteral("定期入力管理ファイル [%1] を読み込めませんでした。\r\n\r\n%2\r\n\r\n"
                                 "定期入力は行わず、このファイルへの保存もしません。")
                      .arg(TeikiFile::fileName(), r.error),
                  Prompter::Icon::Warning, kTitle);
    } else if (!contents_.keptLines.isEmpty()) {
        QStringList numbers;
        for (int n : contents_.keptLines)
            numbers << QString::number(n);
        p.message(QStringLiteral("%1 の次の行は形式が正しくないため、定期入力として使いません。\r\n\r\n  行番号 : %2\r\n\r\n"
                                 "これらの行は消さずに、そのままファイルに残します。")
                      .arg(TeikiFile::fileName(), numbers.join(QStringLiteral(", "))),
                  Prompter::Icon::Warning, kTitle);
    }
    emit rulesChanged();
}

const TeikiRule* TeikiBook::rule(int id) const
{
    const auto it = std::find_if(contents_.rules.begin(), contents_.rules.end(), [id](const TeikiRule& r) { return r.id == id; });
    return it == contents_.rules.end() ? nullptr : &*it;
}

bool TeikiBook::write()
{
    Prompter& p = model_.prompter();
    if (unreadable_) {
        p.message(QStringLiteral("定期入力管理ファイル [%1] は読み込めなかったため、上書き保存しません。").arg(TeikiFile::fileName()),
                  Prompter::Icon::Warning, kTitle);
        return false;
    }
    QString error;
    if (TeikiFile::write(TeikiFile::path(), contents_, &error))
        return true;
    p.message(QStringLiteral("定期入力管理ファイル [%1] を保存できませんでした。\r\n\r\n%2").arg(TeikiFile::path(), error),
              Prompter::Icon::Warning, kTitle);
    return false;
}

void TeikiBook::startNow(TeikiRule& rule)
{
    if (!rule.first.valid() && rule.applied.empty())
        rule.applied.push_back(YearMonth::of(Clock::today()).previous());
}

bool TeikiBook::addRule(TeikiRule rule)
{
    rule.id = takeId();
    startNow(rule);
    contents_.rules.push_back(rule);
    emit rulesChanged();
    return write();
}

bool TeikiBook::replaceRule(int id, TeikiRule rule)
{
    const auto it = std::find_if(contents_.rules.begin(), contents_.rules.end(), [id](const TeikiRule& r) { return r.id == id; });
    if (it == contents_.rules.end())
        return false;
    // What was applied stays applied, whatever else changed.
    rule.id = id;
    rule.applied = it->applied;
    startNow(rule);
    *it = rule;
    emit rulesChanged();
    return write();
}

bool TeikiBook::removeRule(int id)
{
    if (std::erase_if(contents_.rules, [id](const TeikiRule& r) { return r.id == id; }) == 0)
        return false;
    std::erase_if(pending_, [id](const Pending& p) { return p.ruleId == id; });
    emit rulesChanged();
    return write();
}

bool TeikiBook::usable(const TeikiRule& r) const
{
    const auto c = model_.category(Fmt::zero2(r.categoryNo));
    return c && (r.subNo == 0 || c->nTekiyo.contains(Fmt::zero2(r.subNo)));
}

std::vector<TeikiBook::Due> TeikiBook::dueNow() const
{
    std::vector<Due> due;
    if (unreadable_)
        return due;
    const int year = model_.curYear();
    for (TeikiRule r : contents_.rules) {
        if (!usable(r))
            continue;
        for (const Pending& p : pending_)
            if (p.ruleId == r.id && p.filed)
                r.markApplied(p.month);
        const auto c = model_.category(Fmt::zero2(r.categoryNo));
        for (const YearMonth& ym : r.dueIn(year, Clock::today())) {
            Due d{r.id, ym, {}};
            d.entry.monthNo = quint8(ym.month);
            d.entry.dayNo = quint8(r.dateIn(ym).day());
            d.entry.categoryNo = r.categoryNo;
            d.entry.subNo = r.subNo;
            (c->ioflag == 1 ? d.entry.out : d.entry.in) = r.amount;
            due.push_back(d);
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) {
        return std::pair(a.entry.monthNo, a.entry.dayNo) < std::pair(b.entry.monthNo, b.entry.dayNo);
    });
    return due;
}

QString TeikiBook::dueText(const Due& d) const
{
    const TeikiRule* r = rule(d.ruleId);
    const auto c = model_.category(d.entry.category());
    QString names = c ? c->name : d.entry.category();
    if (const auto sub = c ? c->nTekiyo.find(d.entry.sub()) : nullptr)
        names += QStringLiteral("・") + sub->name;
    return QStringLiteral("  %1/%2  %3  [%4]  %5 円 (%6)")
        .arg(QString::number(model_.curYear()), d.entry.date(), r ? r->name : QString(), names,
             Fmt::hash0(qint64(d.entry.out) + d.entry.in), d.entry.out != 0 ? QStringLiteral("出金") : QStringLiteral("入金"));
}

void TeikiBook::offerDue(const FileBatch& fileBatch)
{
    // Nothing goes into a year whose file could not be read: it is never saved.
    if (model_.yearUnreadable())
        return;
    turnOffDeleted({}, {});
    const std::vector<Due> due = dueNow();
    if (due.empty())
        return;
    Prompter& p = model_.prompter();
    qint64 out = 0, in = 0;
    QStringList list;
    for (size_t i = 0; i < due.size(); ++i) {
        out += due[i].entry.out;
        in += due[i].entry.in;
        if (i < size_t(kListed))
            list << dueText(due[i]);
    }
    if (due.size() > size_t(kListed))
        list << QStringLiteral("  ほか %1 件").arg(due.size() - kListed);
    const qint64 balance = model_.yearEndBalanceWith(model_.carryOver(), 0, out, in);
    if (!LedgerModel::balanceFits(balance)) {
        p.message(QStringLiteral("定期入力の %1 件を追加すると、").arg(due.size()) + LedgerModel::balanceRangeText(balance)
                      + QStringLiteral("\r\n\r\n定期入力は追加しませんでした。"),
                  Prompter::Icon::Warning, kTitle);
        return;
    }
    const QString text = QStringLiteral("定期入力: %1 件を追加しますか。\r\n\r\n").arg(due.size()) + list.join(QStringLiteral("\r\n"));
    if (p.question(text, Prompter::Buttons::YesNo, kTitle, Prompter::Answer::Yes) != Prompter::Answer::Yes)
        return;
    std::vector<Entry> entries;
    entries.reserve(due.size());
    const int batch = ++lastBatch_;
    for (const Due& d : due) {
        entries.push_back(d.entry);
        pending_.push_back({d.ruleId, d.month, batch, true});
    }
    fileBatch(std::move(entries), [book = QPointer<TeikiBook>(this), batch](bool filed) {
        if (book)
            book->setBatchFiled(batch, filed);
    });
    emit rulesChanged();
}

void TeikiBook::setBatchFiled(int batch, bool filed)
{
    bool changed = false;
    for (Pending& p : pending_)
        if (p.batch == batch && p.filed != filed) {
            p.filed = filed;
            changed = true;
        }
    if (changed)
        emit rulesChanged();
}

void TeikiBook::flushApplied(int year)
{
    bool changed = false;
    for (const Pending& p : pending_) {
        if (p.month.year != year || !p.filed)
            continue;
        for (TeikiRule& r : contents_.rules)
            if (r.id == p.ruleId) {
                r.markApplied(p.month);
                changed = true;
            }
    }
    std::erase_if(pending_, [year](const Pending& p) { return p.month.year == year && p.filed; });
    if (changed) {
        emit rulesChanged();
        write();
    }
}

void TeikiBook::turnOffDeleted(const QSet<int>& categories, const QSet<int>& subItems)
{
    QStringList names;
    for (TeikiRule& r : contents_.rules) {
        if (!r.on)
            continue;
        if (categories.contains(r.categoryNo) || (r.subNo != 0 && subItems.contains(r.categoryNo * 100 + r.subNo)) || !usable(r)) {
            r.on = false;
            names << QStringLiteral("  ") + r.name;
        }
    }
    if (names.isEmpty())
        return;
    emit rulesChanged();
    write();
    model_.prompter().message(QStringLiteral("次の定期入力は、費目または摘要項目が削除されたため、無効にしました。\r\n\r\n")
                                  + names.join(QStringLiteral("\r\n")),
                              Prompter::Icon::Information, kTitle);
}
