// Compiles the toolbar icons' PNG files into pixel arrays, so the program
// shows its icons without decoding an image while it starts.
//   icon_pixels <output .inc> <folder> <name>...
// Each name stands for <name>.png (20 px) and <name>@2x.png (40 px).
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <cstdio>

namespace {
bool writePixels(QFile& out, const QImage& image, const QByteArray& array)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray text = "const quint32 " + array + "[] = {";
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            text += (x % 8 == 0 ? "\n    0x" : " 0x") + QByteArray::number(line[x], 16).rightJustified(8, '0') + ',';
    }
    text += "\n};\n";
    return out.write(text) == text.size();
}
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: icon_pixels <output> <folder> <name>...\n");
        return 2;
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QByteArray table = "const IconPixels kIconPixels[] = {\n";
    for (int i = 3; i < argc; ++i) {
        const QByteArray name = argv[i];
        const QByteArray array = "kIcon" + QByteArray::number(i - 3);
        const QImage small(folder + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png"));
        const QImage large(folder + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral("@2x.png"));
        if (small.isNull() || large.isNull() || small.width() != small.height() || large.size() != small.size() * 2) {
            std::fprintf(stderr, "icon %s: missing, unreadable or of the wrong size\n", name.constData());
            return 1;
        }
        if (!writePixels(out, small, array + "x1") || !writePixels(out, large, array + "x2")) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
        table += "    {\"" + name + "\", " + QByteArray::number(small.width()) + ", " + array + "x1, " + array + "x2},\n";
    }
    table += "};\n";
    if (out.write(table) != table.size() || !out.flush()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
