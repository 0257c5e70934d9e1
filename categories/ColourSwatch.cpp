#include "categories/ColourSwatch.h"

#include "ledger/LedgerRules.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ColourSwatch::ColourSwatch(QWidget* parent) : QLabel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(64, 24);
}

void ColourSwatch::setColour(quint32 colour)
{
    colour_ = colour;
    update();
}

void ColourSwatch::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void ColourSwatch::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ColourSwatch::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    QPainter p(this);
    p.fillRect(contentsRect().adjusted(3, 3, -3, -3),
               QColor::fromRgb(LedgerRules::rgbOfColour(colour_)));
    // A ring in the highlight colour shows the focus around any colour.
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRect(QRectF(contentsRect()).adjusted(1, 1, -1, -1));
    }
}
