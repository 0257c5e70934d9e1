#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

// Dated copies of the ledger's files in backup/ of the data folder. Before a
// year, the master or a memo file is replaced, the file as it was is kept
// there under its name and the time it was saved, as
// "backup/2026.zbl.20261208-093015"; only the newest copies of each file
// are kept.
namespace Backups {

constexpr int kDefaultGenerations = 20;
constexpr int kMostGenerations = 999;

// How many copies of each file are kept (0: none are made), from the
// settings store; and stored there.
int generations();
void setGenerations(int count);

// The folder of the copies.
QString folder();

struct Copy {
    QString path;     // of the copy
    QString fileName; // of the file it is a copy of, "2026.zbl"
    QDateTime saved;  // when that file was saved
};
// The copies of every file, by file name, newest first within a file.
std::vector<Copy> list();
// The copies of one file ("2026.zbl"), oldest first.
std::vector<Copy> copiesOf(const QString& fileName);
// The file name a copy's name stands for and when it was saved; false for
// a name that is no copy.
bool parseCopyName(const QString& copyName, QString& fileName, QDateTime& saved);

struct Result {
    bool ok = true;
    QString error; // why no copy could be kept, a sentence for the user
};
// Keeps the file at path as its newest copy, unless it is missing or its
// newest copy already holds the same bytes, then removes the oldest copies
// beyond `keepCount`. With keepCount 0 nothing is done.
Result keep(const QString& path, int keepCount);

}
