// Draws the toolbar icons into PNG files: one flat, outlined set on a
// 20-unit grid, written at 20 px and at 40 px ("@2x"). The two programs'
// own icons, in the same style on a 32-unit grid, are written at the sizes
// of the desktop's icon theme ("kaneloy-48.png").
//   make_icons <folder>
// Built on demand only (cmake --build build --target make_icons); the PNGs
// it wrote are kept in icons/.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
const QColor kLine(0x3c, 0x46, 0x50);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kRule(0xa9, 0xb4, 0xbf);
const QColor kBlue(0x2f, 0x6f, 0xd0);
const QColor kGreen(0x23, 0x9a, 0x4a);
const QColor kRed(0xd8, 0x3b, 0x35);
const QColor kYellow(0xf4, 0xb4, 0x2c);
const QColor kOrange(0xf0, 0x7f, 0x22);
const QColor kPurple(0x8a, 0x55, 0xcf);
const QColor kTeal(0x1c, 0x9a, 0x97);
const QColor kGrey(0x8d, 0x98, 0xa3);
const QColor kLight(0xe4, 0xe8, 0xec);

void outlined(QPainter& p, const QColor& fill, qreal width = 1.0)
{
    p.setPen(QPen(kLine, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
}

// A sheet with a folded top-right corner.
void sheet(QPainter& p, const QRectF& r)
{
    const qreal f = 4;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - f, r.top());
    page.lineTo(r.right(), r.top() + f);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    outlined(p, kPaper);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(r.right() - f, r.top());
    fold.lineTo(r.right() - f, r.top() + f);
    fold.lineTo(r.right(), r.top() + f);
    p.setBrush(kLight);
    p.drawPath(fold);
}

// Ruled lines of a ledger page.
void rules(QPainter& p, qreal left, qreal right, std::initializer_list<qreal> ys)
{
    p.setPen(QPen(kRule, 1.0, Qt::SolidLine, Qt::FlatCap));
    for (qreal y : ys)
        p.drawLine(QPointF(left, y), QPointF(right, y));
}

// A round badge at the lower right with a white mark drawn by `mark`.
void badge(QPainter& p, const QColor& color, const std::function<void(QPainter&)>& mark)
{
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(color);
    p.drawEllipse(QPointF(14.5, 14.5), 5, 5);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    mark(p);
}

void ledgerPage(QPainter& p)
{
    sheet(p, QRectF(2.5, 1.5, 12, 15));
    rules(p, 4.5, 12.5, {6, 8.5, 11});
}

void drawExit(QPainter& p)
{
    outlined(p, QColor(0xb9, 0x83, 0x55));
    p.drawRect(QRectF(2.5, 2.5, 9, 15));
    outlined(p, QColor(0x7a, 0x52, 0x33));
    p.drawEllipse(QPointF(9.5, 10.5), 0.6, 0.6);
    p.setPen(QPen(kRed, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(8, 10), QPointF(16, 10));
    p.setBrush(kRed);
    p.setPen(QPen(kRed, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(QPolygonF{QPointF(14.5, 6.2), QPointF(19, 10), QPointF(14.5, 13.8)});
}

void drawNew(QPainter& p)
{
    sheet(p, QRectF(3.5, 1.5, 12, 17));
    QPainterPath star;
    const QPointF c(7, 14.5);
    for (int i = 0; i < 8; ++i) {
        const qreal r = i % 2 ? 1.6 : 4.6;
        const qreal a = i * M_PI / 4;
        const QPointF pt = c + QPointF(r * std::sin(a), -r * std::cos(a));
        i ? star.lineTo(pt) : star.moveTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(0xb0, 0x7a, 0x10), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kYellow);
    p.drawPath(star);
}

void drawOpen(QPainter& p)
{
    outlined(p, QColor(0xd9, 0x9a, 0x1e));
    QPainterPath back;
    back.moveTo(1.5, 16.5);
    back.lineTo(1.5, 4.5);
    back.lineTo(7, 4.5);
    back.lineTo(8.5, 6);
    back.lineTo(15.5, 6);
    back.lineTo(15.5, 8.5);
    p.drawPath(back);
    outlined(p, kYellow);
    p.drawPolygon(QPolygonF{QPointF(1.5, 16.5), QPointF(4.5, 8.5), QPointF(18.5, 8.5), QPointF(15.5, 16.5)});
}

void drawSave(QPainter& p)
{
    outlined(p, kBlue);
    QPainterPath body;
    body.moveTo(2.5, 2.5);
    body.lineTo(15, 2.5);
    body.lineTo(17.5, 5);
    body.lineTo(17.5, 17.5);
    body.lineTo(2.5, 17.5);
    body.closeSubpath();
    p.drawPath(body);
    outlined(p, kPaper, 0.8);
    p.drawRect(QRectF(5, 2.5, 9, 5.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(QRectF(11, 3.5, 1.8, 3.5));
    outlined(p, kLight, 0.8);
    p.drawRect(QRectF(5, 11, 10, 6.5));
}

// A printer whose output sheet shows `content`.
void printer(QPainter& p, const std::function<void(QPainter&)>& content)
{
    outlined(p, kPaper, 0.9);
    p.drawRect(QRectF(5.5, 1.5, 9, 6));
    outlined(p, kGrey);
    p.drawRoundedRect(QRectF(1.5, 6.5, 17, 7.5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(15.5, 9), 0.8, 0.8);
    outlined(p, kPaper, 0.9);
    p.drawRect(QRectF(4.5, 11, 11, 7.5));
    content(p);
}

void drawPrintMonth(QPainter& p)
{
    printer(p, [](QPainter& q) {
        q.setPen(Qt::NoPen);
        q.setBrush(kBlue);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 4; ++c)
                q.drawRect(QRectF(6 + c * 2.2, 12.7 + r * 2.6, 1.6, 1.8));
    });
}

void drawPrintYear(QPainter& p)
{
    printer(p, [](QPainter& q) {
        q.setPen(Qt::NoPen);
        q.setBrush(kGreen);
        const qreal heights[4] = {2.5, 4, 3.2, 5};
        for (int i = 0; i < 4; ++i)
            q.drawRect(QRectF(6 + i * 2.2, 17.5 - heights[i], 1.6, heights[i]));
    });
}

void drawAdd(QPainter& p)
{
    ledgerPage(p);
    badge(p, kGreen, [](QPainter& q) {
        q.drawLine(QPointF(14.5, 11.8), QPointF(14.5, 17.2));
        q.drawLine(QPointF(11.8, 14.5), QPointF(17.2, 14.5));
    });
}

void drawChange(QPainter& p)
{
    ledgerPage(p);
    // A pencil lying from the lower right up to the page.
    p.save();
    p.translate(14.5, 13.5);
    p.rotate(45);
    outlined(p, kYellow, 0.9);
    p.drawRect(QRectF(-1.6, -7, 3.2, 9));
    outlined(p, QColor(0xe8, 0x8f, 0x9b), 0.9);
    p.drawRect(QRectF(-1.6, -8.8, 3.2, 1.8));
    outlined(p, QColor(0xf3, 0xd9, 0xb1), 0.9);
    p.drawPolygon(QPolygonF{QPointF(-1.6, 2), QPointF(1.6, 2), QPointF(0, 5.2)});
    p.restore();
}

void drawDelete(QPainter& p)
{
    ledgerPage(p);
    badge(p, kRed, [](QPainter& q) {
        q.drawLine(QPointF(12.6, 12.6), QPointF(16.4, 16.4));
        q.drawLine(QPointF(16.4, 12.6), QPointF(12.6, 16.4));
    });
}

void tag(QPainter& p, const QPointF& at, const QColor& color)
{
    p.save();
    p.translate(at);
    p.rotate(-35);
    outlined(p, color);
    QPainterPath t;
    t.moveTo(-4.5, -3);
    t.lineTo(3, -3);
    t.lineTo(6, 0);
    t.lineTo(3, 3);
    t.lineTo(-4.5, 3);
    t.closeSubpath();
    p.drawPath(t);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(2.6, 0), 0.9, 0.9);
    p.restore();
}

void drawCategories(QPainter& p)
{
    tag(p, QPointF(8, 12.5), kTeal);
    tag(p, QPointF(11.5, 8), kPurple);
}

void drawGraphMonth(QPainter& p)
{
    const QRectF pie(2, 2, 16, 16);
    p.setPen(QPen(Qt::white, 0.8));
    struct Slice {
        int start, span;
        QColor color;
    };
    for (const Slice& s : {Slice{90, -150, kBlue}, Slice{-60, -110, kOrange}, Slice{-170, -100, kGreen}}) {
        p.setBrush(s.color);
        p.drawPie(pie, s.start * 16, s.span * 16);
    }
    p.setPen(QPen(kLine, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(pie);
}

void drawGraphYear(QPainter& p)
{
    p.setPen(QPen(kLine, 1.2, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(2.5, 2), QPointF(2.5, 17.5));
    p.drawLine(QPointF(2.5, 17.5), QPointF(18.5, 17.5));
    const QPointF pts[5] = {{4.5, 13}, {8, 9.5}, {11.5, 11.5}, {15, 6.5}, {17.5, 4}};
    p.setPen(QPen(kRed, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(pts, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(pts[i], 1.4, 1.4);
}

void drawDaySummary(QPainter& p)
{
    outlined(p, kPaper);
    p.drawRect(QRectF(1.5, 2.5, 17, 15));
    for (int r = 0; r < 3; ++r) {
        const qreal y = 4.5 + r * 4.3;
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(3.5, y, 4, 2.6));
        p.setBrush(kRule);
        p.drawRect(QRectF(9, y + 0.6, 7.5 - r * 1.5, 1.4));
    }
}

void drawCategorySummary(QPainter& p)
{
    outlined(p, kPaper);
    p.drawRect(QRectF(1.5, 2.5, 17, 15));
    const QColor bullets[3] = {kRed, kTeal, kPurple};
    const qreal bars[3] = {10, 7, 4.5};
    for (int r = 0; r < 3; ++r) {
        const qreal y = 4.5 + r * 4.3;
        p.setPen(Qt::NoPen);
        p.setBrush(bullets[r]);
        p.drawEllipse(QRectF(3.5, y, 2.6, 2.6));
        p.setBrush(kRule);
        p.drawRect(QRectF(7.5, y + 0.6, bars[r], 1.4));
    }
}

void drawCalendar(QPainter& p)
{
    outlined(p, kPaper);
    p.drawRect(QRectF(1.5, 3.5, 17, 15));
    outlined(p, kRed);
    p.drawRect(QRectF(1.5, 3.5, 17, 4));
    p.setPen(QPen(kLine, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 1.5), QPointF(6, 5));
    p.drawLine(QPointF(14, 1.5), QPointF(14, 5));
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) {
            p.setBrush(r == 1 && c == 2 ? kBlue : kRule);
            p.drawRect(QRectF(3.5 + c * 3.6, 9 + r * 3, 2.4, 2));
        }
}

void drawCalculator(QPainter& p)
{
    outlined(p, QColor(0x55, 0x60, 0x6b));
    p.drawRoundedRect(QRectF(3.5, 1.5, 13, 17), 1.8, 1.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc8, 0xe6, 0xc9));
    p.drawRect(QRectF(5.5, 3.5, 9, 4));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            p.setBrush(c == 2 && r == 2 ? kOrange : kLight);
            p.drawRect(QRectF(5.5 + c * 3.2, 9.5 + r * 2.9, 2.4, 2.1));
        }
}

void drawHelp(QPainter& p)
{
    outlined(p, kBlue);
    p.drawEllipse(QPointF(10, 10), 8.5, 8.5);
    QPainterPath q;
    q.moveTo(7.3, 7.6);
    q.cubicTo(7.3, 4.2, 12.8, 4.2, 12.8, 7.4);
    q.cubicTo(12.8, 9.6, 10, 9.6, 10, 11.8);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(q);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(10, 14.8), 1.3, 1.3);
}

// The ledger book of the programs' own icons: a blue cover with its spine
// and a ruled label.
void ledgerBook(QPainter& p)
{
    p.setPen(QPen(kLine, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(4.5, 2.5, 20, 27), 2, 2);
    p.setBrush(QColor(0x24, 0x55, 0x9f));
    p.drawRoundedRect(QRectF(4.5, 2.5, 4.5, 27), 2, 2);
    outlined(p, kPaper, 1.0);
    p.drawRoundedRect(QRectF(11.5, 6.5, 10, 7), 1, 1);
    rules(p, 13.5, 19.5, {9, 11});
}

// KaneloY: the book and a yen coin.
void drawKaneloY(QPainter& p)
{
    ledgerBook(p);
    p.setPen(QPen(QColor(0xb0, 0x7a, 0x10), 1.2));
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(22.5, 22.5), 7, 7);
    p.setPen(QPen(QColor(0x7a, 0x4f, 0x00), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{QPointF(19.6, 18.4), QPointF(22.5, 22.2), QPointF(25.4, 18.4)});
    p.drawLine(QPointF(22.5, 22.2), QPointF(22.5, 27));
    p.drawLine(QPointF(19.8, 22.8), QPointF(25.2, 22.8));
    p.drawLine(QPointF(19.8, 25), QPointF(25.2, 25));
}

// KaneloImport: the book and a green badge with an arrow going in.
void drawKaneloImport(QPainter& p)
{
    ledgerBook(p);
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(22.5, 22.5), 7, 7);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(26, 22.5), QPointF(19.5, 22.5));
    p.drawPolyline(QPolygonF{QPointF(22.3, 19.5), QPointF(19.3, 22.5), QPointF(22.3, 25.5)});
}

bool writeProgramIcon(const QString& folder, const QString& name, const std::function<void(QPainter&)>& draw)
{
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        draw(p);
        p.end();
        if (!image.save(QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(name).arg(size)), "PNG", 9))
            return false;
    }
    return true;
}

bool writeToolbarIcon(const QString& folder, const QString& name, const std::function<void(QPainter&)>& draw)
{
    for (int scale : {1, 2}) {
        QImage image(20 * scale, 20 * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p);
        p.end();
        const QString file = QDir(folder).filePath(name + (scale == 1 ? QStringLiteral(".png") : QStringLiteral("@2x.png")));
        if (!image.save(file, "PNG", 9))
            return false;
    }
    return true;
}
}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    using Icons = std::vector<std::pair<const char*, std::function<void(QPainter&)>>>;
    const Icons icons{
        {"exit", drawExit},
        {"new", drawNew},
        {"open", drawOpen},
        {"save", drawSave},
        {"print-month", drawPrintMonth},
        {"print-year", drawPrintYear},
        {"add", drawAdd},
        {"change", drawChange},
        {"delete", drawDelete},
        {"categories", drawCategories},
        {"graph-month", drawGraphMonth},
        {"graph-year", drawGraphYear},
        {"day-summary", drawDaySummary},
        {"category-summary", drawCategorySummary},
        {"calendar", drawCalendar},
        {"calculator", drawCalculator},
        {"help", drawHelp},
    };
    const Icons programs{
        {"kaneloy", drawKaneloY},
        {"kaneloimport", drawKaneloImport},
    };
    const auto writeAll = [&folder](const Icons& list, auto writeOne) {
        for (const auto& [name, draw] : list)
            if (!writeOne(folder, QString::fromLatin1(name), draw)) {
                std::fprintf(stderr, "cannot write %s\n", name);
                return false;
            }
        return true;
    };
    return writeAll(icons, writeToolbarIcon) && writeAll(programs, writeProgramIcon) ? 0 : 1;
}
