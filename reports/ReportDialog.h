#pragma once

#include "reports/ReportOutput.h"

#include <QDialog>
#include <functional>

class LedgerModel;
class QPushButton;
class QVBoxLayout;

// What both report windows share: the buttons 印刷(&P)..., PDF保存(&D)...,
// Excel保存(&E)... and キャンセル, and what follows a click: the data step,
// the print preview or the file chooser, the file written whole, and the
// messages. After a report has gone out the window closes.
class ReportDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdPdf = nullptr;
    QPushButton* cmdExcel = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The print preview; tests put their own in its place, as printing
    // needs a real printer.
    std::function<Reports::PrintResult(QWidget*, const QString&, const Reports::Draw&)> print =
        Reports::printThroughPreview;

    void cmdPrint_Click();
    void cmdPdf_Click();
    void cmdExcel_Click();

protected:
    ReportDialog(LedgerModel& model, QWidget* parent);
    // Puts the window's own choices left of the buttons.
    void setChoices(QVBoxLayout* choices);
    void enableOutput(bool on);

    // "月間収支報告" or "年間収支報告".
    virtual QString reportName() const = 0;
    // The proposed file name, without folder and suffix.
    virtual QString fileName() const = 0;
    // Builds what the report shows; false when there is nothing to put out
    // (the user has been told).
    virtual bool prepare() = 0;
    virtual void draw(Reports::ReportCanvas& c) const = 0;
    virtual TextFile::WriteResult writeWorkbook(const QString& path) const = 0;

    LedgerModel& model_;

private:
    void saveAs(const QString& kind, const QString& suffix,
                  const std::function<TextFile::WriteResult(const QString&)>& write);
    void reportDone(const QString& text);
};
