#pragma once

#include <QByteArray>
#include <QString>

// What KaneloY and KaneloImport agree on when the tool runs for the year
// KaneloY has open. Both programs use these and nothing else for it.
namespace HandOff {

// The lock KaneloY holds on the program folder for as long as it runs.
QString ledgerLockPath();

// The merge file the tool leaves for `year` (yyyy_add.zbl).
QString mergeFilePath(int year);

// A token names one run of the tool: the process id of the KaneloY that
// started it and a random part ("4711-9f0c…"). KaneloY passes it as the
// tool's second argument; the tool writes it into the merge file's header
// as a comment line; KaneloY merges only a file carrying the token it gave.
QString newToken();
QByteArray tokenLine(const QString& token);
// The token in a merge file's header, or empty text.
QString tokenOf(const QByteArray& mergeFile);
// Whether the KaneloY named by the token still runs and holds the lock.
bool starterRunning(const QString& token);

// The tool's exit code after it ended having told the user why: KaneloY
// adds no box of its own then.
constexpr int kExplainedExit = 2;

}
