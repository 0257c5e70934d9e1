// The amount field's adding machine: "+" and "-" add up amounts, Enter
// shows the total (or, with nothing pending, adds or applies the entry).
#include "frmData.h"

#include "LedgerModel.h"
#include "LineText.h"
#include "frmDataText.h"

#include <QKeyEvent>
#include <QLineEdit>

using namespace EntryText;

bool frmData::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != txtMoney || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        moneyEnter();
        return true;
    }
    // Shortcuts (copy, paste, undo), keys without a character and the keys
    // that move on or close (Tab, Shift+Tab, Esc) pass.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) || key->text().isEmpty()
        || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape)
        return false;
    const QString typed = Num::halfWidth(key->text());
    const QChar c = typed.at(0);
    if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
        moneyKey(c);
        return true;
    }
    const bool accepted = isAsciiDigit(c) || c == QLatin1Char('.') || c == QLatin1Char('\b') || c == QLatin1Char('\r')
                          || c == QLatin1Char('\n');
    // A full-width digit goes in as its half-width form.
    if (accepted && typed != key->text()) {
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

void frmData::applyPending(qint32 current)
{
    const qint64 r = calcOp == QLatin1String("+") ? qint64(calcTotal) + current : qint64(calcTotal) - current;
    if (r < 0)
        model_.prompter().message(kMinusMessage, Prompter::Icon::Warning);
    else if (r > kMaxAmount)
        model_.prompter().message(tooLargeMessage(), Prompter::Icon::Warning);
    else
        calcTotal = qint32(r);
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
}

void frmData::moneyEnter()
{
    if (calcOp.isEmpty()) {
        if (isAddMode())
            cmdOK_Click();
        else
            cmdExit_Click();
        return;
    }
    const auto current = currentAmount();
    if (!current)
        return;
    applyPending(*current);
    calcOp.clear();
    txtMoney->setText(calcTotal > 0 ? QString::number(calcTotal) : QString());
}
