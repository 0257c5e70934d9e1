#include "app/frmKanelo.h"

#include "month/EditCommands.h"
#include "month/EditHistory.h"
#include "graphs/GraphCommands.h"
#include "app/HelpWindow.h"
#include "ledger/LedgerModel.h"
#include "month/MonthViews.h"
#include "ledger/ProgramFolder.h"
#include "recurring/TeikiBook.h"
#include "categories/frmMainSub.h"
#include "app/frmVersion.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeView>

const QString frmKanelo::kAppTitle = QStringLiteral("Kanelo Y -ぽるもさん!?");

frmKanelo::frmKanelo(LedgerModel& model, QWidget* parent) : QMainWindow(parent), model_(&model)
{
    setObjectName(QStringLiteral("frmKanelo"));
    setWindowTitle(kAppTitle);
    // Toolbars are shown and hidden through the options menu only.
    setContextMenuPolicy(Qt::NoContextMenu);

    views = new MonthViews(model, this);
    setCentralWidget(views->centre);
    setStatusBar(views->sbrStatus);
    // The entry dialog is loaded when first opened, not before the window
    // shows; it ranks the categories itself as it loads.
    edit = new EditCommands(model, *views, this);
    graphs = new GraphCommands(model, this);
    buildMenus();
    buildToolbar();
    teiki = new TeikiBook(model, this);
    addRecordMenus();
    connect(&EditHistory::of(model), &EditHistory::unsavedChanged, this, &frmKanelo::UpdateCaption);
    // F1 reaches every window of the program, modal dialogs included.
    qApp->installEventFilter(this);

    // The design geometry, centred on the screen. The least size (above
    // 10000 x 4000 twips) keeps every status panel and the toolbar in view.
    setMinimumSize(820, 360);
    resize(900, 620);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

frmKanelo::~frmKanelo()
{
    if (help)
        delete help;
    if (splash)
        delete splash;
}

void frmKanelo::ShowTodayMemo(const QString& text)
{
    picMemo->parentWidget()->setVisible(!text.isEmpty());
    picMemo->setText(picMemo->fontMetrics().elidedText(text, Qt::ElideRight, picMemo->width() - 14));
    picMemo->setToolTip(text);
}

void frmKanelo::UpdateCaption()
{
    const bool unsaved = EditHistory::of(*model_).unsaved();
    setWindowTitle(kAppTitle + QStringLiteral("  [") + QString::number(model_->curYear()) + QStringLiteral(" 年度]")
                   + (unsaved ? QStringLiteral(" *") : QString()));
}

void frmKanelo::ToggleToolbar()
{
    tbrToolBar->setHidden(!tbrToolBar->isHidden());
    mnuEnvItem[0]->setChecked(tbrToolBar->isHidden());
}

void frmKanelo::ToggleLinkCalendar()
{
    linkCalendar = mnuEnvSubItem[0]->isChecked();
    emit linkCalendarChanged(linkCalendar);
}

void frmKanelo::EditCategories()
{
    // The month views follow the master and the year as the editor leaves them.
    frmMainSub::Deleted deleted;
    if (frmMainSub::Run(*model_, this, &deleted))
        teiki->turnOffDeleted(deleted.categories, deleted.subItems);
}

void frmKanelo::ShowHelp() { ShowHelpAt({}); }

void frmKanelo::ShowHelpAt(const QString& page)
{
    const QString folder = shippedFile(QStringLiteral("help"));
    if (!QFileInfo::exists(QDir(folder).filePath(QStringLiteral("index.html")))) {
        model_->prompter().message(QStringLiteral("ヘルプファイルが見つかりません。\r\n\r\n  [") + QDir::toNativeSeparators(folder)
                                       + QStringLiteral("]"),
                                   Prompter::Icon::Warning);
        return;
    }
    QWidget* caller = QApplication::activeWindow();
    // A modal dialog blocks every window but its own: over one, the help
    // belongs to it.
    QWidget* modal = QApplication::activeModalWidget();
    if (help && modal && help->parentWidget() != modal)
        delete help;
    if (!help) {
        help = new HelpWindow(folder, modal);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->move(geometry().center() - help->rect().center());
    }
    if (page.isEmpty())
        help->showContents();
    else
        help->openPage(page);
    if (caller != help)
        help->returnTo(caller);
    help->txtPage->setFocus();
    help->show();
    help->raise();
    help->activateWindow();
}

void frmKanelo::ShowVersion()
{
    frmVersion box(this);
    box.exec();
}

bool frmKanelo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1
        && static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->window() != help) {
            ShowHelpAt(HelpWindow::pageFor(w));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmKanelo::closeEvent(QCloseEvent* event)
{
    if (importRunning) {
        refuseWhileImporting();
        event->ignore();
        return;
    }
    // Nothing unsaved: nothing to ask.
    if (!closingByProgram_ && EditHistory::of(*model_).unsaved()) {
        const auto answer = model_->prompter().question(
            QStringLiteral("[ぽるもさん]を終了してよろしいですか。\r\n\r\n"
                           "  ・家計簿データを保存して終了する場合は [はい]\r\n"
                           "  ・家計簿データを保存せずに終了する場合は、[いいえ]\r\n"
                           "  ・終了しない場合は、[キャンセル]\r\n\r\n"
                           "をそれぞれクリックして下さい。"),
            Prompter::Buttons::YesNoCancel);
        // A year that could not be saved keeps the window open: the user has been told.
        if (answer == Prompter::Answer::Cancel || (answer == Prompter::Answer::Yes && !model_->SaveYearFile(1))) {
            event->ignore();
            return;
        }
    }
    closingByProgram_ = false;
    emit unloading();
    if (help)
        help->close();
    event->accept();
}

void frmKanelo::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // Today's memo takes what the menus leave, up to its own width.
    picMemo->setFixedWidth(qBound(120, width() - 640, 280));
    picMemo->setText(picMemo->fontMetrics().elidedText(picMemo->toolTip(), Qt::ElideRight, picMemo->width() - 14));
}

void frmKanelo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        views->lvwMonth->setFocus();
    QMainWindow::changeEvent(event);
}
