// The rules both programs and several windows follow, each kept once in
// ledger/: budgets, colours, the names of deleted categories, names the
// master can hold, the smallest free number and the slices of a pie.
#include "ledger/LedgerRules.h"
#include "ledger/KeyedCollection.h"
#include "ledger/Types.h"

#include <QtTest>

class TestLedgerRules : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void pieEnds_data();
    void pieEnds();
};

void TestLedgerRules::rules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    // Budgets: halves to the even yen, either sign; what is no number is refused.
    QTest::newRow("budget empty") << "budget" << "  " << "0";
    QTest::newRow("budget plain") << "budget" << "30000" << "30000";
    QTest::newRow("budget half up to even") << "budget" << "2.5" << "2";
    QTest::newRow("budget half to even") << "budget" << "3.5" << "4";
    QTest::newRow("budget negative half") << "budget" << "-2.50" << "-2";
    QTest::newRow("budget above half") << "budget" << "2.51" << "3";
    QTest::newRow("budget beyond 32 bits") << "budget" << "2147483648" << "refused";
    QTest::newRow("budget text") << "budget" << "abc" << "refused";
    // The check both editors make: the refusing message, or the value.
    QTest::newRow("budget check text") << "budget check" << "１２円" << "予算のデータが不正(数値以外)です。";
    QTest::newRow("budget check beyond 32 bits") << "budget check" << "-2147483649"
                                                 << "予算の金額が大きすぎます。\r\n\r\n-2,147,483,648 から 2,147,483,647 までの金額を入力して下さい。";
    QTest::newRow("budget check separators and half") << "budget check" << "1,234.5" << "1234";
    // A colour another category shows is taken; a category keeps its own.
    QTest::newRow("colour taken by another") << "taken" << "255 02" << "この表示色はすでに他の費目 [食費] で使用されています。\r\n他の色を指定して下さい。";
    QTest::newRow("colour of the category itself") << "taken" << "255 01" << "";
    QTest::newRow("colour nobody shows") << "taken" << "256 02" << "";
    // Colours: the master's 0x00BBGGRR as 0xFFRRGGBB and back.
    QTest::newRow("colour red") << "colour" << "255" << "ffff0000 255";
    QTest::newRow("colour blue") << "colour" << "16711680" << "ff0000ff 16711680";
    QTest::newRow("colour mixed") << "colour" << "1193046" << "ff563412 1193046";
    // Names of deleted categories and sub-items, as the export writes them.
    QTest::newRow("names of a kept sub-item") << "names" << "01 01" << "食費|外食";
    QTest::newRow("names without sub-item") << "names" << "01 00" << "食費|";
    QTest::newRow("names of a deleted sub-item") << "names" << "01 07" << "食費|摘要項目番号: 07 (削除されています)";
    QTest::newRow("names of a deleted category") << "names" << "09 00" << "費目番号: 09 (削除されています)|摘要項目なし";
    QTest::newRow("names of a deleted category's sub-item")
        << "names" << "09 03" << "費目番号: 09 (削除されています)|摘要項目番号: 03 (費目が削除されています)";
    // Names the master can hold: both programs refuse the same ones.
    QTest::newRow("name plain") << "name" << "C 食費" << "";
    QTest::newRow("name colon in a category") << "name" << "C 食:費" << "colon";
    QTest::newRow("name colon in a sub-item") << "name" << "S 10:00" << "";
    QTest::newRow("name line break") << "name" << "S 外\n食" << "line break";
    QTest::newRow("name beyond the code page") << "name" << "C 食費😀" << "unstorable 😀";
    QTest::newRow("name colon before the code page") << "name" << "C 😀:" << "colon";
    // The smallest free number: freed numbers are reused, 99 is the last.
    QTest::newRow("free number first") << "free" << "" << "01";
    QTest::newRow("free number in a gap") << "free" << "01 02 04" << "03";
    QTest::newRow("free number none") << "free" << "all" << "";
}

void TestLedgerRules::rules()
{
    QFETCH(QString, rule);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    if (rule == "budget") {
        const auto v = LedgerRules::budgetValue(input);
        QCOMPARE(v ? QString::number(*v) : QStringLiteral("refused"), expected);
    } else if (rule == "budget check") {
        const LedgerRules::BudgetCheck b = LedgerRules::checkBudget(input);
        QCOMPARE(b.value ? QString::number(*b.value) : b.fault, expected);
        QCOMPARE(b.title, b.value ? QString() : QStringLiteral("予算データ不正"));
    } else if (rule == "taken") {
        KeyedCollection<clsHimoku> categories;
        auto food = std::make_shared<clsHimoku>();
        food->no = "01";
        food->name = "食費";
        food->color = 255;
        categories.add(food->no, food);
        QCOMPARE(LedgerRules::colourTakenFault(categories, input.section(' ', 0, 0).toUInt(), input.section(' ', 1, 1)), expected);
    } else if (rule == "colour") {
        const quint32 rgb = LedgerRules::rgbOfColour(input.toUInt());
        const quint32 back = LedgerRules::colourOfRgb(int(rgb >> 16 & 255), int(rgb >> 8 & 255), int(rgb & 255));
        QCOMPARE(QString::number(rgb, 16) + QLatin1Char(' ') + QString::number(back), expected);
    } else if (rule == "names") {
        clsHimoku food;
        food.no = "01";
        food.name = "食費";
        food.addsub("01", "外食");
        const QString no = input.section(' ', 0, 0), sub = input.section(' ', 1, 1);
        const auto n = LedgerRules::namesOf(no == "01" ? &food : nullptr, no, sub);
        QCOMPARE(n.category + QLatin1Char('|') + n.sub, expected);
    } else if (rule == "name") {
        const auto f = LedgerRules::masterNameFault(input.mid(2), input.startsWith('C'));
        const char* kinds[] = {"", "colon", "line break", "unstorable"};
        QCOMPARE(QString::fromLatin1(kinds[f.kind]) + (f.character.isEmpty() ? QString() : QLatin1Char(' ') + f.character), expected);
    } else if (rule == "free") {
        KeyedCollection<clsTekiyo> held;
        const QStringList numbers = input == "all" ? QStringList() : input.split(' ', Qt::SkipEmptyParts);
        for (int n = 1; n <= 99 && input == "all"; ++n)
            held.add(QStringLiteral("%1").arg(n, 2, 10, QChar('0')), std::make_shared<clsTekiyo>());
        for (const QString& no : numbers)
            held.add(no, std::make_shared<clsTekiyo>());
        QCOMPARE(LedgerRules::smallestFreeNumber(held), expected);
    }
}

void TestLedgerRules::pieEnds_data()
{
    QTest::addColumn<QList<qint64>>("amounts");
    QTest::addColumn<QList<double>>("ends");
    QTest::newRow("halves") << QList<qint64>{1, 1} << QList<double>{0.5, 1.0};
    QTest::newRow("no slice for nothing") << QList<qint64>{3, 0, -2, 1} << QList<double>{0.75, 0.75, 0.75, 1.0};
    QTest::newRow("thirds close exactly") << QList<qint64>{1, 1, 1} << QList<double>{1.0 / 3, 2.0 / 3, 1.0};
    QTest::newRow("nothing to draw") << QList<qint64>{0, 0} << QList<double>{0.0, 0.0};
}

void TestLedgerRules::pieEnds()
{
    QFETCH(QList<qint64>, amounts);
    QFETCH(QList<double>, ends);
    const std::vector<double> got = LedgerRules::pieEnds(std::vector<qint64>(amounts.begin(), amounts.end()));
    QCOMPARE(QList<double>(got.begin(), got.end()), ends);
    if (!got.empty() && ends.last() == 1.0)
        QVERIFY(got.back() == 1.0); // the circle closes without a gap
}

QTEST_GUILESS_MAIN(TestLedgerRules)
#include "test_ledger_rules.moc"
