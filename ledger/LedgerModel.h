#pragma once

#include "ledger/FileRead.h"
#include "ledger/KeyedCollection.h"
#include "ledger/Prompter.h"
#include "ledger/Types.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <future>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// A year file read into its lines' values: each month's entries in file
// order with the amount in `out`, the numbers as written and the line number
// in `id`; the carry lines.
struct YearEntries {
    struct Carry {
        int line = 0;
        qint32 value = 0;
        bool automatic = false; // "#": taken from the previous year
    };
    std::array<std::vector<Entry>, 12> months;
    std::vector<Carry> carries;
};
using YearFileLines = FileRead<YearEntries>;

// The category master as its file holds it, before it becomes the model's.
struct MasterEntries {
    KeyedCollection<clsHimoku> categories; // by number, in file order
    QByteArray bytes;                      // the file as read
};
using MasterFileRead = FileRead<MasterEntries>;

// The lines of a memo file that are no comments, in file order. A line
// whose key names no day, or a day an earlier line already has, is a
// memo the calendar does not show but the file keeps.
struct MemoLine {
    int line = 0;
    QString key;  // "mm/dd", empty when the line names no day
    QString text; // all that follows the key, as typed
    QString whole; // the line as it stands, written back when the calendar cannot show it
};
using MemoFileRead = FileRead<std::vector<MemoLine>>;

// The per-category sums of one month that the category summary and the
// breakdown graph show: the categories shown in the graphs, largest first.
struct CategorySums {
    std::vector<CategorySum> catSumOut;
    std::vector<CategorySum> catSumIn;
    qint64 totalOut = 0;
    qint64 totalIn = 0;
};

// The program-wide state of the ledger and its shared routines: the category
// master, the twelve month slots of the open year, the carry-over and the
// tables derived from them. Every window is given the one model; it changes
// only through the routines below, and each change is announced by a signal,
// so a window that shows the ledger follows it by subscribing rather than by
// being told by whoever changed it.
class LedgerModel : public QObject {
    Q_OBJECT
public:
    explicit LedgerModel(Prompter& prompter, QObject* parent = nullptr);
    ~LedgerModel() override;

    Prompter& prompter() const { return *prompter_; }

    // ---- the year and month in use ----
    int startYear() const { return startYear_; }
    int startMonth() const { return startMonth_; }
    int curYear() const { return curYear_; }
    int curMonth() const { return curMonth_; }
    // The year chosen at start-up and the month shown first: both become
    // the current year and month.
    void setStart(int year, int month);
    // The year loaded from now on (curYear and startYear).
    void setYear(int year);
    // The month shown in the main window.
    void setCurMonth(int month) { curMonth_ = month; }

    // ---- carry-over ----
    qint32 carryOver() const { return carryOver_; }
    bool carryAuto() const { return carryAuto_; }
    // Announced by carryOverChanged() when either changed.
    void SetCarryOver(qint32 value, bool automatic);

    // ---- categories (the master in memory) ----
    const KeyedCollection<clsHimoku>& categoryList() const { return categoryList_; }
    const KeyedCollection<clsHimoku>& categoryByName() const { return categoryByName_; }
    std::shared_ptr<clsHimoku> category(const QString& no) const { return categoryList_.find(no); }
    std::shared_ptr<clsHimoku> categoryNamed(const QString& name) const { return categoryByName_.find(name); }
    const std::vector<CategoryUseRow>& categoryUse() const { return categoryUse_; }
    const std::vector<GraphTargetRow>& graphTargets() const { return graphTargets_; }
    // The category editor's edits of the master in memory (a new category
    // is shown in the graphs and ranked last). They are not announced one
    // by one: the editor ends by writing the master and
    // reading it back, which announces the new master as a whole.
    bool AddCategory(std::shared_ptr<clsHimoku> c);
    void RemoveCategory(const QString& no);
    // The category numbered `no` becomes c (same number, any name).
    void ReplaceCategory(const QString& no, std::shared_ptr<clsHimoku> c);
    // The master in memory becomes these categories, in this order, as a
    // read of a master holding them would make it (announced).
    void SetCategories(const std::vector<std::shared_ptr<clsHimoku>>& categories);
    // Registers a sub-item under the smallest free number of the category
    // and saves the master; the number, or empty text when the category is
    // missing or full. Announced by subItemAdded().
    QString AddSubItem(const QString& categoryNo, const QString& name);
    // Which categories the breakdown graph and the category summary show,
    // by row of graphTargets (announced by graphTargetsChanged()).
    void SetGraphTargetsShown(const std::vector<bool>& shown);
    // categoryUse keeps the rows of the categories that still exist, in
    // their order, and gains a row (count 0) for each new category.
    void AlignCategoryUse();
    // After the category editor: the entries of the deleted category
    // numbers that no category holds again leave the month slots, and every other entry holds its amount
    // on the side its category's kind asks for, as a reload of the year
    // would give. Each month that changed is announced.
    void AlignYearToMaster(const QSet<int>& deleted);
    // How many entries of the open year carry the category number.
    int entriesOf(int categoryNo) const;

    // ---- entries ----
    // The month slot of month 1..12.
    const MonthSlot& slot(int month) const { return monthSlots_[month - 1]; }
    const std::array<MonthSlot, 12>& monthSlots() const { return monthSlots_; }
    // Where an entry goes among the entries of its day.
    enum class DayPlace { First, Last };
    // Files the entry into its month slot, before the entries of the same
    // day (First, as a merge does) or after them (Last, as the entry dialog
    // adds), found by binary search: months are held in day order. (A month
    // a hand-edited file holds out of order still gets the entry between an
    // earlier day and the same or a later one.) False, filing nothing, when
    // the entry has no date. Announced by entryInserted().
    bool InsertEntry(Entry e, DayPlace place = DayPlace::First);
    // Files the entry at that position of its month (0 = first), as an
    // entry taken out is put back where it was. False, filing nothing, when
    // the entry has no date. Announced by entryInserted().
    bool InsertEntryAt(Entry e, int position);
    // Removes the entry with that id from its month; false when the month
    // holds none. Announced by entryRemoved() once it has gone.
    bool RemoveEntry(int month, EntryId id);
    // The entry with that id takes e's content in its place (same day);
    // false when the month holds none. Announced by entryReplaced().
    bool ReplaceEntry(int month, EntryId id, const Entry& e);
    // A month's entries replaced as a whole, in this order (announced by
    // entriesChanged()).
    void SetMonthEntries(int month, std::vector<Entry> entries);
    // Empties every month (announced by entriesChanged() for each month
    // that held entries).
    void clearMonthSlots();
    // Files entries exactly as InsertEntry would one after the other, in one
    // pass per month (entriesChanged() for each month that gained some).
    void InsertEntries(std::vector<Entry> entries);
    // Takes these entries (by month and id) out of their months in one pass
    // per month (entriesChanged() for each month that lost some).
    void RemoveEntries(const std::vector<Entry>& entries);
    // The entry with that id in the month, or null; its place in the
    // month's entries, or -1. The entry filed last is found without a search.
    const Entry* findEntry(int month, EntryId id) const;
    qsizetype entryIndex(int month, EntryId id) const;
    // Gives an entry a fresh identity for the lists that show it.
    EntryId nextEntryId() { return ++lastEntryId_; }

    // ---- sums ----
    // The year's per-category month totals and its totals, built when first
    // asked for after a change of the entries or the master.
    const std::array<std::optional<std::vector<clsMoney>>, 12>& monthCatTotals() const;
    qint64 yearOut() const;
    qint64 yearIn() const;
    // Builds them now.
    void BuildMonthCatTotals() const;
    std::vector<CategorySum> SumByCategory(int month) const;
    CategorySums MakeCategorySums(int month) const;
    // Reorders categoryUse by use in startMonth and the month before it and
    // returns the category names in that order (first = to be selected);
    // announced by categoriesRanked().
    QStringList RankCategoriesByUse();

    // ---- category master ----
    QString masterPath() const;
    // False when the master is missing or unreadable; the user has been told
    // and the program must end.
    bool ReadCategoryMaster(int mode);
    // Reads a master file; touches nothing else.
    static MasterFileRead readMasterFile(const QString& path);
    // The master read becomes the model's as ReadCategoryMaster(mode) makes
    // it, with the same messages; a missing file is worded here too, for a
    // caller that has not said it in its own words.
    bool TakeCategoryMaster(MasterFileRead master, int mode);
    // False when the master could not be written; the user has been told and
    // the old file is intact.
    bool WriteCategoryMaster();
    // The master file's bytes as WriteCategoryMaster writes them. False (user
    // told) when a name cannot be stored.
    bool masterFileBytes(QByteArray& out);
    // The master's lines as they are written (header date included).
    QStringList masterLines() const;
    // Why a category or sub-item name cannot be stored in the master as it
    // stands (a sentence for the user), or empty text.
    static QString masterNameFault(const QString& name, bool isCategory);

    // ---- year data file ----
    QString yearPath(int year) const;
    // Loads the year file of curYear (announced by yearLoaded()).
    bool LoadYearFile();
    // Starts reading the year file of year on another thread; the next
    // LoadYearFile of that file takes its lines from there, unless the file
    // changed meanwhile. What is shown and loaded is the same either way.
    void PrefetchYearFile(int year);
    // The values of a year file's lines, before the master is consulted.
    // Touches nothing but the file, so it may run on any thread.
    static YearFileLines readYearFileLines(const QString& path);
    // Reads an entry line "mm/ddccssamount" as the year file holds it. The
    // amount goes to `out`; the caller moves it by the category's kind.
    // False when the line breaks the layout.
    static bool parseEntryLine(const QString& line, Entry& e);
    // The same on the raw bytes of a line (already trimmed).
    static bool parseEntryBytes(const char* begin, const char* end, Entry& e);
    // Set when the file of curYear exists but could not be read: saving it
    // then would replace the user's entries with an empty year.
    bool yearUnreadable() const { return yearUnreadable_; }
    bool SaveYearFile(int mode);
    // The year file's bytes as SaveYearFile(mode) writes them and the
    // carry-over they hold. False (user told) when they cannot be written.
    bool yearFileBytes(int mode, QByteArray& out, qint32& carry);
    // The master and the year file written together: both or neither.
    bool SaveMasterAndYear();
    // Files of the program folder written (and one removed) together: all
    // or none (FileTransaction). False, user told, on failure.
    bool commitFiles(const std::vector<std::pair<QString, QByteArray>>& writes, const QString& removal = {});
    // A merge file whose entries are in the month slots but not yet in the
    // year file: the next save of the year removes it together with the
    // save, and loading the year forgets it (the file then still holds
    // entries the year lacks).
    void setMergeToRemove(const QString& path) { mergeToRemove_ = path; }
    QString CalcPrevCarryOver();
    // The carry-over typed into its input box ("12万" and the like too),
    // asked again after a message until it is a 32-bit amount; nothing
    // when the user cancels or leaves the box empty.
    std::optional<qint32> askCarryOverAmount(const QString& defaultText);
    // The year-end balance as the balance line gives it.
    qint64 yearEndBalance() const;
    // The same with another carry-over, or with one entry's amounts taken
    // out (skip) and an amount added to one side: what a change would make
    // of the balance before it is made.
    qint64 yearEndBalanceWith(qint32 carry, EntryId skip = 0, qint64 addOut = 0, qint64 addIn = 0) const;
    // Whether a year-end balance can be written as the next year reads it
    // back (32 bits). No change may push the balance beyond that.
    static bool balanceFits(qint64 balance);
    // Why a change that would make the year-end balance `balance` is refused.
    static QString balanceRangeText(qint64 balance);

    // ---- merge file yyyy_add.zbl (the import tool's hand-over; MergeFile.cpp) ----
    QString mergePath(int year) const;
    // The year file's header (with the token line when a token is given) and
    // the entry lines of the month slots, with no carry line and no balance
    // line. False (user told) on failure.
    bool WriteMergeFile(int year, const QString& token = {});
    bool mergeFileBytes(int year, const QString& token, QByteArray& out);
    // The entries of the merge file of `year`, as they are to be filed.
    // Lines of deleted categories are reported and left out. False (user
    // told) when the file cannot be read.
    bool ReadMergeFile(int year, std::vector<Entry>& entries);
    // Files the entries of the merge file into the month slots as
    // InsertEntries does; `merged` receives how many were filed.
    bool MergeAddFile(int year, int* merged = nullptr);

    // ---- memo file ----
    QString memoPath(int year) const;
    const KeyedCollection<clsTekiyo>& memoList() const { return memoList_; }
    // Adds the day's memo or replaces its text (announced by memoChanged()).
    void SetMemo(const QString& key, const QString& text);
    void RemoveMemo(const QString& key);
    void ClearMemos();
    // Reads the memos of `year`: the kept file when there is one, else the
    // year's file. False (user told) when that file is there but cannot be
    // read; a missing file is no memos.
    bool ReadMemoFile(int year);
    // Reads a memo file; touches nothing else.
    static MemoFileRead readMemoFileLines(const QString& path);
    bool WriteMemoFile(int year);
    // Memos that could not be written as the program ended wait as the file
    // they should have become in a per-user folder, outside the program
    // folder that may be what refused them.
    static QString keptMemoFolder();
    static QString keptMemoPath(int year);
    // The file ReadMemoFile reads for `year`.
    QString memoSource(int year) const;
    // Keeps memoList as the memo file of `year` there; the user is told
    // where, or that even that failed (false).
    bool KeepUnsavedMemos(int year);
    // Writes the kept memo files into the program folder; each one written
    // is removed, the user is told which.
    void WriteKeptMemos();
    // Lines of the last memo file read whose key names no day, or a day
    // that already has a memo: no memo of the calendar, but kept and
    // written back unchanged after the memos of the same year.
    const QStringList& memoOtherLines() const { return memoOtherLines_; }

    // Keeps the file about to be replaced as a dated copy in backup/. A copy
    // that cannot be made never stops the write; the user hears of it once.
    void keepBackup(const QString& path);

    // "mm-dd-yyyy" of today, for the file headers.
    static QString headerDate();

signals:
    // An entry was filed into `month`; it is in the slot when this comes.
    void entryInserted(int month, EntryId id);
    // The entry has left `month`.
    void entryRemoved(int month, EntryId id);
    // The entry of `month` with that id has a new content.
    void entryReplaced(int month, EntryId id);
    // Any number of the month's entries changed at once.
    void entriesChanged(int month);
    // The year file of curYear was loaded: every month is new.
    void yearLoaded();
    // The year file was written with the entries of the month slots.
    void yearSaved(int year);
    // The master in memory was read or replaced as a whole.
    void masterChanged();
    void subItemAdded(const QString& categoryNo, const QString& subNo);
    void carryOverChanged();
    void graphTargetsChanged();
    // The category order of the entry dialog, first to be selected.
    void categoriesRanked(const QStringList& names);
    // The memo of the day key ("mm/dd") was added, changed or removed;
    // an empty key: all memos changed.
    void memoChanged(const QString& key);

private:
    // Tests set up tables no routine makes (stale rows, slots out of step).
    friend struct LedgerInternals;

    struct YearPrefetch {
        QString path;
        qint64 size = 0;
        QDateTime modified;
        std::future<YearFileLines> lines;
    };
    YearFileLines takeYearFileLines(const QString& path);
    std::unique_ptr<YearPrefetch> prefetch_;

    MonthSlot& editSlot(int month);
    // The derived sums are stale from now on.
    void sumsChanged() { sumsValid_ = false; }

    bool readYearFile();
    bool askNewYearCarryOver();
    // The year file's header lines 1-8, and its entry lines with the sums
    // of what was written (false, user told, on an entry of a broken form).
    static QByteArray yearFileHeader(int year);
    bool appendEntryLines(QByteArray& out, qint64& sumOut, qint64& sumIn);
    void reportDeletedCategory(const QString& no);
    void reportDeletedSub(const QString& categoryName, const QString& subNo);
    void reportSkippedLines(const QString& fileName, const QList<int>& lineNumbers);
    // "3, 4, 5" (the first 20, then how many more) for the messages.
    static QString lineListText(const QList<int>& lineNumbers);
    void reportWriteFailure(const QString& path, const QString& error);
    // The memo file of `year` from memoList; false (user told) when the code
    // page cannot hold a memo.
    bool memoFileBytes(int year, QByteArray& bytes);

    Prompter* prompter_;
    EntryId lastEntryId_ = 0;
    // Month and place of the entry InsertEntry filed last.
    std::pair<int, qsizetype> lastFiled_{0, 0};

    int startYear_ = 0;
    int startMonth_ = 1;
    int curYear_ = 0;
    int curMonth_ = 1;
    qint32 carryOver_ = 0;
    bool carryAuto_ = false;
    bool yearUnreadable_ = false;
    bool backupFailureTold_ = false;
    QString mergeToRemove_;

    KeyedCollection<clsHimoku> categoryList_;   // keyed by no
    KeyedCollection<clsHimoku> categoryByName_; // keyed by name
    KeyedCollection<clsTekiyo> memoList_;       // keyed by "mm/dd"
    QStringList memoOtherLines_;
    int memoOtherYear_ = 0;
    std::array<MonthSlot, 12> monthSlots_;
    std::vector<CategoryUseRow> categoryUse_;
    std::vector<GraphTargetRow> graphTargets_;

    mutable bool sumsValid_ = false;
    mutable std::array<std::optional<std::vector<clsMoney>>, 12> monthCatTotals_;
    mutable qint64 yearOut_ = 0;
    mutable qint64 yearIn_ = 0;
};
