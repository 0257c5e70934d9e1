// The entry dialog by keyboard: the date picker opens from the date field,
// Enter moves on to the next field, and Down leads from the sub-item field
// into its list, starting at the first name.
#include "month/frmData.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

bool frmData::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == txtMoney)
        return moneyKeyPress(key);
    return fieldKey(watched, key);
}

bool frmData::fieldKey(QObject* field, const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    const bool enter = (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && mods == Qt::NoModifier;
    const bool down = key.key() == Qt::Key_Down;

    if ((field == txtDate || field == cmbDate)
        && ((key.key() == Qt::Key_F4 && mods == Qt::NoModifier) || (down && mods == Qt::AltModifier)
            || (field == cmbDate && enter))) {
        cmbDate_Click();
        return true;
    }
    if (down && mods == Qt::NoModifier && (field == txtSub || field == lstSub) && lstSub->count() > 0) {
        const bool noneChosen = lstSub->selectedItems().isEmpty();
        if (field == lstSub && !noneChosen)
            return false; // the list moves on as usual
        lstSub->setFocus(Qt::TabFocusReason);
        if (noneChosen)
            lstSub->setCurrentRow(0);
        return true;
    }
    if (!enter)
        return false;
    if (field == txtDate) {
        completeDate();
        cmbMain->setFocus(Qt::TabFocusReason);
    } else if (field == cmbMain) {
        txtSub->setFocus(Qt::TabFocusReason);
    } else if (field == txtSub || field == lstSub) {
        txtMoney->setFocus(Qt::TabFocusReason);
    } else {
        return false;
    }
    return true;
}
