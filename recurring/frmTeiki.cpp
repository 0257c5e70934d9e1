#include "recurring/frmTeiki.h"

#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "recurring/TeikiBook.h"
#include "recurring/TeikiRows.h"
#include "ui/EnterKey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("定期入力の設定");

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}
}

frmTeiki::frmTeiki(TeikiBook& book, LedgerModel& model, QWidget* parent) : QDialog(parent), book_(book), model_(model)
{
    setObjectName(QStringLiteral("frmTeiki"));
    setWindowTitle(kTitle);
    buildWidgets();
    buildLayout();
    fillCategories();
    if (rows->rowCount() > 0)
        selectRule(rows->ruleId(0));
    else
        lvwTeiki->setFocus();
}

void frmTeiki::buildWidgets()
{
    rows = new TeikiRows(book_, model_, this);
    lvwTeiki = named(new QTreeView, "lvwTeiki");
    lvwTeiki->setModel(rows);
    lvwTeiki->setRootIsDecorated(false);
    lvwTeiki->setUniformRowHeights(true);
    lvwTeiki->setAllColumnsShowFocus(true);
    lvwTeiki->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwTeiki->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwTeiki->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwTeiki->header()->setSectionsMovable(false);
    lvwTeiki->installEventFilter(this);
    const QFontMetrics fm = fontMetrics();
    const int widths[TeikiRows::ColumnCount] = {10, 7, 7, 3, 6, 2, 8, 9, 2, 4};
    for (int c = 0; c < TeikiRows::ColumnCount; ++c)
        lvwTeiki->setColumnWidth(c, fm.horizontalAdvance(QStringLiteral("あ")) * widths[c] + 16);
    connect(lvwTeiki->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showRule(current.row()); });

    txtName = named(new QLineEdit, "txtName");
    txtName->setMaxLength(60);
    cmbCategory = named(new QComboBox, "cmbCategory");
    cmbSub = named(new QComboBox, "cmbSub");
    lblKind = named(new QLabel, "lblKind");
    lblKind->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("(入金)")) + 8);
    connect(cmbCategory, &QComboBox::currentIndexChanged, this, &frmTeiki::fillSubs);
    txtAmount = named(new QLineEdit, "txtAmount");
    txtAmount->setAlignment(Qt::AlignRight);
    txtAmount->setAttribute(Qt::WA_InputMethodEnabled, false);
    spnDay = named(new QSpinBox, "spnDay");
    spnDay->setRange(1, 31);
    spnDay->setSuffix(QStringLiteral(" 日"));
    optEvery = named(new QRadioButton(QStringLiteral("毎月(&E)")), "optEvery");
    optChosen = named(new QRadioButton(QStringLiteral("指定した月(&S)")), "optChosen");
    optEvery->setChecked(true);
    for (int m = 0; m < 12; ++m) {
        chkMonth[m] = new QCheckBox(QStringLiteral("%1月").arg(m + 1));
        chkMonth[m]->setObjectName(QStringLiteral("chkMonth%1").arg(m + 1));
        chkMonth[m]->setEnabled(false);
    }
    connect(optChosen, &QRadioButton::toggled, this, [this](bool on) {
        for (QCheckBox* c : chkMonth)
            c->setEnabled(on);
    });
    txtFirst = named(new QLineEdit, "txtFirst");
    txtLast = named(new QLineEdit, "txtLast");
    for (QLineEdit* e : {txtFirst, txtLast}) {
        e->setPlaceholderText(QStringLiteral("yyyy/mm"));
        e->setMaximumWidth(fm.horizontalAdvance(QStringLiteral("00000000000")));
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    chkOn = named(new QCheckBox(QStringLiteral("有効(&V)")), "chkOn");
    chkOn->setChecked(true);

    cmdAdd = named(new QPushButton(QStringLiteral("追加(&A)")), "cmdAdd");
    cmdChange = named(new QPushButton(QStringLiteral("変更(&M)")), "cmdChange");
    cmdDelete = named(new QPushButton(QStringLiteral("削除(&R)")), "cmdDelete");
    cmdClose = named(new QPushButton(QStringLiteral("閉じる")), "cmdClose");
    // Enter presses the focused button only; in a field it moves on.
    for (QPushButton* b : {cmdAdd, cmdChange, cmdDelete, cmdClose}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(cmdAdd, &QPushButton::clicked, this, &frmTeiki::cmdAdd_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmTeiki::cmdChange_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmTeiki::cmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmTeiki::buildLayout()
{
    auto label = [](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text);
        l->setBuddy(buddy);
        return l;
    };
    auto* fields = new QGroupBox(QStringLiteral("定期入力の内容"));
    auto* grid = new QGridLayout(fields);
    grid->addWidget(label(QStringLiteral("名称(&N)"), txtName), 0, 0);
    grid->addWidget(txtName, 0, 1, 1, 3);
    grid->addWidget(chkOn, 0, 4);
    grid->addWidget(label(QStringLiteral("費目(&C)"), cmbCategory), 1, 0);
    grid->addWidget(cmbCategory, 1, 1);
    grid->addWidget(label(QStringLiteral("摘要項目(&U)"), cmbSub), 1, 2);
    grid->addWidget(cmbSub, 1, 3);
    grid->addWidget(lblKind, 1, 4);
    grid->addWidget(label(QStringLiteral("金額(&K)"), txtAmount), 2, 0);
    auto* amountRow = new QHBoxLayout;
    amountRow->addWidget(txtAmount);
    amountRow->addWidget(new QLabel(QStringLiteral("円")));
    grid->addLayout(amountRow, 2, 1);
    grid->addWidget(label(QStringLiteral("毎月の日(&D)"), spnDay), 2, 2);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(spnDay);
    dayRow->addWidget(new QLabel(QStringLiteral("（月末を過ぎる日は、その月の末日）")));
    dayRow->addStretch();
    grid->addLayout(dayRow, 2, 3, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("月")), 3, 0);
    auto* monthRow = new QHBoxLayout;
    monthRow->addWidget(optEvery);
    monthRow->addWidget(optChosen);
    for (QCheckBox* c : chkMonth)
        monthRow->addWidget(c);
    monthRow->addStretch();
    grid->addLayout(monthRow, 3, 1, 1, 4);
    grid->addWidget(label(QStringLiteral("開始年月(&F)"), txtFirst), 4, 0);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(txtFirst);
    periodRow->addWidget(label(QStringLiteral("終了年月(&L)"), txtLast));
    periodRow->addWidget(txtLast);
    periodRow->addWidget(new QLabel(QStringLiteral("（yyyy/mm、省略可）")));
    periodRow->addStretch();
    grid->addLayout(periodRow, 4, 1, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdChange);
    buttons->addWidget(cmdDelete);
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    auto* main = new QVBoxLayout(this);
    main->addWidget(label(QStringLiteral("定期入力の一覧(&T)"), lvwTeiki));
    main->addWidget(lvwTeiki, 1);
    main->addWidget(fields);
    main->addLayout(buttons);

    setTabOrder(lvwTeiki, txtName);
    setTabOrder(txtName, chkOn);
    setTabOrder(chkOn, cmbCategory);
    setTabOrder(cmbCategory, cmbSub);
    setTabOrder(cmbSub, txtAmount);
    setTabOrder(txtAmount, spnDay);
    setTabOrder(spnDay, optEvery);
    setTabOrder(optEvery, optChosen);
    QWidget* previous = optChosen;
    for (QCheckBox* c : chkMonth) {
        setTabOrder(previous, c);
        previous = c;
    }
    setTabOrder(previous, txtFirst);
    setTabOrder(txtFirst, txtLast);
    setTabOrder(txtLast, cmdAdd);
    setTabOrder(cmdAdd, cmdChange);
    setTabOrder(cmdChange, cmdDelete);
    setTabOrder(cmdDelete, cmdClose);
    resize(860, 560);
}

void frmTeiki::fillCategories()
{
    cmbCategory->clear();
    for (const auto& c : model_.categoryList())
        cmbCategory->addItem(c.item->name, c.item->no.toInt());
    fillSubs();
}

void frmTeiki::fillSubs()
{
    cmbSub->clear();
    cmbSub->addItem(QStringLiteral("(なし)"), 0);
    const auto c = model_.category(Fmt::zero2(cmbCategory->currentData().toInt()));
    if (!c) {
        lblKind->clear();
        return;
    }
    for (const auto& t : c->nTekiyo)
        cmbSub->addItem(t.item->name, t.item->no.toInt());
    lblKind->setText(c->ioflag == 1 ? QStringLiteral("(出金)") : QStringLiteral("(入金)"));
}

int frmTeiki::selectedRow() const
{
    const QModelIndex i = lvwTeiki->selectionModel()->currentIndex();
    return lvwTeiki->selectionModel()->isRowSelected(i.row(), {}) ? i.row() : -1;
}

void frmTeiki::selectRule(int ruleId)
{
    const int r = rows->rowOf(ruleId);
    if (r < 0)
        return;
    lvwTeiki->selectionModel()->setCurrentIndex(rows->index(r, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvwTeiki->scrollTo(rows->index(r, 0));
    showRule(r);
}

void frmTeiki::showRule(int row)
{
    const TeikiRule* r = book_.rule(rows->ruleId(row));
    if (!r)
        return;
    txtName->setText(r->name);
    chkOn->setChecked(r->on);
    const int c = cmbCategory->findData(int(r->categoryNo));
    cmbCategory->setCurrentIndex(c);
    fillSubs();
    cmbSub->setCurrentIndex(std::max(0, cmbSub->findData(int(r->subNo))));
    txtAmount->setText(Fmt::hash0(r->amount));
    spnDay->setValue(r->day);
    const bool every = (r->months & TeikiRule::kEveryMonth) == TeikiRule::kEveryMonth;
    (every ? optEvery : optChosen)->setChecked(true);
    for (int m = 1; m <= 12; ++m)
        chkMonth[m - 1]->setChecked(!every && r->inMonth(m));
    txtFirst->setText(r->first.text());
    txtLast->setText(r->last.text());
}

bool frmTeiki::refuse(const QString& text, QWidget* field)
{
    model_.prompter().message(text, Prompter::Icon::Warning, kTitle);
    field->setFocus();
    return false;
}

bool frmTeiki::readFields(TeikiRule& rule)
{
    rule = {};
    rule.name = txtName->text().trimmed();
    if (rule.name.isEmpty())
        return refuse(QStringLiteral("名称が未入力です。"), txtName);
    if (const QString fault = LedgerModel::masterNameFault(rule.name, false); !fault.isEmpty())
        return refuse(fault, txtName);
    if (cmbCategory->currentIndex() < 0)
        return refuse(QStringLiteral("費目を選んで下さい。"), cmbCategory);
    rule.categoryNo = quint8(cmbCategory->currentData().toInt());
    rule.subNo = quint8(cmbSub->currentData().toInt());
    const auto amount = Num::toInt32(Num::halfWidth(txtAmount->text()));
    if (!amount || *amount < 1)
        return refuse(QStringLiteral("金額は 1 から 2,147,483,647 までの数値で入力して下さい。"), txtAmount);
    rule.amount = *amount;
    rule.day = spnDay->value();
    rule.months = 0;
    for (int m = 1; m <= 12; ++m)
        if (optEvery->isChecked() || chkMonth[m - 1]->isChecked())
            rule.months |= quint16(1u << (m - 1));
    if (rule.months == 0)
        return refuse(QStringLiteral("定期入力する月を選んで下さい。"), chkMonth[0]);
    const QString first = Num::halfWidth(txtFirst->text()).trimmed();
    const QString last = Num::halfWidth(txtLast->text()).trimmed();
    if (!first.isEmpty() && !YearMonth::parse(first, rule.first))
        return refuse(QStringLiteral("開始年月は yyyy/mm の形式で入力して下さい。(例: 2026/04)"), txtFirst);
    if (!last.isEmpty() && !YearMonth::parse(last, rule.last))
        return refuse(QStringLiteral("終了年月は yyyy/mm の形式で入力して下さい。(例: 2027/03)"), txtLast);
    if (rule.first.valid() && rule.last.valid() && rule.last.index() < rule.first.index())
        return refuse(QStringLiteral("終了年月が開始年月より前になっています。"), txtLast);
    rule.on = chkOn->isChecked();
    return true;
}

void frmTeiki::cmdAdd_Click()
{
    TeikiRule rule;
    if (!readFields(rule))
        return;
    book_.addRule(rule);
    selectRule(book_.rules().back().id);
}

void frmTeiki::cmdChange_Click()
{
    const int id = rows->ruleId(selectedRow());
    TeikiRule rule;
    if (id == 0) {
        model_.prompter().message(QStringLiteral("変更する定期入力を一覧から選んで下さい。"), Prompter::Icon::Warning, kTitle);
        return;
    }
    if (!readFields(rule))
        return;
    book_.replaceRule(id, rule);
    selectRule(id);
}

void frmTeiki::cmdDelete_Click()
{
    const int row = selectedRow();
    const TeikiRule* r = book_.rule(rows->ruleId(row));
    if (!r)
        return;
    if (model_.prompter().question(QStringLiteral("定期入力 [%1] を削除しますが、よろしいですか。").arg(r->name),
                                   Prompter::Buttons::YesNo, QStringLiteral("定期入力 削除"), Prompter::Answer::No)
        != Prompter::Answer::Yes)
        return;
    book_.removeRule(r->id);
    if (rows->rowCount() > 0)
        selectRule(rows->ruleId(std::min(row, rows->rowCount() - 1)));
    lvwTeiki->setFocus();
}

bool frmTeiki::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvwTeiki && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            cmdDelete_Click();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txtName->setFocus();
            txtName->selectAll();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmTeiki::keyPressEvent(QKeyEvent* event)
{
    if (!EnterKey::pressOrElse(this, event, [this] { focusNextChild(); }))
        QDialog::keyPressEvent(event);
}
