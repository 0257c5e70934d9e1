#pragma once

#include "ledger/LedgerModel.h"

#include <QObject>
#include <QUndoStack>
#include <array>
#include <bitset>
#include <functional>
#include <vector>

class EditStep;

// The open year's changes that can be taken back, and whether the year holds
// changes its file lacks. Every change of the entries and the carry-over made
// through here is one step of the undo stack, done and undone through the
// model's routines, so every view follows it as it follows any change.
//
// The history also watches the model: a change it did not make (a category
// deleted in the editor takes its entries along, entries filed straight into
// the model) leaves the year unsaved and drops the steps, which would no
// longer undo what they did; loading a year starts afresh; a save marks the
// state to come back to.
class EditHistory : public QObject {
    Q_OBJECT
public:
    // The one history of the model, made on first use.
    static EditHistory& of(LedgerModel& model);

    QUndoStack& stack() { return stack_; }
    LedgerModel& model() const { return model_; }

    // Each call below is one undo step; false, changing nothing and leaving
    // no step, where the model's routine would refuse.
    // A new entry (a fresh id is given when it has none) filed as
    // InsertEntry files it.
    bool addEntry(Entry& e, LedgerModel::DayPlace place);
    bool removeEntry(int month, EntryId id);
    // The entry takes e's date and content; a new date files it anew
    // (`place` among the entries of its day) under the same id.
    bool changeEntry(int month, EntryId id, const Entry& e, LedgerModel::DayPlace place);
    void setCarryOver(qint32 value, bool automatic);
    // New entries filed as InsertEntries files them, taken back as one step
    // named `text`: an import's merge, a batch of recurring entries.
    // `filed`, when given, hears each time the step files them (true) or
    // takes them back (false).
    void addEntries(std::vector<Entry> entries, const QString& text, std::function<void(bool)> filed = {});
    // Takes back the add of that entry: the last step when it is that add
    // (it can then be redone), else the entry is deleted as a step.
    void takeBackAdd(int month, EntryId id);

    // Changes of the open year that its file lacks.
    bool unsaved() const { return changedElsewhere_ || !stack_.isClean(); }

signals:
    void unsavedChanged(bool unsaved);

private:
    friend class EditStep;
    explicit EditHistory(LedgerModel& model);

    // Which category numbers exist, of which kind, with which sub-item
    // numbers: a step may refer to any of them.
    struct MasterShape {
        std::array<int, 100> kind{};
        std::array<std::bitset<100>, 100> subs{};
    };
    MasterShape shapeNow() const;

    void push(EditStep* step);
    void entriesChangedElsewhere();
    void carryChangedElsewhere();
    void masterChanged();
    void yearLoaded();
    void yearSaved();
    // Drops every step; the year stays unsaved if it was.
    void forget();
    void announce();

    LedgerModel& model_;
    QUndoStack stack_;
    int applying_ = 0; // a step is changing the model
    bool changedElsewhere_ = false;
    bool announced_ = false;
    MasterShape shape_;
};
