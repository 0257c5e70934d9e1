#include "GraphKeeper.h"

#include "Prompter.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QMenu>
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

    // Child widgets without a menu of their own pass the request up here.
    window->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(window, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(window_);
        menu.addAction(actSave);
        menu.addAction(actCopy);
        menu.exec(window_->mapToGlobal(at));
    });
}

QImage GraphKeeper::picture() const { return area_->grab().toImage(); }

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
