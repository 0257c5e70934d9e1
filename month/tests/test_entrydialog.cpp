// The entry dialog driven as a user does: dates, amounts with the adding
// machine, sub-items, undo, change mode and the write-back on closing.

#include "month/tests/test_entrydialog_fixture.h"

#include "calendar/frmDataCalender.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QSet>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>

namespace {
const QString kShort = QStringLiteral("入力データの内容が不足です。");
const QString kDigits =
    QStringLiteral("日付の桁数が [5 桁] 以外です。\r\n\r\n  形式は [mm/dd](1桁の場合は先頭に 0 を入れて下さい)");
const QString kNoDate = QStringLiteral("存在しない日付か、または日付として認識できません。");
const QString kSlash = QStringLiteral("日付の形式は [mm/dd](1桁の場合は先頭に 0 を挿入) です。");
const QString kNotNumber = QStringLiteral("入力された金額データが数値ではありません。");
const QString kMinus = QStringLiteral("金額が -(マイナス)になってしまいます。");
const QString kTooLarge = QStringLiteral("金額が大きすぎます。\r\n\r\n金額は 2,147,483,647 円以下で入力して下さい。");
}

class TestEntryDialog : public QObject {
    Q_OBJECT
private slots:
    void addModeLooks();
    void mnemonicsUnique_data();
    void mnemonicsUnique();
    void dateChecks_data();
    void dateChecks();
    void amountChecks_data();
    void amountChecks();
    void addingMachine_data();
    void addingMachine();
    void enterAddsAfterSum();
    void rowPlacement_data();
    void rowPlacement();
    void otherMonthLeavesListAlone();
    void summaryFollowsAdds_data();
    void summaryFollowsAdds();
    void undoTwice();
    void noToEmptySubKeepsDialogOpen();
    void subItemRegistration_data();
    void subItemRegistration();
    void otherMonthRegistersSubItem();
    void unsavableSubItemRefused();
    void failedMasterSaveKeepsEntry();
    void closeWritesBackAndRanks();
    void escapeInAddModeWritesBack();
    void earlierMonthUpdatesBroughtForward();
    void changeInPlace();
    void changeDate_data();
    void changeDate();
    void cancelChangesNothing();
    void datePicker();
};

void TestEntryDialog::addModeLooks()
{
    EntryFixture f;
    f.show();
    const bool opened = f.whileAdding([&] {
        frmData& d = *f.dialog;
        QCOMPARE(d.windowTitle(), QStringLiteral("家計簿データ 追加"));
        QCOMPARE(d.txtDate->text(), QStringLiteral("03/15")); // nothing selected: today
        QCOMPARE(d.cmbMain->currentText(), QStringLiteral("食費"));
        QCOMPARE(d.lstSub->count(), 2);
        QVERIFY(d.optOut->isChecked());
        QCOMPARE(d.cmdOK->text(), QStringLiteral("OK(&O)"));
        QVERIFY(d.cmdOK->isEnabled());
        QCOMPARE(d.cmdExit->text(), QStringLiteral("終了(&X)"));
        QCOMPARE(d.cmdCancel->text(), QStringLiteral("元に戻す(&U)"));
        QVERIFY(!d.cmdCancel->isEnabled());
        QCOMPARE(d.lblDateFormat->text(),
                 QStringLiteral("日付の形式は [mm/dd] (mm：月 dd：日） (1桁の月/日の場合前に 0 を挿入して下さい）"));
        QCOMPARE(d.txtMoney->toolTip(), QStringLiteral("計算機能付き!! 加減算ができます。"));
        QCOMPARE(d.focusWidget(), d.cmbMain);
        f.choose(QStringLiteral("給与"));
        QVERIFY(d.optIn->isChecked());
        QCOMPARE(d.lstSub->count(), 1);
        QTest::mouseClick(d.cmdExit, Qt::LeftButton);
    });
    QVERIFY(opened);
}

void TestEntryDialog::mnemonicsUnique_data()
{
    QTest::addColumn<bool>("changeMode");
    QTest::newRow("add") << false;
    QTest::newRow("change") << true;
}

// Every field and every button that can be pressed has a letter of its own.
void TestEntryDialog::mnemonicsUnique()
{
    QFETCH(bool, changeMode);
    EntryFixture f;
    f.seed(QStringLiteral("04/05"), QStringLiteral("01"), QStringLiteral("01"), 700);
    f.show();
    f.views->selectRow(1);
    f.whileOpen([&] { f.edit->mnuEditItem(changeMode ? 1 : 0); }, [&] {
        frmData& d = *f.dialog;
        QStringList texts{d.lblDate->text(), d.lblMain->text(), d.lblSub->text(), d.fraMoney->title()};
        for (QPushButton* b : {d.cmdOK, d.cmdExit, d.cmdCancel})
            if (b->isEnabled())
                texts << b->text();
        QSet<QChar> letters;
        for (const QString& t : texts) {
            const qsizetype amp = t.indexOf(QLatin1Char('&'));
            QVERIFY2(amp >= 0 && amp + 1 < t.size(), qPrintable(t));
            const QChar letter = t.at(amp + 1).toUpper();
            QVERIFY2(!letters.contains(letter), qPrintable(t));
            letters << letter;
        }
        QCOMPARE(d.lblDate->text(), QStringLiteral("日付(&D)"));
        QCOMPARE(d.lblMain->text(), QStringLiteral("費目(&C)"));
        QCOMPARE(d.lblSub->text(), QStringLiteral("摘要項目(&S)"));
        QCOMPARE(d.fraMoney->title(), QStringLiteral("金額(&A)"));
        QCOMPARE(d.cmbDate->focusPolicy(), Qt::TabFocus);
        d.done(QDialog::Rejected);
    });
}

void TestEntryDialog::dateChecks_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("message"); // empty: accepted

    // One-digit months and days are written out.
    QTest::newRow("one-digit month") << 2026 << "4/15" << "";
    QTest::newRow("one-digit month and day") << 2026 << "4/5" << "";
    QTest::newRow("one-digit month, two-digit day") << 2026 << "4/05" << "";
    QTest::newRow("one-digit day") << 2026 << "04/5" << "";
    QTest::newRow("one-digit day, not a date") << 2026 << "2/30" << kNoDate;
    QTest::newRow("six characters") << 2026 << "04/150" << kDigits;
    QTest::newRow("31 April") << 2026 << "04/31" << kNoDate;
    QTest::newRow("month 13") << 2026 << "13/01" << kNoDate;
    QTest::newRow("letters") << 2026 << "ab/cd" << kNoDate;
    QTest::newRow("29 Feb, common year") << 2026 << "02/29" << kNoDate;
    QTest::newRow("29 Feb, leap year") << 2024 << "02/29" << "";
    QTest::newRow("dash") << 2026 << "04-15" << kSlash;
    QTest::newRow("empty") << 2026 << "" << kShort;
    QTest::newRow("spaces") << 2026 << "     " << kShort;
    QTest::newRow("shown month") << 2026 << "04/15" << "";
}

void TestEntryDialog::dateChecks()
{
    QFETCH(int, year);
    QFETCH(QString, date);
    QFETCH(QString, message);
    EntryFixture f(year);
    f.show();
    f.whileAdding([&] {
        f.addOne(date, QStringLiteral("食費"), QStringLiteral("外食"), QStringLiteral("500"));
        QCOMPARE(f.prompter.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.dialog->addedLog.size(), message.isEmpty() ? 2 : 1);
        // After a refusal the dialog keeps what was typed.
        QCOMPARE(f.dialog->txtMoney->text(), message.isEmpty() ? QString() : QStringLiteral("500"));
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    const int month = date.section(QLatin1Char('/'), 0, 0).toInt();
    const int filed = message.isEmpty() ? 1 : 0;
    if (month >= 1 && month <= 12)
        QCOMPARE(f.model.slot(month).count(), filed);
}

void TestEntryDialog::amountChecks_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("cell"); // 出金 of the new row when accepted

    QTest::newRow("empty") << "" << kShort << "";
    QTest::newRow("letters") << "12a" << kNotNumber << "";
    QTest::newRow("beyond 32 bits") << "2147483648" << kTooLarge << "";
    QTest::newRow("far beyond") << "99999999999999999999" << kTooLarge << "";
    QTest::newRow("negative") << "-500" << kMinus << "";
    QTest::newRow("largest") << "2147483647" << "" << "2,147,483,647";
    QTest::newRow("fraction rounds") << "1200.5" << "" << "1,201";
    QTest::newRow("separators") << "1,200" << "" << "1,200";
    QTest::newRow("12万") << "12万" << "" << "120,000";
    QTest::newRow("1.5万, full-width") << "１．５万" << "" << "15,000";
    QTest::newRow("万 alone") << "万" << kNotNumber << "";
}

void TestEntryDialog::amountChecks()
{
    QFETCH(QString, pasted);
    QFETCH(QString, message);
    QFETCH(QString, cell);
    EntryFixture f;
    f.show();
    f.whileAdding([&] {
        f.typeDate(QStringLiteral("04/10"));
        f.typeSub(QStringLiteral("外食"));
        f.dialog->txtMoney->setText(pasted); // pasted: the key filter does not see it
        QTest::mouseClick(f.dialog->cmdOK, Qt::LeftButton);
        QCOMPARE(f.prompter.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.rows().count(), message.isEmpty() ? 2 : 1);
    if (message.isEmpty()) {
        QCOMPARE(f.rows().cell(1, MonthListModel::Out), cell);
        QCOMPARE(qint64(f.model.slot(4).entries[0].out), Num::cellValue(cell));
    }
}

void TestEntryDialog::addingMachine_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("1200 + 800") << "1200+800\n" << "2000" << QStringList();
    QTest::newRow("500 - 800") << "500-800\n" << "500" << QStringList{kMinus};
    QTest::newRow("chain") << "100+200+300-50\n" << "550" << QStringList();
    QTest::newRow("to zero") << "300-300\n" << "" << QStringList();
    QTest::newRow("letters discarded") << "1a2b+x3\n" << "15" << QStringList();
    QTest::newRow("fraction rounded") << "1.6+1\n" << "3" << QStringList();
    QTest::newRow("sum beyond 32 bits") << "2000000000+2000000000\n" << "2000000000" << QStringList{kTooLarge};
    // A term beyond the range is refused and left in the field to be corrected.
    QTest::newRow("term beyond 32 bits") << "1+3000000000\n" << "3000000000" << QStringList{kTooLarge};
    QTest::newRow("operator only") << "+\n" << "" << QStringList();
    QTest::newRow("万 and 千 typed") << "1万+2千\n" << "12000" << QStringList();
}

void TestEntryDialog::addingMachine()
{
    QFETCH(QString, keys);
    QFETCH(QString, field);
    QFETCH(QStringList, messages);
    EntryFixture f;
    f.show();
    f.whileAdding([&] {
        f.typeMoney(keys);
        QCOMPARE(f.dialog->txtMoney->text(), field);
        QCOMPARE(f.prompter.messages(), messages);
        QCOMPARE(f.dialog->addedLog.size(), 1); // Enter after a sum adds nothing
        f.dialog->txtMoney->clear();
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
}

void TestEntryDialog::enterAddsAfterSum()
{
    EntryFixture f;
    f.seed(QStringLiteral("04/05"), QStringLiteral("02"), QStringLiteral("00"), 300);
    f.show();
    f.whileAdding([&] {
        f.typeDate(QStringLiteral("04/05"));
        f.typeSub(QStringLiteral("外食"));
        f.typeMoney(QStringLiteral("1200+800\n"));
        QCOMPARE(f.dialog->txtMoney->text(), QStringLiteral("2000"));
        QCOMPARE(f.rows().count(), 2);
        f.typeMoney(QStringLiteral("\n"));
        QCOMPARE(f.rows().count(), 3);
        // Date and category stay for the next entry; amount and sub-item are emptied.
        QCOMPARE(f.dialog->txtDate->text(), QStringLiteral("04/05"));
        QCOMPARE(f.dialog->cmbMain->currentText(), QStringLiteral("食費"));
        QVERIFY(f.dialog->txtMoney->text().isEmpty());
        QVERIFY(f.dialog->txtSub->text().isEmpty());
        QVERIFY(f.dialog->cmdCancel->isEnabled());
        QCOMPARE(f.views->selectedRow(), 2);
        QTest::keyClick(f.dialog->txtMoney, Qt::Key_Return); // empty: refused, nothing added
        QCOMPARE(f.prompter.messages(), QStringList{kShort});
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.column(MonthListModel::Out), (QStringList{"", "300", "2,000"}));
    QCOMPARE(f.column(MonthListModel::Balance), (QStringList{"", "-300", "-2,300"}));
    QCOMPARE(f.panel(3), QStringLiteral("支出 : 2,300"));
    QCOMPARE(f.panel(5), QStringLiteral("残高 : -2,300"));
    QCOMPARE(f.model.slot(4).totalOut, 2300);
}

void TestEntryDialog::rowPlacement_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("dateCell");

    // The month holds 04/05, 04/10, 04/10, 04/20 in rows 1-4.
    QTest::newRow("first of day 01") << "04/01" << 1 << "04/01";
    QTest::newRow("new day between") << "04/07" << 2 << "04/07";
    QTest::newRow("after its day") << "04/10" << 4 << "";
    QTest::newRow("after the last day") << "04/30" << 5 << "04/30";
    QTest::newRow("last day, same day") << "04/20" << 5 << "";
}

void TestEntryDialog::rowPlacement()
{
    QFETCH(QString, date);
    QFETCH(int, row);
    QFETCH(QString, dateCell);
    EntryFixture f;
    for (const char* d : {"04/05", "04/10", "04/10", "04/20"})
        f.seed(QString::fromLatin1(d), QStringLiteral("02"), QStringLiteral("00"), 100);
    f.show();
    f.whileAdding([&] {
        f.addOne(date, QStringLiteral("食費"), QStringLiteral("外食"), QStringLiteral("700"));
        QCOMPARE(f.rows().count(), 6);
        QCOMPARE(f.rows().cell(row, MonthListModel::Date), dateCell);
        QCOMPARE(f.rows().cell(row, MonthListModel::Out), QStringLiteral("700"));
        QCOMPARE(int(f.rows().row(row).day), date.right(2).toInt());
        QCOMPARE(f.views->selectedRow(), row);
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.model.slot(4).entries[row - 1].date(), date);
    QCOMPARE(f.model.slot(4).entries[row - 1].out, 700);
}

void TestEntryDialog::otherMonthLeavesListAlone()
{
    EntryFixture f;
    f.seed(QStringLiteral("04/05"), QStringLiteral("02"), QStringLiteral("00"), 100);
    f.seed(QStringLiteral("05/20"), QStringLiteral("02"), QStringLiteral("00"), 50);
    f.show();
    const QStringList before = f.column(MonthListModel::Category);
    f.whileAdding([&] {
        f.addOne(QStringLiteral("05/03"), QStringLiteral("給与"), QStringLiteral("本給"), QStringLiteral("250000"));
        QCOMPARE(f.column(MonthListModel::Category), before);
        const MonthSlot& may = f.model.slot(5);
        QCOMPARE(may.count(), 2);
        QCOMPARE(may.entries[0].date(), QStringLiteral("05/03"));
        QCOMPARE(may.entries[0].category(), QStringLiteral("03"));
        QCOMPARE(may.entries[0].sub(), QStringLiteral("01"));
        QCOMPARE(may.entries[0].in, 250000);
        QCOMPARE(may.totalIn, 250000);
        QCOMPARE(may.totalOut, 50);
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.column(MonthListModel::Category), before);
    QCOMPARE(f.model.slot(5).count(), 2);
}

void TestEntryDialog::summaryFollowsAdds_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("amountCell"); // where the summary shows the new amount
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    QTest::newRow("day summary") << 1 << "1,800" << 1 << int(MonthListModel::Out);
    QTest::newRow("category summary") << 2 << "1,800" << 0 << 2;
}

void TestEntryDialog::summaryFollowsAdds()
{
    QFETCH(int, mode);
    QFETCH(QString, amountCell);
    QFETCH(int, row);
    QFETCH(int, column);
    EntryFixture f;
    f.seed(QStringLiteral("04/05"), QStringLiteral("01"), QStringLiteral("00"), 1000);
    f.show();
    f.views->setSummaryMode(mode);
    f.whileAdding([&] {
        f.addOne(QStringLiteral("04/05"), QStringLiteral("食費"), QStringLiteral("外食"), QStringLiteral("800"));
        QCOMPARE(f.views->summaryRows->cell(row, column), amountCell);
        QTest::mouseClick(f.dialog->cmdCancel, Qt::LeftButton); // undo follows too
        QCOMPARE(f.views->summaryRows->cell(row, column), QStringLiteral("1,000"));
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.model.slot(4).count(), 1);
}

void TestEntryDialog::undoTwice()
{
    EntryFixture f;
    f.seed(QStringLiteral("04/10"), QStringLiteral("02"), QStringLiteral("00"), 100);
    f.show();
    f.whileAdding([&] {
        frmData& d = *f.dialog;
        f.addOne(QStringLiteral("04/10"), QStringLiteral("食費"), QStringLiteral("外食"), QStringLiteral("1200"));
        f.addOne(QStringLiteral("06/01"), QStringLiteral("食費"), QStringLiteral("外食"), QStringLiteral("900"));
        QCOMPARE(d.addedLog, (QStringList{QString(), QStringLiteral("04/10食費外食1200"),
                                          QStringLiteral("06/01食費外食900")}));
        QCOMPARE(f.model.slot(6).totalOut, 900);

        QTest::mouseClick(d.cmdCancel, Qt::LeftButton); // the June entry goes first
        QCOMPARE(f.model.slot(6).count(), 0);
        QCOMPARE(f.model.slot(6).totalOut, 0);
        QCOMPARE(f.rows().count(), 3);
        QVERIFY(d.cmdCancel->isEnabled());

        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        QCOMPARE(f.rows().count(), 2);
        QCOMPARE(f.rows().cell(1, MonthListModel::Out), QStringLiteral("100"));
        QCOMPARE(f.panel(3), QStringLiteral("支出 : 100"));
        QVERIFY(!d.cmdCancel->isEnabled());
        QCOMPARE(d.addedLog, QStringList{QString()});
        QTest::mouseClick(d.cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.model.slot(4).count(), 1);
    QCOMPARE(f.model.slot(4).totalOut, 100);
}

void TestEntryDialog::noToEmptySubKeepsDialogOpen()
{
    EntryFixture f;
    f.show();
    f.whileAdding([&] {
        f.typeDate(QStringLiteral("04/08"));
        f.typeMoney(QStringLiteral("640"));
        f.prompter.answers.enqueue(Prompter::Answer::No);
        QTest::mouseClick(f.dialog->cmdOK, Qt::LeftButton);
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("摘要項目が未入力ですがよろしいですか。")});
        QVERIFY(f.dialog->isVisible());
        QCOMPARE(f.rows().count(), 1);
        QCOMPARE(f.dialog->txtMoney->text(), QStringLiteral("640"));

        f.prompter.answers.enqueue(Prompter::Answer::Yes);
        QTest::mouseClick(f.dialog->cmdOK, Qt::LeftButton);
        QCOMPARE(f.rows().count(), 2);
        QVERIFY(f.rows().cell(1, MonthListModel::Sub).isEmpty());
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.model.slot(4).entries[0].sub(), QStringLiteral("00"));
    QCOMPARE(f.prompter.unexpected, 0);
}

void TestEntryDialog::subItemRegistration_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("number"); // the entry's sub-item number
    QTest::addColumn<QString>("masterLine"); // empty: the master is not written
    QTest::addColumn<QString>("shown"); // the list shows the name as the master holds it

    QTest::newRow("known") << "外食" << "01" << "" << "外食";
    QTest::newRow("known, other case") << "LUNCH" << "02" << "" << "Lunch";
    QTest::newRow("beginning of a known name") << "外" << "03" << "0103外" << "外";
    QTest::newRow("beginning, latin") << "Lun" << "03" << "0103Lun" << "Lun";
    QTest::newRow("new, spaces trimmed") << "  お菓子 " << "03" << "0103お菓子" << "お菓子";
}

void TestEntryDialog::subItemRegistration()
{
    QFETCH(QString, typed);
    QFETCH(QString, number);
    QFETCH(QString, masterLine);
    QFETCH(QString, shown);
    EntryFixture f;
    f.show();
    const QByteArray before = f.home.readBytes(QStringLiteral("MainSub.zbt"));
    f.whileAdding([&] {
        f.addOne(QStringLiteral("04/03"), QStringLiteral("食費"), typed, QStringLiteral("300"));
        QCOMPARE(f.rows().cell(1, MonthListModel::Sub), shown);
        QCOMPARE(f.dialog->lstSub->count(), masterLine.isEmpty() ? 2 : 3);
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.model.slot(4).entries[0].sub(), number);
    const QByteArray after = f.home.readBytes(QStringLiteral("MainSub.zbt"));
    if (masterLine.isEmpty()) {
        QCOMPARE(after, before);
    } else {
        QVERIFY(after.contains(cp932("0102Lunch\r\n" + masterLine + "\r\n0200日用品")));
        QCOMPARE(f.model.category(QStringLiteral("01"))->nTekiyo.find(number)->name, typed.trimmed());
    }
}

void TestEntryDialog::otherMonthRegistersSubItem()
{
    EntryFixture f;
    f.show();
    f.whileAdding([&] {
        f.addOne(QStringLiteral("07/07"), QStringLiteral("日用品"), QStringLiteral("洗剤"), QStringLiteral("398"));
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.model.slot(7).count(), 1);
    QCOMPARE(f.model.slot(7).entries[0].sub(), QStringLiteral("01"));
    QVERIFY(f.home.readBytes(QStringLiteral("MainSub.zbt")).contains(cp932("0200日用品:1:65280:0\r\n0201洗剤\r\n")));
}

void TestEntryDialog::unsavableSubItemRefused()
{
    EntryFixture f;
    f.show();
    const QByteArray before = f.home.readBytes(QStringLiteral("MainSub.zbt"));
    f.whileAdding([&] {
        f.typeDate(QStringLiteral("04/03"));
        f.dialog->txtSub->setText(QStringLiteral("寿司🍣"));
        f.typeMoney(QStringLiteral("1500"));
        QTest::mouseClick(f.dialog->cmdOK, Qt::LeftButton);
        QCOMPARE(f.prompter.messages().size(), 1);
        QVERIFY(f.prompter.messages()[0].contains(QStringLiteral("🍣")));
        QVERIFY(f.prompter.messages()[0].contains(QStringLiteral("保存できない")));
        QCOMPARE(f.rows().count(), 1);
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.home.readBytes(QStringLiteral("MainSub.zbt")), before);
    QCOMPARE(f.model.category(QStringLiteral("01"))->nTekiyo.count(), 2);
}

void TestEntryDialog::failedMasterSaveKeepsEntry()
{
    EntryFixture f;
    f.show();
    // A folder in place of the master: the save cannot replace it.
    QFile::remove(f.home.path(QStringLiteral("MainSub.zbt")));
    QVERIFY(QDir().mkdir(f.home.path(QStringLiteral("MainSub.zbt"))));
    f.whileAdding([&] {
        f.addOne(QStringLiteral("04/03"), QStringLiteral("食費"), QStringLiteral("パン"), QStringLiteral("280"));
        QCOMPARE(f.prompter.messages().size(), 1);
        QVERIFY(f.prompter.messages()[0].contains(QStringLiteral("保存できませんでした")));
        QCOMPARE(f.rows().count(), 2);
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.model.slot(4).count(), 1);
    QCOMPARE(f.model.slot(4).entries[0].sub(), QStringLiteral("03"));
}

void TestEntryDialog::closeWritesBackAndRanks()
{
    EntryFixture f;
    f.model.setCurMonth(3); // the ranking counts February and March (startMonth 3)
    f.seed(QStringLiteral("03/02"), QStringLiteral("02"), QStringLiteral("00"), 100);
    f.show();
    QCOMPARE(f.dialog->cmbMain->itemText(0), QStringLiteral("食費")); // before: master order
    f.whileAdding([&] {
        f.addOne(QStringLiteral("03/20"), QStringLiteral("給与"), QStringLiteral("本給"), QStringLiteral("300000"));
        f.addOne(QStringLiteral("03/02"), QStringLiteral("給与"), QStringLiteral("賞与"), QStringLiteral("100000"));
        f.addOne(QStringLiteral("03/01"), QStringLiteral("食費"), QString(), QStringLiteral("50"));
        QCOMPARE(f.model.slot(3).count(), 4); // each entry is in its slot at once
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QVERIFY(!f.dialog->isVisible());
    const MonthSlot& march = f.model.slot(3);
    QCOMPARE(march.count(), 4);
    QStringList lines;
    for (const Entry& e : march.entries) {
        lines << QStringList{e.date(), e.category(), e.sub(), QString::number(e.out), QString::number(e.in)}.join(' ');
        QCOMPARE(f.rows().cell(f.rowOf(e.id), MonthListModel::Category), f.model.category(e.category())->name);
    }
    QCOMPARE(lines, (QStringList{"03/01 01 00 50 0", "03/02 02 00 100 0", "03/02 03 02 0 100000", "03/20 03 01 0 300000"}));
    QCOMPARE(march.totalOut, 150);
    QCOMPARE(march.totalIn, 400000);
    QCOMPARE(f.dialog->cmbMain->itemText(0), QStringLiteral("給与"));
    QCOMPARE(f.dialog->cmbMain->currentIndex(), 0);
    QCOMPARE(f.dialog->addedLog, QStringList{QString()});
}

void TestEntryDialog::escapeInAddModeWritesBack()
{
    EntryFixture f;
    f.show();
    f.whileAdding([&] {
        f.addOne(QStringLiteral("04/09"), QStringLiteral("日用品"), QStringLiteral("電池"), QStringLiteral("450"));
        QTest::keyClick(f.dialog, Qt::Key_Escape);
    });
    QCOMPARE(f.model.slot(4).count(), 1);
    QCOMPARE(f.model.slot(4).totalOut, 450);
}

void TestEntryDialog::earlierMonthUpdatesBroughtForward()
{
    EntryFixture f;
    f.model.SetCarryOver(10000, f.model.carryAuto());
    f.seed(QStringLiteral("04/05"), QStringLiteral("02"), QStringLiteral("00"), 100);
    f.show();
    QCOMPARE(f.rows().cell(0, MonthListModel::Balance), QStringLiteral("10,000"));
    f.views->selectRow(1);
    f.whileAdding([&] {
        f.addOne(QStringLiteral("02/10"), QStringLiteral("食費"), QStringLiteral("外食"), QStringLiteral("2500"));
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.rows().cell(0, MonthListModel::Balance), QStringLiteral("7,500"));
    QCOMPARE(f.column(MonthListModel::Balance), (QStringList{"7,500", "7,400"}));
    QCOMPARE(f.panel(2), QStringLiteral("繰越高 : 7,500"));
    QCOMPARE(f.views->selectedRow(), 1);
}

void TestEntryDialog::changeInPlace()
{
    EntryFixture f;
    f.seed(QStringLiteral("04/05"), QStringLiteral("02"), QStringLiteral("00"), 100);
    const EntryId id = f.seed(QStringLiteral("04/05"), QStringLiteral("01"), QStringLiteral("01"), 1200);
    f.show();
    f.views->selectRow(2);
    const bool opened = f.whileOpen([&] { f.edit->mnuEditItem(1); }, [&] {
        frmData& d = *f.dialog;
        QCOMPARE(d.windowTitle(), QStringLiteral("家計簿データ 変更"));
        QCOMPARE(d.tag, QStringLiteral("04/05")); // from the day's first row
        QCOMPARE(d.txtDate->text(), QStringLiteral("04/05"));
        QCOMPARE(d.cmbMain->currentText(), QStringLiteral("食費"));
        QCOMPARE(d.txtSub->text(), QStringLiteral("外食"));
        QCOMPARE(d.txtMoney->text(), QStringLiteral("1200"));
        QCOMPARE(d.cmdOK->text(), QStringLiteral("押せません"));
        QVERIFY(!d.cmdOK->isEnabled());
        QCOMPARE(d.cmdExit->text(), QStringLiteral("OK(&O)"));
        QCOMPARE(d.cmdCancel->text(), QStringLiteral("キャンセル(&Q)"));
        QVERIFY(d.cmdCancel->isEnabled());
        f.typeSub(QStringLiteral("Lunchbox"));
        d.txtMoney->clear();
        f.typeMoney(QStringLiteral("1200+300\n\n")); // the second Enter is OK
    });
    QVERIFY(opened);
    QCOMPARE(f.rowOf(id), 2);
    QCOMPARE(f.rows().cell(2, MonthListModel::Sub), QStringLiteral("Lunchbox"));
    QCOMPARE(f.rows().cell(2, MonthListModel::Out), QStringLiteral("1,500"));
    QCOMPARE(f.panel(3), QStringLiteral("支出 : 1,600"));
    const Entry& e = f.model.slot(4).entries[1];
    QCOMPARE(e.id, id);
    QCOMPARE(e.sub(), QStringLiteral("03"));
    QCOMPARE(e.out, 1500);
    QVERIFY(f.masterText().contains(QStringLiteral("0103Lunchbox\r\n")));
}

void TestEntryDialog::changeDate_data()
{
    QTest::addColumn<QString>("newDate");
    QTest::addColumn<QStringList>("dates"); // 日付 column afterwards
    QTest::addColumn<int>("aprilCount");

    // Rows: 04/05 (changed entry), 04/05, 04/09.
    QTest::newRow("later day") << "04/20" << QStringList{"", "04/05", "04/09", "04/20"} << 3;
    QTest::newRow("day 01") << "04/01" << QStringList{"", "04/01", "04/05", "04/09"} << 3;
    QTest::newRow("other month") << "05/02" << QStringList{"", "04/05", "04/09"} << 2;
}

void TestEntryDialog::changeDate()
{
    QFETCH(QString, newDate);
    QFETCH(QStringList, dates);
    QFETCH(int, aprilCount);
    EntryFixture f;
    f.seed(QStringLiteral("04/05"), QStringLiteral("01"), QStringLiteral("01"), 700);
    f.seed(QStringLiteral("04/05"), QStringLiteral("02"), QStringLiteral("00"), 100);
    f.seed(QStringLiteral("04/09"), QStringLiteral("02"), QStringLiteral("00"), 200);
    f.show();
    f.views->selectRow(1);
    f.whileOpen([&] { f.edit->mnuEditItem(1); }, [&] {
        f.typeDate(newDate);
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.column(MonthListModel::Date), dates);
    QCOMPARE(f.model.slot(4).count(), aprilCount);
    QCOMPARE(f.panel(3), QStringLiteral("支出 : ") + Fmt::hash0(aprilCount == 3 ? 1000 : 300));
    const MonthSlot& target = f.model.slot(newDate.left(2).toInt());
    const auto moved = std::find_if(target.entries.begin(), target.entries.end(),
                                    [&](const Entry& e) { return e.date() == newDate; });
    QVERIFY(moved != target.entries.end());
    QCOMPARE(moved->out, 700);
    QCOMPARE(moved->sub(), QStringLiteral("01"));
}

void TestEntryDialog::cancelChangesNothing()
{
    EntryFixture f;
    f.seed(QStringLiteral("04/05"), QStringLiteral("01"), QStringLiteral("01"), 700);
    f.show();
    f.views->selectRow(1);
    f.whileOpen([&] { f.edit->mnuEditItem(1); }, [&] {
        f.typeDate(QStringLiteral("04/06"));
        f.dialog->txtMoney->setText(QStringLiteral("5"));
        QTest::keyClick(f.dialog, Qt::Key_Escape);
    });
    QCOMPARE(f.column(MonthListModel::Out), (QStringList{"", "700"}));
    QCOMPARE(f.model.slot(4).entries[0].date(), QStringLiteral("04/05"));
    QCOMPARE(f.model.slot(4).entries[0].out, 700);
}

void TestEntryDialog::datePicker()
{
    EntryFixture f;
    f.show();
    // Runs `act` on the picker once it is open; returns the date it opened on.
    auto withPicker = [&](const std::function<void(frmDataCalender&)>& act) {
        QString opened;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* picker = qobject_cast<frmDataCalender*>(w); picker && picker->isVisible()) {
                    opened = picker->GetDate();
                    act(*picker);
                }
            }
        });
        timer.start(0);
        QTest::mouseClick(f.dialog->cmbDate, Qt::LeftButton);
        timer.stop(); // no picker opened: nothing left to fire later
        return opened;
    };
    f.whileAdding([&] {
        frmData& d = *f.dialog;
        f.typeDate(QStringLiteral("04/31"));
        QCOMPARE(withPicker([](frmDataCalender& p) { p.reject(); }), QString());
        QCOMPARE(f.prompter.messages(), QStringList{kNoDate});
        QCOMPARE(d.focusWidget(), d.txtDate);

        f.typeDate(QStringLiteral("04/05"));
        QCOMPARE(withPicker([](frmDataCalender& p) { QTest::keyClick(&p, Qt::Key_Escape); }), QStringLiteral("04/05"));
        QCOMPARE(d.txtDate->text(), QStringLiteral("04/05"));
        QCOMPARE(withPicker([](frmDataCalender& p) { QTest::mouseClick(p.cmdToday, Qt::LeftButton); }),
                 QStringLiteral("04/05"));
        QCOMPARE(d.txtDate->text(), QStringLiteral("03/15"));
        QCOMPARE(d.focusWidget(), d.cmbMain);
        QTest::mouseClick(d.cmdExit, Qt::LeftButton);
    });
}

QTEST_MAIN(TestEntryDialog)
#include "test_entrydialog.moc"
