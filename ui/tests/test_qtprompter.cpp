// The program's own prompter: titles, buttons and answers of the real
// dialogs, driven while they are open.
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

namespace {
// Runs `act` on the modal dialog once it is open.
template <typename Dialog, typename Act>
void whenOpen(Act act)
{
    QTimer::singleShot(0, [act] {
        QTRY_VERIFY(qobject_cast<Dialog*>(QApplication::activeModalWidget()));
        act(qobject_cast<Dialog*>(QApplication::activeModalWidget()));
    });
}
}

class TestQtPrompter : public QObject {
    Q_OBJECT
private slots:
    void messageTitleAndText_data();
    void messageTitleAndText();
    void questionAnswers_data();
    void questionAnswers();
    void longLinesKeepTheirTails_data();
    void longLinesKeepTheirTails();
    void inputCancelGivesEmptyText();
    void inputAnswer();
    void openFileFilters();
    void saveAsksBeforeReplacing_data();
    void saveAsksBeforeReplacing();
    void colourAsBgr();
};

void TestQtPrompter::messageTitleAndText_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shownTitle");
    QTest::newRow("program title") << "" << "Kanelo Y -ぽるもさん!?";
    QTest::newRow("own title") << "家計簿データ 削除" << "家計簿データ 削除";
}

void TestQtPrompter::messageTitleAndText()
{
    QFETCH(QString, title);
    QFETCH(QString, shownTitle);
    QtPrompter p;
    QString seenTitle, seenText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenOpen<QMessageBox>([&](QMessageBox* box) {
        seenTitle = box->windowTitle();
        seenText = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    p.message(QStringLiteral("一行目\r\n\r\n三行目"), Prompter::Icon::Warning, title);
    QCOMPARE(seenTitle, shownTitle);
    QCOMPARE(seenText, QStringLiteral("一行目\n\n三行目"));
    QCOMPARE(icon, QMessageBox::Warning);
}

void TestQtPrompter::questionAnswers_data()
{
    QTest::addColumn<bool>("withCancel");
    QTest::addColumn<int>("press"); // a button, or 0 for the Esc key
    QTest::addColumn<Prompter::Answer>("answer");

    QTest::newRow("yes") << false << int(QMessageBox::Yes) << Prompter::Answer::Yes;
    QTest::newRow("no") << true << int(QMessageBox::No) << Prompter::Answer::No;
    QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << Prompter::Answer::Cancel;
    QTest::newRow("esc with cancel") << true << 0 << Prompter::Answer::Cancel;
    QTest::newRow("esc without cancel") << false << 0 << Prompter::Answer::No;
}

void TestQtPrompter::questionAnswers()
{
    QFETCH(bool, withCancel);
    QFETCH(int, press);
    QFETCH(Prompter::Answer, answer);
    QtPrompter p;
    QStringList buttons;
    whenOpen<QMessageBox>([&](QMessageBox* box) {
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        if (press)
            box->button(QMessageBox::StandardButton(press))->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
    });
    const auto got = p.question(QStringLiteral("よろしいですか。"),
                                withCancel ? Prompter::Buttons::YesNoCancel : Prompter::Buttons::YesNo);
    QCOMPARE(got, answer);
    QVERIFY(buttons.contains(QStringLiteral("はい(&Y)")));
    QVERIFY(buttons.contains(QStringLiteral("いいえ(&N)")));
    QCOMPARE(buttons.contains(QStringLiteral("キャンセル")), withCancel);
}

void TestQtPrompter::longLinesKeepTheirTails_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("question");
    QTest::newRow("one long line") << QStringLiteral("メモデータファイル [2026.zbm] を読み込めなかったため、メモを保存すると"
                                                     "ファイルにあったメモが失われます。メモは保存しませんでした。")
                                   << false;
    QTest::newRow("a line just too long for its box")
        << QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)を編集前の内容に戻せませんでした。\r\n\r\n"
                          "ファイル [/home/user/KaneloY/MainSub.zbt] を保存できませんでした。ディスクの空き容量が足りません。")
        << false;
    QTest::newRow("words and a folder") << QStringLiteral("Excel 形式で保存するためのファイル [libkanelo_workbook.so] が"
                                                          "プログラムのフォルダに見つかりません。")
                                        << false;
    QTest::newRow("a long path") << QStringLiteral("2026年のメモをメモデータファイル [2026.zbm] に保存できなかったため、次の場所に預かりました。"
                                                   "\r\n\r\n  /home/user/.config/Kanelo Y/unsaved-memos/0123456789abcdef/2026.zbm\r\n\r\n"
                                                   "次に起動したときに、メモデータファイルに書き込みます。")
                                 << false;
    QTest::newRow("a question") << QStringLiteral("%1年のメモを保存できませんでした。保存していないメモを破棄して、"
                                                  "表示する年を変えますか。\r\n\r\n  ・メモを破棄して続ける場合は [はい]")
                                << true;
}

// Long lines are broken where their last part keeps a good share of a
// line, never leaving "ん。" or "た。" alone; nothing of the text is lost,
// and Qt breaks no line further.
void TestQtPrompter::longLinesKeepTheirTails()
{
    QFETCH(QString, text);
    QFETCH(bool, question);
    QtPrompter p;
    QString shownText;
    int width = 0;
    QFont font;
    whenOpen<QMessageBox>([&](QMessageBox* box) {
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        shownText = label->text();
        width = label->contentsRect().width();
        font = label->font();
        QVERIFY(box->frameGeometry().width() <= box->screen()->availableGeometry().width());
        QTest::keyClick(box, Qt::Key_Escape);
    });
    if (question)
        p.question(text, Prompter::Buttons::YesNo);
    else
        p.message(text, Prompter::Icon::Warning);

    // Each paragraph of the text as the label shows it: its lines, each as
    // Qt wraps it at the label's width.
    const QStringList original = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
    const QStringList lines = shownText.split(QLatin1Char('\n'));
    const QFontMetricsF fm(font);
    const auto squeezed = [](QString s) { return s.remove(QLatin1Char(' ')); };
    int next = 0;
    for (const QString& paragraph : original) {
        const QString whole = squeezed(paragraph);
        QStringList shown;
        QString joined;
        do {
            QVERIFY(next < lines.size());
            QTextLayout layout(lines[next], font);
            QTextOption option;
            option.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
                l.setLineWidth(width);
                shown << lines[next].mid(l.textStart(), l.textLength());
            }
            layout.endLayout();
            joined += squeezed(lines[next++]);
        } while (joined.size() < whole.size());
        QCOMPARE(joined, whole); // nothing lost
        if (shown.size() > 1)
            QVERIFY2(fm.horizontalAdvance(shown.last()) >= width / 3.0, qPrintable(shown.join(QLatin1Char('|'))));
    }
    QCOMPARE(next, lines.size());
}

void TestQtPrompter::inputCancelGivesEmptyText()
{
    QtPrompter p;
    QString label, value;
    whenOpen<QInputDialog>([&](QInputDialog* box) {
        label = box->labelText();
        value = box->textValue();
        box->reject();
    });
    QCOMPARE(p.input(QStringLiteral("金額を\r\n入力"), QStringLiteral("題"), QStringLiteral("1200")), QString());
    QCOMPARE(label, QStringLiteral("金額を\n入力"));
    QCOMPARE(value, QStringLiteral("1200"));
}

void TestQtPrompter::inputAnswer()
{
    QtPrompter p;
    whenOpen<QInputDialog>([](QInputDialog* box) {
        QLineEdit* edit = box->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("-12000"));
        box->accept();
    });
    QCOMPARE(p.input(QStringLiteral("金額"), {}, QStringLiteral("0")), QStringLiteral("-12000"));
}

void TestQtPrompter::openFileFilters()
{
    QtPrompter p;
    QStringList filters;
    QString title;
    whenOpen<QFileDialog>([&](QFileDialog* box) {
        filters = box->nameFilters();
        title = box->windowTitle();
        box->reject();
    });
    const QString chosen = p.openFile(QStringLiteral("Kanelo Y -家計簿ファイルを開く"),
                                      {QStringLiteral("家計簿データファイル(*.zbl)|*.zbl"), QStringLiteral("テキスト|*.txt")},
                                      QDir::tempPath());
    QCOMPARE(chosen, QString());
    QCOMPARE(title, QStringLiteral("Kanelo Y -家計簿ファイルを開く"));
    QCOMPARE(filters, (QStringList{"家計簿データファイル(*.zbl)", "テキスト (*.txt)"}));
}

void TestQtPrompter::saveAsksBeforeReplacing_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("yes replaces") << true;
    QTest::newRow("no keeps the chooser open") << false;
}

void TestQtPrompter::saveAsksBeforeReplacing()
{
    QFETCH(bool, replace);
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("2026.csv"));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QtPrompter p;
    bool asked = false, defaultNo = false, chooserStayed = false;
    whenOpen<QFileDialog>([&](QFileDialog* chooser) {
        // The proposed name is taken as it is: the chooser asks first.
        QTimer::singleShot(0, [&, chooser] {
            QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            asked = true;
            defaultNo = box->defaultButton() == box->button(QMessageBox::No);
            box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            if (!replace) {
                chooserStayed = chooser->isVisible();
                chooser->reject();
            }
        });
        QTest::keyClick(chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
    });
    const QString chosen =
        p.saveFile(QStringLiteral("家計簿データのエクスポート"), {QStringLiteral("CSVファイル(*.csv)|*.csv")}, existing);
    QVERIFY(asked);
    QVERIFY(defaultNo);
    QCOMPARE(chosen, replace ? existing : QString());
    QCOMPARE(chooserStayed, !replace);
}

void TestQtPrompter::colourAsBgr()
{
    QtPrompter p;
    QColor initial;
    whenOpen<QColorDialog>([&](QColorDialog* box) {
        initial = box->currentColor();
        box->setCurrentColor(QColor(0x11, 0x22, 0x33));
        box->accept();
    });
    QCOMPARE(p.chooseColor(0x00FF8000), std::optional<quint32>(0x00332211));
    QCOMPARE(initial, QColor(0x00, 0x80, 0xFF));
}

QTEST_MAIN(TestQtPrompter)
#include "test_qtprompter.moc"
