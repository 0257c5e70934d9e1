#include "graphs/GraphKeeper.h"

#include "ledger/Prompter.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

GraphKeeper::GraphKeeper(QWidget* window, QWidget* area, Prompter& prompter, std::function<QString()> nameStem)
    : QObject(window), window_(window), area_(area), prompter_(prompter), nameStem_(std::move(nameStem))
{
    actSave = new QAction(QStringLiteral("画像として保存..."), this);
    actSave->setObjectName(QStringLiteral("actSaveImage"));
    actCopy = new QAction(QStringLiteral("コピー"), this);
    actCopy->setObjectName(QStringLiteral("actCopyImage"));
    connect(actSave, &QAction::triggered, this, [this] { save(); });
    connect(actCopy, &QAction::triggered, this, &GraphKeeper::copy);
    // The usual keys work without the menu, whatever control has the focus.
    actSave->setShortcut(QKeySequence::Save);
    actCopy->setShortcut(QKeySequence::Copy);
    window->addAction(actSave);
    window->addAction(actCopy);

    // Child widgets without a menu of their own pass the request up here.
    window->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(window, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(window_);
        menu.addAction(actSave);
        menu.addAction(actCopy);
        menu.exec(window_->mapToGlobal(at));
    });
}

QImage GraphKeeper::picture() const
{
    // The graph as shown, under a caption that says what it is (year, month,
    // category), since the window's title bar is not part of it.
    const QPixmap shot = area_->grab();
    const qreal dpr = shot.devicePixelRatio();
    const QSizeF size = QSizeF(shot.size()) / dpr;
    QFont font = area_->font();
    font.setBold(true);
    const int caption = QFontMetrics(font).height() + 8;
    QImage image((QSizeF(size.width(), size.height() + caption) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(area_->palette().color(QPalette::Window));
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(area_->palette().color(QPalette::WindowText));
    p.drawText(QRectF(8, 0, size.width() - 16, caption), Qt::AlignLeft | Qt::AlignVCenter, nameStem_());
    p.drawPixmap(QPointF(0, caption), shot);
    p.end();
    return image;
}

bool GraphKeeper::save()
{
    // Characters a file name cannot hold on the user's system become "_".
    QString stem = nameStem_();
    for (QChar& c : stem)
        if (QStringLiteral("\\/:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QString path = prompter_.saveFile(QStringLiteral("画像として保存"), {QStringLiteral("PNG 画像|*.png")},
                                      QDir(folder).filePath(stem + QStringLiteral(".png")));
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");

    // Written whole or not at all: a full disk leaves no broken file behind.
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
    } else {
        QImageWriter writer(&file, "png");
        if (!writer.write(picture())) {
            error = writer.errorString();
            file.cancelWriting();
        } else if (!file.commit()) {
            error = file.errorString();
        }
    }
    if (!error.isEmpty()) {
        prompter_.message(QStringLiteral("画像を保存できませんでした。\r\n\r\n  [") + QDir::toNativeSeparators(path)
                              + QStringLiteral("]\r\n\r\n") + error,
                          Prompter::Icon::Warning);
        return false;
    }
    return true;
}

void GraphKeeper::copy() { QGuiApplication::clipboard()->setImage(picture()); }
