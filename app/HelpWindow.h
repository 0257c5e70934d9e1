#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTextBrowser;

// The help pages (HTML files of the help folder) with a contents list and a
// full-text search. Esc closes the window.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);

    // The page about a window of the program ("entry.html", "file.html#print"):
    // the window's own, else that of the window it belongs to; empty for none.
    static QString pageFor(const QWidget* window);

    // Shows the contents page (index.html).
    void showContents();
    // Lists the pages whose text holds every word of `words`.
    void search(const QString& words);
    void openPage(const QString& fileName);
    // The window the help was called from, active again when the help closes.
    void returnTo(QWidget* window) { caller_ = window; }

    QTabWidget* tabNavi = nullptr;
    QListWidget* lstContents = nullptr;
    QLineEdit* txtSearch = nullptr;
    QPushButton* cmdSearch = nullptr;
    QListWidget* lstResults = nullptr;
    QTextBrowser* txtPage = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Page {
        QString file;
        QString title;
        QString text; // plain text, for the search
    };
    void loadPages();
    void onItem(QListWidgetItem* item);

    QString folder_;
    QList<Page> pages_;
    QString lastWords_;
    QPointer<QWidget> caller_;
};
