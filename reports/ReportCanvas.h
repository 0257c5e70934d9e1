#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace Reports {

// The pages of a report as they are laid out, in units of 0.1 mm from the
// top left corner of the printable area. The same drawing code runs twice:
// a dry run without painter counts each section's pages, so that the real
// run can number them "1 / N".
class ReportCanvas {
public:
    ReportCanvas(QPainter* painter, QPagedPaintDevice* device, QSizeF size, std::vector<int> sectionPages = {});

    static QFont font(double points, bool bold = false);

    bool dryRun() const { return painter_ == nullptr; }
    QPainter* painter() const { return painter_; }
    double width() const { return size_.width(); }
    // Lowest y the body may use; the page number sits below it.
    double bottom() const { return size_.height() - kFooter; }

    // Each section (one month, the figures, the charts) starts on a fresh
    // page and carries its name and page number at the foot of every page.
    void beginSection(const QString& footer);
    void nextPage();
    // Closes the last page; the canvas is done.
    void finish();
    const std::vector<int>& sectionPages() const { return pages_; }
    bool pageFailed() const { return pageFailed_; }

    double y = 0; // where the next block goes
    bool fits(double height) const { return y + height <= bottom(); }
    void ensure(double height)
    {
        if (!fits(height))
            nextPage();
    }

    // Drawing; nothing happens in the dry run.
    void text(const QRectF& r, int flags, const QString& s, const QFont& f, const QColor& c = Qt::black);
    void line(double x1, double y1, double x2, double y2, double width = 2, const QColor& c = Qt::black);
    void fill(const QRectF& r, const QColor& c);
    void frame(const QRectF& r, double width = 2, const QColor& c = Qt::black);

    // Text shortened with "…" to fit a width; remembered per text and width.
    QString fitted(const QString& s, const QFont& f, double width);

    static constexpr double kFooter = 80;

private:
    void footer();
    void turnPage();

    QPainter* painter_;
    QPagedPaintDevice* device_;
    QSizeF size_;
    std::vector<int> pages_;
    int section_ = -1;
    int sectionPage_ = 0;
    bool started_ = false;
    bool pageFailed_ = false;
    QString footerText_;
    QHash<QString, QString> fittedCache_;
};

using Draw = std::function<void(ReportCanvas&)>;

// Paints the report on the device's pages as its page layout sets them.
// False when the device refuses the painter or a new page.
bool paintReport(QPagedPaintDevice& device, const Draw& draw);

// A table that continues over as many pages as needed, repeating its
// header at the top of each.
class TableFlow {
public:
    struct Column {
        QString title;
        double width = 0;
        int align = 0; // Qt::AlignLeft / Qt::AlignRight / Qt::AlignHCenter
    };

    TableFlow(ReportCanvas& canvas, std::vector<Column> columns, double x, double points, double rowHeight);

    // A page never begins or ends the table with fewer rows than this:
    // rather the rows go over to the next page together, under the header.
    static constexpr int kKeepRows = 3;

    void header();
    // Starts the table here, or on the next page when the header and the
    // first rows (kKeepRows of the table's `rows`) do not fit.
    void begin(int rows);
    // The height begin() wants for a table of `rows` rows.
    double startHeight(int rows) const;
    // One row; a separator draws a line over it (a new day begins).
    void row(const std::vector<QString>& cells, bool separator = false, bool bold = false);
    void end();
    // Groups of columns with a gap between them (two tables side by side):
    // lines are drawn per group.
    void setGroups(std::vector<std::pair<int, int>> groups) { groups_ = std::move(groups); }

private:
    void rules(double y, double width, const QColor& c);

    ReportCanvas& c_;
    std::vector<Column> columns_;
    std::vector<double> left_;
    std::vector<std::pair<int, int>> groups_;
    double rowHeight_;
    int rows_ = 0; // rows of the table
    int done_ = 0; // rows drawn so far
    QFont font_;
    QFont boldFont_;
};

}
