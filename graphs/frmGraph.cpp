#include "graphs/frmGraph.h"

#include "ledger/Formats.h"
#include "graphs/GraphKeeper.h"
#include "graphs/GraphPainter.h"
#include "graphs/GraphSums.h"
#include "graphs/GraphSurface.h"
#include "ledger/LedgerModel.h"
#include "graphs/frmDGraph.h"
#include "graphs/frmGraphOption.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
constexpr int kRows = 10;

void setTextColor(QLabel* label, const QColor& color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}
}

frmGraph::frmGraph(LedgerModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("frmGraph"));
    setWindowTitle(QStringLiteral("月別収支内訳グラフ"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    buildMenus();
    layout->setMenuBar(menuBar);

    tbsMonth = new QTabBar(this);
    tbsMonth->setObjectName(QStringLiteral("tbsMonth"));
    tbsMonth->setExpanding(true);
    tbsMonth->setUsesScrollButtons(false);
    for (int m = 1; m <= 12; ++m)
        tbsMonth->addTab(QString::number(m) + QStringLiteral("月"));
    connect(tbsMonth, &QTabBar::currentChanged, this, &frmGraph::onTabChanged);
    layout->addWidget(tbsMonth);

    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("graphArea"));
    auto* sides = new QHBoxLayout(area_);
    sides->setContentsMargins(0, 0, 0, 0);
    sides->addWidget(buildSide(0, area_), 1);
    sides->addWidget(buildSide(1, area_), 1);
    layout->addWidget(area_, 1);

    auto* bottom = new QHBoxLayout;
    const QString notes[3] = {QStringLiteral("（注） "), QStringLiteral("赤色"),
                              QStringLiteral("表示されている費目は予算をオーバーしています。")};
    for (int i = 0; i < 3; ++i) {
        Label2[i] = keepsPlace(new QLabel(notes[i], this));
        Label2[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
        bottom->addWidget(Label2[i]);
    }
    setTextColor(Label2[1], QColor(255, 0, 0));
    bottom->addStretch(1);
    cmdOK = addOkButton(*this, *bottom);
    layout->addLayout(bottom);

    // The keys act whatever control has the focus; the menu captions name them.
    const auto key = [this](QKeyCombination k, int step) {
        auto* s = new QShortcut(QKeySequence(k), this);
        connect(s, &QShortcut::activated, this, [this, step] {
            const int month = graphMonth + step;
            if (month >= 1 && month <= 12)
                showMonth(month);
        });
    };
    key(Qt::CTRL | Qt::Key_P, -1);
    key(Qt::CTRL | Qt::Key_Left, -1);
    key(Qt::CTRL | Qt::Key_N, 1);
    key(Qt::CTRL | Qt::Key_Right, 1);

    keeper = new GraphKeeper(this, area_, model_.prompter(), [this] {
        return QString::number(model_.curYear()) + QStringLiteral("年") + windowTitle();
    });

    setTabOrder(tbsMonth, vsrOut);
    setTabOrder(vsrOut, vsrIn);
    setTabOrder(vsrIn, cmdOK);
    sizeWithinScreen(this, {800, 600});
}

frmGraph::~frmGraph() = default;

void frmGraph::buildMenus()
{
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuShow = menuBar->addMenu(QStringLiteral("表示(&S)"));
    mnuShow->setObjectName(QStringLiteral("mnuShow"));
    const QString captions[4] = {QStringLiteral("前月"), QStringLiteral("翌月"), {}, QStringLiteral("費目別内訳グラフ")};
    for (int i = 0; i < 4; ++i) {
        mnuShowItem[i] = i == 2 ? mnuShow->addSeparator() : mnuShow->addAction(captions[i]);
        mnuShowItem[i]->setObjectName(QStringLiteral("mnuShowItem%1").arg(i));
    }
    connect(mnuShowItem[0], &QAction::triggered, this, [this] { showMonth(graphMonth - 1); });
    connect(mnuShowItem[1], &QAction::triggered, this, [this] { showMonth(graphMonth + 1); });
    // Row 0, or the first income row when the month has no expense row.
    connect(mnuShowItem[3], &QAction::triggered, this, [this] { OpenSubGraph(!lblMain[0]->isHidden() || sums_.catSumIn.empty() ? 0 : 10); });
    connect(mnuShow, &QMenu::aboutToShow, this, &frmGraph::RefreshMenu);

    mnuEnv = menuBar->addMenu(QStringLiteral("設定(&V)"));
    mnuEnv->setObjectName(QStringLiteral("mnuEnv"));
    mnuEnvItem = mnuEnv->addAction(QStringLiteral("表示対象費目..."), this, &frmGraph::ShowOptions);
    mnuEnvItem->setObjectName(QStringLiteral("mnuEnvItem"));
}

QWidget* frmGraph::buildSide(int side, QWidget* parent)
{
    auto* box = new QFrame(parent);
    box->setFrameShape(QFrame::StyledPanel);
    auto* col = new QVBoxLayout(box);

    auto* head = new QHBoxLayout;
    auto* caption = new QLabel(side == 0 ? QStringLiteral("支出合計") : QStringLiteral("収入合計"), box);
    QLabel*& money = side == 0 ? lblMoneyOut : lblMoneyIn;
    money = new QLabel(box);
    money->setObjectName(side == 0 ? QStringLiteral("lblMoneyOut") : QStringLiteral("lblMoneyIn"));
    money->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    money->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    money->setMinimumWidth(money->fontMetrics().horizontalAdvance(QStringLiteral("9,999,999,999")) + 12);
    QFont bold = money->font();
    bold.setBold(true);
    money->setFont(bold);
    head->addWidget(caption);
    head->addWidget(money);
    head->addStretch(1);
    col->addLayout(head);

    GraphSurface*& pic = side == 0 ? picGraphOut : picGraphIn;
    pic = new GraphSurface(side == 0 ? QStringLiteral("picGraphOut") : QStringLiteral("picGraphIn"),
                           [this, side](QPainter& p, const QRectF& r) {
                               p.fillRect(r, Qt::white);
                               GraphPaint::pie(p, r, slices(side));
                           },
                           box);
    col->addWidget(pic, 1);

    auto* legend = new QGridLayout;
    legend->setHorizontalSpacing(6);
    legend->setVerticalSpacing(2);
    legend->setColumnStretch(1, 1);
    for (int r = 0; r < kRows; ++r) {
        const int row = r + side * kRows;
        const LegendRow parts = addLegendRow(*legend, r, box, QStringLiteral("shpMain%1").arg(row),
                                             QStringLiteral("lblMain%1").arg(row), QStringLiteral("lblPercent%1").arg(row));
        shpMain[row] = parts.swatch;
        lblMain[row] = parts.name;
        lblMain[row]->installEventFilter(this);
        lblPercent[row] = parts.percent;
    }
    QScrollBar*& bar = side == 0 ? vsrOut : vsrIn;
    bar = keepsPlace(new QScrollBar(Qt::Vertical, box));
    bar->setObjectName(side == 0 ? QStringLiteral("vsrOut") : QStringLiteral("vsrIn"));
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setPageStep(kRows);
    connect(bar, &QScrollBar::valueChanged, this, [this, side](int value) { ShowLegend(side, value); });
    legend->addWidget(bar, 0, 3, kRows, 1);
    col->addLayout(legend);
    return box;
}

void frmGraph::Open()
{
    graphMonth = std::clamp(model_.curMonth(), 1, 12);
    {
        const QSignalBlocker quiet(tbsMonth);
        tbsMonth->setCurrentIndex(graphMonth - 1);
    }
    InitGraph();
    RefreshMenu();
}

bool frmGraph::monthHasEntries() const { return model_.slot(graphMonth).count() > 0; }

void frmGraph::InitGraph()
{
    setWindowTitle(QString::number(graphMonth) + QStringLiteral("月度 収支内訳"));
    sums_ = model_.MakeCategorySums(graphMonth);

    for (int row = 0; row < 2 * kRows; ++row) {
        lblMain[row]->hide();
        lblMain[row]->clear();
        setTextColor(lblMain[row], Qt::black);
        shpMain[row]->hide();
        lblPercent[row]->hide();
    }
    const bool hasEntries = monthHasEntries();
    for (QLabel* note : Label2)
        note->setVisible(hasEntries);

    for (int side = 0; side < 2; ++side) {
        const auto& list = side == 0 ? sums_.catSumOut : sums_.catSumIn;
        const qint64 total = side == 0 ? sums_.totalOut : sums_.totalIn;
        const int n = int(list.size());
        QScrollBar* bar = side == 0 ? vsrOut : vsrIn;
        {
            const QSignalBlocker quiet(bar);
            bar->setRange(0, std::max(0, n - kRows));
            bar->setValue(0);
        }
        bar->setVisible(n > kRows);
        ShowLegend(side, bar->value());

        QLabel* money = side == 0 ? lblMoneyOut : lblMoneyIn;
        money->setText(!hasEntries ? QStringLiteral("NO Data...") : list.empty() ? QStringLiteral("No Data...") : Fmt::hash(total));

        // What the pie draws: nothing for a month without entries.
        std::vector<qint64> amounts;
        std::vector<quint32> colors;
        if (hasEntries) {
            for (const CategorySum& item : list) {
                amounts.push_back(item.amount);
                const auto c = model_.category(item.no);
                colors.push_back(c ? c->color : 0);
            }
        }
        (side == 0 ? slicesOut_ : slicesIn_) = Graph::pieSlices(amounts, colors);
    }
    picGraphOut->update();
    picGraphIn->update();
}

void frmGraph::ShowLegend(int side, int offset)
{
    const auto& list = side == 0 ? sums_.catSumOut : sums_.catSumIn;
    const qint64 total = side == 0 ? sums_.totalOut : sums_.totalIn;
    const int n = int(list.size());
    const int shown = std::min(n - offset, kRows);
    for (int r = 0; r < shown; ++r) {
        const CategorySum& item = list[offset + r];
        const int row = r + side * kRows;
        clsHimoku unknown;
        unknown.no = unknown.name = item.no;
        const auto c = model_.category(item.no);
        const Graph::LegendRow legend = Graph::legendRow(c ? *c : unknown, item.amount, total);

        lblMain[row]->setText(legend.name);
        lblMain[row]->setProperty("key", legend.key);
        lblMain[row]->setToolTip(legend.tip);
        setTextColor(lblMain[row], legend.overBudget ? QColor(255, 0, 0) : QColor(Qt::black));
        lblMain[row]->show();
        shpMain[row]->setColor(legend.color);
        shpMain[row]->show();
        lblPercent[row]->setText(legend.share);
        lblPercent[row]->setToolTip(legend.plainTip);
        lblPercent[row]->show();
    }
}

void frmGraph::RefreshMenu()
{
    mnuShowItem[0]->setEnabled(graphMonth > 1);
    mnuShowItem[0]->setText(graphMonth > 1 ? QStringLiteral("前月 [%1月分]   Ctrl+P").arg(graphMonth - 1) : QStringLiteral("前月"));
    mnuShowItem[1]->setEnabled(graphMonth < 12);
    mnuShowItem[1]->setText(graphMonth < 12 ? QStringLiteral("翌月 [%1月分]   Ctrl+N").arg(graphMonth + 1) : QStringLiteral("翌月"));
    // A month whose categories are all hidden has no row to open.
    mnuShowItem[3]->setEnabled(monthHasEntries() && (!sums_.catSumOut.empty() || !sums_.catSumIn.empty()));
}

void frmGraph::showMonth(int month)
{
    if (month < 1 || month > 12)
        return;
    if (tbsMonth->currentIndex() == month - 1)
        onTabChanged(month - 1);
    else
        tbsMonth->setCurrentIndex(month - 1); // onTabChanged follows
}

void frmGraph::onTabChanged(int index)
{
    if (index < 0)
        return;
    graphMonth = index + 1;
    InitGraph();
    RefreshMenu();
}

void frmGraph::OpenSubGraph(int row)
{
    if (row < 0 || row >= 2 * kRows || lblMain[row]->isHidden())
        return;
    const QString name = lblMain[row]->text();
    frmDGraph sub(model_, graphMonth, this);
    sub.Open(name, QString::number(graphMonth) + QStringLiteral("月度 費目別内訳  -[") + name + QStringLiteral("]"),
             QString::number(shpMain[row]->color()));
    sub.exec();
}

void frmGraph::ShowOptions()
{
    frmGraphOption options(model_, this);
    if (options.exec() == QDialog::Accepted) {
        InitGraph();
        RefreshMenu();
    }
}

bool frmGraph::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int row = 0; row < 2 * kRows; ++row) {
            if (watched == lblMain[row]) {
                OpenSubGraph(row);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
