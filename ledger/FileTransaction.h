#pragma once

#include "ledger/TextFile.h"

#include <QByteArray>
#include <QString>
#include <vector>

// Files of the program folder changed together (the master with the year,
// the year with the removal of a merge file): whenever the writing program
// stops, the files are either all as before or, once the next start of
// either program has run recover(), all as intended.
//
// The new contents are first written complete beside their files
// ("name.kanelo-new"), which is where a full disk stops a change with
// nothing touched. Then a small journal naming the changes is written in one
// step: from that moment the change counts as made. The new files are then
// renamed over the old ones and the files to go are removed, which needs no
// space, and the journal is removed last.
namespace FileTransaction {

struct Change {
    QString path;     // a file of the program folder
    QByteArray bytes; // its new content
    bool remove = false; // remove the file instead
};

struct Result {
    bool ok = false;
    QString path;  // the file that could not be written
    QString error; // why, for the user
};

// Makes the changes. A single write is written in place of the file as
// every save is; more than one go through the journal.
Result commit(const std::vector<Change>& changes);

// Completes a change a stopped program had made (its journal is there) and
// removes the new files of one it had not. Run only by a program that holds
// the folder, before it reads any file. False, with the error, when a
// completed change could not be finished (the journal then stays).
Result recover(const QString& folder);

// The journal of `folder`.
QString journalPath(const QString& folder);

}
