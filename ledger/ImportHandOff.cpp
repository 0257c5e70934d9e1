#include "ledger/ImportHandOff.h"

#include "ledger/ProgramFolder.h"
#include "ledger/TextFile.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QRandomGenerator>

namespace HandOff {

namespace {
const QString kTokenLabel = QStringLiteral("*      [取込番号] ");

QByteArray tokenPrefix()
{
    QByteArray b;
    TextFile::encode(kTokenLabel, b);
    return b;
}
}

QString ledgerProgramPath() { return companionProgram(QStringLiteral("KaneloY")); }

QString importToolPath() { return companionProgram(QStringLiteral("KaneloImport")); }

QString ledgerLockPath() { return programFile(QStringLiteral("KaneloY.lock")); }

QString mergeFilePath(int year) { return programFile(QString::number(year) + QStringLiteral("_add.zbl")); }

QString newToken()
{
    return QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-')
        + QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, QLatin1Char('0'));
}

QByteArray tokenLine(const QString& token) { return tokenPrefix() + token.toLatin1() + "\r\n"; }

QString tokenOf(const QByteArray& mergeFile)
{
    const QByteArray prefix = tokenPrefix();
    QString token;
    const char* const begin = mergeFile.constData();
    const char* const end = begin + mergeFile.size();
    bool inHeader = true;
    // The token belongs to the header: comment and empty lines before the first entry.
    TextFile::forEachLine(begin + TextFile::bomLength(begin, end), end, [&](const char* b, const char* e, int) {
        if (!inHeader || !token.isEmpty())
            return;
        const QByteArrayView line(b, e - b);
        if (line.startsWith(prefix))
            token = QString::fromLatin1(line.sliced(prefix.size())).trimmed();
        else if (!line.trimmed().isEmpty() && line.front() != '*' && line.front() != 'C')
            inHeader = false;
    });
    return token;
}

bool starterRunning(const QString& token)
{
    bool ok = false;
    const qint64 pid = token.section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
    if (!ok || pid <= 0)
        return false;
    // A lock whose process has ended is stale and is taken here: nobody holds the folder.
    QLockFile probe(ledgerLockPath());
    probe.setStaleLockTime(0);
    if (probe.tryLock(0)) {
        probe.unlock();
        return false;
    }
    qint64 holder = 0;
    QString host, app;
    return probe.getLockInfo(&holder, &host, &app) && holder == pid;
}

}
