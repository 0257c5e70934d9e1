// Running balances, the status bar and the carry-over commands.
#include "month/MonthViews.h"

#include "month/EditHistory.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"

#include <QLabel>

namespace {
// False, after telling the user, when this carry-over would put the
// year-end balance beyond what the year file holds.
bool carryFits(LedgerModel& m, qint32 carry)
{
    const qint64 balance = m.yearEndBalanceWith(carry);
    if (LedgerModel::balanceFits(balance))
        return true;
    m.prompter().message(LedgerModel::balanceRangeText(balance) + QStringLiteral("\r\n\r\nこの繰越高は設定できません。"),
                         Prompter::Icon::Warning);
    return false;
}
}

void MonthViews::UpdateBalances(MonthListModel* list)
{
    const int n = list->count();
    if (n == 0)
        return;
    const qint64 out = list->row(0).out;
    const qint64 in = list->row(0).in;
    const qint64 brought = in - out;

    // Sums in 64 bits: a month of large amounts never wraps.
    qint64 outSum = 0, inSum = 0;
    for (int i = 1; i < n; ++i) {
        MonthRow& r = list->editRow(i);
        outSum += r.out;
        inSum += r.in;
        r.balance = brought + inSum - outSum;
    }
    list->columnChanged(MonthListModel::Balance);

    if (list != monthRows)
        return;
    LedgerModel& m = *model_;
    statusPanel[0]->setText(QString::number(m.curMonth()) + QStringLiteral(" 月度 収支状況   "));
    QString carry = QStringLiteral("繰越高 : ") + Fmt::hash0(out > 0 ? -out : in);
    QString tip;
    if (m.curMonth() == 1) {
        carry += m.carryAuto() ? QStringLiteral(" (A)") : QStringLiteral(" (M)");
        tip = QStringLiteral("前年度繰越高は [") + (m.carryAuto() ? QStringLiteral("自動") : QStringLiteral("手動"))
            + QStringLiteral("] 算出です。");
    }
    statusPanel[1]->setText(carry);
    statusPanel[1]->setToolTip(tip);
    statusPanel[2]->setText(QStringLiteral("支出 : ") + Fmt::hash0(outSum));
    statusPanel[3]->setText(QStringLiteral("収入 : ") + Fmt::hash0(inSum));
    statusPanel[4]->setText(QStringLiteral("残高 : ") + Fmt::hash0(brought + inSum - outSum));
}

std::optional<qint32> MonthViews::askCarryOver(const QString& defaultText)
{
    LedgerModel& m = *model_;
    const auto value = m.askCarryOverAmount(defaultText);
    if (!value || !carryFits(m, *value))
        return std::nullopt;
    return value;
}

void MonthViews::CarryOverInput()
{
    const qint64 current = monthRows->row(0).in - monthRows->row(0).out;
    // The list follows (carryOverChanged).
    if (const auto value = askCarryOver(QString::number(current)))
        EditHistory::of(*model_).setCarryOver(*value, false);
}

void MonthViews::SwitchCarryOverMode()
{
    LedgerModel& m = *model_;
    if (m.curMonth() != 1)
        return;
    QString text = QStringLiteral("前年度繰越高を [") + (m.carryAuto() ? QStringLiteral("手動") : QStringLiteral("自動"))
        + QStringLiteral("] 算出に変更しますか。");
    if (!m.carryAuto())
        text += QStringLiteral("\r\n\r\n前年度データファイルから算出します。\r\n(存在しない場合、[0円] が設定されます)");
    if (m.prompter().question(text, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    // One step either way: the switch to manual keeps the amount when none is typed.
    EditHistory& history = EditHistory::of(m);
    if (m.carryAuto()) {
        history.setCarryOver(askCarryOver(QString::number(m.carryOver())).value_or(m.carryOver()), false);
        return;
    }
    qint32 carry = 0;
    const QString prev = m.CalcPrevCarryOver();
    if (prev != QLatin1String("NOFILE") && !prev.isEmpty())
        carry = Num::toInt32(prev).value_or(0);
    if (carryFits(m, carry))
        history.setCarryOver(carry, true);
}
