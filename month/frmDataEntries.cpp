// The entry dialog's work on the entries: checking the typed entry, placing
// it in the entry list or another month's slot, sub-item registration, undo,
// change and the write-back of the shown month.
#include "frmData.h"

#include "EntryRows.h"
#include "LedgerModel.h"
#include "LineText.h"
#include "MonthListModel.h"
#include "MonthViews.h"
#include "TextFile.h"
#include "frmDataText.h"

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
    if (!readsAsDate(date, model_.curYear))
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
        if (c && !c->sTekiyo.contains(sub) && freeSubNumber(*c).isEmpty())
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
    qint64 out = 0, in = 0;
    // The entry being changed gives way to its new amount.
    listTotals(*views_.monthRows, out, in, isAddMode() ? 0 : changeEntryId_);
    (optOut->isChecked() ? out : in) += amount;
    const qint64 balance = model_.yearEndBalanceWith(model_.curMonth, out, in);
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
    EntryId id = 0;
    if (month == model_.curMonth) {
        InsertEntryRow();
        id = lastRowId_;
    } else {
        Entry e = buildEntry();
        id = e.id = model_.nextEntryId();
        model_.InsertEntry(e);
        noteOtherMonth(month);
    }
    addedLog << addedKey();
    added_.push_back({month, id});
    if (model_.summaryMode > 0)
        refreshSummary();
    cmdCancel->setEnabled(true);
    txtMoney->clear();
    txtSub->clear();
    // The emptied sub-item shows no chosen name in the list either.
    const QSignalBlocker block(lstSub);
    lstSub->setCurrentRow(-1);
}

void frmData::InsertEntryRow()
{
    MonthListModel& rows = *views_.monthRows;
    const Entry e = buildEntry();
    const int day = e.day();
    int first = -1;
    for (int r = 0; r < rows.count(); ++r) {
        if (rows.row(r).day == day) {
            first = r;
            break;
        }
    }
    MonthRow row = entryRow(e);
    int at = rows.count();
    if (first < 0) {
        for (int r = 1; r < rows.count(); ++r) {
            if (rows.row(r).day > day) {
                at = r;
                break;
            }
        }
        row.showsDate = true;
    } else {
        int last = first;
        while (last + 1 < rows.count() && rows.row(last + 1).day == day)
            ++last;
        at = last + 1;
        // The carry-over row counts as day 1 too; the first entry of day 01
        // shows its date.
        row.showsDate = last == 0;
    }
    row.entryId = lastRowId_ = model_.nextEntryId();
    rows.insertRow(at, row);
    views_.selectRow(at);
    views_.UpdateBalances(&rows);
}

void frmData::RegisterSubItem()
{
    const QString name = trimSpaces(txtSub->text());
    const auto c = model_.categoryNamed(cmbMain->currentText());
    // Whole names, letter case ignored: a name that only begins like a
    // known one is still new.
    if (name.isEmpty() || !c || c->sTekiyo.contains(name))
        return;
    const QString no = freeSubNumber(*c);
    if (no.isEmpty())
        return;
    {
        const QSignalBlocker block(lstSub);
        lstSub->addItem(name);
    }
    c->addsub(no, name);
    // A failed save has been reported; the sub-item stays in memory and is
    // saved with the next write of the master.
    model_.WriteCategoryMaster();
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
    return e;
}

MonthRow frmData::entryRow(const Entry& e) const
{
    MonthRow row;
    row.month = quint8(model_.curMonth);
    row.day = quint8(e.day());
    row.categoryNo = e.categoryNo;
    row.subNo = e.subNo;
    row.out = e.out;
    row.in = e.in;
    return row;
}

void frmData::noteOtherMonth(int month)
{
    if (month < model_.curMonth)
        earlierMonthChanged_ = true;
}

void frmData::refreshSummary()
{
    // The category summary reads the month slot, which otherwise lags the
    // list until the dialog closes.
    if (model_.summaryMode == 2)
        writeBack();
    views_.ShowCompress();
}

// ---- undo ----

void frmData::undoLast()
{
    if (added_.empty()) {
        cmdCancel->setEnabled(false);
        return;
    }
    const AddedEntry a = added_.back();
    if (a.month == model_.curMonth) {
        MonthListModel& rows = *views_.monthRows;
        const int r = rows.findEntry(a.id, 1);
        if (r > 0)
            removeEntryRow(rows, r);
        views_.UpdateBalances(&rows);
        if (model_.summaryMode > 0)
            refreshSummary();
    } else if (removeSlotEntry(model_.slot(a.month), a.id)) {
        noteOtherMonth(a.month);
    }
    added_.pop_back();
    addedLog.removeLast();
    cmdCancel->setEnabled(addedLog.size() > 1);
}

// ---- change and write-back ----

void frmData::applyChange()
{
    MonthListModel& rows = *views_.monthRows;
    const int r = rows.findEntry(changeEntryId_, 1);
    if (r <= 0)
        return;
    const QString date = txtDate->text();
    if (date != tag) {
        removeEntryRow(rows, r);
        const int month = date.left(2).toInt();
        if (month == model_.curMonth) {
            InsertEntryRow();
        } else {
            Entry e = buildEntry();
            e.id = model_.nextEntryId();
            model_.InsertEntry(e);
            noteOtherMonth(month);
            views_.UpdateBalances(&rows);
        }
        return;
    }
    MonthRow row = entryRow(buildEntry());
    row.entryId = changeEntryId_;
    row.showsDate = rows.row(r).showsDate;
    rows.setRow(r, row);
    views_.UpdateBalances(&rows);
}

void frmData::writeBack()
{
    const MonthListModel& rows = *views_.monthRows;
    MonthSlot& slot = model_.slot(model_.curMonth);
    std::vector<Entry> entries;
    entries.reserve(std::max(0, rows.count() - 1));
    qint64 totalOut = 0;
    qint64 totalIn = 0;
    for (int r = 1; r < rows.count(); ++r) {
        const MonthRow& row = rows.row(r);
        if (row.categoryNo == 0)
            continue;
        Entry e;
        e.monthNo = quint8(model_.curMonth);
        e.dayNo = row.day;
        e.categoryNo = row.categoryNo;
        e.subNo = row.subNo;
        // Entry rows hold the entry's own 32-bit amounts.
        e.out = qint32(row.out);
        e.in = qint32(row.in);
        e.id = row.entryId ? row.entryId : model_.nextEntryId();
        totalOut += e.out;
        totalIn += e.in;
        entries.push_back(e);
    }
    slot.entries = std::move(entries);
    slot.totalOut = totalOut;
    slot.totalIn = totalIn;
}
