// The calculator: key sequences to display and tax labels, the rate, the
// keyboard and the stored rate.

#include "ledger/tests/FakePrompter.h"
#include "ledger/Settings.h"
#include "ledger/tests/TestHome.h"
#include "calculator/frmCalculator.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

namespace {
// Presses the keys of a space-separated sequence: digits, 000, + - * / =,
// CE, C, and IN / OUT for the 内税 / 外税 options.
void press(frmCalculator& c, const QString& sequence)
{
    static const QString ops = QStringLiteral("/+*-=");
    for (const QString& k : sequence.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (k == QLatin1String("000"))
            c.cmdThree0->click();
        else if (k == QLatin1String("CE"))
            c.cmdClearEntry->click();
        else if (k == QLatin1String("C"))
            c.cmdClear->click();
        else if (k == QLatin1String("IN"))
            c.optIn->click();
        else if (k == QLatin1String("OUT"))
            c.optOut->click();
        else if (k.size() == 1 && ops.contains(k))
            c.cmdOperate[ops.indexOf(k)]->click();
        else
            for (QChar d : k)
                c.cmdNumber[d.digitValue()]->click();
    }
}

QString labels(const frmCalculator& c)
{
    return c.lblSource->text() + QLatin1Char('|') + c.lblConsume->text() + QLatin1Char('|') + c.lblTotal->text();
}

const QString kDivision = QStringLiteral("ゼロによる除算はできません。");
const QString kBeyond = QStringLiteral("計算結果が電卓の表示できる桁数 (15 桁) を超えるため、計算できません。");
}

class TestCalculator : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void keys_data();
    void keys();
    void rateChange_data();
    void rateChange();
    void rateStoredAtOnce();
    void keyboard_data();
    void keyboard();

private:
    std::unique_ptr<TestHome> home_;
    FakePrompter prompter_;
};

// The tables reckon with a stored rate of 5 %.
void TestCalculator::init()
{
    home_ = std::make_unique<TestHome>();
    prompter_.clear();
    WriteSetting(kAppName, QStringLiteral("Options"), QStringLiteral("consumetax"), QStringLiteral("5"));
}

void TestCalculator::cleanup() { home_.reset(); }

void TestCalculator::keys_data()
{
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("tax"); // 元金|消費税|合計 at the default 5 %
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing yet") << "" << "0." << "0|0|0" << "";
    QTest::newRow("digits end in the separator") << "5 3" << "53." << "0|0|0" << "";
    QTest::newRow("a leading zero gives way") << "0 0 5" << "5." << "0|0|0" << "";
    QTest::newRow("second + shows the sum") << "5 + 3 +" << "8" << "8|0|8" << "";
    QTest::newRow("= ends the chain") << "5 + 3 + 2 =" << "10" << "10|1|11" << "";
    QTest::newRow("after = a number starts a new chain") << "5 + 3 + 2 = 4 +" << "4" << "4|0|4" << "";
    QTest::newRow("minus first shows -0.") << "-" << "-0." << "0|0|0" << "";
    QTest::newRow("minus first makes the number negative") << "- 5" << "-5." << "0|0|0" << "";
    QTest::newRow("negative first operand") << "- 5 + 3 =" << "-2" << "-2|0|-2" << "";
    QTest::newRow("minus after an operator starts a negative number") << "5 + - 3 =" << "2" << "2|0|2" << "";
    QTest::newRow("minus after = is an operator") << "5 = - 3 =" << "2" << "2|0|2" << "";
    QTest::newRow("a bare minus is no operand") << "5 + - + 3 =" << "2" << "2|0|2" << "";
    QTest::newRow("precedence is the order typed") << "2 * 3 - 1 =" << "5" << "5|0|5" << "";
    QTest::newRow("000 after a digit") << "1 000 000" << "1000000." << "0|0|0" << "";
    QTest::newRow("000 right after an operator does nothing") << "5 + 000" << "5." << "0|0|0" << "";
    QTest::newRow("000 first does nothing") << "000" << "0." << "0|0|0" << "";
    // CE clears the number being typed; the chain and its pending operator stay.
    QTest::newRow("CE, then the right number") << "5 + 9 CE 3 =" << "8" << "8|0|8" << "";
    QTest::newRow("CE shows 0.") << "5 + 3 CE" << "0." << "0|0|0" << "";
    QTest::newRow("CE, then =") << "5 + 3 CE =" << "5" << "5|0|5" << "";
    QTest::newRow("CE twice, then =") << "5 + 3 CE CE =" << "5" << "5|0|5" << "";
    QTest::newRow("CE under ×, then =") << "5 * 3 CE =" << "5" << "5|0|5" << "";
    QTest::newRow("CE, then another operator") << "5 + 3 CE * 2 =" << "10" << "10|1|11" << "";
    QTest::newRow("CE, then a negative number") << "5 + 3 CE - 2 =" << "3" << "3|0|3" << "";
    QTest::newRow("CE clears a minus sign typed") << "5 + - CE 3 =" << "8" << "8|0|8" << "";
    QTest::newRow("CE after = keeps the result") << "5 + 3 = CE + 2 =" << "10" << "10|1|11" << "";
    QTest::newRow("CE of the first number") << "5 CE 3 + 2 =" << "5" << "5|0|5" << "";
    QTest::newRow("C starts afresh") << "5 + 3 = C" << "0." << "0|0|0" << "";
    QTest::newRow("C drops the pending operator") << "5 + 3 C 2 =" << "2." << "0|0|0" << "";
    QTest::newRow("fractions as far as the display goes") << "1 / 3 =" << "0.33333333333333" << "0|0|0" << "";
    QTest::newRow("a half") << "10 / 4 =" << "2.5" << "3|0|3" << "";
    QTest::newRow("division by zero keeps the accumulator") << "8 / 0 =" << "8" << "8|0|8" << kDivision;
    QTest::newRow("the chain goes on after it") << "8 / 0 = + 2 =" << "10" << "10|1|11" << kDivision;
    QTest::newRow("a receipt total with tax added") << "600 + 400 =" << "1000" << "1,000|50|1,050" << "";
    QTest::newRow("switched to tax contained") << "600 + 400 = IN" << "1000" << "952|48|1,000" << "";
    QTest::newRow("and back to tax added") << "600 + 400 = IN OUT" << "1000" << "1,000|50|1,050" << "";
    QTest::newRow("results under tax contained") << "IN 2 * 540 =" << "1080" << "1,029|51|1,080" << "";
    QTest::newRow("typing stops at 15 digits") << "1234567890123456" << "123456789012345." << "0|0|0" << "";
    QTest::newRow("000 that would pass 15 digits") << "1234567890123 000" << "1234567890123." << "0|0|0" << "";
    QTest::newRow("largest result") << "999999999999998 + 1 =" << "999999999999999"
                                    << "999,999,999,999,999|50,000,000,000,000|1,049,999,999,999,999" << "";
    QTest::newRow("a result beyond the display says so") << "999999999999999 * 9 =" << "999999999999999"
                                                         << "999,999,999,999,999|50,000,000,000,000|1,049,999,999,999,999"
                                                         << kBeyond;
    QTest::newRow("negative beyond the display") << "- 999999999999999 - 1 =" << "-999999999999999"
                                                 << "-999,999,999,999,999|-50,000,000,000,000|-1,049,999,999,999,999"
                                                 << kBeyond;
    QTest::newRow("tiny fractions show 0, never an exponent") << "1 / 1000000 / 1000000 / 1000 =" << "0" << "0|0|0" << "";
}

void TestCalculator::keys()
{
    QFETCH(QString, sequence);
    QFETCH(QString, display);
    QFETCH(QString, tax);
    QFETCH(QString, message);

    frmCalculator c(prompter_);
    press(c, sequence);
    QCOMPARE(c.lblCalculate->text(), display);
    QCOMPARE(labels(c), tax);
    QCOMPARE(c.lblTax->text(), QStringLiteral("5 %"));
    QCOMPARE(prompter_.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    for (const QString& shown : {c.lblCalculate->text(), labels(c)})
        QVERIFY2(!shown.contains(QLatin1String("inf")) && !shown.contains(QLatin1String("nan")) && !shown.contains(u'e'),
                 qPrintable(shown));
}

void TestCalculator::rateChange_data()
{
    QTest::addColumn<QStringList>("answers"); // to the rate prompt, in turn
    QTest::addColumn<bool>("contained");      // 内税 chosen before the change
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<int>("refusals");

    QTest::newRow("8 % on tax added") << QStringList{"8"} << false << "8 %" << "1,000|80|1,080" << 0;
    QTest::newRow("10 % on tax contained") << QStringList{"10"} << true << "10 %" << "909|91|1,000" << 0;
    QTest::newRow("0 %") << QStringList{"0"} << false << "0 %" << "1,000|0|1,000" << 0;
    QTest::newRow("100 %") << QStringList{"100"} << false << "100 %" << "1,000|1,000|2,000" << 0;
    QTest::newRow("full-width digits and spaces") << QStringList{" ８ "} << false << "8 %" << "1,000|80|1,080" << 0;
    QTest::newRow("cancel changes nothing") << QStringList{""} << false << "5 %" << "1,000|50|1,050" << 0;
    QTest::newRow("letters, asked again, then cancel") << QStringList{"abc", ""} << false << "5 %" << "1,000|50|1,050" << 1;
    QTest::newRow("beyond 100, a fraction, negative, then 3")
        << QStringList{"101", "7.5", "-1", "99999999999", "3"} << false << "3 %" << "1,000|30|1,030" << 4;
}

void TestCalculator::rateChange()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, contained);
    QFETCH(QString, rate);
    QFETCH(QString, tax);
    QFETCH(int, refusals);

    frmCalculator c(prompter_);
    press(c, contained ? QStringLiteral("IN 600 + 400 =") : QStringLiteral("600 + 400 ="));
    for (const QString& a : answers)
        prompter_.inputs.enqueue(a);
    c.cmdTax->click();
    QCOMPARE(c.nTaxRate, rate.section(QLatin1Char(' '), 0, 0).toInt());
    QCOMPARE(c.lblTax->text(), rate);
    QCOMPARE(labels(c), tax);
    QCOMPARE(prompter_.messages().size(), refusals);
    QCOMPARE(prompter_.unexpected, 0);
    const auto& first = prompter_.shown.first();
    QCOMPARE(first.title, QStringLiteral("消費税率変更"));
    QCOMPARE(first.text, QStringLiteral("新しい消費税率をパーセント(%)で入力して下さい。\r\n\r\n     現在の消費税率： 5 %"));
    QCOMPARE(first.defaultText, QStringLiteral("5"));
}

// A new installation starts at 10 %; a rate chosen is stored at once, by
// 税率変更 or the 8% and 10% keys (Alt+8, Alt+1), and C keeps it.
void TestCalculator::rateStoredAtOnce()
{
    auto stored = [] { return ReadSetting(kAppName, QStringLiteral("Options"), QStringLiteral("consumetax"), QStringLiteral("-")); };
    QSettings(QSettings::NativeFormat, QSettings::UserScope, kAppName, kAppName).clear();
    {
        frmCalculator c(prompter_);
        QCOMPARE(c.lblTax->text(), QStringLiteral("10 %"));
        press(c, QStringLiteral("600 + 400 ="));
        QCOMPARE(labels(c), QStringLiteral("1,000|100|1,100"));
        prompter_.inputs.enqueue(QStringLiteral("8"));
        c.cmdTax->click();
        QCOMPARE(stored(), QStringLiteral("8"));
        c.cmdClear->click();
        QCOMPARE(c.lblTax->text(), QStringLiteral("8 %"));
        c.show();
        c.close(); // the close box
    }
    QCOMPARE(stored(), QStringLiteral("8"));

    frmCalculator c(prompter_);
    QCOMPARE(c.lblTax->text(), QStringLiteral("8 %"));
    c.show();
    QVERIFY(QTest::qWaitForWindowActive(&c));
    press(c, QStringLiteral("IN 1000 + 100 ="));
    QCOMPARE(c.cmdRate[1]->text(), QStringLiteral("&10%"));
    QTest::keyClick(&c, Qt::Key_1, Qt::AltModifier);
    QTRY_COMPARE(c.lblTax->text(), QStringLiteral("10 %")); // a mnemonic clicks after a moment
    QCOMPARE(stored(), QStringLiteral("10"));
    QCOMPARE(labels(c), QStringLiteral("1,000|100|1,100"));
    QCOMPARE(c.lblCalculate->text(), QStringLiteral("1100")); // Alt+1 typed no digit
    QCOMPARE(c.cmdRate[0]->text(), QStringLiteral("&8%"));
    QTest::keyClick(&c, Qt::Key_8, Qt::AltModifier);
    QTRY_COMPARE(c.lblTax->text(), QStringLiteral("8 %"));
    QCOMPARE(stored(), QStringLiteral("8"));
    QCOMPARE(labels(c), QStringLiteral("1,019|81|1,100"));

    // A stored value that is no rate gives the default.
    WriteSetting(kAppName, QStringLiteral("Options"), QStringLiteral("consumetax"), QStringLiteral("abc"));
    QCOMPARE(frmCalculator(prompter_).nTaxRate, 10);
    QCOMPARE(prompter_.unexpected, 0);
}

void TestCalculator::keyboard_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("equalsKey"); // "=" instead of Enter
    QTest::newRow("main keys") << Qt::KeyboardModifiers(Qt::NoModifier) << false;
    QTest::newRow("numeric keypad") << Qt::KeyboardModifiers(Qt::KeypadModifier) << false;
    QTest::newRow("equals sign") << Qt::KeyboardModifiers(Qt::NoModifier) << true;
}

// A receipt typed on the keyboard: 198 + 350 * 2 - 48 / 4, Enter. Other
// keys do nothing; Esc is C.
void TestCalculator::keyboard()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, equalsKey);
    frmCalculator c(prompter_);
    c.show();
    QVERIFY(QTest::qWaitForWindowActive(&c));
    QTest::keyClicks(&c, QStringLiteral("198+350abc*2"), modifiers);
    QCOMPARE(c.lblCalculate->text(), QStringLiteral("2."));
    QCOMPARE(c.focusWidget(), c.cmdNumber[2]);
    QTest::keyClicks(c.focusWidget(), QStringLiteral("-48/4"), modifiers);
    if (equalsKey)
        QTest::keyClicks(c.focusWidget(), QStringLiteral("="));
    else
        QTest::keyClick(c.focusWidget(), modifiers.testFlag(Qt::KeypadModifier) ? Qt::Key_Enter : Qt::Key_Return, modifiers);
    // (198 + 350) * 2 = 1096; - 48 = 1048; / 4 = 262
    QCOMPARE(c.lblCalculate->text(), QStringLiteral("262"));
    QCOMPARE(labels(c), QStringLiteral("262|13|275"));
    QCOMPARE(c.focusWidget(), c.cmdOperate[4]);
    QTest::keyClick(c.focusWidget(), Qt::Key_Escape);
    QCOMPARE(c.lblCalculate->text(), QStringLiteral("0."));
    QCOMPARE(labels(c), QStringLiteral("0|0|0"));
}

QTEST_MAIN(TestCalculator)
#include "test_calculator.moc"
