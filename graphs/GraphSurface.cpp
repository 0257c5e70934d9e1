#include "graphs/GraphSurface.h"

#include "graphs/GraphPainter.h"

#include <QBoxLayout>
#include <QDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

GraphSurface::GraphSurface(const QString& name, Paint paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint))
{
    setObjectName(name);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GraphSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint_(p, QRectF(rect()));
}

Swatch::Swatch(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Swatch::setColor(quint32 bgr)
{
    color_ = bgr;
    update();
}

QSize Swatch::sizeHint() const
{
    const int side = fontMetrics().height() - 2;
    return {side + 6, side};
}

void Swatch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(GraphPaint::colorOf(color_));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void sizeWithinScreen(QWidget* window, QSize preferred)
{
    const QWidget* parent = window->parentWidget();
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        preferred = preferred.boundedTo(screen->availableGeometry().size() * 9 / 10);
    window->resize(preferred.expandedTo(window->minimumSizeHint()));
}

LegendRow addLegendRow(QGridLayout& grid, int gridRow, QWidget* parent, const QString& swatchName,
                       const QString& labelName, const QString& percentName)
{
    LegendRow r;
    r.swatch = keepsPlace(new Swatch(swatchName, parent));
    r.name = keepsPlace(new QLabel(parent));
    r.name->setObjectName(labelName);
    r.percent = keepsPlace(new QLabel(parent));
    r.percent->setObjectName(percentName);
    r.percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QFontMetrics fm(parent->font());
    r.percent->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("-100.00%")) + 4);
    grid.addWidget(r.swatch, gridRow, 0);
    grid.addWidget(r.name, gridRow, 1);
    grid.addWidget(r.percent, gridRow, 2);
    grid.setRowMinimumHeight(gridRow, fm.height() + 4); // empty rows keep their height
    return r;
}

QPushButton* addOkButton(QDialog& window, QBoxLayout& row)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), &window);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
    row.addWidget(ok);
    return ok;
}
