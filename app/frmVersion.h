#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box; also the splash screen while the program starts.
class frmVersion : public QDialog {
    Q_OBJECT
public:
    explicit frmVersion(QWidget* parent = nullptr);

    // Modeless, without caption and cut to two thirds of its height, painted
    // at once.
    void showAsSplash();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblComment = nullptr;
    QLabel* lblFolderCaption = nullptr;
    QLabel* lblFolder = nullptr; // the program folder, where the ledger's files are
    QPushButton* cmdOK = nullptr;
};
