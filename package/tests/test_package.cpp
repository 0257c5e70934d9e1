// The Debian package as a household gets it: its control fields and files,
// the validators of Debian and freedesktop, and the unpacked programs run in
// an empty home folder. The runs build on each other, in this order: the
// first start, the import and workbook from the menus, then KaneloImport
// started on its own.
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Run {
    int code = -1;
    QString out; // standard output and error together
};

Run run(const QString& program, const QStringList& arguments, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(120000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    files.sort();
    return files;
}
}

class TestPackage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void controlFields_data();
    void controlFields();
    void contents_data();
    void contents();
    void validators_data();
    void validators();
    void versionOption_data();
    void versionOption();
    void firstStartInEmptyHome();
    void importAndWorkbookFromTheMenus();
    void importAloneFindsTheSameFolder();

private:
    // Runs an unpacked program with the driver's steps for each program.
    Run runDriven(const QString& program, const QHash<QString, QStringList>& steps);
    QString driveLog() const { return QString::fromUtf8(bytes(work_.filePath("drive.log"))); }
    QString dataFile(const QString& name) const { return QDir(home_).filePath(".local/share/KaneloY/" + name); }

    QTemporaryDir work_;
    QString deb_, root_, home_;
    QStringList installed_; // the unpacked tree before any run
    const QDate today_ = QDate::currentDate();
};

void TestPackage::initTestCase()
{
    QVERIFY(work_.isValid());
    const Run made = run(QStringLiteral(KANELO_CPACK), {"-G", "DEB", "--config", QStringLiteral(KANELO_BUILD_DIR "/CPackConfig.cmake"),
                                                         "-B", work_.filePath("out")});
    QVERIFY2(made.code == 0, qPrintable(made.out));
    deb_ = work_.filePath(QStringLiteral("out/kaneloy_" KANELO_PROJECT_VERSION "_amd64.deb"));
    QVERIFY2(QFile::exists(deb_), qPrintable(made.out));
    root_ = work_.filePath("root");
    const Run unpacked = run("dpkg-deb", {"-x", deb_, root_});
    QVERIFY2(unpacked.code == 0, qPrintable(unpacked.out));
    installed_ = filesBelow(root_);
    home_ = work_.filePath("home");
    QVERIFY(QDir().mkpath(home_));
}

void TestPackage::controlFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("name") << "Package" << "^kaneloy$";
    QTest::newRow("the project's version") << "Version" << "^" KANELO_PROJECT_VERSION "$";
    QTest::newRow("architecture") << "Architecture" << "^amd64$";
    QTest::newRow("maintainer") << "Maintainer" << "^.+ <.+@.+>$";
    QTest::newRow("Qt from dpkg-shlibdeps") << "Depends" << "libqt6widgets6 \\(>= [0-9.]+\\)";
    QTest::newRow("spreadsheet library of the module") << "Depends" << "libxlsxwriter";
    QTest::newRow("Japanese fonts") << "Depends" << "(^|, )fonts-noto-cjk(,|$)";
    QTest::newRow("Qt's Japanese texts") << "Depends" << "(^|, )qt6-translations-l10n(,|$)";
    QTest::newRow("short and long description") << "Description" << "^household ledger[^\\n]*\\n .*\\n \\.\\n";
}

void TestPackage::controlFields()
{
    QFETCH(QString, field);
    QFETCH(QString, pattern);
    const Run r = run("dpkg-deb", {"-f", deb_, field});
    QCOMPARE(r.code, 0);
    QVERIFY2(QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption).match(r.out.trimmed()).hasMatch(),
             qPrintable(field + ": " + r.out));
}

void TestPackage::contents_data()
{
    QTest::addColumn<QString>("path");
    for (const char* path : {"usr/bin/KaneloY", "usr/bin/KaneloImport", "usr/lib/kaneloy/libkanelo_workbook.so",
                             "usr/share/kaneloy/MainSub.zbt", "usr/share/kaneloy/help/index.html",
                             "usr/share/applications/jp.kaneloy.KaneloY.desktop",
                             "usr/share/applications/jp.kaneloy.KaneloImport.desktop",
                             "usr/share/metainfo/jp.kaneloy.KaneloY.metainfo.xml", "usr/share/icons/hicolor/16x16/apps/kaneloy.png",
                             "usr/share/icons/hicolor/256x256/apps/kaneloy.png",
                             "usr/share/icons/hicolor/48x48/apps/kaneloimport.png", "usr/share/doc/kaneloy/copyright",
                             "usr/share/doc/kaneloy/changelog.gz",
                             "usr/share/man/man1/KaneloY.1.gz", "usr/share/man/man1/KaneloImport.1.gz"})
        QTest::newRow(path) << path;
}

void TestPackage::contents()
{
    QFETCH(QString, path);
    QVERIFY(QFileInfo(QDir(root_).filePath(path)).isFile());
}

void TestPackage::validators_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments"); // "@" stands for the unpacked root, "#" for the package
    QTest::newRow("desktop entry of KaneloY")
        << "desktop-file-validate" << QStringList{"@/usr/share/applications/jp.kaneloy.KaneloY.desktop"};
    QTest::newRow("desktop entry of KaneloImport")
        << "desktop-file-validate" << QStringList{"@/usr/share/applications/jp.kaneloy.KaneloImport.desktop"};
    QTest::newRow("AppStream metainfo")
        << "appstreamcli" << QStringList{"validate", "--no-net", "@/usr/share/metainfo/jp.kaneloy.KaneloY.metainfo.xml"};
    // Warnings are allowed (and listed with the run); errors are not.
    QTest::newRow("lintian") << "lintian" << QStringList{"--fail-on", "error", "#"};
}

void TestPackage::validators()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    for (QString& a : arguments)
        a = a == QLatin1String("#") ? deb_ : a.replace(QLatin1Char('@'), root_);
    const Run r = run(program, arguments);
    if (!r.out.trimmed().isEmpty())
        qInfo().noquote() << r.out.trimmed();
    QVERIFY2(r.code == 0, qPrintable(r.out));
}

void TestPackage::versionOption_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("KaneloY") << "KaneloY";
    QTest::newRow("KaneloImport") << "KaneloImport";
}

void TestPackage::versionOption()
{
    QFETCH(QString, program);
    // No window system is needed to ask.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    const Run r = run(QDir(root_).filePath("usr/bin/" + program), {"--version"}, env);
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, program + QStringLiteral(" " KANELO_PROJECT_VERSION "\n"));
}

Run TestPackage::runDriven(const QString& program, const QHash<QString, QStringList>& steps)
{
    QProcessEnvironment env;
    for (const char* kept : {"PATH", "LANG", "LC_ALL"})
        if (qEnvironmentVariableIsSet(kept))
            env.insert(kept, qEnvironmentVariable(kept));
    env.insert("HOME", home_);
    const QString runtime = work_.filePath("runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert("XDG_RUNTIME_DIR", runtime);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_PLUGIN_PATH", KANELO_TEST_PLUGINS);
    env.insert("QT_QPA_GENERIC_PLUGINS", "kanelodriver");
    env.insert("KANELO_DRIVE_LOG", work_.filePath("drive.log"));
    for (auto it = steps.begin(); it != steps.end(); ++it)
        env.insert("KANELO_DRIVE_" + it.key(), it.value().join(QLatin1Char('\n')));
    QFile::remove(work_.filePath("drive.log"));
    return run(QDir(root_).filePath("usr/bin/" + program), {}, env);
}

void TestPackage::firstStartInEmptyHome()
{
    // The year has no file and none before it: only the carry-over box asks.
    const Run r = runDriven("KaneloY", {{"KaneloY", {"input", "trigger mnuFileItem10"}}});
    QVERIFY2(r.code == 0, qPrintable(r.out + driveLog()));
    QCOMPARE(bytes(dataFile("MainSub.zbt")), bytes(QDir(root_).filePath("usr/share/kaneloy/MainSub.zbt")));
    const QByteArray year = bytes(dataFile(QString::number(today_.year()) + ".zbl"));
    QVERIFY2(year.contains("\r\n&0\r\n"), year.constData());
    QVERIFY(!QFile::exists(dataFile("KaneloY.lock")));
    // Nothing was written into the install, beside the programs or elsewhere.
    QCOMPARE(filesBelow(root_), installed_);
}

void TestPackage::importAndWorkbookFromTheMenus()
{
    const QString mm = QStringLiteral("%1").arg(today_.month(), 2, 10, QLatin1Char('0'));
    const QString source = work_.filePath("source.csv");
    QFile csv(source);
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write((mm + QStringLiteral("01,食費,食料品,1200\r\n")).toUtf8());
    csv.close();

    const Run r = runDriven("KaneloY", {
        {"KaneloY", {"trigger mnuHelpItem0", "wait txtPage", "close frmHelp",
                     "trigger mnuFileItem5", "see lvwMonth 1,200",
                     "trigger mnuFileSubItem0", "click cmdExcel", "file", "answer Ok",
                     "trigger mnuFileItem10"}},
        // Started by KaneloY for the open year, from the same folder.
        {"KaneloImport", {"type txtImport " + source, "click cmdNext", "answer Ok"}},
    });
    const QString log = driveLog();
    QVERIFY2(r.code == 0, qPrintable(r.out + log));
    QVERIFY2(log.contains("start KaneloImport"), qPrintable(log));
    // KaneloImport read the master of the data folder and left its entries
    // there; KaneloY merged them into the year.
    const QByteArray year = bytes(dataFile(QString::number(today_.year()) + ".zbl"));
    QVERIFY2(year.contains((mm + "/0101011200\r\n").toLatin1()), year.constData());
    QVERIFY(!QFile::exists(dataFile(QString::number(today_.year()) + "_add.zbl")));
    // The workbook module of the unpacked tree wrote the month's workbook.
    const QString workbook = dataFile(QStringLiteral("月間収支報告 %1年%2月.xlsx").arg(today_.year()).arg(today_.month()));
    QVERIFY2(bytes(workbook).startsWith("PK"), qPrintable(log));
    QCOMPARE(filesBelow(root_), installed_);
}

void TestPackage::importAloneFindsTheSameFolder()
{
    const QString source = work_.filePath("alone.csv");
    QFile csv(source);
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write(QStringLiteral("0105,交通費,電車,480\r\n").toUtf8());
    csv.close();

    // The data folder's master already holds 交通費 and 電車: no category
    // page, the question what will be added to the ledger's files, and not
    // starting KaneloY.
    const Run r = runDriven("KaneloImport", {{"KaneloImport", {"type txtImport " + source, "click cmdNext", "answer Yes", "answer No"}}});
    const QString log = driveLog();
    QVERIFY2(r.code == 0, qPrintable(r.out + log));
    // It asked about the files of the data folder and kept copies there.
    QVERIFY2(log.contains(QDir::toNativeSeparators(dataFile({}).chopped(1))), qPrintable(log));
    const QString y = QString::number(today_.year());
    const QStringList backups = QDir(dataFile({})).entryList({"MainSub.zbt.*.bak", y + ".zbl.*.bak"}, QDir::Files);
    QCOMPARE(backups.size(), 2);
    // Extended, not replaced: 交通費 keeps its number, and the entry joins the year under it.
    QVERIFY(bytes(dataFile("MainSub.zbt")).contains("0600\x8c\xf0\x92\xca\x94\xef")); // 0600交通費 in CP932
    QVERIFY(bytes(dataFile(y + ".zbl")).contains("01/050601480\r\n"));
    QCOMPARE(filesBelow(root_), installed_);
}

QTEST_MAIN(TestPackage)
#include "test_package.moc"
