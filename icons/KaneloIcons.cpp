#include "icons/KaneloIcons.h"

#include <QGuiApplication>
#include <QPixmap>

namespace {
struct IconPixels {
    const char* name;
    int size;
    const quint32* x1;
    const quint32* x2;
};

#include "IconPixels.inc"
}

QImage kaneloIconImage(QLatin1StringView name, int scale)
{
    for (const IconPixels& icon : kIconPixels) {
        if (name != QLatin1StringView(icon.name))
            continue;
        const int size = icon.size * scale;
        // Read-only pixels: the image refers to them without a copy.
        QImage image(reinterpret_cast<const uchar*>(scale == 1 ? icon.x1 : icon.x2), size, size, size * 4,
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        return image;
    }
    return {};
}

QIcon kaneloIcon(QLatin1StringView name)
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(kaneloIconImage(name, 1)));
    // The 40 px pixels only where a screen can show them, as Qt does with
    // "@2x" image files: a copy of each is not kept for nothing.
    if (qGuiApp->devicePixelRatio() > 1)
        icon.addPixmap(QPixmap::fromImage(kaneloIconImage(name, 2)));
    return icon;
}
