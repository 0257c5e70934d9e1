#include "app/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
// The windows that have a page, by object name.
const QHash<QString, QString>& pages()
{
    static const QHash<QString, QString> byWindow{
        {QStringLiteral("frmKanelo"), QStringLiteral("month.html")},
        {QStringLiteral("frmData"), QStringLiteral("entry.html")},
        {QStringLiteral("frmMainSub"), QStringLiteral("categories.html")},
        {QStringLiteral("frmCalender"), QStringLiteral("calendar.html")},
        {QStringLiteral("frmCalculator"), QStringLiteral("calculator.html")},
        {QStringLiteral("frmGraph"), QStringLiteral("graphs.html")},
        {QStringLiteral("frmYGraph"), QStringLiteral("graphs.html")},
        {QStringLiteral("frmDGraph"), QStringLiteral("graphs.html")},
        {QStringLiteral("frmPrint"), QStringLiteral("file.html#print")},
        {QStringLiteral("frmPrintY"), QStringLiteral("file.html#print")},
        {QStringLiteral("frmTeiki"), QStringLiteral("recurring.html")},
        {QStringLiteral("frmSearch"), QStringLiteral("search.html")},
        {QStringLiteral("frmRestore"), QStringLiteral("backup.html")},
    };
    return byWindow;
}

QString readUtf8(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
}

HelpWindow::HelpWindow(const QString& folder, QWidget* parent) : QWidget(parent, Qt::Window), folder_(folder)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Kanelo Y ヘルプ"));
    resize(860, 600);

    auto* splitter = new QSplitter(this);
    tabNavi = new QTabWidget(splitter);
    tabNavi->setObjectName(QStringLiteral("tabNavi"));

    lstContents = new QListWidget;
    lstContents->setObjectName(QStringLiteral("lstContents"));
    tabNavi->addTab(lstContents, QStringLiteral("目次"));

    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(new QLabel(QStringLiteral("検索する語句:")));
    auto* row = new QHBoxLayout;
    txtSearch = new QLineEdit;
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    cmdSearch = new QPushButton(QStringLiteral("検索"));
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    row->addWidget(txtSearch, 1);
    row->addWidget(cmdSearch);
    searchLayout->addLayout(row);
    lstResults = new QListWidget;
    lstResults->setObjectName(QStringLiteral("lstResults"));
    searchLayout->addWidget(lstResults, 1);
    tabNavi->addTab(searchPage, QStringLiteral("検索"));

    txtPage = new QTextBrowser(splitter);
    txtPage->setObjectName(QStringLiteral("txtPage"));
    txtPage->setSearchPaths({folder_});
    txtPage->setOpenExternalLinks(true);

    splitter->addWidget(tabNavi);
    splitter->addWidget(txtPage);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 620});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    connect(lstContents, &QListWidget::itemActivated, this, &HelpWindow::onItem);
    connect(lstContents, &QListWidget::itemClicked, this, &HelpWindow::onItem);
    connect(lstResults, &QListWidget::itemActivated, this, &HelpWindow::onItem);
    connect(lstResults, &QListWidget::itemClicked, this, &HelpWindow::onItem);
    connect(cmdSearch, &QPushButton::clicked, this, [this] { search(txtSearch->text()); });
    connect(txtSearch, &QLineEdit::returnPressed, this, [this] { search(txtSearch->text()); });

    loadPages();
}

void HelpWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (caller_ && caller_ != this && caller_->isVisible())
        caller_->activateWindow();
}

// Esc reaches the window from any of its controls, none of which uses it.
void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

QString HelpWindow::pageFor(const QWidget* window)
{
    for (const QWidget* w = window ? window->window() : nullptr; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (const auto it = pages().find(w->objectName()); it != pages().end())
            return *it;
    return {};
}

// The contents follow the links of index.html in their order; every page of
// the folder takes part in the search.
void HelpWindow::loadPages()
{
    const QDir dir(folder_);
    for (const QString& file : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        const QString html = readUtf8(dir.filePath(file));
        QTextDocument doc;
        doc.setHtml(html);
        QString title = doc.metaInformation(QTextDocument::DocumentTitle);
        if (title.isEmpty())
            title = file;
        pages_.append({file, title, doc.toPlainText()});
    }
    lstContents->clear();
    const QString index = readUtf8(dir.filePath(QStringLiteral("index.html")));
    static const QRegularExpression link(QStringLiteral("<a\\s+href=\"([^\"#:]+\\.html)\"[^>]*>(.*?)</a>"),
                                         QRegularExpression::CaseInsensitiveOption);
    auto* top = new QListWidgetItem(QStringLiteral("はじめに"), lstContents);
    top->setData(Qt::UserRole, QStringLiteral("index.html"));
    for (auto it = link.globalMatch(index); it.hasNext();) {
        const auto m = it.next();
        auto* item = new QListWidgetItem(m.captured(2).remove(QRegularExpression(QStringLiteral("<[^>]*>"))), lstContents);
        item->setData(Qt::UserRole, m.captured(1));
    }
}

void HelpWindow::showContents()
{
    tabNavi->setCurrentIndex(0);
    openPage(QStringLiteral("index.html"));
}

void HelpWindow::openPage(const QString& fileName)
{
    txtPage->setSource(QUrl(fileName));
    // The contents show where the page stands.
    const QString file = fileName.section(QLatin1Char('#'), 0, 0);
    for (int i = 0; i < lstContents->count(); ++i)
        if (lstContents->item(i)->data(Qt::UserRole).toString() == file)
            lstContents->setCurrentRow(i);
    if (!lastWords_.isEmpty() && tabNavi->currentIndex() == 1)
        txtPage->find(lastWords_.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty));
}

void HelpWindow::onItem(QListWidgetItem* item)
{
    if (item && !item->data(Qt::UserRole).toString().isEmpty())
        openPage(item->data(Qt::UserRole).toString());
}

void HelpWindow::search(const QString& words)
{
    lastWords_ = words.simplified();
    lstResults->clear();
    const QStringList terms = lastWords_.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (terms.isEmpty())
        return;
    for (const Page& p : pages_) {
        const bool all = std::all_of(terms.begin(), terms.end(),
                                     [&](const QString& t) { return p.text.contains(t, Qt::CaseInsensitive); });
        if (all) {
            auto* item = new QListWidgetItem(p.title, lstResults);
            item->setData(Qt::UserRole, p.file);
        }
    }
    if (lstResults->count() == 0)
        new QListWidgetItem(QStringLiteral("該当するページはありません。"), lstResults);
    tabNavi->setCurrentIndex(1);
}
