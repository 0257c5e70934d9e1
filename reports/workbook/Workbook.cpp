#include "reports/workbook/Workbook.h"

#include <QDir>
#include <QFile>

namespace Reports {

Workbook::Workbook()
{
    if (!dir_.isValid())
        return;
    file_ = QFile::encodeName(QDir(dir_.path()).filePath(QStringLiteral("report.xlsx")));
    tmp_ = QFile::encodeName(dir_.path());
    lxw_workbook_options options{};
    options.tmpdir = tmp_.data();
    book_ = workbook_new_opt(file_.constData(), &options);
    if (!book_)
        return;

    amount = workbook_add_format(book_);
    format_set_num_format(amount, "#,##0");
    amountBold = workbook_add_format(book_);
    format_set_num_format(amountBold, "#,##0");
    format_set_bold(amountBold);
    bold = workbook_add_format(book_);
    format_set_bold(bold);
    title = workbook_add_format(book_);
    format_set_bold(title);
    format_set_font_size(title, 16);
    header = workbook_add_format(book_);
    format_set_bold(header);
    format_set_align(header, LXW_ALIGN_CENTER);
    format_set_bg_color(header, 0xE8ECF2);
    format_set_border(header, LXW_BORDER_THIN);
    dayRule = workbook_add_format(book_);
    format_set_top(dayRule, LXW_BORDER_THIN);
    dayRuleAmount = workbook_add_format(book_);
    format_set_top(dayRuleAmount, LXW_BORDER_THIN);
    format_set_num_format(dayRuleAmount, "#,##0");
}

Workbook::~Workbook()
{
    // A workbook never closed still holds its temporary files.
    if (book_)
        workbook_close(book_);
}

lxw_worksheet* Workbook::addSheet(const QString& name)
{
    if (!book_)
        return nullptr;
    lxw_worksheet* s = workbook_add_worksheet(book_, utf8(name).constData());
    if (!s)
        note(LXW_ERROR_SHEETNAME_ALREADY_USED);
    return s;
}

void Workbook::note(lxw_error e)
{
    if (e != LXW_NO_ERROR && error_ == LXW_NO_ERROR)
        error_ = e;
}

void Workbook::fitToWidth(lxw_worksheet* s, bool landscape)
{
    worksheet_set_paper(s, 9); // A4
    if (landscape)
        worksheet_set_landscape(s);
    else
        worksheet_set_portrait(s);
    worksheet_fit_to_pages(s, 1, 0);
}

void Workbook::text(lxw_worksheet* s, int row, int col, const QString& value, lxw_format* f)
{
    if (s && !value.isEmpty())
        note(worksheet_write_string(s, lxw_row_t(row), lxw_col_t(col), utf8(value).constData(), f));
    else if (s && f)
        note(worksheet_write_blank(s, lxw_row_t(row), lxw_col_t(col), f));
}

void Workbook::number(lxw_worksheet* s, int row, int col, qint64 value, lxw_format* f)
{
    if (s)
        note(worksheet_write_number(s, lxw_row_t(row), lxw_col_t(col), double(value), f));
}

void Workbook::formula(lxw_worksheet* s, int row, int col, const QString& formula, qint64 value, lxw_format* f)
{
    if (s)
        note(worksheet_write_formula_num(s, lxw_row_t(row), lxw_col_t(col), utf8(formula).constData(), f, double(value)));
}

bool Workbook::finish(QByteArray& bytes, QString& error)
{
    if (!book_) {
        error = QStringLiteral("作業用の一時ファイルを作成できませんでした。");
        return false;
    }
    const lxw_error closed = workbook_close(book_);
    book_ = nullptr;
    note(closed);
    if (error_ != LXW_NO_ERROR) {
        error = QStringLiteral("ブックを作成できませんでした (%1)。").arg(QString::fromUtf8(lxw_strerror(error_)));
        return false;
    }
    QFile built(QString::fromLocal8Bit(file_));
    if (!built.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("作成したブックを読み込めませんでした。");
        return false;
    }
    bytes = built.readAll();
    return true;
}

}
