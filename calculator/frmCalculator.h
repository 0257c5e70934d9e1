#pragma once

#include <QMainWindow>
#include <QString>

class Prompter;
class QAction;
class QLabel;
class QPushButton;
class QRadioButton;

// The pocket calculator 電卓: four operations on whole numbers typed as
// digits, and for each result the amount before tax, the tax and the total,
// with the tax added on top (外税) or contained (内税). A small always-on-top
// tool window; one instance, created on demand by the main window.
class frmCalculator : public QMainWindow {
    Q_OBJECT
public:
    explicit frmCalculator(Prompter& prompter, QWidget* parent = nullptr);

    // Display digits of a typed number; results beyond them are refused.
    static constexpr int MaxDigits = 15;

    // ---- key state ----
    QString sKeyState = QStringLiteral("NO"); // NO, NU digit, OP operator, CE, NE minus starting a number
    QString sPendingOp = QStringLiteral(" "); // + - * / = or " " (none)
    int nOperands = 0;
    double vAccumulator = 0;
    double vOperand = 0;
    QString vDisplayAtKey;
    int nTaxRate = 10;

    // ---- controls ----
    QLabel* lblCalculate = nullptr; // the display
    QPushButton* cmdNumber[10] = {};
    QPushButton* cmdThree0 = nullptr;
    QPushButton* cmdOperate[5] = {}; // ÷ ＋ × － ＝, tags / + * - =
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdClearEntry = nullptr;
    QPushButton* cmdTax = nullptr;
    QPushButton* cmdRate[2] = {}; // "8%" and "10%": the rates in use, one key away
    QRadioButton* optOut = nullptr; // 外税
    QRadioButton* optIn = nullptr;  // 内税
    QLabel* lblTax = nullptr;
    QLabel* lblSource = nullptr;  // 元金
    QLabel* lblConsume = nullptr; // 消費税
    QLabel* lblTotal = nullptr;   // 合計
    QAction* mnuExit = nullptr;

    // ---- keys ----
    void cmdNumber_Click(int digit);
    void cmdThree0_Click();
    void cmdOperate_Click(int index);
    void cmdClear_Click();
    void cmdClearEntry_Click();
    void cmdTax_Click();
    // A new rate: shown, stored at once, and the tax labels follow it.
    void setRate(int rate);
    void optOut_Click();
    void optIn_Click();
    void mnuExit_Click();

    // "÷" "/", "×" "*", "＋" "+", "－" "-"; anything else "".
    static QString ChangeOpeChar(const QString& caption);
    // A result as the display shows it: no trailing separator, no exponent.
    static QString displayText(double value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWindow();
    // Opening and C: a fresh chain, the stored rate, zero tax labels.
    void Initialize();
    static int storedRate();
    void showRate();
    // The labels for an amount under the chosen mode.
    void taxFromAmount(double amount);
    void taxAddedOn(double amount);
    void taxContained(double total);
    // Presses a key as its button would, and gives it the focus.
    void press(QPushButton* key);

    Prompter& prompter_;
};
