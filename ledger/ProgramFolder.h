#pragma once

#include <QString>

// Where the two programs find their files; both use these functions, so
// KaneloImport started on its own works on the same files as KaneloY.

// The program folder holds every file of the ledger: the master, the year
// and memo files, exports, the lock and the backups.
struct ProgramFolderChoice {
    enum Kind {
        Chosen,   // KANELO_HOME names it
        Portable, // the executable's own folder: writable, and not an install
        UserData, // the user's data folder (~/.local/share/KaneloY)
    };
    QString path;
    Kind kind = Chosen;
};
ProgramFolderChoice chooseProgramFolder();
// The chosen folder; the user's data folder is made when first asked for.
QString programFolder();
// A file name inside the program folder.
QString programFile(const QString& name);
// At the first start of an installed program, the user's data folder holds
// no ledger yet: the starter master shipped with the program goes there.
// A copy that fails leaves the folder without a master, which the start
// then reports.
void placeStarterMaster();

// The folder of the running executable. Tests name another one (an empty
// name gives the executable's own back).
QString executableFolder();
void setExecutableFolder(const QString& folder);
// An install puts the executables in bin/, the shipped files in
// share/kaneloy/ and the modules in lib/kaneloy/; a portable folder (any
// other name) or a build's bin/ has all of them beside the executable.
bool runsFromInstall();
// A file shipped with the program: the help pages, the starter master.
QString shippedFile(const QString& name);
// The folder of the modules loaded while the program runs.
QString moduleFolder();
// The other program of the pair ("KaneloY", "KaneloImport"), beside this one.
QString companionProgram(const QString& name);
