// The program's own prompter: titles, buttons and answers of the real
// dialogs, driven while they are open.
#include "QtPrompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
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
