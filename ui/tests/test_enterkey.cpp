// Enter in a form: a button under the focus is pressed, any other field
// takes the form's own step, and other keys are left to the dialog.
#include "ui/EnterKey.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

class TestEnterKey : public QObject {
    Q_OBJECT
private slots:
    void enter_data();
    void enter();
};

void TestEnterKey::enter_data()
{
    QTest::addColumn<bool>("onButton");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("result"); // handled / pressed / stepped
    QTest::newRow("Return in a field") << false << int(Qt::Key_Return) << 0 << "handled stepped";
    QTest::newRow("keypad Enter in a field") << false << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "handled stepped";
    QTest::newRow("Return on a button") << true << int(Qt::Key_Return) << 0 << "handled pressed";
    QTest::newRow("keypad Enter on a button") << true << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "handled pressed";
    QTest::newRow("Shift+Return is the dialog's") << false << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "";
    QTest::newRow("Ctrl+Return on a button is the dialog's") << true << int(Qt::Key_Return) << int(Qt::ControlModifier) << "";
    QTest::newRow("another key") << true << int(Qt::Key_Space) << 0 << "";
}

void TestEnterKey::enter()
{
    QFETCH(bool, onButton);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, result);
    QDialog form;
    auto* field = new QLineEdit;
    auto* button = new QPushButton(QStringLiteral("追加(&A)"));
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(field);
    layout->addWidget(button);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    (onButton ? static_cast<QWidget*>(button) : field)->setFocus();
    QTRY_VERIFY(form.focusWidget() == (onButton ? static_cast<QWidget*>(button) : field));

    QStringList got;
    QObject::connect(button, &QPushButton::clicked, [&] { got << QStringLiteral("pressed"); });
    QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    if (EnterKey::pressOrElse(&form, &event, [&] { got << QStringLiteral("stepped"); }))
        got.prepend(QStringLiteral("handled"));
    QCOMPARE(got.join(QLatin1Char(' ')), result);
}

QTEST_MAIN(TestEnterKey)
#include "test_enterkey.moc"
