#include "ledger/tests/TestHome.h"

#include "ledger/Clock.h"
#include "ledger/ProgramFolder.h"
#include "ledger/TextFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>

TestHome::TestHome(const QDateTime& today)
{
    qputenv("KANELO_HOME", dir_.path().toLocal8Bit());
    // A portable folder: the programs and what ships with them sit there too.
    setExecutableFolder(dir_.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
    Clock::setFixed(today);
}

TestHome::~TestHome()
{
    Clock::setFixed({});
    qunsetenv("KANELO_HOME");
    setExecutableFolder({});
}

QString TestHome::path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

void TestHome::writeBytes(const QString& name, const QByteArray& bytes) const
{
    QFile f(path(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

void TestHome::writeText(const QString& name, const QString& text, const char* eol) const
{
    QString t = text;
    t.replace(QLatin1String("\n"), QLatin1String(eol));
    QByteArray b;
    TextFile::encode(t, b);
    writeBytes(name, b);
}

QByteArray TestHome::readBytes(const QString& name) const
{
    QFile f(path(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

bool TestHome::exists(const QString& name) const { return QFile::exists(path(name)); }
