// The steps of the undo stack. Undo puts the year back exactly as it was:
// a removed entry returns to its place among the entries of its day, so the
// year file written afterwards is the one written before.
#include "month/EditSteps.h"

#include "month/EditHistory.h"

void EditStep::redo()
{
    ++history_.applying_;
    apply(history_.model());
    --history_.applying_;
}

void EditStep::undo()
{
    ++history_.applying_;
    takeBack(history_.model());
    --history_.applying_;
}

// An add undone and redone lands where it first landed: the month is then as
// it was before the first time.
AddEntryStep::AddEntryStep(EditHistory& h, const Entry& e, LedgerModel::DayPlace place)
    : EditStep(h, QStringLiteral("データ追加")), entry_(e), place_(place)
{
}

void AddEntryStep::apply(LedgerModel& m) { m.InsertEntry(entry_, place_); }
void AddEntryStep::takeBack(LedgerModel& m) { m.RemoveEntry(entry_.month(), entry_.id); }

RemoveEntryStep::RemoveEntryStep(EditHistory& h, const Entry& e, int position)
    : EditStep(h, QStringLiteral("データ削除")), entry_(e), position_(position)
{
}

void RemoveEntryStep::apply(LedgerModel& m) { m.RemoveEntry(entry_.month(), entry_.id); }
void RemoveEntryStep::takeBack(LedgerModel& m) { m.InsertEntryAt(entry_, position_); }

ChangeEntryStep::ChangeEntryStep(EditHistory& h, const Entry& before, int position, const Entry& after,
                                 LedgerModel::DayPlace place)
    : EditStep(h, QStringLiteral("データ内容変更")), before_(before), position_(position), after_(after), place_(place)
{
}

void ChangeEntryStep::apply(LedgerModel& m)
{
    if (before_.month() == after_.month() && before_.day() == after_.day()) {
        m.ReplaceEntry(before_.month(), before_.id, after_);
        return;
    }
    m.RemoveEntry(before_.month(), before_.id);
    m.InsertEntry(after_, place_);
}

void ChangeEntryStep::takeBack(LedgerModel& m)
{
    if (before_.month() == after_.month() && before_.day() == after_.day()) {
        m.ReplaceEntry(before_.month(), before_.id, before_);
        return;
    }
    m.RemoveEntry(after_.month(), after_.id);
    m.InsertEntryAt(before_, position_);
}

CarryOverStep::CarryOverStep(EditHistory& h, qint32 beforeValue, bool beforeAuto, qint32 value, bool automatic)
    : EditStep(h, QStringLiteral("繰越高の変更")), beforeValue_(beforeValue), beforeAuto_(beforeAuto), value_(value),
      automatic_(automatic)
{
}

void CarryOverStep::apply(LedgerModel& m) { m.SetCarryOver(value_, automatic_); }
void CarryOverStep::takeBack(LedgerModel& m) { m.SetCarryOver(beforeValue_, beforeAuto_); }

AddEntriesStep::AddEntriesStep(EditHistory& h, std::vector<Entry> entries, const QString& text, std::function<void(bool)> filed)
    : EditStep(h, text), entries_(std::move(entries)), filed_(std::move(filed))
{
}

void AddEntriesStep::apply(LedgerModel& m)
{
    m.InsertEntries(entries_);
    if (filed_)
        filed_(true);
}

void AddEntriesStep::takeBack(LedgerModel& m)
{
    m.RemoveEntries(entries_);
    if (filed_)
        filed_(false);
}
