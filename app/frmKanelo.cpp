#include "frmKanelo.h"

#include "EditCommands.h"
#include "EditHistory.h"
#include "GraphCommands.h"
#include "HelpWindow.h"
#include "KaneloIcons.h"
#include "LedgerModel.h"
#include "MonthViews.h"
#include "ProgramFolder.h"
#include "frmMainSub.h"
#include "frmVersion.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
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
    buildMenus();
    buildToolbar();

    // The entry dialog is loaded when first opened, not before the window
    // shows; it ranks the categories itself as it loads.
    edit = new EditCommands(model, *views, this);
    connect(edit, &EditCommands::categoriesRequested, this, &frmKanelo::EditCategories);
    addEditMenu(edit->mnuEdit, {edit->tbrAdd, edit->tbrChange, edit->tbrDelete});
    buildHistoryItems();
    tbrToolBar->insertAction(tbrEditPlace, edit->tbrCategories); // 15, between separators
    tbrToolBar->insertSeparator(tbrEditPlace);
    // Result menu items 0 and 1; toolbar buttons 17 and 18 before the summary toggles.
    graphs = new GraphCommands(model, *views, this);
    tbrToolBar->insertAction(tbrSummaryPlace, graphs->tbrGraphMonth);
    tbrToolBar->insertAction(tbrSummaryPlace, graphs->tbrGraphYear);
    tbrToolBar->insertSeparator(tbrSummaryPlace);

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

void frmKanelo::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    auto fileItem = [this](int index, const QString& caption) {
        QAction* a = mnuFile->addAction(caption);
        a->setObjectName(QStringLiteral("mnuFileItem%1").arg(index));
        connect(a, &QAction::triggered, this, [this, index] { mnuFileItem_Click(index); });
        mnuFileItem[index] = a;
    };
    fileItem(0, QStringLiteral("新規作成(&N)"));
    fileItem(1, QStringLiteral("開く(&O)"));
    mnuFileItem[2] = mnuFile->addSeparator();
    fileItem(3, QStringLiteral("上書き保存(&S)"));
    mnuFileItem[3]->setShortcut(QKeySequence::Save);
    mnuFileItem[4] = mnuFile->addSeparator();
    fileItem(5, QStringLiteral("家計簿データのインポート..."));
    fileItem(6, QStringLiteral("家計簿データのエクスポート"));
    mnuFileItem[7] = mnuFile->addSeparator();
    mnuFileSub = mnuFile->addMenu(QStringLiteral("印刷(&P)"));
    mnuFileSub->setObjectName(QStringLiteral("mnuFileSub"));
    mnuFileItem[8] = mnuFileSub->menuAction();
    for (int i = 0; i < 2; ++i) {
        mnuFileSubItem[i] = mnuFileSub->addAction(i == 0 ? QStringLiteral("月間収支報告") : QStringLiteral("年間収支報告"));
        mnuFileSubItem[i]->setObjectName(QStringLiteral("mnuFileSubItem%1").arg(i));
        connect(mnuFileSubItem[i], &QAction::triggered, this, [this, i] { mnuFileSubItem_Click(i); });
    }
    mnuFileItem[9] = mnuFile->addSeparator();
    fileItem(10, QStringLiteral("Kanelo Yの終了(&X)"));

    // ---- the edit menu is inserted here, before 実績 (addEditMenu).
    menuBar()->addMenu(views->mnuResult);

    mnuEnv = menuBar()->addMenu(QStringLiteral("環境(&K)"));
    mnuEnv->setObjectName(QStringLiteral("mnuEnv"));
    mnuEnvItem[0] = mnuEnv->addAction(QStringLiteral("ツールバー非表示"), this, &frmKanelo::ToggleToolbar);
    mnuEnvItem[0]->setObjectName(QStringLiteral("mnuEnvItem0"));
    mnuEnvItem[0]->setCheckable(true);
    mnuEnvItem[1] = mnuEnv->addSeparator();
    mnuEnvItem[2] = mnuEnv->addAction(QStringLiteral("フォントサイズの変更"), this, &frmKanelo::ChangeFontSize);
    mnuEnvItem[2]->setObjectName(QStringLiteral("mnuEnvItem2"));
    mnuEnvItem[3] = mnuEnv->addSeparator();
    mnuEnvSub = mnuEnv->addMenu(QStringLiteral("オプション(&O)"));
    mnuEnvSub->setObjectName(QStringLiteral("mnuEnvSub"));
    mnuEnvItem[4] = mnuEnvSub->menuAction();
    mnuEnvSubItem[0] = mnuEnvSub->addAction(QStringLiteral("カレンダーとデータ入力画面の年月を連動させる"), this,
                                            &frmKanelo::ToggleLinkCalendar);
    mnuEnvSubItem[0]->setObjectName(QStringLiteral("mnuEnvSubItem0"));
    mnuEnvSubItem[0]->setCheckable(true);
    connect(mnuEnvSub, &QMenu::aboutToShow, this, [this] { mnuEnvSubItem[0]->setChecked(linkCalendar); });

    buildToolMenu();

    mnuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpItem[0] = mnuHelp->addAction(QStringLiteral("トピックの検索"), this, &frmKanelo::ShowHelp);
    mnuHelpItem[0]->setObjectName(QStringLiteral("mnuHelpItem0"));
    mnuHelpItem[1] = mnuHelp->addSeparator();
    mnuHelpItem[2] = mnuHelp->addAction(QStringLiteral("バージョン情報(&A)..."), this, &frmKanelo::ShowVersion);
    mnuHelpItem[2]->setObjectName(QStringLiteral("mnuHelpItem2"));
}

void frmKanelo::buildToolbar()
{
    tbrToolBar = addToolBar(QStringLiteral("ツールバー"));
    tbrToolBar->setObjectName(QStringLiteral("tbrToolBar"));
    tbrToolBar->setMovable(false);
    tbrToolBar->setFloatable(false);
    tbrToolBar->setIconSize(QSize(20, 20));
    // Our own small icons, compiled in as pixels.
    auto button = [this](const QString& name, const char* icon, const QString& tip, QAction* runs) {
        QAction* a = tbrToolBar->addAction(kaneloIcon(QLatin1StringView(icon)), tip);
        a->setObjectName(name);
        a->setToolTip(tip);
        connect(a, &QAction::triggered, runs, &QAction::trigger);
        return a;
    };
    tbrExit = button(QStringLiteral("tbrExit"), "exit", QStringLiteral("Kanelo Y の終了"), mnuFileItem[10]);
    tbrToolBar->addSeparator();
    tbrNew = button(QStringLiteral("tbrNew"), "new", QStringLiteral("新規作成"), mnuFileItem[0]);
    tbrOpen = button(QStringLiteral("tbrOpen"), "open", QStringLiteral("家計簿データファイルを開く"), mnuFileItem[1]);
    tbrSave = button(QStringLiteral("tbrSave"), "save", QStringLiteral("上書き保存"), mnuFileItem[3]);
    tbrToolBar->addSeparator();
    tbrPrintMonth = tbrToolBar->addAction(kaneloIcon(QLatin1StringView("print-month")), QStringLiteral("月間収支報告の印刷"));
    tbrPrintMonth->setObjectName(QStringLiteral("tbrPrintMonth"));
    connect(tbrPrintMonth, &QAction::triggered, mnuFileSubItem[0], &QAction::trigger);
    tbrPrintYear = tbrToolBar->addAction(kaneloIcon(QLatin1StringView("print-year")), QStringLiteral("年間支出報告の印刷"));
    tbrPrintYear->setObjectName(QStringLiteral("tbrPrintYear"));
    connect(tbrPrintYear, &QAction::triggered, mnuFileSubItem[1], &QAction::trigger);
    tbrToolBar->addSeparator();
    // ---- 11-13 (edit), 15 (categories), 17, 18 (graphs) are inserted before the toggles.
    tbrEditPlace = views->tbrDaySummary; // the edit buttons 11-13 go before the toggles
    tbrSummaryPlace = views->tbrDaySummary;
    tbrToolBar->addAction(views->tbrDaySummary);
    tbrToolBar->addAction(views->tbrCategorySummary);
    // The toggles show their state in their captions.
    for (QAction* toggle : {views->tbrDaySummary, views->tbrCategorySummary})
        if (auto* b = qobject_cast<QToolButton*>(tbrToolBar->widgetForAction(toggle)))
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbrToolBar->addSeparator();
    addToolButtons();
    tbrToolBar->addSeparator();
    tbrHelp = button(QStringLiteral("tbrHelp"), "help", QStringLiteral("ヘルプの表示"), mnuHelpItem[0]);

    // Today's memo stays at the right end of the menu bar row, where no
    // toolbar button can push it out of view, with or without the toolbar.
    auto* memo = new QWidget(menuBar());
    memo->setObjectName(QStringLiteral("todayMemo"));
    auto* row = new QHBoxLayout(memo);
    row->setContentsMargins(0, 1, 4, 1);
    row->setSpacing(2);
    picLabel = new QLabel(QStringLiteral("今日のメモ"), memo);
    picLabel->setObjectName(QStringLiteral("picLabel"));
    picLabel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    picLabel->setContentsMargins(6, 0, 6, 0);
    picLabel->setAutoFillBackground(true);
    QPalette note = picLabel->palette();
    note.setColor(QPalette::Window, QColor(0xff, 0xff, 0xe0));
    picLabel->setPalette(note);
    picMemo = new QLabel(memo);
    picMemo->setObjectName(QStringLiteral("picMemo"));
    picMemo->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    picMemo->setContentsMargins(6, 0, 6, 0);
    picMemo->setFixedWidth(280);
    row->addWidget(picLabel);
    row->addWidget(picMemo);
    menuBar()->setCornerWidget(memo, Qt::TopRightCorner);
    ShowTodayMemo({});
}

void frmKanelo::addEditMenu(QMenu* mnuEdit, const QList<QAction*>& toolbarButtons)
{
    menuBar()->insertMenu(views->mnuResult->menuAction(), mnuEdit);
    for (QAction* a : toolbarButtons)
        tbrToolBar->insertAction(tbrEditPlace, a);
    if (!toolbarButtons.isEmpty())
        tbrToolBar->insertSeparator(tbrEditPlace);
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

// 元に戻す and やり直し head the edit menu; each names the step it takes.
void frmKanelo::buildHistoryItems()
{
    EditHistory& history = EditHistory::of(*model_);
    QUndoStack& stack = history.stack();
    QMenu* menu = edit->mnuEdit;
    QAction* first = menu->actions().value(0);
    mnuUndo = new QAction(this);
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRedo = new QAction(this);
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    menu->insertActions(first, {mnuUndo, mnuRedo});
    menu->insertSeparator(first);
    connect(mnuUndo, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(mnuRedo, &QAction::triggered, &stack, &QUndoStack::redo);
    auto label = [](QAction* a, const QString& caption, const QString& step, bool enabled) {
        a->setText(step.isEmpty() ? caption : caption + QStringLiteral("  ") + step);
        a->setEnabled(enabled);
    };
    auto update = [this, &stack, label] {
        label(mnuUndo, QStringLiteral("元に戻す(&U)"), stack.undoText(), stack.canUndo());
        label(mnuRedo, QStringLiteral("やり直し(&R)"), stack.redoText(), stack.canRedo());
    };
    connect(&stack, &QUndoStack::indexChanged, this, update);
    connect(&stack, &QUndoStack::cleanChanged, this, update);
    update();
    connect(&history, &EditHistory::unsavedChanged, this, &frmKanelo::UpdateCaption);
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
    frmMainSub::Run(*model_, this);
}

void frmKanelo::ShowHelp()
{
    const QString folder = shippedFile(QStringLiteral("help"));
    if (!QFileInfo::exists(QDir(folder).filePath(QStringLiteral("index.html")))) {
        model_->prompter().message(QStringLiteral("ヘルプファイルが見つかりません。\r\n\r\n  [") + QDir::toNativeSeparators(folder)
                                       + QStringLiteral("]"),
                                   Prompter::Icon::Warning);
        return;
    }
    if (!help) {
        help = new HelpWindow(folder);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->move(geometry().center() - help->rect().center());
    }
    help->showContents();
    help->show();
    help->raise();
    help->activateWindow();
}

void frmKanelo::ShowVersion()
{
    frmVersion box(this);
    box.exec();
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
