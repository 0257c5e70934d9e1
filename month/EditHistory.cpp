#include "month/EditHistory.h"

#include "month/EditSteps.h"

EditHistory& EditHistory::of(LedgerModel& model)
{
    if (auto* h = model.findChild<EditHistory*>(QString(), Qt::FindDirectChildrenOnly))
        return *h;
    return *new EditHistory(model);
}

EditHistory::EditHistory(LedgerModel& model) : QObject(&model), model_(model)
{
    shape_ = shapeNow();
    LedgerModel* m = &model;
    connect(m, &LedgerModel::entryInserted, this, &EditHistory::entriesChangedElsewhere);
    connect(m, &LedgerModel::entryRemoved, this, &EditHistory::entriesChangedElsewhere);
    connect(m, &LedgerModel::entryReplaced, this, &EditHistory::entriesChangedElsewhere);
    connect(m, &LedgerModel::entriesChanged, this, &EditHistory::entriesChangedElsewhere);
    connect(m, &LedgerModel::carryOverChanged, this, &EditHistory::carryChangedElsewhere);
    connect(m, &LedgerModel::masterChanged, this, &EditHistory::masterChanged);
    connect(m, &LedgerModel::subItemAdded, this, [this] { shape_ = shapeNow(); });
    connect(m, &LedgerModel::yearLoaded, this, &EditHistory::yearLoaded);
    connect(m, &LedgerModel::yearSaved, this, &EditHistory::yearSaved);
    connect(&stack_, &QUndoStack::cleanChanged, this, &EditHistory::announce);
}

// ---- the steps ----

void EditHistory::push(EditStep* step)
{
    stack_.push(step);
    announce();
}

bool EditHistory::addEntry(Entry& e, LedgerModel::DayPlace place)
{
    if (!e.hasDate() || e.month() > 12)
        return false;
    if (e.id == 0)
        e.id = model_.nextEntryId();
    push(new AddEntryStep(*this, e, place));
    return true;
}

bool EditHistory::removeEntry(int month, EntryId id)
{
    const Entry* e = model_.findEntry(month, id);
    if (!e)
        return false;
    push(new RemoveEntryStep(*this, *e, int(model_.entryIndex(month, id))));
    return true;
}

bool EditHistory::changeEntry(int month, EntryId id, const Entry& e, LedgerModel::DayPlace place)
{
    const Entry* before = model_.findEntry(month, id);
    if (!before || !e.hasDate() || e.month() > 12)
        return false;
    Entry after = e;
    after.id = id;
    push(new ChangeEntryStep(*this, *before, int(model_.entryIndex(month, id)), after, place));
    return true;
}

void EditHistory::setCarryOver(qint32 value, bool automatic)
{
    if (value == model_.carryOver() && automatic == model_.carryAuto())
        return;
    push(new CarryOverStep(*this, model_.carryOver(), model_.carryAuto(), value, automatic));
}

void EditHistory::addEntries(std::vector<Entry> entries, const QString& text, std::function<void(bool)> filed)
{
    std::erase_if(entries, [](const Entry& e) { return !e.hasDate() || e.month() > 12; });
    if (entries.empty())
        return;
    // Undo finds them by their ids.
    for (Entry& e : entries)
        if (e.id == 0)
            e.id = model_.nextEntryId();
    push(new AddEntriesStep(*this, std::move(entries), text, std::move(filed)));
}

void EditHistory::takeBackAdd(int month, EntryId id)
{
    const auto* last = stack_.index() > 0 ? dynamic_cast<const AddEntryStep*>(stack_.command(stack_.index() - 1)) : nullptr;
    if (last && last->entry().id == id && last->entry().month() == month)
        stack_.undo();
    else
        removeEntry(month, id);
}

// ---- what the model announces ----

void EditHistory::entriesChangedElsewhere()
{
    if (applying_ > 0)
        return;
    changedElsewhere_ = true;
    stack_.clear();
    announce();
}

void EditHistory::carryChangedElsewhere()
{
    // A step undone later sets the carry-over it found, whoever changed it since.
    if (applying_ > 0)
        return;
    changedElsewhere_ = true;
    announce();
}

EditHistory::MasterShape EditHistory::shapeNow() const
{
    MasterShape shape;
    for (const auto& c : model_.categoryList()) {
        const int n = c.key.toInt();
        if (n < 1 || n > 99)
            continue;
        shape.kind[n] = c.item->ioflag;
        for (const auto& t : c.item->nTekiyo)
            if (const int s = t.key.toInt(); s >= 1 && s <= 99)
                shape.subs[n].set(s);
    }
    return shape;
}

// A step may refile an entry of any category or sub-item the master had:
// once one of them is gone or has changed its kind, the steps go.
void EditHistory::masterChanged()
{
    const MasterShape now = shapeNow();
    bool shrunk = false;
    for (int n = 1; n < 100 && !shrunk; ++n)
        shrunk = shape_.kind[n] != 0 && (now.kind[n] != shape_.kind[n] || (shape_.subs[n] & ~now.subs[n]).any());
    shape_ = now;
    if (shrunk)
        forget();
}

void EditHistory::forget()
{
    changedElsewhere_ = unsaved();
    stack_.clear();
    announce();
}

void EditHistory::yearLoaded()
{
    changedElsewhere_ = false;
    stack_.clear();
    announce();
}

void EditHistory::yearSaved()
{
    changedElsewhere_ = false;
    stack_.setClean();
    announce();
}

void EditHistory::announce()
{
    const bool now = unsaved();
    if (now == announced_)
        return;
    announced_ = now;
    emit unsavedChanged(now);
}
