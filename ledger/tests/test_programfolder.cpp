// Where the two programs find their files: the program folder chosen from
// KANELO_HOME, a portable folder or the user's data folder, and the shipped
// files, the modules and the other program, for a portable folder and for an
// install.
#include "ledger/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void folders_data();
    void folders();
};

void TestProgramFolder::cleanup()
{
    setExecutableFolder({});
    qunsetenv("KANELO_HOME");
    qunsetenv("XDG_DATA_HOME");
}

void TestProgramFolder::folders_data()
{
    QTest::addColumn<QString>("executable"); // relative to a temporary root
    QTest::addColumn<bool>("installed");     // usr/share/kaneloy beside usr/bin
    QTest::addColumn<bool>("homeSet");       // KANELO_HOME=home
    QTest::addColumn<QString>("kept");       // a file the program folder already holds
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("folder");     // the program folder, relative to the root
    QTest::addColumn<bool>("starterPlaced");

    const int chosen = ProgramFolderChoice::Chosen, portable = ProgramFolderChoice::Portable,
              user = ProgramFolderChoice::UserData;
    QTest::newRow("portable folder") << "app" << false << false << "" << portable << "app" << false;
    QTest::newRow("portable, KANELO_HOME") << "app" << false << true << "" << chosen << "home" << false;
    QTest::newRow("folder it cannot write") << "gone" << false << false << "" << user << "data/KaneloY" << false;
    QTest::newRow("install, first start") << "usr/bin" << true << false << "" << user << "data/KaneloY" << true;
    QTest::newRow("install, master kept") << "usr/bin" << true << false << "MainSub.zbt" << user << "data/KaneloY" << false;
    QTest::newRow("install, year kept without master") << "usr/bin" << true << false << "2026.zbl" << user << "data/KaneloY"
                                                       << false;
    QTest::newRow("install, KANELO_HOME") << "usr/bin" << true << true << "" << chosen << "home" << false;
}

void TestProgramFolder::folders()
{
    QFETCH(QString, executable);
    QFETCH(bool, installed);
    QFETCH(bool, homeSet);
    QFETCH(QString, kept);
    QFETCH(int, kind);
    QFETCH(QString, folder);
    QFETCH(bool, starterPlaced);

    const QTemporaryDir root;
    const QDir r(root.path());
    const QString exe = r.filePath(executable), shipped = installed ? r.filePath("usr/share/kaneloy") : exe;
    if (executable != QLatin1String("gone"))
        QVERIFY(r.mkpath(executable));
    if (installed)
        QVERIFY(r.mkpath("usr/share/kaneloy"));
    // An install into the root as well: a portable folder beside it stays portable.
    QVERIFY(r.mkpath("share/kaneloy"));
    QFile starter(QDir(shipped).filePath("MainSub.zbt"));
    if (QDir(shipped).exists()) {
        QVERIFY(starter.open(QIODevice::WriteOnly));
        starter.write("C\r\n0100食費:1:0:0\r\n");
        starter.close();
    }
    setExecutableFolder(exe);
    qputenv("XDG_DATA_HOME", r.filePath("data").toLocal8Bit());
    if (homeSet) {
        QVERIFY(r.mkpath("home"));
        qputenv("KANELO_HOME", r.filePath("home").toLocal8Bit());
    }
    if (!kept.isEmpty()) {
        QVERIFY(r.mkpath(folder));
        QFile f(QDir(r.filePath(folder)).filePath(kept));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    QCOMPARE(int(chooseProgramFolder().kind), kind);
    QCOMPARE(programFolder(), r.filePath(folder));
    QVERIFY(QDir(programFolder()).exists()); // the user's data folder is made when asked for
    QCOMPARE(programFile("2026.zbl"), r.filePath(folder + "/2026.zbl"));

    // Both programs find each other and what ships with them the same way.
    QCOMPARE(companionProgram("KaneloImport"), QDir(exe).filePath("KaneloImport"));
    QCOMPARE(companionProgram("KaneloY"), QDir(exe).filePath("KaneloY"));
    QCOMPARE(runsFromInstall(), installed);
    QCOMPARE(shippedFile("help"), QDir(shipped).filePath("help"));
    QCOMPARE(moduleFolder(), installed ? r.filePath("usr/lib/kaneloy") : exe);

    const QString master = programFile("MainSub.zbt");
    const bool before = QFile::exists(master);
    placeStarterMaster();
    if (starterPlaced) {
        QVERIFY(!before);
        QFile copy(master);
        QVERIFY(copy.open(QIODevice::ReadWrite)); // the user's own file now
        QCOMPARE(copy.readAll(), QByteArray("C\r\n0100食費:1:0:0\r\n"));
    } else {
        QCOMPARE(QFile::exists(master), before);
    }
}

QTEST_MAIN(TestProgramFolder)
#include "test_programfolder.moc"
