#pragma once

#include "ledger/KeyedCollection.h"
#include "ledger/LedgerModel.h"
#include "ledger/Prompter.h"
#include "import/SourceReader.h"
#include "ledger/Types.h"

#include <QByteArray>
#include <QLockFile>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

namespace Import {

// A category as the import tool holds it: `flag` is true for a category of
// the existing master, false for one this import creates.
struct ImportCategory : clsHimoku {
    bool flag = false;
    int masterSubs = 0;   // sub-items it held in the master
    quint8 fileSide = 0;  // the kind the export's columns gave its entries (1, 2), or 0
};

// One booking of the source. The category is held as the category itself,
// so it follows a new number given on the reordering page; the sub-item
// number never changes once given.
struct ImportEntry {
    ImportCategory* category = nullptr;
    qint32 amount = 0; // read as the expense
    quint8 month = 0;
    quint8 day = 0;
    quint8 subNo = 0; // 0 = none
};

// What the import tool reads, settles and writes: the mode, the year, the
// source's bookings by month and the categories they use.
class ImportSession {
public:

    explicit ImportSession(Prompter& prompter);

    Prompter& prompter() const { return *prompter_; }

    bool linkedMode = false;
    QString importYear; // four characters
    // Linked mode: the token of the KaneloY that started the tool.
    QString token;
    // The categories of an existing master are kept and extended: always in
    // linked mode, on its own when the folder holds a master.
    bool extendsMaster = false;
    std::array<std::vector<ImportEntry>, 12> importMonths;
    KeyedCollection<ImportCategory> sourceCategories; // by name
    KeyedCollection<clsTekiyo> categoryNumbers;       // (number, name) by number

    // Mode and year from the command line: any text selects linked mode
    // and its first four characters are the year; a token may follow
    // after a space.
    void setCommandLine(const QString& commandLine);
    // The year as a number, or 0 when importYear is not four digits.
    int yearNumber() const;

    // ---- reading (ImportSource.cpp) ----
    // Empties the months and the categories.
    void clear();
    // Takes the categories of the current master. False, user told, when
    // the master is missing or unreadable.
    bool LoadCurrentMaster();
    // The master to extend: linked mode always, on its own when there is
    // one. False, user told, when it cannot be read.
    bool LoadMasterToExtend();
    // Reads the source file (or bytes) into importMonths, registering its
    // categories: parseSource, then TakeSource.
    bool ReadSourceFile(const QString& path);
    bool ReadSourceBytes(const QByteArray& bytes);
    // What was read, on the window's thread: tells the user of a fault,
    // asks about dates of other years, registers the categories and
    // sub-items and fills importMonths. False (user told) when nothing is
    // to be imported; the session is then not to be written.
    bool TakeSource(ParsedSource source);
    bool hasNewCategories() const;
    int entryCount() const;

    // ---- category pages (ImportCategories.cpp) ----
    // Names in number order, as the reordering list shows them.
    QStringList namesInNumberOrder() const;
    // Row r (0-based) of the reordering list keeps its number and now holds
    // the name names[r]: that category takes the number.
    void ApplyOrder(const QStringList& names);
    // Greens from bright to dark in category order; when extending a master
    // only for categories with no colour yet.
    void AssignGreenShades();
    ImportCategory* categoryNamed(const QString& name) const;
    // The information page's 変更: colour, budget text and kind for the
    // category named `name`. False, user told, when the colour is another
    // category's or the budget is no 32-bit number; nothing changes then.
    bool ChangeCategoryInfo(const QString& name, quint32 color, const QString& limitText, int ioflag);

    // ---- output (ImportOutput.cpp) ----
    enum class Written {
        Yes,       // both files written
        No,        // nothing written; the page stays for another try
        Abandoned, // nothing written and nothing can be: the tool ends
    };
    // Checks and writes: the master with the merge file (linked) or with
    // the year file (on its own), both or neither. Entries already in the
    // year or repeated in the source are skipped if the user says so; a
    // year-end balance beyond 32 bits is refused.
    Written WriteOutput();
    // The bookings as ledger entries, months in source order, into `ledger`'s
    // month slots (which are emptied first).
    void ResolveEntryNumbers(LedgerModel& ledger) const;
    // The closing message with the count of entries written; on its own,
    // Yes starts KaneloY.
    void ShowClosingMessage();

    // Starts a program without waiting; tests replace it.
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;

    // The ledger model the writers run on (categories and entries of this import).
    LedgerModel ledger;

    // Counts for the closing message.
    int skippedOtherYear = 0;
    int skippedDuplicates = 0;
    int written = 0;

private:
    // The master read becomes the session's categories; a missing one is
    // worded for the tool.
    bool takeMaster(MasterFileRead master);
    bool checkName(const QString& name, bool isCategory, const SourceNames& where);
    ImportCategory* addCategory(const QString& name, const QString& no);
    bool registerNames(const SourceNames& names, ImportCategory*& category, quint8& subNo);
    bool keepBackups(const QStringList& names, const QString& stamp);
    void fillLedgerCategories();
    bool takeLedgerLock(QLockFile& lock);
    bool confirmAdditions(int held, bool yearExists, int adding, const QStringList& backups, const QString& stamp);

    Prompter* prompter_;
    QByteArray masterRead_; // the master as LoadCurrentMaster read it
};

// Moves the name in row `from` directly before (or after) row `target` in
// the reordering list; the numbers stay with their rows. False when nothing
// moves (the row onto itself, or already in place).
bool moveRow(QStringList& names, int from, int target, bool before);

// Green of the category at 1-based position i of n: RGB(0, G, 0),
// G = 255 - 255 * i / n rounded to the nearest, halves to even.
quint32 greenShade(int i, int n);

}
