#include "ledger/FileTransaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>

namespace FileTransaction {

namespace {
const char kHeader[] = "Kanelo journal 1";
const char kEnd[] = "end";
const QString kStagedSuffix = QStringLiteral(".kanelo-new");

QString staged(const QString& path) { return path + kStagedSuffix; }

std::filesystem::path native(const QString& path) { return std::filesystem::path(QFile::encodeName(path).toStdString()); }

// Replaces `to` by `from` in one step, as a save does.
bool renameOver(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(native(from), native(to), error);
    return !error;
}

bool removeFile(const QString& path) { return QFile::remove(path) || !QFileInfo::exists(path); }

// "W name" / "R name" per change, names within the folder.
struct Step {
    bool remove = false;
    QString name;
};

bool parseJournal(const QByteArray& bytes, std::vector<Step>& steps)
{
    const QList<QByteArray> lines = bytes.split('\n');
    // The journal is written whole or not at all; anything else was not written by us.
    if (lines.size() < 3 || lines.first() != kHeader || lines.at(lines.size() - 2) != kEnd || !lines.last().isEmpty())
        return false;
    for (qsizetype i = 1; i + 2 < lines.size(); ++i) {
        const QByteArray& l = lines[i];
        if (l.size() < 3 || (l[0] != 'W' && l[0] != 'R') || l[1] != ' ')
            return false;
        const QString name = QString::fromUtf8(l.mid(2));
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == QLatin1String("..")
            || name == QLatin1String("."))
            return false;
        steps.push_back({l[0] == 'R', name});
    }
    return true;
}

Result applySteps(const QDir& dir, const std::vector<Step>& steps)
{
    for (const Step& s : steps) {
        const QString path = dir.filePath(s.name);
        if (s.remove) {
            if (!removeFile(path))
                return {false, path, QStringLiteral("ファイルを削除できません。")};
        } else if (QFileInfo::exists(staged(path)) && !renameOver(staged(path), path)) {
            return {false, path, QStringLiteral("新しい内容のファイルに置き換えられません。")};
        }
    }
    return {true, {}, {}};
}
}

QString journalPath(const QString& folder) { return QDir(folder).filePath(QStringLiteral("Kanelo.journal")); }

Result commit(const std::vector<Change>& changes)
{
    if (changes.empty())
        return {true, {}, {}};
    if (changes.size() == 1) {
        const Change& c = changes.front();
        if (c.remove)
            return removeFile(c.path) ? Result{true, {}, {}} : Result{false, c.path, QStringLiteral("ファイルを削除できません。")};
        const TextFile::WriteResult r = TextFile::writeBytes(c.path, c.bytes);
        return {r.ok, r.ok ? QString() : c.path, r.error};
    }

    // What would stop a rename once the change is made is refused before it.
    for (const Change& c : changes)
        if (QFileInfo(c.path).isDir())
            return {false, c.path, QStringLiteral("同じ名前のフォルダがあるため、ファイルを作成できません。")};
    const QDir dir = QFileInfo(changes.front().path).absoluteDir();
    auto dropStaged = [&] {
        for (const Change& c : changes)
            if (!c.remove)
                QFile::remove(staged(c.path));
    };
    QByteArray journal = QByteArray(kHeader) + '\n';
    std::vector<Step> steps;
    for (const Change& c : changes) {
        if (!c.remove) {
            const TextFile::WriteResult r = TextFile::writeBytes(staged(c.path), c.bytes);
            if (!r.ok) {
                dropStaged();
                return {false, c.path, r.error};
            }
        }
        const QString name = QFileInfo(c.path).fileName();
        steps.push_back({c.remove, name});
        journal += (c.remove ? "R " : "W ") + name.toUtf8() + '\n';
    }
    journal += QByteArray(kEnd) + '\n';
    const QString journalFile = journalPath(dir.path());
    const TextFile::WriteResult r = TextFile::writeBytes(journalFile, journal);
    if (!r.ok) {
        dropStaged();
        return {false, changes.front().path, r.error};
    }
    // From here the change is made: what fails now, the next start finishes.
    const Result applied = applySteps(dir, steps);
    if (applied.ok)
        QFile::remove(journalFile);
    return applied;
}

Result recover(const QString& folder)
{
    const QDir dir(folder);
    const QString journalFile = journalPath(folder);
    if (QFileInfo::exists(journalFile)) {
        QFile f(journalFile);
        std::vector<Step> steps;
        if (f.open(QIODevice::ReadOnly) && parseJournal(f.readAll(), steps)) {
            f.close();
            const Result applied = applySteps(dir, steps);
            if (!applied.ok)
                return applied;
        }
        f.close();
        QFile::remove(journalFile);
    }
    // New contents never committed: the change did not happen.
    for (const QString& name : dir.entryList({QStringLiteral("*") + kStagedSuffix}, QDir::Files | QDir::Hidden))
        QFile::remove(dir.filePath(name));
    return {true, {}, {}};
}

}
