// The entry dialog's work on the entries: checking the typed entry, filing
// it through the model, sub-item registration, undo and change.
#include "month/frmData.h"

#include "month/EditHistory.h"
#include "ledger/LedgerModel.h"
#include "ledger/LedgerRules.h"
#include "ledger/LineText.h"
#include "month/MonthListModel.h"
#include "month/MonthViews.h"
#include "ledger/TextFile.h"
#include "month/frmDataText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

using namespace EntryText;

// ---- validation ----

bool frmData::refuse(const QString& text, QWidget* field)
{
    model_.prompter().message(text, Prompter::Icon::Warning);
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    return false;
}

bool frmData::ValidateEntry()
{
    Prompter& p = model_.prompter();
    completeDate();
    const QString date = txtDate->text();
    const QString money = trimSpaces(txtMoney->text());
    const QString sub = trimSpaces(txtSub->text());
    if (trimSpaces(date).isEmpty())
        return refuse(kShortMessage, txtDate);
    if (trimSpaces(cmbMain->currentText()).isEmpty())
        return refuse(kShortMessage, cmbMain);
    if (money.isEmpty())
        return refuse(kShortMessage, txtMoney);
    if (date.size() != 5)
        return refuse(kDigitsMessage, txtDate);
    if (!readsAsDate(date, model_.curYear()))
        return refuse(kNoDateMessage, txtDate);
    if (!date.contains(QLatin1Char('/')))
        return refuse(kSlashMessage, txtDate);
    if (!Num::isNumeric(money))
        return refuse(kNotNumberMessage, txtMoney);
    const auto amount = Num::toInt32(money);
    if (!amount)
        return refuse(tooLargeMessage(), txtMoney);
    // The year file keeps no sign of its own; a negative amount would be lost.
    // An entry that already has one (an import can bring it) may still be
    // changed as long as its amount stays.
    if (*amount < 0 && (isAddMode() || *amount != changeAmount_))
        return refuse(kMinusMessage, txtMoney);
    if (!balanceStaysInRange(*amount)) {
        txtMoney->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!sub.isEmpty()) {
        QByteArray encoded;
        QString bad;
        if (!TextFile::encode(sub, encoded, &bad))
            return refuse(QStringLiteral("摘要項目の文字「%1」はファイルに保存できない文字のため、入力できません。").arg(bad),
                          txtSub);
        const auto c = model_.categoryNamed(cmbMain->currentText());
        if (c && !c->sTekiyo.contains(sub) && LedgerRules::smallestFreeNumber(c->nTekiyo).isEmpty())
            return refuse(QStringLiteral("費目 [%1] には摘要項目をこれ以上登録できません (99 項目まで)。\r\n\r\n"
                                         "登録済みの摘要項目を選んで下さい。")
                              .arg(c->name),
                          txtSub);
    }
    if (sub.isEmpty() && p.question(kNoSubQuestion, Prompter::Buttons::YesNo) != Prompter::Answer::Yes) {
        txtSub->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

bool frmData::balanceStaysInRange(qint32 amount)
{
    // The entry being changed gives way to its new amount.
    const bool out = optOut->isChecked();
    const qint64 balance =
        model_.yearEndBalanceWith(model_.carryOver(), isAddMode() ? 0 : changeEntryId_, out ? amount : 0, out ? 0 : amount);
    if (LedgerModel::balanceFits(balance))
        return true;
    model_.prompter().message(LedgerModel::balanceRangeText(balance) + QStringLiteral("\r\n\r\nこの金額は入力できません。"),
                              Prompter::Icon::Warning);
    return false;
}

// ---- adding ----

QString frmData::addedKey() const
{
    return txtDate->text() + cmbMain->currentText() + trimSpaces(txtSub->text()) + trimSpaces(txtMoney->text());
}

void frmData::cmdOK_Click()
{
    // "1200+800" and OK adds 2,000: a pending sum is completed first.
    if (!isAddMode() || !finishSum() || !ValidateEntry())
        return;
    const int month = txtDate->text().left(2).toInt();
    const EntryId id = fileEntry();
    addedLog << addedKey();
    added_.push_back({month, id});
    cmdCancel->setEnabled(true);
    txtMoney->clear();
    txtSub->clear();
    // The emptied sub-item shows no chosen name in the list either.
    const QSignalBlocker block(lstSub);
    lstSub->setCurrentRow(-1);
}

EntryId frmData::fileEntry()
{
    if (txtDate->text().left(2).toInt() == model_.curMonth())
        return InsertEntryRow();
    Entry e = buildEntry();
    EditHistory::of(model_).addEntry(e, LedgerModel::DayPlace::First);
    return e.id;
}

EntryId frmData::InsertEntryRow()
{
    Entry e = buildEntry();
    EditHistory::of(model_).addEntry(e, LedgerModel::DayPlace::Last);
    views_.selectRow(views_.rowOfEntry(e.id));
    return e.id;
}

void frmData::RegisterSubItem()
{
    const QString name = trimSpaces(txtSub->text());
    const auto c = model_.categoryNamed(cmbMain->currentText());
    // Whole names, letter case ignored: a name that only begins like a
    // known one is still new.
    if (name.isEmpty() || !c || c->sTekiyo.contains(name))
        return;
    if (model_.AddSubItem(c->no, name).isEmpty())
        return;
    const QSignalBlocker block(lstSub);
    lstSub->addItem(name);
}

Entry frmData::buildEntry()
{
    Entry e;
    e.setDate(txtDate->text());
    const auto c = model_.categoryNamed(cmbMain->currentText());
    if (c)
        e.setCategory(c->no);
    const QString sub = trimSpaces(txtSub->text());
    if (c && !sub.isEmpty()) {
        RegisterSubItem();
        if (const auto t = c->sTekiyo.find(sub))
            e.setSub(t->no);
    }
    const qint32 amount = Num::toInt32(trimSpaces(txtMoney->text())).value_or(0);
    (optOut->isChecked() ? e.out : e.in) = amount;
    e.id = model_.nextEntryId();
    return e;
}

// ---- undo ----

void frmData::undoLast()
{
    if (added_.empty()) {
        cmdCancel->setEnabled(false);
        return;
    }
    const AddedEntry a = added_.back();
    EditHistory::of(model_).takeBackAdd(a.month, a.id);
    added_.pop_back();
    addedLog.removeLast();
    cmdCancel->setEnabled(addedLog.size() > 1);
}

// ---- change ----

void frmData::applyChange()
{
    const int month = model_.curMonth();
    if (!model_.findEntry(month, changeEntryId_))
        return;
    const Entry e = buildEntry();
    // A new date files the entry anew: after its day's entries in the shown
    // month, before them in another, as an add would.
    const bool shown = e.month() == month;
    if (!EditHistory::of(model_).changeEntry(month, changeEntryId_, e,
                                             shown ? LedgerModel::DayPlace::Last : LedgerModel::DayPlace::First))
        return;
    if (shown && txtDate->text() != tag)
        views_.selectRow(views_.rowOfEntry(changeEntryId_));
}
