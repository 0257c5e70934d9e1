#include "ledger/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// KANELO_SHARE_FROM_BIN and KANELO_MODULES_FROM_BIN: the install's folders
// as seen from its bin/, set by the build.

namespace {
QString& executableOverride()
{
    static QString folder;
    return folder;
}

QString fromExecutable(const char* relative) { return QDir::cleanPath(QDir(executableFolder()).filePath(QLatin1String(relative))); }
}

ProgramFolderChoice chooseProgramFolder()
{
    const QString home = qEnvironmentVariable("KANELO_HOME");
    if (!home.isEmpty())
        return {QDir(home).absolutePath(), ProgramFolderChoice::Chosen};
    const QString exe = executableFolder();
    // User files never go beside an installed program, even where it could
    // write there (root, an install into the user's own folder).
    if (!runsFromInstall() && QFileInfo(exe).isWritable())
        return {exe, ProgramFolderChoice::Portable};
    return {QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("KaneloY")),
            ProgramFolderChoice::UserData};
}

QString programFolder()
{
    const ProgramFolderChoice c = chooseProgramFolder();
    if (c.kind == ProgramFolderChoice::UserData)
        QDir().mkpath(c.path);
    return c.path;
}

QString programFile(const QString& name) { return QDir(programFolder()).filePath(name); }

void placeStarterMaster()
{
    if (chooseProgramFolder().kind != ProgramFolderChoice::UserData)
        return;
    const QDir folder(programFolder());
    // A ledger already kept here keeps its own master, or learns that it is missing.
    if (folder.exists(QStringLiteral("MainSub.zbt")) || !folder.entryList({QStringLiteral("*.zbl")}, QDir::Files).isEmpty())
        return;
    const QString copy = folder.filePath(QStringLiteral("MainSub.zbt"));
    // The shipped file belongs to the system; the copy is the user's to change.
    if (QFile::copy(shippedFile(QStringLiteral("MainSub.zbt")), copy))
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

QString executableFolder()
{
    return executableOverride().isEmpty() ? QCoreApplication::applicationDirPath() : executableOverride();
}

void setExecutableFolder(const QString& folder) { executableOverride() = folder; }

bool runsFromInstall()
{
    // A portable folder is never named bin/, even beside an install's share/.
    return QDir(executableFolder()).dirName() == QLatin1String("bin") && QFileInfo(fromExecutable(KANELO_SHARE_FROM_BIN)).isDir();
}

QString shippedFile(const QString& name)
{
    return QDir(runsFromInstall() ? fromExecutable(KANELO_SHARE_FROM_BIN) : executableFolder()).filePath(name);
}

QString moduleFolder() { return runsFromInstall() ? fromExecutable(KANELO_MODULES_FROM_BIN) : executableFolder(); }

QString companionProgram(const QString& name)
{
#ifdef Q_OS_WIN
    return QDir(executableFolder()).filePath(name + QStringLiteral(".exe"));
#else
    return QDir(executableFolder()).filePath(name);
#endif
}
