#pragma once

#include "ledger/LedgerModel.h"

#include <QUndoCommand>
#include <functional>
#include <vector>

class EditHistory;

// One change of the open year on the undo stack. A step does and undoes its
// change through the model's routines only; while it does, the history knows
// the model's announcements for its own.
class EditStep : public QUndoCommand {
public:
    EditStep(EditHistory& history, const QString& text) : QUndoCommand(text), history_(history) {}
    void redo() final;
    void undo() final;

protected:
    virtual void apply(LedgerModel& m) = 0;
    virtual void takeBack(LedgerModel& m) = 0;

private:
    EditHistory& history_;
};

class AddEntryStep : public EditStep {
public:
    static constexpr int kId = 1;
    AddEntryStep(EditHistory& h, const Entry& e, LedgerModel::DayPlace place);
    int id() const override { return kId; }
    const Entry& entry() const { return entry_; }

protected:
    void apply(LedgerModel& m) override;
    void takeBack(LedgerModel& m) override;

private:
    Entry entry_;
    LedgerModel::DayPlace place_;
};

class RemoveEntryStep : public EditStep {
public:
    // The entry as it stands at `position` of its month.
    RemoveEntryStep(EditHistory& h, const Entry& e, int position);

protected:
    void apply(LedgerModel& m) override;
    void takeBack(LedgerModel& m) override;

private:
    Entry entry_;
    int position_;
};

class ChangeEntryStep : public EditStep {
public:
    ChangeEntryStep(EditHistory& h, const Entry& before, int position, const Entry& after, LedgerModel::DayPlace place);

protected:
    void apply(LedgerModel& m) override;
    void takeBack(LedgerModel& m) override;

private:
    Entry before_;
    int position_;
    Entry after_;
    LedgerModel::DayPlace place_;
};

class CarryOverStep : public EditStep {
public:
    CarryOverStep(EditHistory& h, qint32 beforeValue, bool beforeAuto, qint32 value, bool automatic);

protected:
    void apply(LedgerModel& m) override;
    void takeBack(LedgerModel& m) override;

private:
    qint32 beforeValue_;
    bool beforeAuto_;
    qint32 value_;
    bool automatic_;
};

class AddEntriesStep : public EditStep {
public:
    AddEntriesStep(EditHistory& h, std::vector<Entry> entries, const QString& text, std::function<void(bool)> filed);

protected:
    void apply(LedgerModel& m) override;
    void takeBack(LedgerModel& m) override;

private:
    std::vector<Entry> entries_;
    std::function<void(bool)> filed_;
};
