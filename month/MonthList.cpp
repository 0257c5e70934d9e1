#include "month/MonthList.h"

#include "month/MonthListModel.h"

#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace {
// Draws a cell's text as the style's item view does (same margins, the
// selection panel, elided at the right), without laying the text out as a
// document for every cell on every paint.
class CellText : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QWidget* view = option.widget;
        QStyle* style = view ? view->style() : nullptr;
        if (style)
            style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, view);
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty())
            return;
        const int margin = (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) : 2) + 1;
        const QRect r = option.rect.adjusted(margin, 0, -margin, 0);
        const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                                   : QPalette::Inactive;
        painter->setPen(option.palette.color(group, option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                          : QPalette::Text));
        const QVariant align = index.data(Qt::TextAlignmentRole);
        const int flags = (align.isValid() ? align.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter)) | Qt::TextSingleLine;
        painter->setFont(option.font);
        const QStaticText& shaped = shapedText(text, option.font);
        const qreal width = shaped.size().width();
        if (width > r.width()) {
            painter->drawText(r, flags, option.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
            return;
        }
        const qreal x = (flags & Qt::AlignRight) ? r.x() + r.width() - width
                        : (flags & Qt::AlignHCenter) ? r.x() + (r.width() - width) / 2
                                                     : r.x();
        const int y = r.y() + (r.height() - option.fontMetrics.height()) / 2;
        painter->drawStaticText(QPointF(x, y), shaped);
    }

private:
    // Shaping a text costs more than drawing it, and the texts in view come
    // back on every repaint (a new entry repaints every row below it), so
    // their glyphs are laid out once.
    const QStaticText& shapedText(const QString& text, const QFont& font) const
    {
        if (font != font_ || shaped_.size() >= kKept) {
            shaped_.clear();
            font_ = font;
        }
        auto it = shaped_.find(text);
        if (it == shaped_.end()) {
            QStaticText s(text);
            s.setTextFormat(Qt::PlainText);
            s.prepare(QTransform(), font);
            it = shaped_.insert(text, s);
        }
        return *it;
    }

    static constexpr qsizetype kKept = 1024; // more than a screen of cells
    mutable QFont font_;
    mutable QHash<QString, QStaticText> shaped_;
};
}

MonthList::MonthList(const QString& name, MonthListModel* rows, QWidget* parent) : QTreeView(parent)
{
    setObjectName(name);
    setModel(rows);
    setItemDelegate(new CellText(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setAlternatingRowColors(true);
    // The lists keep the order they were built in: headings are not buttons.
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignCenter);
}

// QTreeView would re-measure and locate every changed cell, and a new balance
// changes the 残高 cell of every later row of the month.
void MonthList::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    if (topLeft == bottomRight)
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    else
        viewport()->update();
}

void MonthList::setColumnWidths(const std::array<int, 6>& widths)
{
    widths_ = widths;
    spreadColumns();
}

void MonthList::setTextColumns(const QList<int>& columns)
{
    textColumns_ = columns;
    spreadColumns();
}

// Also called when the viewport is resized (a scroll bar comes or goes).
void MonthList::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    spreadColumns();
}

void MonthList::spreadColumns()
{
    int needed = 0;
    for (int w : widths_)
        needed += w;
    std::array<int, 6> widths = widths_;
    const int columns = int(textColumns_.size());
    const int room = viewport()->width();
    if (room >= needed) {
        const int extra = room - needed;
        for (int k = 0; k < columns; ++k)
            widths[textColumns_[k]] += extra / columns + (k == columns - 1 ? extra % columns : 0);
    } else {
        // A large font in a small window: the text columns give way, down to
        // half their width (their cells elide), so that the amounts stay in view.
        int missing = needed - room;
        for (int k = 0; k < columns && missing > 0; ++k) {
            int& w = widths[textColumns_[k]];
            const int give = std::min(w / 2, (missing + columns - k - 1) / (columns - k));
            w -= give;
            missing -= give;
        }
    }
    for (int c = 0; c < 6; ++c)
        setColumnWidth(c, widths[c]);
}
