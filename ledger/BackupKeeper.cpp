#include "ledger/BackupKeeper.h"

#include "ledger/ProgramFolder.h"
#include "ledger/Settings.h"
#include "ledger/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace Backups {

namespace {
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss");

// Copies of the same second get "-01".."-99"; fixed width keeps the names
// in time order when sorted as text.
const QRegularExpression& copyPattern()
{
    static const QRegularExpression re(QStringLiteral("^(.+)\\.(\\d{8}-\\d{6})(?:-(\\d{2}))?$"));
    return re;
}
}

int generations()
{
    bool ok = false;
    const int n = ReadSetting(kAppName, QStringLiteral("Options"), QStringLiteral("backups"),
                              QString::number(kDefaultGenerations))
                      .trimmed()
                      .toInt(&ok);
    return ok ? std::clamp(n, 0, kMostGenerations) : kDefaultGenerations;
}

void setGenerations(int count)
{
    WriteSetting(kAppName, QStringLiteral("Options"), QStringLiteral("backups"),
                 QString::number(std::clamp(count, 0, kMostGenerations)));
}

QString folder() { return programFile(QStringLiteral("backup")); }

bool parseCopyName(const QString& copyName, QString& fileName, QDateTime& saved)
{
    const auto m = copyPattern().match(copyName);
    if (!m.hasMatch())
        return false;
    saved = QDateTime::fromString(m.captured(2), kStampFormat);
    if (!saved.isValid())
        return false;
    fileName = m.captured(1);
    return true;
}

std::vector<Copy> list()
{
    std::vector<Copy> copies;
    const QDir dir(folder());
    // Sorted by name: each file's copies together, oldest first.
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        Copy c;
        if (parseCopyName(name, c.fileName, c.saved)) {
            c.path = dir.filePath(name);
            copies.push_back(c);
        }
    }
    std::stable_sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        if (a.fileName != b.fileName)
            return a.fileName < b.fileName;
        return QFileInfo(a.path).fileName() > QFileInfo(b.path).fileName();
    });
    return copies;
}

std::vector<Copy> copiesOf(const QString& fileName)
{
    std::vector<Copy> copies;
    for (const Copy& c : list())
        if (c.fileName == fileName)
            copies.push_back(c);
    std::reverse(copies.begin(), copies.end());
    return copies;
}

Result keep(const QString& path, int keepCount)
{
    const QFileInfo file(path);
    if (keepCount <= 0 || !file.isFile())
        return {};
    const TextFile::BytesResult bytes = TextFile::readBytes(path);
    if (!bytes.ok)
        return {false, bytes.error};
    std::vector<Copy> copies = copiesOf(file.fileName());
    // Saved again without a change: the newest copy already holds it.
    if (!copies.empty() && TextFile::readBytes(copies.back().path).bytes == bytes.bytes)
        return {};

    const QDir dir(folder());
    if (!QDir().mkpath(dir.path()))
        return {false, QStringLiteral("バックアップ用のフォルダ [%1] を作成できません。").arg(QDir::toNativeSeparators(dir.path()))};
    const QString stem = file.fileName() + QLatin1Char('.') + file.lastModified().toString(kStampFormat);
    QString name = stem;
    for (int n = 1; dir.exists(name) && n <= 99; ++n)
        name = stem + QStringLiteral("-%1").arg(n, 2, 10, QLatin1Char('0'));
    if (dir.exists(name))
        return {false, QStringLiteral("同じ時刻のバックアップが多すぎます。")};
    const TextFile::WriteResult written = TextFile::writeBytes(dir.filePath(name), bytes.bytes);
    if (!written.ok)
        return {false, written.error};

    copies = copiesOf(file.fileName());
    for (size_t i = 0; i + size_t(keepCount) < copies.size(); ++i)
        QFile::remove(copies[i].path);
    return {};
}

}
