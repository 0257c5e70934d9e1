#pragma once

#include "KeyedCollection.h"
#include "LedgerModel.h"
#include "Prompter.h"
#include "Types.h"

#include <QByteArray>
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
    // Every spelling met in the source, so later lines find the sub-item
    // without a case-insensitive search (the texts live in the session).
    QHash<QStringView, quint8> subBySpelling;
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
    static const QString kUnsetCategory; // "未設定費目"

    explicit ImportSession(Prompter& prompter);

    Prompter& prompter() const { return *prompter_; }

    bool linkedMode = false;
    QString importYear; // four characters
    std::array<std::vector<ImportEntry>, 12> importMonths;
    KeyedCollection<ImportCategory> sourceCategories; // by name
    KeyedCollection<clsTekiyo> categoryNumbers;       // (number, name) by number

    // Mode and year from the command line: any text selects linked mode
    // and its first four characters are the year.
    void setCommandLine(const QString& commandLine);
    // The year as a number, or 0 when importYear is not four digits.
    int yearNumber() const;

    // ---- reading (ImportSource.cpp) ----
    // Empties the months and the categories.
    void clear();
    // Takes the categories of the current master (linked mode). False, user
    // told, when the master is missing or unreadable.
    bool LoadCurrentMaster();
    // Reads the source file into importMonths, registering its categories.
    // False, user told, on an unreadable file, an invalid line or too many
    // categories or sub-items; the session is then not to be written.
    bool ReadSourceFile(const QString& path);
    // The same on bytes already read; lines are numbered from 1.
    bool ReadSourceBytes(const QByteArray& bytes);
    bool RegisterSourceCategory(QStringView category, QStringView sub, int lineNo = 0, ImportEntry* entry = nullptr);
    bool hasNewCategories() const;
    int entryCount() const;

    // ---- category pages (ImportCategories.cpp) ----
    // Names in number order, as the reordering list shows them.
    QStringList namesInNumberOrder() const;
    // Row r (0-based) of the reordering list keeps its number and now holds
    // the name names[r]: that category takes the number.
    void ApplyOrder(const QStringList& names);
    // Greens from bright to dark in category order; in linked mode only for
    // categories with no colour yet.
    void AssignGreenShades();
    ImportCategory* categoryNamed(const QString& name) const;
    // The information page's 変更: colour, budget text and kind for the
    // category named `name`. False, user told, when the colour is another
    // category's or the budget is no 32-bit number; nothing changes then.
    bool ChangeCategoryInfo(const QString& name, quint32 color, const QString& limitText, int ioflag);

    // ---- output (ImportOutput.cpp) ----
    // Writes MainSub.zbt through the ledger's master writer.
    bool WriteMasterFile();
    // Writes the year file (standalone) or the merge file (linked) through
    // the ledger's writers, after ResolveEntryNumbers. On failure the master
    // written just before is put back as it was and the user is told.
    bool WriteImportResult();
    // The bookings as ledger entries, months in source order, into `ledger`'s
    // month slots (which are emptied first).
    void ResolveEntryNumbers(LedgerModel& ledger) const;
    // Standalone: asks before replacing yyyy.zbl or MainSub.zbt and keeps
    // the old files as backups. Then the master and the year data are
    // written, both or neither. False when nothing was written.
    bool WriteOutput();
    // The closing message; in standalone mode Yes starts KaneloY.
    void ShowClosingMessage();

    // Starts a program without waiting; tests replace it.
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;

    // The ledger model the writers run on (categories and entries of this import).
    LedgerModel ledger;

private:
    bool failInvalidLine(int lineNo, const QString& text);
    bool checkName(const QString& name, bool isCategory, int lineNo);
    ImportCategory* addCategory(const QString& name, const QString& no);
    bool keepBackups(const QStringList& names, const QString& stamp);
    void fillLedgerCategories();

    Prompter* prompter_;
    QStringView keep(QStringView text); // a copy that lives as long as the session
    QHash<QStringView, ImportCategory*> bySpelling_; // every spelling met in the source
    std::vector<QString> spellings_;                 // the texts the two hashes point into
    QStringView lineText_;                           // the line being read, for messages
    QByteArray masterBefore_;                    // the master as it was before WriteMasterFile
    bool masterExisted_ = false;
};

// Moves the name in row `from` directly before (or after) row `target` in
// the reordering list; the numbers stay with their rows. False when nothing
// moves (the row onto itself, or already in place).
bool moveRow(QStringList& names, int from, int target, bool before);

// Green of the category at 1-based position i of n: RGB(0, G, 0),
// G = 255 - 255 * i / n rounded to the nearest, halves to even.
quint32 greenShade(int i, int n);

}
