#include "month/frmData.h"

#include "ledger/LedgerModel.h"
#include "month/MonthListModel.h"
#include "month/MonthViews.h"
#include "calendar/frmDataCalender.h"
#include "month/frmDataText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

using namespace EntryText;

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
    lblDate = named(new QLabel(QStringLiteral("日付(&D)")), "lblDate");
    txtDate = named(new QLineEdit, "txtDate");
    cmbDate = named(new QToolButton, "cmbDate");
    lblDateFormat = named(new QLabel(QStringLiteral("日付の形式は [mm/dd] (mm：月 dd：日） "
                                                    "(1桁の月/日の場合前に 0 を挿入して下さい）")),
                          "lblDateFormat");
    lblMain = named(new QLabel(QStringLiteral("費目(&C)")), "lblMain");
    cmbMain = named(new QComboBox, "cmbMain");
    lblSub = named(new QLabel(QStringLiteral("摘要項目(&S)")), "lblSub");
    txtSub = named(new QLineEdit, "txtSub");
    lstSub = named(new QListWidget, "lstSub");
    // The frame's mnemonic leads to the amount, its one control that takes the focus.
    fraMoney = named(new QGroupBox(QStringLiteral("金額(&A)")), "fraMoney");
    optOut = named(new QRadioButton(QStringLiteral("出金")), "optOut");
    optIn = named(new QRadioButton(QStringLiteral("入金")), "optIn");
    txtMoney = named(new QLineEdit, "txtMoney");
    lblCalc = named(new QLabel, "lblCalc");
    cmdOK = named(new QPushButton(QStringLiteral("OK")), "cmdOK");
    cmdExit = named(new QPushButton(QStringLiteral("終了")), "cmdExit");
    cmdCancel = named(new QPushButton(QStringLiteral("元に戻す")), "cmdCancel");

    // Dates and amounts are typed as plain digits.
    txtDate->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtMoney->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtDate->setFixedWidth(txtDate->fontMetrics().horizontalAdvance(QStringLiteral("00/00")) + 16);
    cmbDate->setArrowType(Qt::DownArrow);
    cmbDate->setFocusPolicy(Qt::TabFocus);
    cmbDate->setToolTip(QStringLiteral("カレンダーから日付を選択します (F4)"));
    // One line: the dialog widens to hold the whole hint.
    lblDateFormat->setMinimumWidth(lblDateFormat->fontMetrics().horizontalAdvance(lblDateFormat->text()) + 4);
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
    moneyBox->addWidget(lblCalc);
    lblCalc->setAlignment(Qt::AlignRight);
    moneyBox->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdExit);
    buttons->addWidget(cmdCancel);

    // The long date-format hint gets a line of its own under the date.
    auto* grid = new QGridLayout(this);
    grid->addWidget(lblDate, 0, 0);
    grid->addLayout(dateRow, 0, 1);
    grid->addWidget(lblDateFormat, 1, 1, 1, 2);
    grid->addWidget(lblMain, 2, 0);
    grid->addWidget(cmbMain, 2, 1);
    grid->addWidget(fraMoney, 2, 2, 3, 1);
    grid->addWidget(lblSub, 3, 0);
    grid->addWidget(txtSub, 3, 1);
    grid->addWidget(lstSub, 4, 1);
    grid->addLayout(buttons, 5, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    lstSub->setMinimumHeight(110);

    setTabOrder(txtDate, cmbDate);
    setTabOrder(cmbDate, cmbMain);
    setTabOrder(cmbMain, txtSub);
    setTabOrder(txtSub, lstSub);
    setTabOrder(lstSub, txtMoney);
    setTabOrder(txtMoney, cmdOK);
    setTabOrder(cmdOK, cmdExit);
    setTabOrder(cmdExit, cmdCancel);

    for (QWidget* w : std::initializer_list<QWidget*>{txtDate, cmbDate, cmbMain, txtSub, lstSub, txtMoney})
        w->installEventFilter(this);
    // "2/5" is taken as 02/05 as soon as the field is left.
    connect(txtDate, &QLineEdit::editingFinished, this, &frmData::completeDate);
    // An input method's full-width digits and "／" become the date's own form.
    connect(txtDate, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const QString half = Num::halfWidth(text); half != text) {
            const int at = txtDate->cursorPosition();
            txtDate->setText(half);
            txtDate->setCursorPosition(at);
        }
    });
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
    connect(&model_, &LedgerModel::categoriesRanked, this, &frmData::fillCategories);
    model_.RankCategoriesByUse();
    setButtonsForMode();
}

frmData::~frmData() = default;

// ---- opening ----

void frmData::prepareAdd(const QString& date)
{
    tag.clear();
    setWindowTitle(QStringLiteral("家計簿データ 追加"));
    addedLog = QStringList{QString()};
    added_.clear();
    changeEntryId_ = 0;
    txtDate->setText(date);
    txtMoney->clear();
    if (!model_.categoryList().isEmpty()) {
        const QSignalBlocker block(cmbMain);
        const int i = cmbMain->findText(model_.categoryList().at(0)->name, Qt::MatchFixedString);
        if (i >= 0)
            cmbMain->setCurrentIndex(i);
    }
    cmbMain_Click();
}

void frmData::prepareChange(const QString& date, const QString& category, const QString& sub, const QString& amount,
                            EntryId entryId)
{
    tag = date;
    setWindowTitle(QStringLiteral("家計簿データ 変更"));
    changeEntryId_ = entryId;
    changeAmount_ = Num::toInt32(amount).value_or(0);
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
    showSubtotal();
    setButtonsForMode();
    cmbMain->setFocus();
}

void frmData::setButtonsForMode()
{
    if (isAddMode()) {
        cmdOK->setText(QStringLiteral("OK(&O)"));
        cmdOK->setEnabled(true);
        cmdExit->setText(QStringLiteral("終了(&X)"));
        cmdCancel->setText(QStringLiteral("元に戻す(&U)"));
        cmdCancel->setEnabled(addedLog.size() > 1);
    } else {
        cmdOK->setText(QStringLiteral("押せません"));
        cmdOK->setEnabled(false);
        cmdExit->setText(QStringLiteral("OK(&O)"));
        cmdCancel->setText(QStringLiteral("キャンセル(&Q)"));
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
    // The sub-item belongs to the category left; an amount typed first stays.
    if (isAddMode())
        txtSub->clear();
}

void frmData::lstSub_Click()
{
    const QListWidgetItem* item = lstSub->currentItem();
    if (!item)
        return;
    txtSub->setText(item->text());
}

void frmData::completeDate()
{
    const QString full = fullDate(txtDate->text());
    if (full != txtDate->text())
        txtDate->setText(full);
}

void frmData::cmbDate_Click()
{
    completeDate();
    const QString date = txtDate->text();
    if (!readsAsDate(date, model_.curYear())) {
        model_.prompter().message(kNoDateMessage, Prompter::Icon::Warning);
        txtDate->setFocus();
        return;
    }
    const int month = date.left(2).toInt();
    frmDataCalender picker(model_, this);
    picker.move(cmbDate->mapToGlobal(QPoint(0, 2 * cmbDate->height())));
    picker.chosenMonth = QString::number(month);
    picker.SetDate(QDate(model_.curYear(), month, date.right(2).toInt()));
    picker.RemakeCalender();
    QWidget* const back = focusWidget();
    const bool picked = picker.exec() == QDialog::Accepted && !picker.pickedDate().isEmpty();
    if (picked)
        txtDate->setText(picker.pickedDate());
    // Back in the dialog (also where no window manager hands the keyboard
    // back): on to the category after a choice, else where the user was. A
    // sum being typed stays.
    activateWindow();
    if (picked || !back)
        cmbMain->setFocus(Qt::OtherFocusReason);
    else
        back->setFocus(Qt::OtherFocusReason);
}

// ---- closing ----

void frmData::cmdExit_Click()
{
    if (!isAddMode()) {
        if (!finishSum() || !ValidateEntry())
            return;
        applyChange();
    } else {
        addedLog = QStringList{QString()};
        added_.clear();
    }
    done(QDialog::Accepted);
    model_.RankCategoriesByUse();
    views_.ShowCompress();
}

void frmData::reject()
{
    if (isAddMode())
        cmdExit_Click();
    else
        cmdCancel_Click();
}

void frmData::cmdCancel_Click()
{
    if (isAddMode()) {
        undoLast();
        return;
    }
    done(QDialog::Rejected);
}
