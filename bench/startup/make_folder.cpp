// Writes the program folder the start-up timings run on: the benchmarks'
// category master and a year file of N entries spread over the year.
//   startup_folder <folder> <year> <entries>
#include "bench/BenchData.h"
#include "ledger/TextFile.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {
bool write(const QString& path, const QString& text)
{
    QByteArray bytes;
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (!TextFile::encode(crlf, bytes))
        return false;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
}

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: startup_folder <folder> <year> <entries>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const int year = QString::fromLatin1(argv[2]).toInt();
    const int entries = QString::fromLatin1(argv[3]).toInt();
    const BenchData::Master master{.categories = 20, .expense = 16, .subs = 6};
    const BenchData::Entries spread{.perMonth = BenchData::spread(entries), .amounts = 30000, .seed = 7};
    if (!dir.mkpath(QStringLiteral("."))
        || !write(dir.filePath(QStringLiteral("MainSub.zbt")), BenchData::masterText(master))
        || !write(dir.filePath(QString::number(year) + QStringLiteral(".zbl")), BenchData::yearText(master, spread, 250000)))
        return 1;
    return 0;
}
