#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace Reports {

// An .xlsx workbook built in a temporary folder; the caller puts its bytes
// in place whole, so a failed or half-written workbook never replaces the
// user's file.
// Rows and columns are 0-based as libxlsxwriter counts them.
class Workbook {
public:
    Workbook();
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* book() const { return book_; }
    // Null when the name is refused; the error is kept for save().
    lxw_worksheet* addSheet(const QString& name);

    // Shared cell styles.
    lxw_format* amount = nullptr;     // "#,##0"
    lxw_format* amountBold = nullptr;
    lxw_format* bold = nullptr;
    lxw_format* title = nullptr;
    lxw_format* header = nullptr;     // shaded, bordered
    lxw_format* dayRule = nullptr;    // a thin line above: a later day begins
    lxw_format* dayRuleAmount = nullptr;

    void text(lxw_worksheet* s, int row, int col, const QString& value, lxw_format* f = nullptr);
    void number(lxw_worksheet* s, int row, int col, qint64 value, lxw_format* f);
    // A formula with the value it computes, so readers that do not
    // recalculate still see the figure.
    void formula(lxw_worksheet* s, int row, int col, const QString& formula, qint64 value, lxw_format* f);
    void note(lxw_error e);
    // A4, the print area scaled to the width of the page and running on over
    // as many pages as it needs, as the sheet is to be printed.
    static void fitToWidth(lxw_worksheet* s, bool landscape);

    // Closes the workbook and hands over its bytes; false with a sentence
    // for the user in error when it could not be built.
    bool finish(QByteArray& bytes, QString& error);

    static QByteArray utf8(const QString& s) { return s.toUtf8(); }

private:
    QTemporaryDir dir_;
    QByteArray file_;
    QByteArray tmp_;
    lxw_workbook* book_ = nullptr;
    lxw_error error_ = LXW_NO_ERROR;
};

}
