#pragma once

#include "recurring/TeikiFile.h"
#include "ledger/Types.h"

#include <QObject>
#include <QSet>
#include <functional>

class LedgerModel;

// The recurring entries of the ledger: the rules of Teiki.zbt, what they
// have due in the open year, and their application. Applied months are
// written to the file once the year holding their entries is saved, so a
// year closed without saving has them offered again; so is a batch taken
// back before that save. A batch taken back after the save counts as
// entries deleted: its months stay applied.
class TeikiBook : public QObject {
    Q_OBJECT
public:
    explicit TeikiBook(LedgerModel& model, QObject* parent = nullptr);

    // Reads the rules file; the user is told of a file that cannot be read
    // (it is then never written over) and of lines that are no rule.
    void read();
    const std::vector<TeikiRule>& rules() const { return contents_.rules; }
    const TeikiRule* rule(int id) const;

    // The window's edits, each written at once. False (user told) when the
    // file could not be written; the edit stays and goes with the next write.
    bool addRule(TeikiRule rule);
    bool replaceRule(int id, TeikiRule rule);
    bool removeRule(int id);
    // A rule made now without a first month starts with this month.
    static void startNow(TeikiRule& rule);

    struct Due {
        int ruleId = 0;
        YearMonth month;
        Entry entry;
    };
    // The entries the rules have due in the open year by today, by date.
    std::vector<Due> dueNow() const;
    // The line of the question for one due entry.
    QString dueText(const Due& due) const;
    // Told by whoever filed a batch each time its entries are taken back
    // (false) or filed again (true).
    using Filed = std::function<void(bool)>;
    using FileBatch = std::function<void(std::vector<Entry>, Filed)>;
    // Asks whether to add what is due ("定期入力: 3 件を追加しますか。",
    // default Yes) and files the accepted entries in one call of fileBatch.
    // Rules of categories or sub-items the master lacks are turned off first.
    void offerDue(const FileBatch& fileBatch);

    // Turns off the rules of these categories and sub-items (category * 100
    // + sub-item), and of any the master lacks, telling the user which.
    void turnOffDeleted(const QSet<int>& categories, const QSet<int>& subItems);

signals:
    void rulesChanged();

private:
    bool write();
    int takeId() { return ++lastId_; }
    void flushApplied(int year);
    bool usable(const TeikiRule& r) const;

    LedgerModel& model_;
    TeikiFile::Contents contents_;
    bool unreadable_ = false;
    int lastId_ = 0;
    void setBatchFiled(int batch, bool filed);

    // Applied by the open year, not yet saved with it; a batch taken back
    // is kept aside until it is filed again or the year goes.
    struct Pending {
        int ruleId;
        YearMonth month;
        int batch;
        bool filed;
    };
    std::vector<Pending> pending_;
    int lastBatch_ = 0;
};
