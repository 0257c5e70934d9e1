#pragma once

#include "ledger/BackupKeeper.h"

#include <functional>
#include <optional>
#include <vector>

class LedgerModel;

// Putting a kept copy back in place of the file it was made of.
namespace Backups {

enum class Kind { Year, Master, Memo, Other };
// What a file of the data folder is: "2026.zbl" a year, "MainSub.zbt" the
// master, "2026.zbm" a memo file; the year of a year or memo file.
Kind kindOf(const QString& fileName, int* year = nullptr);

struct Listing {
    Copy copy;
    Kind kind = Kind::Other;
    int year = 0;
    // Of a year copy: its entry lines and its balance line ("$").
    int entries = -1;
    std::optional<qint64> balance;
};
// The copies that can be put back (years, master, memos), by file name,
// newest first within a file.
std::vector<Listing> restorable();
Listing describe(const Copy& copy);

// Asks (naming the file and the time, default No), keeps the current file
// as a copy, puts the copy in its place and has the model read again what
// it holds of that file: the open year, the master (the open year follows
// it, as after the category editor) or the open year's memos. False when
// nothing was replaced (declined, or the user has been told why).
// beforeReplace runs once the user said yes, before anything is touched: a
// window holding the file's contents unsaved writes them then.
bool restore(LedgerModel& model, const Copy& copy, const std::function<void()>& beforeReplace = {});

}
