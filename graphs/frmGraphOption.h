#pragma once

#include <QDialog>

class LedgerModel;
class QLabel;
class QListWidget;
class QPushButton;

// Chooses the categories the monthly breakdown graph and the category
// summary include: one line per graphTargets row, selected when shown.
class frmGraphOption : public QDialog {
    Q_OBJECT
public:
    explicit frmGraphOption(LedgerModel& model, QWidget* parent = nullptr);

    QLabel* lblMain = nullptr;
    QListWidget* lstMain = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // OK: the show flags from the selection, then the dialog closes.
    void accept() override;

private:
    LedgerModel& model_;
};
