#pragma once

#include "recurring/TeikiRule.h"

#include <QDialog>

class LedgerModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeView;
class TeikiBook;
class TeikiRows;

// The window 定期入力の設定: the list of recurring entries and the fields of
// the one selected. 追加 adds the fields as a new rule, 変更 replaces the
// selected rule, 削除 removes it after asking; each is written at once.
class frmTeiki : public QDialog {
    Q_OBJECT
public:
    frmTeiki(TeikiBook& book, LedgerModel& model, QWidget* parent = nullptr);

    QTreeView* lvwTeiki = nullptr;
    TeikiRows* rows = nullptr;
    QLineEdit* txtName = nullptr;
    QComboBox* cmbCategory = nullptr;
    QComboBox* cmbSub = nullptr;
    QLabel* lblKind = nullptr; // 出金 / 入金 of the category
    QLineEdit* txtAmount = nullptr;
    QSpinBox* spnDay = nullptr;
    QRadioButton* optEvery = nullptr;
    QRadioButton* optChosen = nullptr;
    QCheckBox* chkMonth[12] = {};
    QLineEdit* txtFirst = nullptr;
    QLineEdit* txtLast = nullptr;
    QCheckBox* chkOn = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdClose = nullptr;

    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdDelete_Click();
    // Fills the fields from the rule in a row of the list.
    void showRule(int row);
    int selectedRow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWidgets();
    void buildLayout();
    void fillCategories();
    void fillSubs();
    void selectRule(int ruleId);
    // The rule the fields describe; false (user told) when they do not.
    bool readFields(TeikiRule& rule);
    bool refuse(const QString& text, QWidget* field);

    TeikiBook& book_;
    LedgerModel& model_;
};
