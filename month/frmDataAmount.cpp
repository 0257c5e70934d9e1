// The amount field's adding machine: "+" and "-" add up amounts, shown as
// a subtotal under the field; Enter shows the total (or, with nothing
// pending, adds or applies the entry).
#include "month/frmData.h"

#include "ledger/LedgerModel.h"
#include "ledger/LineText.h"
#include "month/frmDataText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using namespace EntryText;

bool frmData::moneyKeyPress(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        moneyEnter();
        return true;
    }
    // Shortcuts (copy, paste, undo, mnemonics), keys without a character
    // and the keys that move on or close (Tab, Shift+Tab, Esc) pass.
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) || key.text().isEmpty()
        || key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab || key.key() == Qt::Key_Escape)
        return false;
    const QString typed = Num::halfWidth(key.text());
    const QChar c = typed.at(0);
    if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
        moneyKey(c);
        return true;
    }
    // 万 and 千 multiply, as in "12万".
    const bool accepted = isAsciiDigit(c) || c == QLatin1Char('.') || c == u'万' || c == u'千' || c == QLatin1Char('\b')
                          || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    // A full-width digit goes in as its half-width form.
    if (accepted && typed != key.text()) {
        txtMoney->insert(typed);
        return true;
    }
    return !accepted;
}

std::optional<qint32> frmData::currentAmount()
{
    const QString text = trimSpaces(txtMoney->text());
    if (text.isEmpty())
        return 0;
    if (!Num::isNumeric(text)) {
        model_.prompter().message(kNotNumberMessage, Prompter::Icon::Warning);
        return std::nullopt;
    }
    const auto v = Num::toInt32(text);
    if (!v)
        model_.prompter().message(tooLargeMessage(), Prompter::Icon::Warning);
    return v;
}

bool frmData::applyPending(qint32 current)
{
    const qint64 r = calcOp == QLatin1String("+") ? qint64(calcTotal) + current : qint64(calcTotal) - current;
    if (r < 0 || r > kMaxAmount) {
        model_.prompter().message(r < 0 ? kMinusMessage : tooLargeMessage(), Prompter::Icon::Warning);
        return false;
    }
    calcTotal = qint32(r);
    return true;
}

void frmData::moneyKey(QChar key)
{
    const auto current = currentAmount();
    if (!current)
        return;
    if (calcOp.isEmpty())
        calcTotal = *current;
    else
        applyPending(*current);
    calcOp = key;
    txtMoney->clear();
    showSubtotal();
}

bool frmData::finishSum()
{
    if (calcOp.isEmpty())
        return true;
    const auto current = currentAmount();
    if (!current)
        return false;
    const bool applied = applyPending(*current);
    calcOp.clear();
    txtMoney->setText(calcTotal > 0 ? QString::number(calcTotal) : QString());
    showSubtotal();
    return applied;
}

void frmData::moneyEnter()
{
    if (!calcOp.isEmpty()) {
        finishSum();
        return;
    }
    if (isAddMode())
        cmdOK_Click();
    else
        cmdExit_Click();
}

void frmData::showSubtotal()
{
    lblCalc->setText(calcOp.isEmpty() ? QString() : QStringLiteral("小計 %1 %2").arg(Fmt::hash0(calcTotal), calcOp));
}
