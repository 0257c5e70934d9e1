#include "graphs/frmDGraph.h"

#include "ledger/Formats.h"
#include "graphs/GraphKeeper.h"
#include "graphs/GraphPainter.h"
#include "graphs/GraphSurface.h"
#include "ledger/LedgerModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr int kRows = 10;
}

frmDGraph::frmDGraph(LedgerModel& model, int graphMonth, QWidget* parent)
    : QDialog(parent), model_(model), graphMonth_(graphMonth)
{
    setObjectName(QStringLiteral("frmDGraph"));
    setWindowTitle(QStringLiteral("費目別内訳グラフ"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("費目"), this);
    cmbMain = new QComboBox(this);
    cmbMain->setObjectName(QStringLiteral("cmbMain"));
    cmbMain->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    caption->setBuddy(cmbMain);
    head->addWidget(caption);
    head->addWidget(cmbMain);
    head->addStretch(1);
    layout->addLayout(head);

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("graphArea"));
    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    auto* body = new QHBoxLayout;
    areaLayout->addLayout(body, 1);
    picDGraph = new GraphSurface(QStringLiteral("picDGraph"),
                                 [this](QPainter& p, const QRectF& r) {
                                     p.fillRect(r, Qt::white);
                                     GraphPaint::doughnut(p, r, slices_);
                                 },
                                 area);
    body->addWidget(picDGraph, 3);

    auto* right = new QVBoxLayout;
    auto* legend = new QGridLayout;
    legend->setHorizontalSpacing(6);
    legend->setVerticalSpacing(2);
    legend->setColumnStretch(1, 1);
    const QFontMetrics fm(font());
    for (int r = 0; r < kRows; ++r) {
        const LegendRow parts = addLegendRow(*legend, r, area, QStringLiteral("shpSub%1").arg(r),
                                             QStringLiteral("lblSub%1").arg(r), QStringLiteral("lblPercent%1").arg(r));
        shpSub[r] = parts.swatch;
        lblSub[r] = parts.name;
        lblPercent[r] = parts.percent;
    }
    // Room for the longest text a row can hold without a sub-item name.
    lblSub[0]->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("摘要項目なし(削除済)")));
    vsrSub = keepsPlace(new QScrollBar(Qt::Vertical, area));
    vsrSub->setObjectName(QStringLiteral("vsrSub"));
    vsrSub->setFocusPolicy(Qt::StrongFocus);
    vsrSub->setPageStep(kRows);
    connect(vsrSub, &QScrollBar::valueChanged, this, &frmDGraph::ShowSubLegend);
    legend->addWidget(vsrSub, 0, 3, kRows, 1);
    right->addLayout(legend);
    right->addStretch(1);

    auto* sum = new QHBoxLayout;
    lblTitle = new QLabel(QStringLiteral("合計"), area);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblMoney = new QLabel(area);
    lblMoney->setObjectName(QStringLiteral("lblMoney"));
    lblMoney->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMoney->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblMoney->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("9,999,999,999")) + 12);
    QFont bold = lblMoney->font();
    bold.setBold(true);
    lblMoney->setFont(bold);
    sum->addWidget(lblTitle);
    sum->addWidget(lblMoney);
    sum->addStretch(1);
    right->addLayout(sum);
    body->addLayout(right, 2);
    // The budget line runs under both, and wraps rather than widen the window.
    lblLimit = new QLabel(QStringLiteral("予算："), area);
    lblLimit->setObjectName(QStringLiteral("lblLimit"));
    lblLimit->setWordWrap(true);
    areaLayout->addWidget(lblLimit);
    layout->addWidget(area, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    cmdOK = addOkButton(*this, *bottom);
    layout->addLayout(bottom);

    keeper = new GraphKeeper(this, area, model_.prompter(), [this] {
        return QString::number(model_.curYear()) + QStringLiteral("年") + windowTitle();
    });
    connect(cmbMain, &QComboBox::currentIndexChanged, this, &frmDGraph::CategoryChanged);
    setTabOrder(cmbMain, vsrSub);
    setTabOrder(vsrSub, cmdOK);
    sizeWithinScreen(this, {600, 400});
}

void frmDGraph::Open(const QString& name, const QString& caption, const QString& colorText)
{
    setWindowTitle(caption);
    color_ = colorText.toUInt();
    place();
    {
        const QSignalBlocker quiet(cmbMain);
        cmbMain->clear();
        const CategorySums sums = model_.MakeCategorySums(graphMonth_);
        for (const auto* list : {&sums.catSumOut, &sums.catSumIn})
            for (const CategorySum& item : *list)
                if (const auto c = model_.category(item.no))
                    cmbMain->addItem(c->name);
        cmbMain->setCurrentIndex(lineFor(name));
    }
    CategoryChanged(cmbMain->currentIndex());
}

void frmDGraph::place()
{
    // Centred at two thirds of the screen, and wholly on it.
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->availableGeometry();
    QPoint at(s.x() + s.width() * 2 / 3 - width() / 2, s.y() + s.height() * 2 / 3 - height() / 2);
    at.setX(std::clamp(at.x(), s.left(), std::max(s.left(), s.x() + s.width() - width())));
    at.setY(std::clamp(at.y(), s.top(), std::max(s.top(), s.y() + s.height() - height())));
    move(at);
}

int frmDGraph::lineFor(const QString& name) const
{
    if (name.isEmpty() || cmbMain->count() == 0)
        return cmbMain->count() > 0 ? 0 : -1;
    for (int i = 0; i < cmbMain->count(); ++i)
        if (cmbMain->itemText(i) == name)
            return i;
    for (int i = 0; i < cmbMain->count(); ++i)
        if (cmbMain->itemText(i).startsWith(name, Qt::CaseInsensitive))
            return i;
    return 0;
}

void frmDGraph::CategoryChanged(int line)
{
    const QString name = line >= 0 ? cmbMain->itemText(line) : QString();
    setWindowTitle(QString::number(graphMonth_) + QStringLiteral("月度 費目別内訳  -[") + name + QStringLiteral("]"));
    category_ = model_.categoryNamed(name);
    if (category_)
        color_ = category_->color;
    SumSubItems();
    picDGraph->update();
}

void frmDGraph::SumSubItems()
{
    subSums_ = category_ ? Graph::sumSubItems(model_.slot(graphMonth_), category_->no.toInt()) : Graph::SubSums{};
    lblLimit->setText(category_ ? Graph::budgetText(category_->limit, subSums_.total) : QString());

    const int n = int(subSums_.items.size());
    const Graph::ColorStep step = Graph::colorStep(color_, n);
    std::vector<qint64> amounts;
    amounts.reserve(n);
    itemColors_.clear();
    for (int k = 0; k < n; ++k) {
        amounts.push_back(subSums_.items[k].amount);
        itemColors_.push_back(Graph::shade(step, k + 1));
    }
    slices_ = Graph::pieSlices(amounts, itemColors_);
    // A sub-item holding the whole total is drawn, and listed, in the category colour itself.
    if (slices_.size() == 1 && slices_.front().full) {
        slices_.front().color = color_;
        itemColors_[slices_.front().item] = color_;
    }

    for (int r = 0; r < kRows; ++r) {
        lblSub[r]->hide();
        shpSub[r]->hide();
        lblPercent[r]->hide();
    }
    {
        const QSignalBlocker quiet(vsrSub);
        vsrSub->setRange(0, std::max(0, n - kRows));
        vsrSub->setValue(0);
    }
    vsrSub->setVisible(n > kRows);
    ShowSubLegend(vsrSub->value());
    lblTitle->setText(QStringLiteral("合計"));
    lblMoney->setText(Fmt::hash(subSums_.total));
}

void frmDGraph::ShowSubLegend(int offset)
{
    const int n = int(subSums_.items.size());
    const int shown = std::min(n - offset, kRows);
    for (int r = 0; r < shown; ++r) {
        const int k = offset + r;
        Graph::SubSum& item = subSums_.items[k];
        const QString text = category_ ? Graph::subItemName(*category_, item) : QString();
        const QString tip = text + QLatin1Char(' ') + Fmt::hash(item.amount) + QStringLiteral(" 円");
        lblSub[r]->setText(text);
        lblSub[r]->setToolTip(tip);
        lblSub[r]->show();
        shpSub[r]->setColor(itemColors_[k]);
        shpSub[r]->show();
        lblPercent[r]->setText(Graph::shareText(item.amount, subSums_.total));
        lblPercent[r]->setToolTip(tip);
        lblPercent[r]->show();
    }
}
