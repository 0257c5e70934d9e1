#include "recurring/TeikiRows.h"

#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "recurring/TeikiBook.h"

TeikiRows::TeikiRows(const TeikiBook& book, const LedgerModel& model, QObject* parent)
    : QAbstractTableModel(parent), book_(book), model_(model)
{
    // The book changes as a whole (a rule added, changed, removed, applied).
    connect(&book, &TeikiBook::rulesChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int TeikiRows::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(book_.rules().size()); }
int TeikiRows::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString TeikiRows::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const TeikiRule& r = book_.rules()[size_t(row)];
    const auto c = model_.category(Fmt::zero2(r.categoryNo));
    switch (column) {
    case Name:
        return r.name;
    case Category:
        return c ? c->name : QStringLiteral("費目番号: %1 (削除されています)").arg(Fmt::zero2(r.categoryNo));
    case Sub:
        if (r.subNo == 0)
            return {};
        if (const auto s = c ? c->nTekiyo.find(Fmt::zero2(r.subNo)) : nullptr)
            return s->name;
        return QStringLiteral("摘要項目番号: %1 (削除されています)").arg(Fmt::zero2(r.subNo));
    case Kind:
        return !c ? QString() : c->ioflag == 1 ? QStringLiteral("出金") : QStringLiteral("入金");
    case Amount:
        return Fmt::hash0(r.amount);
    case Day:
        return QString::number(r.day);
    case Months:
        return r.monthsText();
    case Period:
        if (!r.first.valid() && !r.last.valid())
            return {};
        return r.first.text() + QStringLiteral(" ～ ") + r.last.text();
    case State:
        return r.on ? QStringLiteral("有効") : QStringLiteral("無効");
    case Applied: // the last month applied, in the latest year
        return r.applied.empty() ? QString() : r.applied.back().text();
    default:
        return {};
    }
}

QVariant TeikiRows::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == Amount || index.column() == Day))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TeikiRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const headings[ColumnCount] = {"名称", "費目", "摘要項目", "出入金", "金額", "日", "月", "期間", "状態", "適用済み"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf8(headings[section]);
}

int TeikiRows::ruleId(int row) const { return row >= 0 && row < rowCount() ? book_.rules()[size_t(row)].id : 0; }

int TeikiRows::rowOf(int ruleId) const
{
    for (int r = 0; r < rowCount(); ++r)
        if (book_.rules()[size_t(r)].id == ruleId)
            return r;
    return -1;
}
