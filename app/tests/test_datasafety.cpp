// What keeps a household's data safe in the main window: questions whose Yes
// destroys data default to No, start-ups that cannot work safely stop with a
// message, full-width typing in the number boxes, and Qt's own texts in
// Japanese.
#include "app/tests/AppFixture.h"
#include "ledger/tests/LedgerTestData.h"

#include "month/EditCommands.h"
#include "ui/QtPrompter.h"
#include "ledger/QtJapanese.h"
#include "ledger/TextFile.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTabBar>

namespace {
// A started 2026 showing March with two entries.
void startMarch(AppFixture& f)
{
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {"03/010100000100", "03/050200000200"}));
    if (!f.start())
        qFatal("not started");
}
}

class TestDataSafety : public QObject {
    Q_OBJECT
private slots:
    void destructiveQuestionsDefaultToNo_data();
    void destructiveQuestionsDefaultToNo();
    void startUpStopsWithAReason_data();
    void startUpStopsWithAReason();
    void fullWidthInNumberBoxes_data();
    void fullWidthInNumberBoxes();
    void qtTextsInJapanese();
    void fileChooserColumnsFit();
};

void TestDataSafety::destructiveQuestionsDefaultToNo_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<Prompter::Answer>("defaultAnswer");
    QTest::addColumn<QString>("says"); // part of the question's text
    using A = Prompter::Answer;
    QTest::newRow("re-create the open year") << "recreate 2026" << A::No
                                             << "[はい] を選ぶと、開いている 2026 年度の 2 件のデータはすべて失われます。";
    QTest::newRow("re-create another year") << "recreate 2025" << A::No << "すでに 2025 年度のデータファイルが存在します";
    QTest::newRow("delete an entry") << "delete" << A::No << "選択されたデータを削除しますが、よろしいですか。";
    // Yes saves here; No is the answer that discards.
    QTest::newRow("close the window") << "close" << A::Yes << "[ぽるもさん]を終了してよろしいですか。";
}

void TestDataSafety::destructiveQuestionsDefaultToNo()
{
    QFETCH(QString, action);
    QFETCH(Prompter::Answer, defaultAnswer);
    QFETCH(QString, says);
    AppFixture f;
    f.home.writeText(QStringLiteral("2025.zbl"), AppFixture::yearText("&0", {"03/010100000100"}));
    startMarch(f);
    const QByteArray before = f.home.readBytes(QStringLiteral("2026.zbl"));
    // Enter on the question: the default answer.
    f.prompter.answers.enqueue(defaultAnswer == Prompter::Answer::No ? Prompter::Answer::No : Prompter::Answer::Cancel);
    if (action.startsWith(QLatin1String("recreate"))) {
        f.prompter.inputs.enqueue(action.section(QLatin1Char(' '), 1));
        f.window()->mnuFileItem[0]->trigger();
    } else if (action == QLatin1String("delete")) {
        f.views()->selectRow(1);
        f.window()->edit->mnuEditItem(2);
    } else {
        // Closing asks only while something is unsaved.
        f.model().SetCarryOver(1000, false);
        f.window()->close();
    }
    const auto question = std::find_if(f.prompter.shown.begin(), f.prompter.shown.end(),
                                       [](const FakePrompter::Shown& s) { return s.kind == FakePrompter::Shown::Question; });
    QVERIFY(question != f.prompter.shown.end());
    QCOMPARE(question->defaultAnswer, defaultAnswer);
    QVERIFY2(question->text.contains(says), qPrintable(question->text));
    // Nothing was lost by answering the default (No to re-creating 2025 opens it).
    const QByteArray after = f.home.readBytes(QStringLiteral("2026.zbl"));
    QVERIFY(after == before || after.contains("\r\n03/010100100\r\n03/050200200\r\n"));
    if (f.model().curYear() == 2026) {
        QCOMPARE(after, before);
        QCOMPARE(f.model().slot(3).count(), 2);
    }
    QVERIFY(f.home.readBytes(QStringLiteral("2025.zbl")).contains("\r\n03/010100000100\r\n"));
}

void TestDataSafety::startUpStopsWithAReason_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<QString>("says");
    QTest::newRow("no CP932 codec") << "codec" << "日本語の文字コード (シフトJIS / CP932) を変換する機能がこの環境にないため";
    QTest::newRow("program folder cannot be written") << "folder" << "にファイルを作成できないため、Kanelo Y を起動できません。";
    QTest::newRow("master without a category")
        << "master" << "費目・摘要項目管理ファイル(MainSub.zbt)から費目をひとつも読み込めませんでした。";
}

void TestDataSafety::startUpStopsWithAReason()
{
    QFETCH(QString, trouble);
    QFETCH(QString, says);
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {"03/010100000100"}));
    const QByteArray year = f.home.readBytes(QStringLiteral("2026.zbl"));
    if (trouble == QLatin1String("codec"))
        TextFile::setCodecName("no-such-codec");
    else if (trouble == QLatin1String("folder"))
        qputenv("KANELO_HOME", f.home.path(QStringLiteral("MainSub.zbt")).toLocal8Bit()); // a file, not a folder
    else
        f.home.writeBytes(QStringLiteral("MainSub.zbt"), "C\r\n*\r\n\r\n");
    const bool started = f.start();
    TextFile::setCodecName("windows-31j");
    QVERIFY(!started);
    QVERIFY(!f.app->window);
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY2(f.prompter.messages().first().contains(says), qPrintable(f.prompter.messages().first()));
    QCOMPARE(f.home.readBytes(QStringLiteral("2026.zbl")), year);
}

void TestDataSafety::fullWidthInNumberBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("new year") << "year" << "２０２７" << "2027";
    QTest::newRow("new year with spaces") << "year" << "　２０２７ " << "2027";
    QTest::newRow("font size") << "font" << "１４" << "14";
    QTest::newRow("carry-over deficit, full-width minus") << "carry" << "－５，０００" << "5,000/";
    QTest::newRow("carry-over deficit, long vowel mark") << "carry" << "ー５０００" << "5,000/";
    QTest::newRow("carry-over") << "carry" << "１２００" << "/1,200";
}

void TestDataSafety::fullWidthInNumberBoxes()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    AppFixture f;
    startMarch(f);
    f.prompter.inputs.enqueue(typed);
    QString got;
    if (box == QLatin1String("year")) {
        f.window()->NewYearFile();
        got = QString::number(f.model().curYear());
    } else if (box == QLatin1String("font")) {
        f.window()->ChangeFontSize();
        got = QString::number(f.views()->listFontSize());
    } else {
        f.window()->views->tabMonth->setCurrentIndex(0);
        f.views()->CarryOverInput();
        got = f.cell(0, MonthListModel::Out) + QLatin1Char('/') + f.cell(0, MonthListModel::In);
    }
    QCOMPARE(f.prompter.messages(), QStringList());
    QCOMPARE(got, result);
}

void TestDataSafety::qtTextsInJapanese()
{
    QVERIFY(installQtJapanese(*qApp));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    QFileSystemModel files;
    QCOMPARE(files.headerData(0, Qt::Horizontal).toString(), QStringLiteral("名前"));
}

void TestDataSafety::fileChooserColumnsFit()
{
    installQtJapanese(*qApp);
    TestHome home;
    home.writeText(QStringLiteral("2026.zbl"), QStringLiteral("&0\n$0\n"));
    QVERIFY(QDir().mkdir(home.path(QStringLiteral("保存した家計簿"))));
    QtPrompter p;
    QStringList cut;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* tree = box->findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(tree);
        QTRY_COMPARE(tree->model()->rowCount(tree->rootIndex()), 2);
        const QFontMetrics fm(tree->font());
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 4; ++column) {
                const QString text = tree->model()->index(row, column, tree->rootIndex()).data().toString();
                // Text, icon and margins within the column.
                const int needed = fm.horizontalAdvance(text) + (column == 0 ? 32 : 8);
                if (tree->header()->sectionSize(column) < needed)
                    cut << text;
                // Sizes and dates follow the system's language; the type is the program's.
                for (const QChar c : text)
                    if (c.isLetter() && c.unicode() < 128 && column == 2)
                        cut << QStringLiteral("English: ") + text;
            }
        }
        QVERIFY(tree->header()->length() <= tree->viewport()->width());
        box->reject();
    });
    p.openFile(QStringLiteral("開く"), {QStringLiteral("すべてのﾌｧｲﾙ(*.*)|*.*")}, home.path(QString()));
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('|'))));
}

QTEST_MAIN(TestDataSafety)
#include "test_datasafety.moc"
