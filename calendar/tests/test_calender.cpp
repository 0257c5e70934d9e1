// The calendar window: memos and their year files, paging across years, the
// 年月指定 checks and the right-click menu.

#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "calendar/MonthGridView.h"
#include "ledger/tests/TestHome.h"
#include "ledger/TextFile.h"
#include "calendar/frmCalender.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

namespace {
// The bytes of a memo file written today (TestHome's 2026-03-15).
QByteArray memoFile(int year, const QString& lines)
{
    QString t = QStringLiteral("*  Last modified: 2026/03/15\r\n*\r\n*  メモデータ管理ファイル  [%1年度]\r\n*\r\n\r\n").arg(year);
    if (!lines.isEmpty())
        t += QString(lines).replace(QLatin1String("\n"), QLatin1String("\r\n")) + QLatin1String("\r\n");
    QByteArray b;
    TextFile::encode(t, b);
    return b;
}

QString memos(const LedgerModel& m)
{
    QStringList out;
    for (const auto& s : m.memoList())
        out << s.key + s.item->name;
    return out.join(QLatin1Char('\n'));
}
}

class TestCalender : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void markAndRightMenu();
    void memoEdits_data();
    void memoEdits();
    void pagingAcrossYearsWritesEachYear();
    void unwritableMemoFileKeepsMemos();
    void memosWaitForTheNextStart();
    void yearMonth_data();
    void yearMonth();
    void keys_data();
    void keys();

private:
    std::unique_ptr<TestHome> home_;
    std::unique_ptr<FakePrompter> prompter_;
    std::unique_ptr<LedgerModel> model_;

    std::unique_ptr<frmCalender> open()
    {
        auto c = std::make_unique<frmCalender>(*model_);
        c->show();
        return c;
    }
    // The right-click on a day of the shown month, as the mouse gives it.
    void onDay(frmCalender& c, int day)
    {
        c.lblDay_MouseMove(c.pmonth + day);
        QVERIFY(c.prepareRightMenu());
    }
};

void TestCalender::init()
{
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<FakePrompter>();
    model_ = std::make_unique<LedgerModel>(*prompter_);
    model_->setYear(2026);
    model_->setCurMonth(3);
}

void TestCalender::cleanup()
{
    model_.reset();
    prompter_.reset();
    home_.reset();
}

void TestCalender::memoEdits_data()
{
    QTest::addColumn<QString>("before");      // memo lines of 2026.zbm, "-" for no file
    QTest::addColumn<QStringList>("actions"); // add|day|answers…, mod|day|answers…, del|day|yes or no
    QTest::addColumn<QString>("after");       // memo lines written, "=" the file untouched, "-" no file
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("add to a year without a file") << "-" << QStringList{"add|20|歯医者"} << "03/20歯医者" << QStringList();
    QTest::newRow("spaces at the start stay, at the end go")
        << "-" << QStringList{"add|20|  歯医者 10時　 "} << "03/20  歯医者 10時　" << QStringList();
    QTest::newRow("a memo read with spaces after its key is written back so")
        << "03/20  歯医者\n03/21眼科" << QStringList{"mod|21|耳鼻科"} << "03/20  歯医者\n03/21耳鼻科" << QStringList();
    QTest::newRow("spaces alone are no memo") << "-" << QStringList{"add|22|   "} << "-" << QStringList();
    QTest::newRow("change") << "03/20歯医者\n03/21眼科" << QStringList{"mod|20|歯医者 11時"} << "03/20歯医者 11時\n03/21眼科"
                            << QStringList();
    QTest::newRow("delete one") << "03/20歯医者\n03/21眼科" << QStringList{"del|21|yes"} << "03/20歯医者" << QStringList();
    QTest::newRow("deleting the last memo rewrites the file") << "03/20歯医者" << QStringList{"del|20|yes"} << ""
                                                             << QStringList();
    QTest::newRow("delete answered No") << "03/20歯医者" << QStringList{"del|20|no"} << "=" << QStringList();
    QTest::newRow("no edit writes nothing") << "03/20歯医者" << QStringList() << "=" << QStringList();
    QTest::newRow("cancelled input") << "-" << QStringList{"add|22|"} << "-" << QStringList();
    QTest::newRow("a memo is not deleted by an empty change") << "03/22x" << QStringList{"mod|22|"} << "=" << QStringList();
    QTest::newRow("text CP932 cannot hold is refused, asked again")
        << "-" << QStringList{"add|22|誕生日🎂|誕生日"} << "03/22誕生日"
        << QStringList{"「🎂」はメモに保存できない文字です。別の文字で入力して下さい。"};
    QTest::newRow("a line break is refused") << "-" << QStringList{"add|22|一行目\n二行目|"} << "-"
                                             << QStringList{"メモは1行で入力して下さい。改行は入力できません。"};
    QTest::newRow("several edits, file order kept, new memos last")
        << "03/01a\n03/02b" << QStringList{"add|3|c", "mod|1|A", "del|2|yes", "add|2|B"} << "03/01A\n03/03c\n03/02B"
        << QStringList();
}

void TestCalender::memoEdits()
{
    QFETCH(QString, before);
    QFETCH(QStringList, actions);
    QFETCH(QString, after);
    QFETCH(QStringList, messages);

    const QString name = QStringLiteral("2026.zbm");
    if (before != QLatin1String("-"))
        home_->writeText(name, QStringLiteral("*  Last modified: 2026/01/02\n*\n\n") + before + QLatin1Char('\n'));
    const QByteArray original = home_->readBytes(name);

    auto c = open();
    QStringList shownMessages;
    for (const QString& a : actions) {
        prompter_->shown.clear();
        const QStringList parts = a.split(QLatin1Char('|'));
        onDay(*c, parts[1].toInt());
        const QString key = QStringLiteral("03/") + QStringLiteral("%1").arg(parts[1].toInt(), 2, 10, QLatin1Char('0'));
        if (parts[0] == QLatin1String("del")) {
            QVERIFY(c->mnuRightItem[3]->isEnabled());
            prompter_->answers.enqueue(parts[2] == QLatin1String("yes") ? Prompter::Answer::Yes : Prompter::Answer::No);
            c->mnuRightItem_Click(3);
            QCOMPARE(prompter_->shown.last().defaultAnswer, Prompter::Answer::No);
        } else {
            QCOMPARE(c->mnuRightItem[2]->text(), parts[0] == QLatin1String("add") ? QStringLiteral("メモの追加") : QStringLiteral("メモの変更"));
            for (const QString& answer : parts.mid(2))
                prompter_->inputs.enqueue(answer);
            c->mnuRightItem_Click(2);
            QCOMPARE(prompter_->shown.first().title, QLatin1Char('[') + key + QStringLiteral("] ") + c->mnuRightItem[2]->text());
        }
        // The status bar shows the day's memo as it now stands.
        const auto memo = model_->memoList().find(key);
        QCOMPARE(c->sbrMemoPanel[1]->toolTip(), memo ? memo->name : QString());
        shownMessages << prompter_->messages();
    }
    QCOMPARE(prompter_->unexpected, 0);
    QCOMPARE(shownMessages, messages);

    c->close();
    QVERIFY(model_->memoList().isEmpty());
    if (after == QLatin1String("-"))
        QVERIFY(!home_->exists(name));
    else if (after == QLatin1String("="))
        QCOMPARE(home_->readBytes(name), original);
    else
        QCOMPARE(home_->readBytes(name), memoFile(2026, after));
}

// Opening reads the ledger year's memos and marks today; the mark follows the
// pointer; the pop-up opens on days of the shown month only.
void TestCalender::markAndRightMenu()
{
    home_->writeText(QStringLiteral("2026.zbm"), QStringLiteral("*\n03/15今日のメモ\n03/16明日\n"));
    model_->SetMemo(QStringLiteral("01/01"), QStringLiteral("x"));
    auto c = open();
    QCOMPARE(c->windowTitle(), QStringLiteral("カレンダー "));
    QCOMPARE(memos(*model_), QStringLiteral("03/15今日のメモ\n03/16明日"));
    // 2026-03-01 is a Sunday: a whole week of February first, the 15th in cell 21.
    QCOMPARE(c->nowpos, 21);
    QCOMPARE(c->grid->lblDay[21]->palette().color(QPalette::Window), frmCalender::markColor());
    QCOMPARE(c->sbrMemoPanel[0]->text() + c->sbrMemoPanel[1]->toolTip(), QStringLiteral("03/15今日のメモ"));
    QCOMPARE(c->grid->lblDay[22]->toolTip(), QStringLiteral("明日"));

    // A cell of the next month shows its own day's memo, and gets no pop-up.
    c->lblDay_MouseMove(c->nmonth);
    QCOMPARE(c->grid->lblDay[21]->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(c->sbrMemoPanel[0]->text() + c->sbrMemoPanel[1]->toolTip(), QStringLiteral("04/01"));
    QVERIFY(!c->prepareRightMenu());
    c->lblDay_MouseMove(c->pmonth);
    QVERIFY(!c->prepareRightMenu());

    onDay(*c, 16);
    QCOMPARE(c->mnuRightItem[2]->text(), QStringLiteral("メモの変更"));
    QVERIFY(c->mnuRightItem[3]->isEnabled() && !c->mnuRightItem[0]->isVisible());
    onDay(*c, 21);
    QCOMPARE(c->mnuRightItem[2]->text(), QStringLiteral("メモの追加"));
    QVERIFY(!c->mnuRightItem[3]->isEnabled());

    // The link shows the entry item, acting for the loaded year only.
    QSignalSpy add(c.get(), &frmCalender::addEntryRequested);
    c->mnuOptItem[0]->trigger();
    QCOMPARE(c->windowTitle(), QStringLiteral("カレンダー *"));
    onDay(*c, 21);
    QVERIFY(c->mnuRightItem[0]->isVisible() && c->mnuRightItem[0]->isEnabled());
    c->mnuRightItem_Click(0);
    model_->setYear(2025);
    onDay(*c, 22);
    QVERIFY(!c->mnuRightItem[0]->isEnabled());
    c->mnuRightItem_Click(0);
    QCOMPARE(add.count(), 1);
    QCOMPARE(add.first().first().toString(), QStringLiteral("03/21"));
}

// Paging from January back to December saves the year left before the other
// year's memos are read; each file gets only its own year's memos.
void TestCalender::pagingAcrossYearsWritesEachYear()
{
    home_->writeText(QStringLiteral("2025.zbm"), QStringLiteral("*\n12/31大晦日\n"));
    model_->setCurMonth(1);
    auto c = open();
    onDay(*c, 5);
    prompter_->inputs.enqueue(QStringLiteral("仕事始め"));
    c->mnuRightItem_Click(2);

    c->hsrDown_Click();
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2025年12月"));
    QCOMPARE(home_->readBytes(QStringLiteral("2026.zbm")), memoFile(2026, QStringLiteral("01/05仕事始め")));
    QCOMPARE(memos(*model_), QStringLiteral("12/31大晦日"));

    onDay(*c, 24);
    prompter_->inputs.enqueue(QStringLiteral("イブ"));
    c->mnuRightItem_Click(2);
    c->lblDay_Click(c->nmonth); // a day of the next month pages forward
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2026年1月"));
    QCOMPARE(home_->readBytes(QStringLiteral("2025.zbm")), memoFile(2025, QStringLiteral("12/31大晦日\n12/24イブ")));
    QCOMPARE(memos(*model_), QStringLiteral("01/05仕事始め"));

    // Paging through months of one year writes nothing.
    QFile::remove(home_->path(QStringLiteral("2026.zbm")));
    c->hsrUp_Click();
    c->close();
    QVERIFY(!home_->exists(QStringLiteral("2026.zbm")));
    QCOMPARE(prompter_->messages(), QStringList());
}

void TestCalender::unwritableMemoFileKeepsMemos()
{
    const QString name = QStringLiteral("2026.zbm");
    QDir folder(home_->path({}));
    // A file that could not be read is never replaced by the memos typed since.
    folder.mkdir(name);
    {
        auto c = open();
        QCOMPARE(prompter_->messages().size(), 1); // the read failure
        onDay(*c, 20);
        prompter_->inputs.enqueue(QStringLiteral("歯医者"));
        c->mnuRightItem_Click(2);
        prompter_->answers.enqueue(Prompter::Answer::Yes); // discard
        QVERIFY(c->close());
        QCOMPARE(prompter_->messages().size(), 2);
        QVERIFY(prompter_->messages().last().contains(QStringLiteral("読み込めなかったため")));
        QVERIFY(QFileInfo(home_->path(name)).isDir());
    }
    folder.rmdir(name);
    prompter_->clear();

    // A file that cannot be written: the memos stay until it can.
    auto c = open();
    onDay(*c, 20);
    prompter_->inputs.enqueue(QStringLiteral("歯医者"));
    c->mnuRightItem_Click(2);
    folder.mkdir(name);

    // Leaving the year: told, asked (No keeps the memos), the year stays.
    prompter_->inputs.enqueue(QStringLiteral("2025/12"));
    prompter_->answers.enqueue(Prompter::Answer::No);
    c->mnuJumpItem_Click(2);
    QCOMPARE(c->lblYearMonth->text(), QStringLiteral("2026年3月"));
    QCOMPARE(memos(*model_), QStringLiteral("03/20歯医者"));
    QCOMPARE(prompter_->messages().size(), 1);
    QVERIFY2(prompter_->messages().first().startsWith(QStringLiteral("ファイル [")), qPrintable(prompter_->messages().first()));
    QCOMPARE(prompter_->shown.last().kind, FakePrompter::Shown::Question);
    QCOMPARE(prompter_->shown.last().defaultAnswer, Prompter::Answer::No);

    // Closing: the same; the window stays open with its memos.
    prompter_->answers.enqueue(Prompter::Answer::No);
    QVERIFY(!c->close());
    QVERIFY(c->isVisible());
    QCOMPARE(memos(*model_), QStringLiteral("03/20歯医者"));

    // Once the file can be written the memos reach it.
    folder.rmdir(name);
    QVERIFY(c->close());
    QCOMPARE(home_->readBytes(name), memoFile(2026, QStringLiteral("03/20歯医者")));
    QCOMPARE(prompter_->unexpected, 0);
}

// The program ends while the memo file cannot be written: the memos wait
// outside the program folder as the file they should have become, are
// shown from there, and reach their file at the next start that can write it.
void TestCalender::memosWaitForTheNextStart()
{
    const QString name = QStringLiteral("2026.zbm");
    QDir folder(home_->path({}));
    const QString kept = LedgerModel::keptMemoPath(2026);
    QVERIFY(!kept.startsWith(folder.absolutePath()));
    QVERIFY(!QFileInfo::exists(kept));
    home_->writeText(name, QStringLiteral("*\n03/01  ひな祭り\n"));
    {
        auto c = open();
        onDay(*c, 20);
        prompter_->inputs.enqueue(QStringLiteral("歯医者"));
        c->mnuRightItem_Click(2);
        QVERIFY(QFile::remove(home_->path(name)) && folder.mkdir(name));
        c->closeWithMainWindow();
        QVERIFY(!c->isVisible());
    }
    QCOMPARE(prompter_->messages().size(), 2);
    QVERIFY(prompter_->messages()[0].startsWith(QStringLiteral("ファイル [")));
    QVERIFY2(prompter_->messages()[1].contains(QDir::toNativeSeparators(kept)), qPrintable(prompter_->messages()[1]));
    const QByteArray expected = memoFile(2026, QStringLiteral("03/01  ひな祭り\n03/20歯医者"));
    QFile keptFile(kept);
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    QCOMPARE(keptFile.readAll(), expected);
    keptFile.close();

    // The next start still cannot write: the memos stay kept and the
    // calendar shows them from there, to be written when it closes.
    prompter_->clear();
    LedgerModel again(*prompter_);
    again.setStart(2026, 3);
    again.WriteKeptMemos();
    QCOMPARE(prompter_->messages().size(), 1);
    QVERIFY(QFileInfo::exists(kept));
    {
        frmCalender c(again);
        QCOMPARE(memos(again), QStringLiteral("03/01  ひな祭り\n03/20歯医者"));
        QVERIFY(folder.rmdir(name));
        QVERIFY(c.close());
    }
    QCOMPARE(home_->readBytes(name), expected);
    QVERIFY(!QFileInfo::exists(kept));

    // Kept memos written at the start that can.
    QVERIFY(QFile::remove(home_->path(name)));
    {
        auto c = open();
        onDay(*c, 21);
        prompter_->inputs.enqueue(QStringLiteral("眼科"));
        c->mnuRightItem_Click(2);
        QVERIFY(folder.mkdir(name));
        c->closeWithMainWindow();
    }
    QVERIFY(folder.rmdir(name));
    prompter_->clear();
    LedgerModel third(*prompter_);
    third.WriteKeptMemos();
    QCOMPARE(home_->readBytes(name), memoFile(2026, QStringLiteral("03/21眼科")));
    QVERIFY(!QFileInfo::exists(kept));
    QCOMPARE(prompter_->messages(), QStringList{QStringLiteral("前回保存できなかったメモを、メモデータファイル 2026.zbm に書き込みました。")});
    QVERIFY(third.memoList().isEmpty());

    // A file that could not be read is never replaced: the memos typed
    // since are shown to the user instead.
    QVERIFY(QFile::remove(home_->path(name)) && folder.mkdir(name));
    prompter_->clear();
    {
        auto c = open();
        onDay(*c, 22);
        prompter_->inputs.enqueue(QStringLiteral("耳鼻科"));
        c->mnuRightItem_Click(2);
        c->closeWithMainWindow();
    }
    QCOMPARE(prompter_->messages().size(), 2); // the read failure, then the memos not saved
    QVERIFY(prompter_->messages()[1].endsWith(QStringLiteral("保存しなかったメモ:\r\n  03/22 耳鼻科")));
    QVERIFY(!QFileInfo::exists(kept));
    QCOMPARE(prompter_->unexpected, 0);
}

void TestCalender::yearMonth_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("caption"); // then also after paging on past it, at the ends of the range
    QTest::addColumn<QString>("message");

    const QString format = QStringLiteral("入力形式が不正です。\r\n入力形式は、[yyyy/mm] です。");
    const QString digits = QStringLiteral("年または月が数字以外です。");
    const QString range = QStringLiteral("西暦100年1月以前および西暦9999年12月以降のカレンダーは表示できません。");
    QTest::newRow("empty or cancel") << "" << "2026年3月" << "";
    QTest::newRow("six characters") << "2001/7" << "2026年3月" << format;
    QTest::newRow("no slash") << "2001-07" << "2026年3月" << format;
    QTest::newRow("slashes in the wrong places") << "99/01/1" << "2026年3月" << digits;
    QTest::newRow("letters") << "abcd/01" << "2026年3月" << digits;
    QTest::newRow("a sign in the month") << "2001/-1" << "2026年3月" << digits;
    QTest::newRow("before year 100") << "0099/01" << "2026年3月" << range;
    QTest::newRow("month 13") << "2001/13" << "2026年3月" << format;
    QTest::newRow("month 00") << "2001/00" << "2026年3月" << format;
    QTest::newRow("another year") << "2001/07" << "2001年7月" << "";
    QTest::newRow("the same year") << "2026/11" << "2026年11月" << "";
    QTest::newRow("full-width input") << "２００１／０７" << "2001年7月" << "";
    QTest::newRow("year 100, no paging before it") << "0100/01" << "100年1月" << "";
    QTest::newRow("year 9999, no paging after it") << "9999/12" << "9999年12月" << "";
}

void TestCalender::yearMonth()
{
    QFETCH(QString, typed);
    QFETCH(QString, caption);
    QFETCH(QString, message);

    auto c = open();
    prompter_->inputs.enqueue(typed);
    c->mnuJumpItem_Click(2);
    const auto& ask = prompter_->shown.first();
    QCOMPARE(ask.title, QStringLiteral("表示年月変更"));
    QCOMPARE(ask.defaultText, QStringLiteral("2026/03"));
    QCOMPARE(ask.text, QStringLiteral("表示したい年月を以下の形式で入力して下さい。\r\n\r\n  入力形式 : yyyy/mm\r\n"
                                      "               (年は西暦4桁、1桁の月は先頭に 0 を挿入)"));
    QCOMPARE(c->lblYearMonth->text(), caption);
    QCOMPARE(prompter_->messages(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(prompter_->shown.last().title, QStringLiteral("入力データ不正"));
    if (c->year == 100) {
        c->hsrDown_Click();
        c->lblDay_Click(0);
        QCOMPARE(c->grid->lblDay[0]->text(), QString());
    } else if (c->year == 9999) {
        c->hsrUp_Click();
        c->lblDay_Click(41);
        QCOMPARE(c->grid->lblDay[c->nmonth - 1]->text(), QStringLiteral("31"));
    }
    QCOMPARE(c->lblYearMonth->text(), caption);
}

void TestCalender::keys_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("shown"); // caption and the marked day

    QTest::newRow("right") << QList<int>{Qt::Key_Right} << "2026年3月 03/16";
    QTest::newRow("down past the month's end") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << "2026年4月 04/05";
    QTest::newRow("up past its start") << QList<int>{Qt::Key_Up, Qt::Key_Up, Qt::Key_Up} << "2026年2月 02/22";
    QTest::newRow("page down, then the first arrow marks") << QList<int>{Qt::Key_PageDown, Qt::Key_Left} << "2026年4月 04/15";
    QTest::newRow("back into the previous year")
        << QList<int>{Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Left} << "2025年12月 12/14";
}

void TestCalender::keys()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, shown);
    auto c = open();
    for (int k : keys)
        QTest::keyClick(c.get(), Qt::Key(k));
    QCOMPARE(c->lblYearMonth->text() + QLatin1Char(' ') + c->sbrMemoPanel[0]->text(), shown);
    QCOMPARE(c->grid->lblDay[c->nowpos]->palette().color(QPalette::Window), frmCalender::markColor());
}

QTEST_MAIN(TestCalender)
#include "test_calender.moc"
