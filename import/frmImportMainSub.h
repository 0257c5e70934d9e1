#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QWidget;

namespace Import {

class ImportTool;

// 費目情報の編集: colour, budget and kind of the categories this import
// creates; categories of the existing master are shown read-only.
class frmMainSub : public QDialog {
    Q_OBJECT
public:
    explicit frmMainSub(ImportTool& tool, QWidget* parent = nullptr);

    QLabel* lblSubject = nullptr;
    QTreeWidget* lvwMain = nullptr;
    QWidget* picDummy = nullptr;
    QLabel* lblMainNo = nullptr;
    QLabel* lblMain = nullptr;
    QPushButton* lblColor = nullptr; // the swatch; a button so the keyboard reaches it
    QLineEdit* txtLimit = nullptr;
    QRadioButton* optOut = nullptr;
    QRadioButton* optIn = nullptr;
    QTreeWidget* lvwSub = nullptr;
    QLabel* lblAttention = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdCancel = nullptr;

    quint32 swatchColor() const { return swatch_; }
    void setSwatch(quint32 color);

    // Shows row r (0-based) of the category list.
    void showRow(int r);
    void lblColor_Click();
    void cmdChange_Click();
    // Keeps the shown colour, budget and kind for a category of this import
    // (as 変更 does); false, user told, when they cannot be kept.
    bool applyShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ImportTool& tool_;
    quint32 swatch_ = 0;
    bool returning_ = false; // moving back to a row whose values were refused
};

}
