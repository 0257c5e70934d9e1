#pragma once

#include "ledger/Types.h"

#include <QMainWindow>
#include <QPointer>

class EditCommands;
class GraphCommands;
class HelpWindow;
class LedgerModel;
class MonthViews;
class QAction;
class QLabel;
class QMenu;
class QToolBar;
class frmCalculator;
class frmCalender;
class frmVersion;
class frmSearch;
class TeikiBook;
struct SearchHit;

// The main window. Loading it starts the program, closing it ends it.
class frmKanelo : public QMainWindow {
    Q_OBJECT
public:
    static const QString kAppTitle; // "Kanelo Y -ぽるもさん!?"

    explicit frmKanelo(LedgerModel& model, QWidget* parent = nullptr);
    ~frmKanelo() override;

    LedgerModel& model() const { return *model_; }

    // The start-up after the single-instance check: splash, command line,
    // settings, master, year, month view, memos, window shown. False when
    // the program must end (bad argument, no category master).
    bool Form_Load(const QString& commandLine);
    // Another start on the same data folder handed over its command line:
    // the window comes to the front (a dialog open over it first), and a
    // year file of another year is opened as 開く opens it.
    void StartedAgain(const QString& commandLine);
    // The year named by the command line, 0 for none, -1 (after telling
    // the user) when it names no year data file.
    static int ParseCommandLine(const QString& commandLine, LedgerModel& model);
    // The same without telling the user.
    static int yearInCommandLine(const QString& commandLine);

    // File menu commands by index (0 new, 1 open, 3 save, 6 export, 10 exit).
    void mnuFileItem_Click(int index);
    void NewYearFile();
    // 上書き保存, confirmed in the status bar for a few seconds.
    void SaveAndConfirm();
    void OpenYearFile();
    void ExportCsv();
    void ExitProgram();
    // Index 5: writes the master, runs the import tool for the open year
    // and waits for it, then merges the entries it left (frmKaneloImport.cpp).
    void ImportData();
    static QString importToolPath();
    // A merge file of the open year left by an earlier run: offered once
    // (default No) and merged, or set aside under another name. False when it
    // is still there (the user has been told).
    bool OfferLeftoverMerge();
    // While the import tool runs, a modal note blocks every window; closing
    // the program is refused as well.
    bool importRunning = false;
    // Print submenu: 0 the monthly report frmPrint, 1 the yearly frmPrintY (modal).
    void mnuFileSubItem_Click(int index);
    // curYear = startYear = year, the year loaded and shown.
    void SwitchYear(int year);
    // The caption names the year and ends with " *" while the year holds
    // changes its file lacks.
    void UpdateCaption();

    // Options: 0 toolbar on/off, 2 font size, 4/0 calendar link.
    void ToggleToolbar();
    void ChangeFontSize();
    void ToggleLinkCalendar();
    // The option "カレンダーとデータ入力画面の年月を連動させる" (movewith):
    // the calendar and the month tabs follow each other.
    bool linkCalendar = false;
    // 費目・摘要項目 編集: the category editor (modal).
    void EditCategories();

    // Tools: 0 the calendar, 1 the calculator; modeless, one of each.
    void ShowCalendar();
    void ShowCalculator();
    // Selects the first entry row of a day of the shown month.
    void SelectDayRow(int day);

    // Help: 0 the help pages, 2 the About box (modal).
    void ShowHelp();
    // F1 in any window of the program: the help at that window's page, the
    // contents where it has none.
    void ShowHelpAt(const QString& page);
    void ShowVersion();

    // Today's memo in the toolbar row; empty text hides the panels.
    void ShowTodayMemo(const QString& text);

    // Recurring entries (frmKaneloRecurring.cpp): 編集 → 定期入力の設定, and
    // what the rules have due, offered at start-up and when a year is opened.
    TeikiBook* teiki = nullptr;
    void EditRecurring();
    void OfferRecurring();
    // 編集 → 検索: the search window (modeless, one instance), and an entry
    // it found shown in its month, its year opened first when need be.
    QPointer<frmSearch> search;
    void ShowSearch();
    void ShowSearchHit(const SearchHit& hit);
    // ファイル → バックアップから復元 and 環境 → バックアップの世代数
    // (frmKaneloBackup.cpp).
    void RestoreBackup();
    void ChangeBackupGenerations();
    QAction* mnuEditTeiki = nullptr;
    QAction* mnuEditSearch = nullptr;
    QAction* mnuFileRestore = nullptr;
    QAction* mnuEnvBackups = nullptr;

    // The features, each with its commands; the menus and the toolbar below
    // are this window's alone and lead to them (frmKaneloMenus.cpp).
    MonthViews* views = nullptr;
    EditCommands* edit = nullptr;
    GraphCommands* graphs = nullptr;

    QMenu* mnuFile = nullptr;
    // Items by index; separators included.
    QAction* mnuFileItem[11] = {};
    QMenu* mnuFileSub = nullptr; // 8: 印刷(&P)
    QAction* mnuFileSubItem[2] = {};
    QMenu* mnuEdit = nullptr; // 編集(&E)
    // 0 データ追加, 1 データ内容変更, 2 データ削除, 3 separator, 4 the
    // day's totals, 5 separator, 6 費目・摘要項目 編集.
    QAction* mnuEditItems[7] = {};
    // Above them: 元に戻す (Ctrl+Z) and やり直し (Ctrl+Y) of the undo stack.
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QMenu* mnuResult = nullptr; // 実績(&S)
    // 0 the month's breakdown, 1 the year's trend, 2 and 4 separators,
    // 3 集計表示, 5 前年度繰越高.
    QAction* mnuResultItem[6] = {};
    QMenu* mnuResultSub = nullptr;     // 集計表示
    QAction* mnuResultSubItem[2] = {}; // 日単位, 費目単位
    QMenu* mnuEnv = nullptr;
    QAction* mnuEnvItem[5] = {};
    QMenu* mnuEnvSub = nullptr;
    QAction* mnuEnvSubItem[1] = {};
    QMenu* mnuTool = nullptr;
    QAction* mnuToolItem[2] = {};
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpItem[3] = {};

    QToolBar* tbrToolBar = nullptr;
    QAction* tbrExit = nullptr;  // 2
    QAction* tbrNew = nullptr;   // 4
    QAction* tbrOpen = nullptr;  // 5
    QAction* tbrSave = nullptr;  // 6
    QAction* tbrPrintMonth = nullptr; // 8
    QAction* tbrPrintYear = nullptr;  // 9
    QAction* tbrAdd = nullptr;        // 11
    QAction* tbrChange = nullptr;     // 12
    QAction* tbrDelete = nullptr;     // 13
    QAction* tbrCategories = nullptr; // 15
    QAction* tbrGraphMonth = nullptr; // 17
    QAction* tbrGraphYear = nullptr;  // 18
    QAction* tbrDaySummary = nullptr;      // 20, a toggle
    QAction* tbrCategorySummary = nullptr; // 21, a toggle
    QAction* tbrCalendar = nullptr;   // 23
    QAction* tbrCalculator = nullptr; // 24
    QAction* tbrHelp = nullptr;  // 26

    QLabel* picLabel = nullptr; // "今日のメモ"
    QLabel* picMemo = nullptr;  // the memo text (its tooltip too)

    QPointer<frmVersion> splash;
    QPointer<HelpWindow> help;
    QPointer<frmCalender> calendar;
    QPointer<frmCalculator> calculator;

signals:
    // The window is being unloaded: tool windows close with it.
    void unloading();
    // The calendar link option changed.
    void linkCalendarChanged(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildEditMenu();
    void addHistoryItems();
    void buildResultMenu();
    void onResultMenuShown();
    void buildToolbar();
    // The summary toggles and the 集計表示 items show the list in front.
    void showSummaryMode(int mode);
    void buildToolMenu();
    // The menu items of the recurring entries, the search and the backups.
    void addRecordMenus();
    void addToolButtons();
    void readSettings();
    void writeSettings();
    void TodayMemoFromList();
    QString csvNames(const QString& categoryNo, const QString& subNo) const;
    void refuseWhileImporting();
    // Merges the entries of mergeFile as one step of the undo stack and
    // saves the year; the merge file goes with the save.
    bool MergeImported(const QString& mergeFile);

    LedgerModel* model_;
    bool closingByProgram_ = false;
};
