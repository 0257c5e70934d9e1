#pragma once

#include "KeyedCollection.h"
#include "Prompter.h"
#include "Types.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <vector>

// The program-wide state of the ledger and its shared routines: the category
// master, the twelve month slots of the open year, the carry-over and the
// tables derived from them. Every window is given the one model.
// A year file read into its lines' values: each month's entries in file
// order with the amount in `out`, the numbers as written and the line number
// in `id`; the carry lines; the lines that could not be read.
struct YearFileLines {
    struct Carry {
        int line = 0;
        qint32 value = 0;
        bool automatic = false; // "#": taken from the previous year
    };
    bool ok = false;
    QString error; // why the file could not be read
    std::array<std::vector<Entry>, 12> months;
    std::vector<Carry> carries;
    QList<int> skipped;
};

class LedgerModel {
public:
    explicit LedgerModel(Prompter& prompter);

    Prompter& prompter() const { return *prompter_; }

    // ---- state ----
    int startYear = 0;
    int startMonth = 1;
    int curYear = 0;
    int curMonth = 1;
    int summaryMode = 0;
    bool linkCalendar = false;
    qint32 carryOver = 0;
    bool carryAuto = false;

    KeyedCollection<clsHimoku> categoryList;   // keyed by no
    KeyedCollection<clsHimoku> categoryByName; // keyed by name
    KeyedCollection<clsTekiyo> memoList;       // keyed by "mm/dd"
    std::array<MonthSlot, 12> monthSlots;
    std::vector<CategoryUseRow> categoryUse;
    std::vector<GraphTargetRow> graphTargets;

    std::array<std::optional<std::vector<clsMoney>>, 12> monthCatTotals;
    qint64 yearOut = 0;
    qint64 yearIn = 0;

    std::vector<CategorySum> catSumOut;
    std::vector<CategorySum> catSumIn;
    qint64 totalOut = 0;
    qint64 totalIn = 0;

    // The month slot of month 1..12.
    MonthSlot& slot(int month) { return monthSlots[month - 1]; }
    const MonthSlot& slot(int month) const { return monthSlots[month - 1]; }
    void clearMonthSlots();

    std::shared_ptr<clsHimoku> category(const QString& no) const { return categoryList.find(no); }
    std::shared_ptr<clsHimoku> categoryNamed(const QString& name) const { return categoryByName.find(name); }

    // ---- entries ----
    // Files the entry before the first entry of its month on the same or a
    // later day, found by binary search: months are held in day order. (A
    // month a hand-edited file holds out of order still gets the entry
    // between an earlier day and the same or a later one.) False, filing
    // nothing, when the entry has no date.
    bool InsertEntry(Entry e);
    // Gives an entry a fresh identity for the lists that show it.
    EntryId nextEntryId() { return ++lastEntryId_; }

    // ---- sums ----
    void BuildMonthCatTotals();
    std::vector<CategorySum> SumByCategory(int month) const;
    void MakeCategorySums(int month);
    // Reorders categoryUse by use in startMonth and the month before it and
    // returns the category names in that order (first = to be selected).
    QStringList RankCategoriesByUse();
    // Set by the entry dialog: receives the ranked names to refill its box.
    std::function<void(const QStringList&)> onCategoriesRanked;

    // ---- category master ----
    QString masterPath() const;
    // False when the master is missing or unreadable; the user has been told
    // and the program must end.
    bool ReadCategoryMaster(int mode);
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
    bool yearUnreadable = false;
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
    QString mergeToRemove;
    QString CalcPrevCarryOver();
    // The carry-over typed into its input box ("12万" and the like too),
    // asked again after a message until it is a 32-bit amount; nothing
    // when the user cancels or leaves the box empty.
    std::optional<qint32> askCarryOverAmount(const QString& defaultText);
    // The year-end balance as the balance line gives it.
    qint64 yearEndBalance() const;
    // The same, with `month` holding the given totals instead of its slot's
    // entries (the entry list of the shown month runs ahead of its slot).
    qint64 yearEndBalanceWith(int month, qint64 monthOut, qint64 monthIn) const;
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
    // Files the entries of the merge file of `year` into the month slots as
    // InsertEntry does. Lines of deleted categories are reported and left
    // out; `merged` receives how many were filed. False (user told) when the
    // file cannot be read.
    bool MergeAddFile(int year, int* merged = nullptr);
    // Files entries exactly as InsertEntry would one after the other, in one
    // pass per month.
    void InsertEntries(std::vector<Entry> entries);

    // ---- memo file ----
    QString memoPath(int year) const;
    // Reads the memos of `year`: the kept file when there is one, else the
    // year's file.
    void ReadMemoFile(int year);
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
    QStringList memoOtherLines;
    int memoOtherYear = 0;

    // "mm-dd-yyyy" of today, for the file headers.
    static QString headerDate();

private:
    struct YearPrefetch {
        QString path;
        qint64 size = 0;
        QDateTime modified;
        std::future<YearFileLines> lines;
    };
    YearFileLines takeYearFileLines(const QString& path);
    std::unique_ptr<YearPrefetch> prefetch_;

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
};
