#include "app/KaneloStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace {
// "»" pointing right (a menu bar or horizontal toolbar) or "︾" pointing
// down (a vertical toolbar), drawn at whatever size and scale is asked.
class ChevronEngine : public QIconEngine {
public:
    explicit ChevronEngine(bool down) : down_(down) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal s = std::min(rect.width(), rect.height());
        const QPointF origin = QRectF(rect).center() - QPointF(s / 2, s / 2);
        auto at = [&](qreal x, qreal y) { return origin + (down_ ? QPointF(y, x) : QPointF(x, y)) * s; };
        QPainterPath path;
        for (const qreal x : {0.22, 0.52}) {
            path.moveTo(at(x, 0.25));
            path.lineTo(at(x + 0.25, 0.5));
            path.lineTo(at(x, 0.75));
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(mode == QIcon::Disabled ? QColor(0xa0, 0xa0, 0xa0) : QColor(0x3c, 0x46, 0x50),
                             std::max(1.0, s / 10), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->drawPath(path);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new ChevronEngine(down_); }

private:
    bool down_;
};
}

QIcon KaneloStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new ChevronEngine(icon == SP_ToolBarVerticalExtensionButton));
    return QProxyStyle::standardIcon(icon, option, widget);
}
