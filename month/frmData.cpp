#include "frmData.h"

#include "EntryRows.h"
#include "Formats.h"
#include "LedgerModel.h"
#include "LineText.h"
#include "MonthListModel.h"
#include "MonthViews.h"
#include "TextFile.h"
#include "frmDataCalender.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace {
constexpr qint64 kMaxAmount = std::numeric_limits<qint32>::max();

const QString kShortMessage = QStringLiteral("入力データの内容が不足です。");
const QString kDigitsMessage =
    QStringLiteral("日付の桁数が [5 桁] 以外です。\r\n\r\n  形式は [mm/dd](1桁の場合は先頭に 0 を入れて下さい)");
const QString kNoDateMessage = QStringLiteral("存在しない日付か、または日付として認識できません。");
const QString kSlashMessage = QStringLiteral("日付の形式は [mm/dd](1桁の場合は先頭に 0 を挿入) です。");
const QString kNotNumberMessage = QStringLiteral("入力された金額データが数値ではありません。");
const QString kMinusMessage = QStringLiteral("金額が -(マイナス)になってしまいます。");
const QString kNoSubQuestion = QStringLiteral("摘要項目が未入力ですがよろしいですか。");

QString tooLargeMessage()
{
    return QStringLiteral("金額が大きすぎます。\r\n\r\n金額は %1 円以下で入力して下さい。").arg(Fmt::hash0(kMaxAmount));
}

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// "mm/dd" (or with "-" or "." between) naming a day of the year.
bool readsAsDate(const QString& text, int year)
{
    if (text.size() != 5 || !isAsciiDigit(text[0]) || !isAsciiDigit(text[1]) || !isAsciiDigit(text[3])
        || !isAsciiDigit(text[4]))
        return false;
    if (!QStringLiteral("/-.").contains(text[2]))
        return false;
    return QDate(year, text.left(2).toInt(), text.right(2).toInt()).isValid();
}

// The lowest sub-item number "01".."99" the category does not use, or empty.
QString freeSubNumber(const clsHimoku& c)
{
    for (int n = 1; n <= 99; ++n)
        if (!c.nTekiyo.contains(Fmt::zero2(n)))
            return Fmt::zero2(n);
    return {};
}
}

frmData::frmData(LedgerModel& model, MonthViews& views, QWidget* parent)
    : QDialog(parent), model_(model), views_(views)
{
    setObjectName(QStringLiteral("frmData"));
    setWindowTitle(QStringLiteral("追加または変更"));
    setModal(true);

    auto named = [](auto* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    lblDate = named(new QLabel(QStringLiteral("日付")), "lblDate");
    txtDate = named(new QLineEdit, "txtDate");
    cmbDate = named(new QToolButton, "cmbDate");
    lblDateFormat = named(new QLabel(QStringLiteral("日付の形式は [mm/dd] (mm：月 dd：日） "
                                                    "(1桁の月/日の場合前に 0 を挿入して下さい）")),
                          "lblDateFormat");
    lblMain = named(new QLabel(QStringLiteral("費目")), "lblMain");
    cmbMain = named(new QComboBox, "cmbMain");
    lblSub = named(new QLabel(QStringLiteral("摘要項目")), "lblSub");
    txtSub = named(new QLineEdit, "txtSub");
    lstSub = named(new QListWidget, "lstSub");
    fraMoney = named(new QGroupBox(QStringLiteral("金額")), "fraMoney");
    optOut = named(new QRadioButton(QStringLiteral("出金")), "optOut");
    optIn = named(new QRadioButton(QStringLiteral("入金")), "optIn");
    txtMoney = named(new QLineEdit, "txtMoney");
    cmdOK = named(new QPushButton(QStringLiteral("OK")), "cmdOK");
    cmdExit = named(new QPushButton(QStringLiteral("終了")), "cmdExit");
    cmdCancel = named(new QPushButton(QStringLiteral("元に戻す")), "cmdCancel");

    // Dates and amounts are typed as plain digits.
    txtDate->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtMoney->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtDate->setFixedWidth(txtDate->fontMetrics().horizontalAdvance(QStringLiteral("00/00")) + 16);
    cmbDate->setArrowType(Qt::DownArrow);
    cmbDate->setFocusPolicy(Qt::NoFocus);
    lblDateFormat->setWordWrap(true);
    lblDate->setBuddy(txtDate);
    lblMain->setBuddy(cmbMain);
    lblSub->setBuddy(txtSub);
    cmbMain->setEditable(false);
    cmbMain->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbMain->setMinimumContentsLength(12);
    txtMoney->setAlignment(Qt::AlignRight);
    txtMoney->setToolTip(QStringLiteral("計算機能付き!! 加減算ができます。"));
    // The kind of amount follows the category; the user cannot make an
    // expense category take income.
    for (QRadioButton* o : {optOut, optIn}) {
        o->setFocusPolicy(Qt::NoFocus);
        o->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    // Enter belongs to the amount field; no button is pressed by it.
    for (QPushButton* b : {cmdOK, cmdExit, cmdCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* dateRow = new QHBoxLayout;
    dateRow->setSpacing(2);
    dateRow->addWidget(txtDate);
    dateRow->addWidget(cmbDate);
    dateRow->addStretch();

    auto* moneyBox = new QVBoxLayout(fraMoney);
    auto* options = new QHBoxLayout;
    options->addWidget(optOut);
    options->addWidget(optIn);
    options->addStretch();
    moneyBox->addLayout(options);
    moneyBox->addWidget(txtMoney);
    moneyBox->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdExit);
    buttons->addWidget(cmdCancel);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblDate, 0, 0);
    grid->addLayout(dateRow, 0, 1);
    grid->addWidget(lblDateFormat, 0, 2);
    grid->addWidget(lblMain, 1, 0);
    grid->addWidget(cmbMain, 1, 1);
    grid->addWidget(fraMoney, 1, 2, 3, 1);
    grid->addWidget(lblSub, 2, 0);
    grid->addWidget(txtSub, 2, 1);
    grid->addWidget(lstSub, 3, 1);
    grid->addLayout(buttons, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    lstSub->setMinimumHeight(110);

    setTabOrder(txtDate, cmbMain);
    setTabOrder(cmbMain, txtSub);
    setTabOrder(txtSub, lstSub);
    setTabOrder(lstSub, txtMoney);
    setTabOrder(txtMoney, cmdOK);
    setTabOrder(cmdOK, cmdExit);
    setTabOrder(cmdExit, cmdCancel);

    txtMoney->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmData::cmdOK_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmData::cmdExit_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmData::cmdCancel_Click);
    connect(cmbDate, &QToolButton::clicked, this, &frmData::cmbDate_Click);
    connect(cmbMain, &QComboBox::currentIndexChanged, this, [this] { cmbMain_Click(); });
    // A selection, not the current item: the list makes its first item
    // current when it gains the focus, which must not replace the typed text.
    connect(lstSub, &QListWidget::itemSelectionChanged, this, [this] {
        if (!lstSub->selectedItems().isEmpty())
            lstSub_Click();
    });
    connect(lstSub, &QListWidget::itemClicked, this, [this] { lstSub_Click(); });

    addedLog = QStringList{QString()};
    model_.onCategoriesRanked = [this](const QStringList& names) { fillCategories(names); };
    fillCategories(model_.RankCategoriesByUse());
    setButtonsForMode();
}

// ---- opening ----

void frmData::prepareAdd(const QString& date)
{
    tag.clear();
    setWindowTitle(QStringLiteral("家計簿データ 追加"));
    addedLog = QStringList{QString()};
    added_.clear();
    changeEntryId_ = 0;
    txtDate->setText(date);
    if (!model_.categoryList.isEmpty()) {
        const QSignalBlocker block(cmbMain);
        const int i = cmbMain->findText(model_.categoryList.at(0)->name, Qt::MatchFixedString);
        if (i >= 0)
            cmbMain->setCurrentIndex(i);
    }
    cmbMain_Click();
}

void frmData::prepareChange(const QString& date, const QString& category, const QString& sub, const QString& amount,
                            quint64 entryId)
{
    tag = date;
    setWindowTitle(QStringLiteral("家計簿データ 変更"));
    changeEntryId_ = entryId;
    txtDate->setText(date);
    {
        const QSignalBlocker block(cmbMain);
        cmbMain->setCurrentIndex(cmbMain->findText(category, Qt::MatchFixedString));
    }
    txtSub->setText(sub);
    txtMoney->setText(amount);
    cmbMain_Click();
}

int frmData::showModal() { return exec(); }

void frmData::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Activate();
}

void frmData::Activate()
{
    calcTotal = 0;
    calcOp.clear();
    setButtonsForMode();
    cmbMain->setFocus();
}

void frmData::setButtonsForMode()
{
    if (isAddMode()) {
        cmdOK->setText(QStringLiteral("OK"));
        cmdOK->setEnabled(true);
        cmdExit->setText(QStringLiteral("終了"));
        cmdCancel->setText(QStringLiteral("元に戻す"));
        cmdCancel->setEnabled(addedLog.size() > 1);
    } else {
        cmdOK->setText(QStringLiteral("押せません"));
        cmdOK->setEnabled(false);
        cmdExit->setText(QStringLiteral("OK"));
        cmdCancel->setText(QStringLiteral("キャンセル"));
        cmdCancel->setEnabled(true);
    }
}

void frmData::fillCategories(const QStringList& names)
{
    {
        const QSignalBlocker block(cmbMain);
        cmbMain->clear();
        cmbMain->addItems(names);
        if (!names.isEmpty())
            cmbMain->setCurrentIndex(0);
    }
    cmbMain_Click();
}

// ---- control events ----

void frmData::cmbMain_Click()
{
    const auto c = model_.categoryNamed(cmbMain->currentText());
    {
        const QSignalBlocker block(lstSub);
        lstSub->clear();
        if (c)
            for (const auto& t : c->sTekiyo)
                lstSub->addItem(t.item->name);
    }
    if (c) {
        optOut->setChecked(c->ioflag == 1);
        optIn->setChecked(c->ioflag != 1);
    }
    if (isAddMode()) {
        txtMoney->clear();
        txtSub->clear();
    }
}

void frmData::lstSub_Click()
{
    const QListWidgetItem* item = lstSub->currentItem();
    if (!item)
        return;
    txtSub->setText(item->text());
    if (isAddMode())
        txtMoney->clear();
}

void frmData::cmbDate_Click()
{
    const QString date = txtDate->text();
    if (!readsAsDate(date, model_.curYear)) {
        model_.prompter().message(kNoDateMessage, Prompter::Icon::Warning);
        txtDate->setFocus();
        return;
    }
    const int month = date.left(2).toInt();
    frmDataCalender picker(model_, this);
    picker.move(cmbDate->mapToGlobal(QPoint(0, 2 * cmbDate->height())));
    picker.chosenMonth = QString::number(month);
    picker.SetDate(QDate(model_.curYear, month, date.right(2).toInt()));
    picker.RemakeCalender();
    if (picker.exec() == QDialog::Accepted && !picker.pickedDate().isEmpty())
        txtDate->setText(picker.pickedDate());
    Activate();
}

// ---- validation ----

bool frmData::ValidateEntry()
{
    Prompter& p = model_.prompter();
    auto refuse = [&p](const QString& text) {
        p.message(text, Prompter::Icon::Warning);
        return false;
    };
    const QString date = txtDate->text();
    const QString money = trimSpaces(txtMoney->text());
    const QString sub = trimSpaces(txtSub->text());
    if (money.isEmpty() || trimSpaces(cmbMain->currentText()).isEmpty() || trimSpaces(date).isEmpty())
        return refuse(kShortMessage);
    if (date.size() != 5)
        return refuse(kDigitsMessage);
    if (!readsAsDate(date, model_.curYear))
        return refuse(kNoDateMessage);
    if (!date.contains(QLatin1Char('/')))
        return refuse(kSlashMessage);
    if (!Num::isNumeric(money))
        return refuse(kNotNumberMessage);
    const auto amount = Num::toInt32(money);
    if (!amount)
        return refuse(tooLargeMessage());
    // The year file keeps no sign of its own; a negative amount would be lost.
    if (*amount < 0)
        return refuse(kMinusMessage);
    if (!sub.isEmpty()) {
        QByteArray encoded;
        QString bad;
        if (!TextFile::encode(sub, encoded, &bad))
            return refuse(QStringLiteral("摘要項目の文字「%1」はファイルに保存できない文字のため、入力できません。")
                              .arg(bad));
        const auto c = model_.categoryNamed(cmbMain->currentText());
        if (c && !c->sTekiyo.contains(sub) && freeSubNumber(*c).isEmpty())
            return refuse(QStringLiteral("費目 [%1] には摘要項目をこれ以上登録できません (99 項目まで)。\r\n\r\n"
                                         "登録済みの摘要項目を選んで下さい。")
                              .arg(c->name));
    }
    if (sub.isEmpty() && p.question(kNoSubQuestion, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return false;
    return true;
}

// ---- adding ----

QString frmData::amountCell(bool out) const
{
    if (optOut->isChecked() != out)
        return {};
    return Fmt::hash(Num::toInt32(trimSpaces(txtMoney->text())).value_or(0));
}

QString frmData::addedKey() const
{
    return txtDate->text() + cmbMain->currentText() + trimSpaces(txtSub->text()) + trimSpaces(txtMoney->text());
}

void frmData::cmdOK_Click()
{
    if (!isAddMode() || !ValidateEntry())
        return;
    const int month = txtDate->text().left(2).toInt();
    quint64 id = 0;
    if (month == model_.curMonth) {
        InsertEntryRow();
        id = lastRowId_;
    } else {
        Entry e = buildEntry();
        id = e.id = model_.nextEntryId();
        model_.InsertEntry(e);
        noteOtherMonth(month);
    }
    addedLog << addedKey();
    added_.push_back({month, id});
    if (model_.summaryMode > 0)
        refreshSummary();
    cmdCancel->setEnabled(true);
    txtMoney->clear();
    txtSub->clear();
}

void frmData::InsertEntryRow()
{
    MonthListModel& rows = *views_.monthRows;
    const QString date = txtDate->text();
    const QString day = date.right(2);
    int first = -1;
    for (int r = 0; r < rows.count(); ++r) {
        if (rows.row(r).tag == day) {
            first = r;
            break;
        }
    }
    MonthRow row;
    int at = rows.count();
    if (first < 0) {
        const int d = day.toInt();
        for (int r = 1; r < rows.count(); ++r) {
            if (rows.row(r).tag.toInt() > d) {
                at = r;
                break;
            }
        }
        row.cells[MonthListModel::Date] = date;
    } else {
        int last = first;
        while (last + 1 < rows.count() && rows.row(last + 1).tag == day)
            ++last;
        at = last + 1;
        // Row 0 carries tag "01" too; the first entry of day 01 shows its date.
        if (last == 0)
            row.cells[MonthListModel::Date] = date;
    }
    row.tag = day;
    row.cells[MonthListModel::Category] = cmbMain->currentText();
    row.cells[MonthListModel::Sub] = trimSpaces(txtSub->text());
    row.cells[MonthListModel::Out] = amountCell(true);
    row.cells[MonthListModel::In] = amountCell(false);
    row.entryId = lastRowId_ = model_.nextEntryId();
    rows.insertRow(at, row);
    views_.selectRow(at);
    views_.UpdateBalances(&rows);
    if (!row.cells[MonthListModel::Sub].isEmpty())
        RegisterSubItem();
}

void frmData::RegisterSubItem()
{
    const QString name = trimSpaces(txtSub->text());
    const auto c = model_.categoryNamed(cmbMain->currentText());
    // Whole names, letter case ignored: a name that only begins like a
    // known one is still new.
    if (name.isEmpty() || !c || c->sTekiyo.contains(name))
        return;
    const QString no = freeSubNumber(*c);
    if (no.isEmpty())
        return;
    {
        const QSignalBlocker block(lstSub);
        lstSub->addItem(name);
    }
    c->addsub(no, name);
    // A failed save has been reported; the sub-item stays in memory and is
    // saved with the next write of the master.
    model_.WriteCategoryMaster();
}

Entry frmData::buildEntry()
{
    Entry e;
    e.date = txtDate->text();
    const auto c = model_.categoryNamed(cmbMain->currentText());
    if (c)
        e.category = c->no;
    const QString sub = trimSpaces(txtSub->text());
    if (c && !sub.isEmpty()) {
        RegisterSubItem();
        if (const auto t = c->sTekiyo.find(sub))
            e.sub = t->no;
    }
    const qint32 amount = Num::toInt32(trimSpaces(txtMoney->text())).value_or(0);
    (optOut->isChecked() ? e.out : e.in) = amount;
    return e;
}

void frmData::noteOtherMonth(int month)
{
    if (month < model_.curMonth)
        earlierMonthChanged_ = true;
}

void frmData::refreshSummary()
{
    // The category summary reads the month slot, which otherwise lags the
    // list until the dialog closes.
    if (model_.summaryMode == 2)
        writeBack();
    views_.ShowCompress();
}

// ---- undo ----

void frmData::cmdCancel_Click()
{
    if (isAddMode()) {
        undoLast();
        return;
    }
    done(QDialog::Rejected);
}

void frmData::undoLast()
{
    if (added_.empty()) {
        cmdCancel->setEnabled(false);
        return;
    }
    const AddedEntry a = added_.back();
    if (a.month == model_.curMonth) {
        MonthListModel& rows = *views_.monthRows;
        const int r = rows.findEntry(a.id, 1);
        if (r > 0)
            removeEntryRow(rows, r);
        views_.UpdateBalances(&rows);
        if (model_.summaryMode > 0)
            refreshSummary();
    } else if (removeSlotEntry(model_.slot(a.month), a.id)) {
        noteOtherMonth(a.month);
    }
    added_.pop_back();
    addedLog.removeLast();
    cmdCancel->setEnabled(addedLog.size() > 1);
}

// ---- closing ----

void frmData::cmdExit_Click()
{
    if (!isAddMode()) {
        if (!ValidateEntry())
            return;
        applyChange();
    } else {
        addedLog = QStringList{QString()};
        added_.clear();
    }
    done(QDialog::Accepted);

    const int selected = views_.selectedRow();
    const quint64 selectedId = selected > 0 ? views_.monthRows->row(selected).entryId : 0;
    writeBack();
    model_.RankCategoriesByUse();
    if (earlierMonthChanged_) {
        // The balance brought forward of the shown month has changed.
        earlierMonthChanged_ = false;
        views_.RefreshMonthView();
        if (const int r = selectedId ? views_.monthRows->findEntry(selectedId, 1) : -1; r > 0)
            views_.selectRow(r);
    } else {
        views_.ShowCompress();
    }
}

void frmData::applyChange()
{
    MonthListModel& rows = *views_.monthRows;
    const int r = rows.findEntry(changeEntryId_, 1);
    if (r <= 0)
        return;
    const QString date = txtDate->text();
    if (date != tag) {
        removeEntryRow(rows, r);
        const int month = date.left(2).toInt();
        if (month == model_.curMonth) {
            InsertEntryRow();
        } else {
            Entry e = buildEntry();
            e.id = model_.nextEntryId();
            model_.InsertEntry(e);
            noteOtherMonth(month);
            views_.UpdateBalances(&rows);
        }
        return;
    }
    MonthRow row = rows.row(r);
    row.cells[MonthListModel::Category] = cmbMain->currentText();
    row.cells[MonthListModel::Sub] = trimSpaces(txtSub->text());
    row.cells[MonthListModel::Out] = amountCell(true);
    row.cells[MonthListModel::In] = amountCell(false);
    rows.setRow(r, row);
    views_.UpdateBalances(&rows);
    if (!row.cells[MonthListModel::Sub].isEmpty())
        RegisterSubItem();
}

void frmData::reject()
{
    if (isAddMode())
        cmdExit_Click();
    else
        cmdCancel_Click();
}

void frmData::writeBack()
{
    const MonthListModel& rows = *views_.monthRows;
    MonthSlot& slot = model_.slot(model_.curMonth);
    const QString monthPart = Fmt::zero2(model_.curMonth) + QLatin1Char('/');

    // Rows repeat a few names; look each up once.
    QHash<QString, std::shared_ptr<clsHimoku>> categories;
    QHash<QString, QString> subs; // category no + "\t" + name -> sub-item no
    std::vector<Entry> entries;
    entries.reserve(std::max(0, rows.count() - 1));
    qint64 totalOut = 0;
    qint64 totalIn = 0;
    for (int r = 1; r < rows.count(); ++r) {
        const MonthRow& row = rows.row(r);
        const QString& name = row.cells[MonthListModel::Category];
        auto ci = categories.find(name);
        if (ci == categories.end())
            ci = categories.insert(name, model_.categoryNamed(name));
        const auto& c = ci.value();
        if (!c)
            continue;
        Entry e;
        e.date = monthPart + Fmt::zero2(row.tag.toInt());
        e.category = c->no;
        const QString& subName = row.cells[MonthListModel::Sub];
        if (!subName.isEmpty()) {
            const QString key = c->no + QLatin1Char('\t') + subName;
            auto si = subs.find(key);
            if (si == subs.end()) {
                const auto t = c->sTekiyo.find(subName);
                si = subs.insert(key, t ? t->no : QStringLiteral("00"));
            }
            e.sub = si.value();
        }
        e.out = qint32(Num::cellValue(row.cells[MonthListModel::Out]));
        e.in = qint32(Num::cellValue(row.cells[MonthListModel::In]));
        e.id = row.entryId ? row.entryId : model_.nextEntryId();
        totalOut += e.out;
        totalIn += e.in;
        entries.push_back(std::move(e));
    }
    slot.entries = std::move(entries);
    slot.totalOut = totalOut;
    slot.totalIn = totalIn;
}

// ---- the adding machine ----

bool frmData::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != txtMoney || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        moneyEnter();
        return true;
    }
    // Shortcuts (copy, paste, undo) and keys without a character pass.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) || key->text().isEmpty())
        return false;
    const QChar c = key->text().at(0);
    if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
        moneyKey(c);
        return true;
    }
    const bool accepted = isAsciiDigit(c) || c == QLatin1Char('.') || c == QLatin1Char('\b') || c == QLatin1Char('\r')
                          || c == QLatin1Char('\n');
    return !accepted;
}

std::optional<qint32> frmData::currentAmount()
{
    const QString text = trimSpaces(txtMoney->text());
    if (text.isEmpty())
        return 0;
    if (!Num::isNumeric(text)) {
        model_.prompter().message(kNotNumberMessage, Prompter::Icon::Warning);
        return std::nullopt;
    }
    const auto v = Num::toInt32(text);
    if (!v)
        model_.prompter().message(tooLargeMessage(), Prompter::Icon::Warning);
    return v;
}

void frmData::applyPending(qint32 current)
{
    const qint64 r = calcOp == QLatin1String("+") ? qint64(calcTotal) + current : qint64(calcTotal) - current;
    if (r < 0)
        model_.prompter().message(kMinusMessage, Prompter::Icon::Warning);
    else if (r > kMaxAmount)
        model_.prompter().message(tooLargeMessage(), Prompter::Icon::Warning);
    else
        calcTotal = qint32(r);
}

void frmData::moneyKey(QChar key)
{
    const auto current = currentAmount();
    if (!current)
        return;
    if (calcOp.isEmpty())
        calcTotal = *current;
    else
        applyPending(*current);
    calcOp = key;
    txtMoney->clear();
}

void frmData::moneyEnter()
{
    if (calcOp.isEmpty()) {
        if (isAddMode())
            cmdOK_Click();
        else
            cmdExit_Click();
        return;
    }
    const auto current = currentAmount();
    if (!current)
        return;
    applyPending(*current);
    calcOp.clear();
    txtMoney->setText(calcTotal > 0 ? QString::number(calcTotal) : QString());
}
