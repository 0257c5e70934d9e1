// What each file reader returns on its own, before anyone words it: the data,
// the lines passed over and why, or why the file could not be read.

#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/MergeFile.h"
#include "ledger/tests/TestHome.h"

#include <QDir>
#include <QTest>

namespace {
QString reasonName(SkippedLine::Reason r)
{
    switch (r) {
    case SkippedLine::Reason::Malformed:
        return QStringLiteral("malformed");
    case SkippedLine::Reason::Repeated:
        return QStringLiteral("repeated");
    case SkippedLine::Reason::Orphan:
        return QStringLiteral("orphan");
    case SkippedLine::Reason::OddType:
        return QStringLiteral("oddtype");
    }
    return {};
}

template <typename T>
QString outcome(const FileRead<T>& r, const QString& data)
{
    if (r.error == ReadError::Missing)
        return QStringLiteral("missing");
    if (r.error == ReadError::Unreadable)
        return QStringLiteral("unreadable: ") + r.errorText;
    QStringList skipped;
    for (const SkippedLine& s : r.skipped)
        skipped << QStringLiteral("%1 %2").arg(s.line).arg(reasonName(s.reason));
    return data + QStringLiteral(" | ") + skipped.join(QStringLiteral(", "));
}

QString readMaster(const QString& path)
{
    const MasterFileRead r = LedgerModel::readMasterFile(path);
    QStringList out;
    for (const auto& c : r.data.categories) {
        QString text = c.key + c.item->name + QString::number(c.item->ioflag);
        for (const auto& t : c.item->nTekiyo)
            text += QLatin1Char(' ') + t.key + t.item->name;
        out << text;
    }
    // The bytes are the file's, for a writer that checks nobody changed it.
    if (r.ok() && r.data.bytes.size() != QFileInfo(path).size())
        out << QStringLiteral("<bytes differ>");
    return outcome(r, out.join(QStringLiteral("; ")));
}

QString entryText(const Entry& e) { return e.date() + e.category() + e.sub() + QString::number(e.out); }

QString readYear(const QString& path)
{
    const YearFileLines r = LedgerModel::readYearFileLines(path);
    QStringList out;
    for (const YearEntries::Carry& c : r.data.carries)
        out << QStringLiteral("%1%2@%3").arg(c.automatic ? '#' : '&').arg(c.value).arg(c.line);
    for (const auto& month : r.data.months)
        for (const Entry& e : month)
            out << entryText(e) + QLatin1Char('@') + QString::number(e.id);
    return outcome(r, out.join(QStringLiteral("; ")));
}

QString readMerge(const QString& path)
{
    const MergeFile::Parsed r = MergeFile::read(path);
    QStringList out;
    for (const MergeFile::Line& l : r.data)
        out << entryText(l.entry) + QLatin1Char('@') + QString::number(l.lineNo);
    return outcome(r, out.join(QStringLiteral("; ")));
}

QString readMemo(const QString& path)
{
    const MemoFileRead r = LedgerModel::readMemoFileLines(path);
    QStringList out;
    for (const MemoLine& m : r.data)
        out << (m.key.isEmpty() ? QStringLiteral("[%1]").arg(m.whole) : m.key + QLatin1Char('=') + m.text);
    return outcome(r, out.join(QStringLiteral("; ")));
}
}

class TestLedgerReaders : public QObject {
    Q_OBJECT
private slots:
    void readers_data();
    void readers();
    void readersSayNothing();
};

void TestLedgerReaders::readers_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("file"); // "<none>": no file; "<folder>": a folder in its place
    QTest::addColumn<QString>("result");
    const QString unreadable = QStringLiteral("unreadable: 同じ名前のフォルダがあるため、ファイルとして読み込めません。");
    for (const char* reader : {"master", "year", "merge", "memo"}) {
        QTest::addRow("%s: missing", reader) << reader << "<none>" << "missing";
        QTest::addRow("%s: a folder in its place", reader) << reader << "<folder>" << unreadable;
    }

    QTest::newRow("master: good") << "master" << QString::fromUtf8(kMasterText)
                                  << "01食費1 01外食 02食材; 02日用品1; 05給与2 01本給 03賞与 | ";
    QTest::newRow("master: each reason") << "master"
                                         << "C\n0100食費:1:255:0\n0100食費:1:0:0\n0200食費:1:0:0\n0300交際:3:0:0\n"
                                            "0101外食\n0101再掲\n0401迷子\n01xx\nxx00壊れ:1:0:0\n0400壊れ:1:0\n"
                                         << "01食費1 01外食; 03交際2 | 3 repeated, 4 repeated, 5 oddtype, 7 repeated, "
                                            "8 orphan, 9 malformed, 10 malformed, 11 malformed";
    QTest::newRow("master: no category at all") << "master" << "C\n*\n0101外食\n" << " | 3 orphan";

    QTest::newRow("year: good") << "year" << "C\n*\n&2500\n03/050100150\n04/010501120000\n03/200102800\n$121550\n"
                                << "&2500@3; 03/050100150@4; 03/200102800@6; 04/010501120000@5 | ";
    QTest::newRow("year: skipped lines") << "year" << "#x\n#-7\n13/010100150\n03/0501001 50\n03/050100150\n"
                                         << "#-7@2; 03/050100150@5 | 1 malformed, 3 malformed, 4 malformed";

    QTest::newRow("merge: good") << "merge" << "C\n* header\n\n04/0501001200\n04/010502-5\n"
                                 << "04/0501001200@4; 04/010502-5@5 | ";
    QTest::newRow("merge: carry and broken lines") << "merge" << "&5\n04/0501001\n04/3201001\n$7\n"
                                                   << "04/0501001@2 | 1 malformed, 3 malformed, 4 malformed";

    QTest::newRow("memo: good") << "memo" << "* header\n\n04/15歯医者\n05/01 給料日\n"
                                << "04/15=歯医者; 05/01= 給料日 | ";
    QTest::newRow("memo: kept lines") << "memo" << "04/15歯医者\n13/01十三月\nメモ\n04/15二つ目\n"
                                      << "04/15=歯医者; [13/01十三月]; [メモ]; 04/15=二つ目 | 2 malformed, 3 malformed, 4 repeated";
}

void TestLedgerReaders::readers()
{
    QFETCH(QString, reader);
    QFETCH(QString, file);
    QFETCH(QString, result);
    TestHome home;
    const QString path = home.path(QStringLiteral("file"));
    if (file == QLatin1String("<folder>"))
        QVERIFY(QDir().mkdir(path));
    else if (file != QLatin1String("<none>"))
        home.writeText(QStringLiteral("file"), file);
    const QString got = reader == QLatin1String("master") ? readMaster(path)
        : reader == QLatin1String("year")                 ? readYear(path)
        : reader == QLatin1String("merge")                ? readMerge(path)
                                                          : readMemo(path);
    QCOMPARE(got, result);
}

// The routines that word a read say what the reader found, and only they.
void TestLedgerReaders::readersSayNothing()
{
    TestHome home;
    home.writeText(QStringLiteral("MainSub.zbt"), QStringLiteral("xx\n0100食費:1:0:0\n0300交際:3:0:0\n"));
    FakePrompter p;
    LedgerModel m(p);
    const MasterFileRead read = LedgerModel::readMasterFile(m.masterPath());
    QVERIFY(p.messages().isEmpty());
    QVERIFY(m.TakeCategoryMaster(read, 1));
    QCOMPARE(p.messages().size(), 2);
    QVERIFY(p.messages()[0].contains(QStringLiteral("読み飛ばしました")));
    QVERIFY(p.messages()[1].contains(QStringLiteral("入金の費目として読み込みました")));
    QCOMPARE(m.categoryList().count(), 2);
    QCOMPARE(m.categoryNamed(QStringLiteral("交際"))->no, QStringLiteral("03"));
}

QTEST_GUILESS_MAIN(TestLedgerReaders)
#include "test_ledger_readers.moc"
