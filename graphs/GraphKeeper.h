#pragma once

#include <QObject>
#include <QString>
#include <functional>

class Prompter;
class QAction;
class QImage;
class QWidget;

// Lets the user keep a graph: the window's context menu offers
// "画像として保存..." (a PNG file) and "コピー" (the clipboard). Both take the
// picture of `area` as it is on the screen, at the screen's pixel density,
// under a caption naming the graph.
class GraphKeeper : public QObject {
    Q_OBJECT
public:
    // nameStem: the caption, and the proposed file name without ".png".
    GraphKeeper(QWidget* window, QWidget* area, Prompter& prompter, std::function<QString()> nameStem);

    QAction* actSave = nullptr;
    QAction* actCopy = nullptr;

    QImage picture() const;
    // Asks for a file and writes the picture; false on Cancel or failure
    // (the user has been told of a failure).
    bool save();
    void copy();

private:
    QWidget* window_;
    QWidget* area_;
    Prompter& prompter_;
    std::function<QString()> nameStem_;
};
