// The calculator window: its keys, labels, keyboard, rate and closing.
#include "calculator/frmCalculator.h"

#include "ledger/Prompter.h"
#include "ledger/Settings.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace {
const QString kSection = QStringLiteral("Options");
const QString kRateKey = QStringLiteral("consumetax");

// A whole percentage from 0 to 100; full-width digits count as digits.
std::optional<int> readRate(const QString& text)
{
    const QString t = text.normalized(QString::NormalizationForm_KC).trimmed();
    if (t.isEmpty() || t.size() > 3 || !std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const int rate = t.toInt();
    if (rate > 100)
        return std::nullopt;
    return rate;
}

QLabel* amountLabel(const char* name)
{
    auto* l = new QLabel(QStringLiteral("0"));
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    l->setAutoFillBackground(true);
    l->setBackgroundRole(QPalette::Base);
    l->setContentsMargins(4, 1, 4, 1);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("9,999,999,999,999,999")) + 12);
    return l;
}
}

frmCalculator::frmCalculator(Prompter& prompter, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::WindowStaysOnTopHint), prompter_(prompter)
{
    setObjectName(QStringLiteral("frmCalculator"));
    setWindowTitle(QStringLiteral("電卓"));
    setAttribute(Qt::WA_InputMethodEnabled, false);
    buildWindow();
    Initialize();
}

void frmCalculator::buildWindow()
{
    // The rate is stored as it changes: closing has nothing left to keep.
    mnuExit = menuBar()->addAction(QStringLiteral("閉じる(&X)"), this, &QWidget::close);
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    lblCalculate = new QLabel(centre);
    lblCalculate->setObjectName(QStringLiteral("lblCalculate"));
    lblCalculate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCalculate->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblCalculate->setAutoFillBackground(true);
    lblCalculate->setStyleSheet(QStringLiteral("QLabel { background: #f4fbe8; color: black; padding: 2px 6px; }"));
    QFont big = lblCalculate->font();
    big.setPointSize(big.pointSize() + 5);
    lblCalculate->setFont(big);
    lblCalculate->setMinimumWidth(QFontMetrics(big).horizontalAdvance(QStringLiteral("-9999999999999999.")) + 16);
    layout->addWidget(lblCalculate);

    // Tax: the mode, the rate and the three amounts of the last result.
    auto* tax = new QGroupBox(QStringLiteral("消費税"), centre);
    auto* taxGrid = new QGridLayout(tax);
    optOut = new QRadioButton(QStringLiteral("外税"), tax);
    optOut->setObjectName(QStringLiteral("optOut"));
    optIn = new QRadioButton(QStringLiteral("内税"), tax);
    optIn->setObjectName(QStringLiteral("optIn"));
    lblTax = new QLabel(tax);
    lblTax->setObjectName(QStringLiteral("lblTax"));
    lblTax->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cmdTax = new QPushButton(QStringLiteral("税率変更"), tax);
    cmdTax->setObjectName(QStringLiteral("cmdTax"));
    const int rates[2] = {8, 10};
    for (int i = 0; i < 2; ++i) {
        // Alt+8 and Alt+1.
        cmdRate[i] = new QPushButton(QLatin1Char('&') + QString::number(rates[i]) + QLatin1Char('%'), tax);
        cmdRate[i]->setObjectName(QStringLiteral("cmdRate%1").arg(rates[i]));
        cmdRate[i]->setToolTip(QStringLiteral("消費税率を %1 % にする").arg(rates[i]));
        cmdRate[i]->setAutoDefault(false);
        cmdRate[i]->setMaximumWidth(cmdRate[i]->fontMetrics().horizontalAdvance(QStringLiteral("10%")) + 20);
        connect(cmdRate[i], &QPushButton::clicked, this, [this, rate = rates[i]] { setRate(rate); });
    }
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(optOut);
    modeRow->addWidget(optIn);
    modeRow->addStretch();
    modeRow->addWidget(lblTax);
    modeRow->addWidget(cmdRate[0]);
    modeRow->addWidget(cmdRate[1]);
    modeRow->addWidget(cmdTax);
    taxGrid->addLayout(modeRow, 0, 0, 1, 2);
    lblSource = amountLabel("lblSource");
    lblConsume = amountLabel("lblConsume");
    lblTotal = amountLabel("lblTotal");
    const QString captions[3] = {QStringLiteral("元金"), QStringLiteral("消費税"), QStringLiteral("合計")};
    QLabel* amounts[3] = {lblSource, lblConsume, lblTotal};
    for (int i = 0; i < 3; ++i) {
        taxGrid->addWidget(new QLabel(captions[i], tax), i + 1, 0);
        taxGrid->addWidget(amounts[i], i + 1, 1);
    }
    taxGrid->setColumnStretch(1, 1);
    layout->addWidget(tax);

    // The keys, laid out as on a desk calculator.
    auto* keys = new QGridLayout;
    keys->setSpacing(4);
    auto key = [&](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, centre);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setMinimumSize(44, 34);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        return b;
    };
    for (int d = 0; d <= 9; ++d) {
        cmdNumber[d] = key(QString::number(d), QStringLiteral("cmdNumber%1").arg(d));
        connect(cmdNumber[d], &QPushButton::clicked, this, [this, d] { cmdNumber_Click(d); });
    }
    cmdThree0 = key(QStringLiteral("000"), QStringLiteral("cmdThree0"));
    const QString opCaptions[5] = {QStringLiteral("÷"), QStringLiteral("＋"), QStringLiteral("×"), QStringLiteral("－"),
                                   QStringLiteral("＝")};
    const char* const opTags[5] = {"/", "+", "*", "-", "="};
    for (int i = 0; i < 5; ++i) {
        cmdOperate[i] = key(opCaptions[i], QStringLiteral("cmdOperate%1").arg(i));
        cmdOperate[i]->setProperty("tag", QString::fromLatin1(opTags[i]));
        connect(cmdOperate[i], &QPushButton::clicked, this, [this, i] { cmdOperate_Click(i); });
    }
    cmdClear = key(QStringLiteral("C"), QStringLiteral("cmdClear"));
    cmdClearEntry = key(QStringLiteral("CE"), QStringLiteral("cmdClearEntry"));
    for (QPushButton* b : {cmdClear, cmdClearEntry})
        b->setStyleSheet(QStringLiteral("QPushButton { color: #b00000; }"));

    keys->addWidget(cmdClear, 0, 0);
    keys->addWidget(cmdClearEntry, 0, 1);
    keys->addWidget(cmdOperate[0], 0, 2);
    keys->addWidget(cmdOperate[2], 0, 3);
    const int digitRows[3][3] = {{7, 8, 9}, {4, 5, 6}, {1, 2, 3}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            keys->addWidget(cmdNumber[digitRows[r][c]], r + 1, c);
    keys->addWidget(cmdOperate[3], 1, 3);
    keys->addWidget(cmdOperate[1], 2, 3);
    keys->addWidget(cmdOperate[4], 3, 3, 2, 1);
    keys->addWidget(cmdNumber[0], 4, 0);
    keys->addWidget(cmdThree0, 4, 1, 1, 2);
    layout->addLayout(keys, 1);
    setCentralWidget(centre);

    connect(cmdThree0, &QPushButton::clicked, this, &frmCalculator::cmdThree0_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmCalculator::cmdClear_Click);
    connect(cmdClearEntry, &QPushButton::clicked, this, &frmCalculator::cmdClearEntry_Click);
    connect(cmdTax, &QPushButton::clicked, this, &frmCalculator::cmdTax_Click);
    connect(optOut, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optOut_Click();
    });
    connect(optIn, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optIn_Click();
    });

    // Tab runs through the keys in reading order, then the tax controls.
    QWidget* order[] = {cmdClear, cmdClearEntry, cmdOperate[0], cmdOperate[2], cmdNumber[7], cmdNumber[8], cmdNumber[9],
                        cmdOperate[3], cmdNumber[4], cmdNumber[5], cmdNumber[6], cmdOperate[1], cmdNumber[1],
                        cmdNumber[2], cmdNumber[3], cmdOperate[4], cmdNumber[0], cmdThree0, optOut, optIn, cmdRate[0],
                        cmdRate[1], cmdTax};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    cmdOperate[4]->setFocus();
}

// A new installation starts at today's standard rate.
int frmCalculator::storedRate()
{
    return readRate(ReadSetting(kAppName, kSection, kRateKey, QStringLiteral("10"))).value_or(10);
}

void frmCalculator::showRate() { lblTax->setText(QString::number(nTaxRate) + QStringLiteral(" %")); }

void frmCalculator::Initialize()
{
    nOperands = 0;
    sPendingOp = QStringLiteral(" ");
    sKeyState = QStringLiteral("NO");
    lblCalculate->setText(QStringLiteral("0."));
    nTaxRate = storedRate();
    showRate();
    for (QLabel* l : {lblSource, lblConsume, lblTotal})
        l->setText(QStringLiteral("0"));
    const QSignalBlocker blockOut(optOut);
    const QSignalBlocker blockIn(optIn);
    optOut->setChecked(true);
    optIn->setChecked(false);
}

void frmCalculator::cmdTax_Click()
{
    const QString current = QString::number(nTaxRate);
    for (QString answer = current;;) {
        answer = prompter_.input(QStringLiteral("新しい消費税率をパーセント(%)で入力して下さい。\r\n\r\n     現在の消費税率： ")
                                     + current + QStringLiteral(" %"),
                                 QStringLiteral("消費税率変更"), answer);
        if (answer.isEmpty())
            return;
        if (const auto rate = readRate(answer))
            return setRate(*rate);
        prompter_.message(QStringLiteral("消費税率は 0 から 100 までの整数(%)で入力して下さい。"), Prompter::Icon::Warning,
                          QStringLiteral("消費税率変更"));
    }
}

void frmCalculator::setRate(int rate)
{
    nTaxRate = rate;
    showRate();
    // Stored at once: C and the next opening keep the rate the user chose.
    WriteSetting(kAppName, kSection, kRateKey, QString::number(nTaxRate));
    // The amount the mode rests on stays; the other two follow the new rate.
    taxFromAmount(optOut->isChecked() ? lblSource->text().remove(QLatin1Char(',')).toDouble()
                                      : lblTotal->text().remove(QLatin1Char(',')).toDouble());
}

void frmCalculator::press(QPushButton* key)
{
    key->setFocus();
    key->click();
}

void frmCalculator::keyPressEvent(QKeyEvent* event)
{
    static const QString ops = QStringLiteral("/+*-");
    const QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || text == QLatin1String("=")) {
        press(cmdOperate[4]);
    } else if (event->key() == Qt::Key_Escape) {
        press(cmdClear);
    } else if (event->key() == Qt::Key_Delete) {
        press(cmdClearEntry);
    } else if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9') {
        press(cmdNumber[text[0].unicode() - u'0']);
    } else if (text.size() == 1 && ops.contains(text[0])) {
        press(cmdOperate[ops.indexOf(text[0])]);
    } else {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}
