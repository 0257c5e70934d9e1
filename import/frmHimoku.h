#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace Import {

class ImportTool;

// Step2 on its own: the order of the new categories, which becomes their
// numbering. Rows keep their numbers; the names move.
class frmHimoku : public QDialog {
    Q_OBJECT
public:
    explicit frmHimoku(ImportTool& tool, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QTreeWidget* lvwMain = nullptr;
    QPushButton* cmdUp = nullptr;
    QPushButton* cmdDown = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdCancel = nullptr;

    QStringList names() const;
    // The drop of row `from` on row `target` (0-based): asks before or
    // after, and moves the name.
    void dropRow(int from, int target);
    // Moves the selected row's name one row up (-1) or down (+1).
    void moveSelected(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void setNames(const QStringList& names, int selected);
    void endDrag();

    ImportTool& tool_;
    int dragRow_ = -1; // the row the button was pressed on
    QString dragName_;
};

}
