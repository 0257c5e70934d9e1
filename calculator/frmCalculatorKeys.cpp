// The calculator's keys: digits, 000, the operators, CE and C, and the tax
// labels that follow every result.
#include "calculator/frmCalculator.h"

#include "ledger/Formats.h"
#include "ledger/Prompter.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <optional>

namespace {
// A typed number always ends in the separator ("53." for the keys 5 and 3).
const QChar kSep = u'.';
// Results from here on have more digits than the display holds.
const double kBeyondDisplay = 1e15;

// The display or a label read as a number; "-" alone or empty is none.
std::optional<double> readNumber(QString text)
{
    text.remove(u',');
    if (text.endsWith(kSep))
        text.chop(1);
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

// A tax amount in "#,0", rounded half away from zero.
QString yen(double v) { return Fmt::hash0(std::llround(v)); }

double labelValue(const QLabel* l) { return readNumber(l->text()).value_or(0); }

// The digits before the separator, without a leading zero that a further
// digit replaces.
QString integerPart(const QString& display)
{
    QString part = display.left(display.indexOf(kSep));
    if (part == QLatin1String("0"))
        part.clear();
    else if (part == QLatin1String("-0"))
        part = QStringLiteral("-");
    return part;
}

int digitCount(const QString& part) { return int(part.size()) - (part.startsWith(u'-') ? 1 : 0); }
}

QString frmCalculator::ChangeOpeChar(const QString& caption)
{
    if (caption == QStringView(u"÷"))
        return QStringLiteral("/");
    if (caption == QStringView(u"×"))
        return QStringLiteral("*");
    if (caption == QStringView(u"＋"))
        return QStringLiteral("+");
    if (caption == QStringView(u"－"))
        return QStringLiteral("-");
    return {};
}

QString frmCalculator::displayText(double value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    // As many decimals as the display's digits leave after the whole part.
    const int whole = std::max(1, int(std::floor(std::log10(std::fabs(value)))) + 1);
    QString t = QString::number(value, 'f', std::max(0, MaxDigits - whole));
    if (t.contains(kSep)) {
        while (t.endsWith(u'0'))
            t.chop(1);
        if (t.endsWith(kSep))
            t.chop(1);
    }
    return t == QLatin1String("-0") ? QStringLiteral("0") : t;
}

void frmCalculator::cmdNumber_Click(int digit)
{
    if (sKeyState != QLatin1String("NU"))
        lblCalculate->setText(QString(kSep));
    const QString part = integerPart(lblCalculate->text());
    if (digitCount(part) >= MaxDigits)
        return;
    QString shown = part + QString::number(digit) + kSep;
    if (sKeyState == QLatin1String("NE"))
        shown.prepend(u'-');
    lblCalculate->setText(shown);
    sKeyState = QStringLiteral("NU");
}

void frmCalculator::cmdThree0_Click()
{
    if (sKeyState != QLatin1String("NU"))
        return;
    const QString part = integerPart(lblCalculate->text());
    if (digitCount(part) == 0 || digitCount(part) + 3 > MaxDigits)
        return;
    lblCalculate->setText(part + QStringLiteral("000") + kSep);
}

void frmCalculator::cmdClearEntry_Click()
{
    lblCalculate->setText(QStringLiteral("0."));
    sKeyState = QStringLiteral("CE");
}

void frmCalculator::cmdClear_Click()
{
    lblCalculate->setText(QStringLiteral("0."));
    vAccumulator = 0;
    vOperand = 0;
    Initialize();
}

void frmCalculator::cmdOperate_Click(int index)
{
    const QPushButton* key = cmdOperate[index];
    const QString op = ChangeOpeChar(key->text());
    vDisplayAtKey = lblCalculate->text();
    if (sKeyState == QLatin1String("NU"))
        ++nOperands;

    if (nOperands == 0) {
        if (sKeyState != QLatin1String("NE") && op == QLatin1String("-")) {
            lblCalculate->setText(u'-' + lblCalculate->text());
            sKeyState = QStringLiteral("NE");
        }
    } else if (nOperands == 1 && sKeyState == QLatin1String("CE")) {
        // CE cleared only the number being typed: the chain goes on from its
        // value, as if the operator followed the last one.
        lblCalculate->setText(displayText(vAccumulator));
        taxFromAmount(vAccumulator);
        if (sPendingOp != QLatin1String("=") && op == QLatin1String("-")) {
            lblCalculate->setText(QStringLiteral("-"));
            sKeyState = QStringLiteral("NE");
        }
    } else if (nOperands == 1) {
        // A bare "-" starting a negative number is no operand: the chain keeps its value.
        if (const auto v = readNumber(lblCalculate->text()))
            vAccumulator = *v;
        if (sPendingOp != QLatin1String("=") && sKeyState != QLatin1String("NU") && op == QLatin1String("-")) {
            lblCalculate->setText(QStringLiteral("-"));
            sKeyState = QStringLiteral("NE");
        }
    } else {
        vOperand = readNumber(vDisplayAtKey).value_or(0);
        double result = vAccumulator;
        if (sPendingOp == QLatin1String("+")) {
            result = vAccumulator + vOperand;
        } else if (sPendingOp == QLatin1String("-")) {
            result = vAccumulator - vOperand;
        } else if (sPendingOp == QLatin1String("*")) {
            result = vAccumulator * vOperand;
        } else if (sPendingOp == QLatin1String("/")) {
            if (vOperand == 0)
                prompter_.message(QStringLiteral("ゼロによる除算はできません。"), Prompter::Icon::Warning,
                                  QStringLiteral("除算エラー"));
            else
                result = vAccumulator / vOperand;
        } else if (sPendingOp == QLatin1String("=")) {
            result = vOperand;
        }
        // A result the display cannot hold is refused like a division by zero.
        if (!std::isfinite(result) || std::fabs(result) >= kBeyondDisplay)
            prompter_.message(QStringLiteral("計算結果が電卓の表示できる桁数 (%1 桁) を超えるため、計算できません。").arg(MaxDigits),
                              Prompter::Icon::Warning, QStringLiteral("桁あふれ"));
        else
            vAccumulator = result;
        lblCalculate->setText(displayText(vAccumulator));
        nOperands = 1;
        taxFromAmount(vAccumulator);
    }

    if (sKeyState != QLatin1String("NE")) {
        sKeyState = QStringLiteral("OP");
        sPendingOp = key->property("tag").toString();
    }
}

// ---- tax ----

void frmCalculator::taxFromAmount(double amount)
{
    if (optOut->isChecked())
        taxAddedOn(amount);
    else
        taxContained(amount);
}

void frmCalculator::taxAddedOn(double amount)
{
    const double r = nTaxRate;
    lblSource->setText(yen(amount));
    lblConsume->setText(yen(r * amount * 0.01));
    lblTotal->setText(yen(amount * (r * 0.01 + 1)));
}

void frmCalculator::taxContained(double total)
{
    const double r = nTaxRate;
    lblTotal->setText(yen(total));
    lblSource->setText(yen(total / (r * 0.01 + 1)));
    // The tax is what the two shown amounts leave, so the three always add up.
    lblConsume->setText(yen(labelValue(lblTotal) - labelValue(lblSource)));
}

// The amount shown before the switch is read again as the other kind.
void frmCalculator::optIn_Click() { taxContained(labelValue(lblSource)); }

void frmCalculator::optOut_Click() { taxAddedOn(labelValue(lblTotal)); }
