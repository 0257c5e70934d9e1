#include "categories/MasterSnapshot.h"

#include "ledger/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool MasterSnapshot::take(const QString& masterPath)
{
    master_.clear();
    const TextFile::BytesResult read = TextFile::readBytes(masterPath);
    if (!read.ok) {
        error_ = read.error;
        return false;
    }
    const QString copy = QFileInfo(masterPath).dir().filePath(QFileInfo(masterPath).completeBaseName() + QStringLiteral(".z__"));
    const TextFile::WriteResult written = TextFile::writeBytes(copy, read.bytes);
    if (!written.ok) {
        error_ = written.error;
        return false;
    }
    master_ = masterPath;
    copy_ = copy;
    bytes_ = read.bytes;
    return true;
}

bool MasterSnapshot::restore()
{
    if (!taken())
        return true;
    const TextFile::BytesResult now = TextFile::readBytes(master_);
    if (now.ok && now.bytes == bytes_)
        return true;
    const TextFile::WriteResult r = TextFile::writeBytes(master_, bytes_);
    error_ = r.error;
    restoreFailed_ = !r.ok;
    return r.ok;
}

void MasterSnapshot::discard()
{
    if (!copy_.isEmpty() && !restoreFailed_)
        QFile::remove(copy_);
}
