// The main window's menus and toolbar: the one place where commands meet
// their menu items, shortcuts and buttons. Each feature only exposes its
// commands (MonthViews, EditCommands, GraphCommands, this window's own).
//
// No command here needs a check of its own against the import tool: while
// the tool runs, an application-modal note (clsExecute::ShellX) blocks
// every window of the program, menus, toolbar, shortcuts and the tool
// windows included, and closeEvent refuses the frame's close button.
#include "app/frmKanelo.h"

#include "month/EditCommands.h"
#include "month/EditHistory.h"
#include "graphs/GraphCommands.h"
#include "icons/KaneloIcons.h"
#include "ledger/LedgerModel.h"
#include "month/MonthViews.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPalette>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

namespace {
// The day's totals keep their mnemonic when the caption names the day.
const QString kTotalsKey = QStringLiteral("(&T)");
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
    fileItem(5, QStringLiteral("家計簿データのインポート(&I)..."));
    fileItem(6, QStringLiteral("家計簿データのエクスポート(&E)"));
    mnuFileItem[7] = mnuFile->addSeparator();
    mnuFileSub = mnuFile->addMenu(QStringLiteral("印刷(&P)"));
    mnuFileSub->setObjectName(QStringLiteral("mnuFileSub"));
    mnuFileItem[8] = mnuFileSub->menuAction();
    for (int i = 0; i < 2; ++i) {
        mnuFileSubItem[i] = mnuFileSub->addAction(i == 0 ? QStringLiteral("月間収支報告(&M)") : QStringLiteral("年間収支報告(&Y)"));
        mnuFileSubItem[i]->setObjectName(QStringLiteral("mnuFileSubItem%1").arg(i));
        connect(mnuFileSubItem[i], &QAction::triggered, this, [this, i] { mnuFileSubItem_Click(i); });
    }
    mnuFileItem[9] = mnuFile->addSeparator();
    fileItem(10, QStringLiteral("Kanelo Yの終了(&X)"));

    buildEditMenu();
    buildResultMenu();

    mnuEnv = menuBar()->addMenu(QStringLiteral("環境(&K)"));
    mnuEnv->setObjectName(QStringLiteral("mnuEnv"));
    mnuEnvItem[0] = mnuEnv->addAction(QStringLiteral("ツールバー非表示(&T)"), this, &frmKanelo::ToggleToolbar);
    mnuEnvItem[0]->setObjectName(QStringLiteral("mnuEnvItem0"));
    mnuEnvItem[0]->setCheckable(true);
    mnuEnvItem[1] = mnuEnv->addSeparator();
    mnuEnvItem[2] = mnuEnv->addAction(QStringLiteral("フォントサイズの変更(&F)"), this, &frmKanelo::ChangeFontSize);
    mnuEnvItem[2]->setObjectName(QStringLiteral("mnuEnvItem2"));
    mnuEnvItem[3] = mnuEnv->addSeparator();
    mnuEnvSub = mnuEnv->addMenu(QStringLiteral("オプション(&O)"));
    mnuEnvSub->setObjectName(QStringLiteral("mnuEnvSub"));
    mnuEnvItem[4] = mnuEnvSub->menuAction();
    mnuEnvSubItem[0] = mnuEnvSub->addAction(QStringLiteral("カレンダーとデータ入力画面の年月を連動させる(&L)"), this,
                                            &frmKanelo::ToggleLinkCalendar);
    mnuEnvSubItem[0]->setObjectName(QStringLiteral("mnuEnvSubItem0"));
    mnuEnvSubItem[0]->setCheckable(true);
    connect(mnuEnvSub, &QMenu::aboutToShow, this, [this] { mnuEnvSubItem[0]->setChecked(linkCalendar); });

    buildToolMenu();

    mnuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpItem[0] = mnuHelp->addAction(QStringLiteral("トピックの検索(&H)"), this, &frmKanelo::ShowHelp);
    mnuHelpItem[0]->setObjectName(QStringLiteral("mnuHelpItem0"));
    mnuHelpItem[1] = mnuHelp->addSeparator();
    mnuHelpItem[2] = mnuHelp->addAction(QStringLiteral("バージョン情報(&A)..."), this, &frmKanelo::ShowVersion);
    mnuHelpItem[2]->setObjectName(QStringLiteral("mnuHelpItem2"));
}

void frmKanelo::buildEditMenu()
{
    mnuEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    addHistoryItems();
    const QString captions[7] = {QStringLiteral("データ追加(&A)"), QStringLiteral("データ内容変更(&C)"),
                                 QStringLiteral("データ削除(&D)"), {}, QStringLiteral("その日の収支") + kTotalsKey, {},
                                 QStringLiteral("費目・摘要項目 編集(&M)")};
    for (int i = 0; i < 7; ++i) {
        mnuEditItems[i] = captions[i].isEmpty() ? mnuEdit->addSeparator()
                                                : mnuEdit->addAction(captions[i], edit, [this, i] { edit->mnuEditItem(i); });
        mnuEditItems[i]->setObjectName(QStringLiteral("mnuEditItem%1").arg(i));
    }
    // Opening (the popup on the lists too): what needs a selected entry,
    // and the caption of its day's totals.
    connect(mnuEdit, &QMenu::aboutToShow, this, [this] {
        const bool selected = edit->entrySelected();
        for (int i : {1, 2, 4})
            mnuEditItems[i]->setEnabled(selected);
        if (selected)
            mnuEditItems[4]->setText(edit->dayTotalsCaption() + kTotalsKey);
    });
    connect(edit, &EditCommands::popupRequested, mnuEdit, [this](const QPoint& at) { mnuEdit->popup(at); });
    connect(edit, &EditCommands::categoriesRequested, this, &frmKanelo::EditCategories);
}

// 元に戻す and やり直し head the edit menu; each names the step it takes.
void frmKanelo::addHistoryItems()
{
    QUndoStack& stack = EditHistory::of(*model_).stack();
    mnuUndo = mnuEdit->addAction(QString(), &stack, &QUndoStack::undo);
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRedo = mnuEdit->addAction(QString(), &stack, &QUndoStack::redo);
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mnuEdit->addSeparator();
    auto label = [](QAction* a, const QString& caption, const QString& step, bool enabled) {
        a->setText(step.isEmpty() ? caption : caption + QStringLiteral("  ") + step);
        a->setEnabled(enabled);
    };
    auto update = [this, &stack, label] {
        label(mnuUndo, QStringLiteral("元に戻す(&U)"), stack.undoText(), stack.canUndo());
        label(mnuRedo, QStringLiteral("やり直し(&Y)"), stack.redoText(), stack.canRedo());
    };
    connect(&stack, &QUndoStack::indexChanged, this, update);
    connect(&stack, &QUndoStack::cleanChanged, this, update);
    update();
}

void frmKanelo::buildResultMenu()
{
    mnuResult = menuBar()->addMenu(QStringLiteral("実績(&S)"));
    mnuResult->setObjectName(QStringLiteral("mnuResult"));
    mnuResultItem[0] = mnuResult->addAction(QString::number(model_->curMonth()) + QStringLiteral("月度支出内訳(&M)"), graphs,
                                            &GraphCommands::ShowMonthGraph);
    mnuResultItem[1] = mnuResult->addAction(QStringLiteral("年間推移状況(&Y)"), graphs, &GraphCommands::ShowYearGraph);
    mnuResultItem[2] = mnuResult->addSeparator();
    mnuResultSub = mnuResult->addMenu(QStringLiteral("集計表示(&S)"));
    mnuResultSub->setObjectName(QStringLiteral("mnuResultSub"));
    mnuResultItem[3] = mnuResultSub->menuAction();
    const QString subCaptions[2] = {QStringLiteral("日単位(&D)"), QStringLiteral("費目単位(&C)")};
    for (int i = 0; i < 2; ++i) {
        QAction* a = mnuResultSub->addAction(subCaptions[i]);
        a->setObjectName(QStringLiteral("mnuResultSubItem%1").arg(i));
        a->setCheckable(true);
        connect(a, &QAction::triggered, views, [this, i](bool on) { views->toggleSummary(i + 1, on); });
        mnuResultSubItem[i] = a;
    }
    mnuResultItem[4] = mnuResult->addSeparator();
    mnuResultItem[5] = mnuResult->addAction(QStringLiteral("前年度繰越高(&C)"), views, &MonthViews::showPrevCarryOver);
    for (int i : {0, 1, 5})
        mnuResultItem[i]->setObjectName(QStringLiteral("mnuResultItem%1").arg(i));
    connect(mnuResult, &QMenu::aboutToShow, this, &frmKanelo::onResultMenuShown);
}

void frmKanelo::onResultMenuShown()
{
    mnuResultItem[0]->setText(QString::number(model_->curMonth()) + QStringLiteral("月度支出内訳(&M)"));
    const int prev = model_->curYear() - 1;
    const bool exists = QFileInfo::exists(model_->yearPath(prev));
    mnuResultItem[5]->setText(QStringLiteral("前年度") + (exists ? QStringLiteral(" (") + QString::number(prev) + QStringLiteral("年) ") : QString())
                              + QStringLiteral("繰越高(&C)"));
    mnuResultItem[5]->setEnabled(exists);
}

void frmKanelo::showSummaryMode(int mode)
{
    tbrDaySummary->setChecked(mode == 1);
    tbrDaySummary->setText(mode == 1 ? QStringLiteral("日単位 -オン") : QStringLiteral("日単位 -オフ"));
    tbrCategorySummary->setChecked(mode == 2);
    tbrCategorySummary->setText(mode == 2 ? QStringLiteral("費目単位 -オン") : QStringLiteral("費目単位 -オフ"));
    mnuResultSubItem[0]->setChecked(mode == 1);
    mnuResultSubItem[1]->setChecked(mode == 2);
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
    tbrAdd = button(QStringLiteral("tbrAdd"), "add", QStringLiteral("データ追加"), mnuEditItems[0]);
    // Change and delete act on a selected entry row only.
    auto onEntry = [this](const QString& name, const char* icon, const QString& tip, int item) {
        QAction* a = tbrToolBar->addAction(kaneloIcon(QLatin1StringView(icon)), tip);
        a->setObjectName(name);
        a->setToolTip(tip);
        connect(a, &QAction::triggered, this, [this, item] {
            if (edit->entrySelected())
                edit->mnuEditItem(item);
        });
        return a;
    };
    tbrChange = onEntry(QStringLiteral("tbrChange"), "change", QStringLiteral("データ内容変更"), 1);
    tbrDelete = onEntry(QStringLiteral("tbrDelete"), "delete", QStringLiteral("データ削除"), 2);
    tbrToolBar->addSeparator();
    tbrCategories = button(QStringLiteral("tbrCategories"), "categories", QStringLiteral("費目・摘要項目 編集"), mnuEditItems[6]);
    tbrToolBar->addSeparator();
    tbrGraphMonth = button(QStringLiteral("tbrGraphMonth"), "graph-month", QStringLiteral("月間収支内訳グラフ"), mnuResultItem[0]);
    tbrGraphYear = button(QStringLiteral("tbrGraphYear"), "graph-year", QStringLiteral("年間支出推移グラフ"), mnuResultItem[1]);
    tbrToolBar->addSeparator();
    auto toggle = [this](const QString& name, const char* icon, int mode) {
        QAction* a = tbrToolBar->addAction(kaneloIcon(QLatin1StringView(icon)), QString());
        a->setObjectName(name);
        a->setCheckable(true);
        connect(a, &QAction::triggered, views, [this, mode](bool on) { views->toggleSummary(mode, on); });
        // The toggles show their state in their captions.
        if (auto* b = qobject_cast<QToolButton*>(tbrToolBar->widgetForAction(a)))
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        return a;
    };
    tbrDaySummary = toggle(QStringLiteral("tbrDaySummary"), "day-summary", 1);
    tbrCategorySummary = toggle(QStringLiteral("tbrCategorySummary"), "category-summary", 2);
    showSummaryMode(views->summaryMode());
    connect(views, &MonthViews::summaryModeChanged, this, &frmKanelo::showSummaryMode);
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
