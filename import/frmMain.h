#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace Import {

class ImportTool;

// Step1: the source file and, on its own, the year to import into.
class frmMain : public QDialog {
    Q_OBJECT
public:
    explicit frmMain(ImportTool& tool, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* txtImport = nullptr;
    QPushButton* cmdRef = nullptr;
    QComboBox* cmbYear = nullptr;
    QLabel* lblYear = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdCancel = nullptr;
    QProgressBar* prgRead = nullptr; // shown while the source is read

    // While the source is read only キャンセル takes input.
    void showReading(bool reading);

    void cmdRef_Click();
    void cmdNext_Click();
    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    ImportTool& tool_;
};

}
