#include "reports/ReportCanvas.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace Reports {

namespace {
constexpr double kUnitsPerPoint = 254.0 / 72.0; // 0.1 mm per typographic point
const QString kFamily = QStringLiteral("Noto Sans CJK JP");
}

ReportCanvas::ReportCanvas(QPainter* painter, QPagedPaintDevice* device, QSizeF size, std::vector<int> sectionPages)
    : painter_(painter), device_(device), size_(size), pages_(std::move(sectionPages))
{
}

QFont ReportCanvas::font(double points, bool bold)
{
    QFont f(kFamily);
    f.setStyleHint(QFont::SansSerif);
    // Pixel sizes are in drawing units, so the preview, the printer and the
    // PDF lay text out alike whatever their resolution.
    f.setPixelSize(qMax(1, qRound(points * kUnitsPerPoint)));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setBold(bold);
    return f;
}

void ReportCanvas::beginSection(const QString& footer)
{
    if (started_)
        turnPage();
    started_ = true;
    ++section_;
    if (dryRun())
        pages_.push_back(1);
    footerText_ = footer;
    sectionPage_ = 1;
    y = 0;
}

void ReportCanvas::nextPage()
{
    turnPage();
    if (dryRun() && section_ >= 0)
        ++pages_[section_];
    ++sectionPage_;
    y = 0;
}

void ReportCanvas::turnPage()
{
    footer();
    if (!dryRun() && !device_->newPage())
        pageFailed_ = true;
}

void ReportCanvas::finish()
{
    if (started_)
        footer();
    started_ = false;
}

void ReportCanvas::footer()
{
    if (dryRun() || section_ < 0)
        return;
    const int total = section_ < int(pages_.size()) ? pages_[section_] : sectionPage_;
    const QFont f = font(8);
    const QRectF r(0, size_.height() - kFooter * 0.6, width(), kFooter * 0.6);
    line(0, r.top(), width(), r.top(), 1.5, QColor(0x80, 0x80, 0x80));
    text(r, Qt::AlignLeft | Qt::AlignVCenter, footerText_, f);
    text(r, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 / %2").arg(sectionPage_).arg(total), f);
}

void ReportCanvas::text(const QRectF& r, int flags, const QString& s, const QFont& f, const QColor& c)
{
    if (!painter_ || s.isEmpty())
        return;
    painter_->setFont(f);
    painter_->setPen(c);
    painter_->drawText(r, flags, s);
}

void ReportCanvas::line(double x1, double y1, double x2, double y2, double width, const QColor& c)
{
    if (!painter_)
        return;
    painter_->setPen(QPen(c, width));
    painter_->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void ReportCanvas::fill(const QRectF& r, const QColor& c)
{
    if (painter_)
        painter_->fillRect(r, c);
}

void ReportCanvas::frame(const QRectF& r, double width, const QColor& c)
{
    if (!painter_)
        return;
    painter_->setPen(QPen(c, width));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(r);
}

QString ReportCanvas::fitted(const QString& s, const QFont& f, double width)
{
    // No character is wider than the type size: short texts fit unmeasured.
    if (s.size() * f.pixelSize() <= width)
        return s;
    const QString key = s + QChar(0) + QString::number(f.pixelSize()) + QChar(0) + QString::number(qRound(width));
    auto it = fittedCache_.find(key);
    if (it == fittedCache_.end())
        it = fittedCache_.insert(key, QFontMetricsF(f).elidedText(s, Qt::ElideRight, width));
    return *it;
}

bool paintReport(QPagedPaintDevice& device, const Draw& draw)
{
    const QRectF mm = device.pageLayout().paintRect(QPageLayout::Millimeter);
    const QSizeF size(mm.width() * 10, mm.height() * 10);

    ReportCanvas count(nullptr, nullptr, size);
    draw(count);
    count.finish();

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = device.logicalDpiX() / 254.0;
    painter.scale(scale, device.logicalDpiY() / 254.0);
    ReportCanvas canvas(&painter, &device, size, count.sectionPages());
    draw(canvas);
    canvas.finish();
    const bool ended = painter.end();
    return ended && !canvas.pageFailed();
}

TableFlow::TableFlow(ReportCanvas& canvas, std::vector<Column> columns, double x, double points, double rowHeight)
    : c_(canvas), columns_(std::move(columns)), rowHeight_(rowHeight), font_(ReportCanvas::font(points)),
      boldFont_(ReportCanvas::font(points, true))
{
    double left = x;
    for (const Column& col : columns_) {
        left_.push_back(left);
        left += col.width;
    }
    left_.push_back(left);
    groups_.push_back({0, int(columns_.size()) - 1});
}

void TableFlow::rules(double y, double width, const QColor& c)
{
    for (const auto& [first, last] : groups_)
        c_.line(left_[first], y, left_[last + 1], y, width, c);
}

void TableFlow::header()
{
    const double h = rowHeight_ * 1.2;
    for (const auto& [first, last] : groups_)
        c_.fill(QRectF(left_[first], c_.y, left_[last + 1] - left_[first], h), QColor(0xE8, 0xEC, 0xF2));
    for (size_t i = 0; i < columns_.size(); ++i) {
        const QRectF r(left_[i] + 12, c_.y, columns_[i].width - 24, h);
        c_.text(r, Qt::AlignHCenter | Qt::AlignVCenter, columns_[i].title, boldFont_);
    }
    rules(c_.y, 3, Qt::black);
    c_.y += h;
    rules(c_.y, 2, Qt::black);
}

double TableFlow::startHeight(int rows) const { return rowHeight_ * (1.2 + qBound(1, rows, kKeepRows)); }

void TableFlow::begin(int rows)
{
    rows_ = rows;
    done_ = 0;
    c_.ensure(startHeight(rows));
    header();
}

void TableFlow::row(const std::vector<QString>& cells, bool separator, bool bold)
{
    // The last rows that would not all fit here go over together.
    const bool keepTail = rows_ - done_ == kKeepRows && !c_.fits(rowHeight_ * kKeepRows) && done_ > 0;
    ++done_;
    if (!c_.fits(rowHeight_) || keepTail) {
        c_.nextPage();
        header();
    } else if (separator) {
        rules(c_.y, 2, QColor(0x40, 0x40, 0x40));
    }
    const QFont& f = bold ? boldFont_ : font_;
    if (!c_.dryRun()) {
        for (size_t i = 0; i < cells.size() && i < columns_.size(); ++i) {
            if (cells[i].isEmpty())
                continue;
            const double w = columns_[i].width - 24;
            const QString s = columns_[i].align == Qt::AlignRight ? cells[i] : c_.fitted(cells[i], f, w);
            c_.text(QRectF(left_[i] + 12, c_.y, w, rowHeight_), columns_[i].align | Qt::AlignVCenter, s, f);
        }
    }
    c_.y += rowHeight_;
}

void TableFlow::end()
{
    rules(c_.y, 3, Qt::black);
    c_.y += rowHeight_ * 0.8;
}

}
