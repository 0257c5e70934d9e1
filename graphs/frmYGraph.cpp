#include "graphs/frmYGraph.h"

#include "ledger/Formats.h"
#include "graphs/GraphKeeper.h"
#include "graphs/GraphPainter.h"
#include "graphs/GraphSurface.h"
#include "ledger/LedgerModel.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

frmYGraph::frmYGraph(LedgerModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("frmYGraph"));
    setWindowTitle(QStringLiteral("[費目別] 年間収支推移状況"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    cmbMain = new QComboBox(this);
    cmbMain->setObjectName(QStringLiteral("cmbMain"));
    cmbMain->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(cmbMain, &QComboBox::currentIndexChanged, this, &frmYGraph::SeriesChanged);
    auto* head = new QHBoxLayout;
    head->addWidget(cmbMain);
    head->addStretch(1);
    layout->addLayout(head);

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("graphArea"));
    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->setContentsMargins(0, 0, 0, 0);

    // The plot, its axis captions and the month captions are placed by
    // layoutChart so that each caption stands under its bar.
    chart_ = new QWidget(area);
    chart_->setMinimumSize(420, 220);
    chart_->installEventFilter(this);
    picYGraph = new GraphSurface(QStringLiteral("picYGraph"),
                                 [this](QPainter& p, const QRectF& r) { GraphPaint::yearBars(p, r, series_); }, chart_);
    auto label = [this](const QString& name, const QString& text, QWidget* parent) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(name);
        return l;
    };
    lblHigh = label(QStringLiteral("lblHigh"), QStringLiteral("10,000"), chart_);
    lblLow = label(QStringLiteral("lblLow"), QStringLiteral("5,000"), chart_);
    Label3 = label(QStringLiteral("Label3"), QStringLiteral("(円)"), chart_);
    for (QLabel* l : {lblHigh, lblLow, Label3})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int i = 0; i < 12; ++i) {
        lblMonth[i] = label(QStringLiteral("lblMonth%1").arg(i), QString::number(i + 1) + QStringLiteral("月"), chart_);
        lblMonth[i]->setAlignment(Qt::AlignCenter);
    }
    areaLayout->addWidget(chart_, 1);

    auto* notes = new QHBoxLayout;
    lblLimit = label(QStringLiteral("lblLimit"), QStringLiteral("(1月あたりの予算 :"), area);
    lblLimitm = label(QStringLiteral("lblLimitm"), {}, area);
    lblYen = label(QStringLiteral("lblYen"), QStringLiteral("円)"), area);
    lblTotal = label(QStringLiteral("lblTotal"), QStringLiteral("年間合計 :"), area);
    lblTmoney = label(QStringLiteral("lblTmoney"), {}, area);
    lblYen2 = label(QStringLiteral("lblYen2"), QStringLiteral("円"), area);
    QPalette red = lblLimit->palette();
    red.setColor(QPalette::WindowText, QColor(220, 0, 0)); // the colour of the budget line
    for (QLabel* l : {lblLimit, lblLimitm, lblYen})
        l->setPalette(red);
    QFont bold = lblTmoney->font();
    bold.setBold(true);
    lblTmoney->setFont(bold);
    for (QLabel* l : {lblLimit, lblLimitm, lblYen, lblTotal, lblTmoney, lblYen2})
        keepsPlace(l);
    notes->addSpacing(lblHigh->fontMetrics().horizontalAdvance(QStringLiteral("10,000,000,000")));
    notes->addWidget(lblLimit);
    notes->addWidget(lblLimitm);
    notes->addWidget(lblYen);
    notes->addStretch(1);
    notes->addWidget(lblTotal);
    notes->addWidget(lblTmoney);
    notes->addWidget(lblYen2);
    areaLayout->addLayout(notes);
    layout->addWidget(area, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    cmdOK = addOkButton(*this, *bottom);
    layout->addLayout(bottom);

    keeper = new GraphKeeper(this, area, model_.prompter(), [this] {
        return QString::number(model_.curYear()) + QStringLiteral("年 年間推移 ") + cmbMain->currentText();
    });
    setTabOrder(cmbMain, cmdOK);
    sizeWithinScreen(this, {760, 480});
}

void frmYGraph::Open()
{
    {
        const QSignalBlocker quiet(cmbMain);
        cmbMain->clear();
        cmbMain->addItem(QStringLiteral("月単位支出"));
        cmbMain->addItem(QStringLiteral("月単位収入"));
        for (const auto& c : model_.categoryList())
            cmbMain->addItem(c.item->name);
        cmbMain->setCurrentIndex(0);
    }
    SeriesChanged(0);
}

void frmYGraph::SeriesChanged(int line)
{
    series_ = Graph::yearSeries(model_, line);
    const qint64 axis = series_.axisMax;
    lblHigh->setText(axis < 1 ? QString() : Fmt::hash(axis));
    lblLow->setText(axis < 1 ? QString() : Fmt::hash(qRound64(double(axis) / 2.0)));

    const bool budget = series_.isCategory && series_.limit > 0;
    for (QLabel* l : {lblLimit, lblLimitm, lblYen})
        l->setVisible(budget);
    lblLimitm->setText(budget ? Fmt::hash(series_.limit) : QString());

    const bool total = series_.yearTotal > 0;
    for (QLabel* l : {lblTotal, lblTmoney, lblYen2})
        l->setVisible(total);
    lblTmoney->setText(total ? Fmt::hash(series_.yearTotal) : QString());
    picYGraph->update();
}

void frmYGraph::layoutChart()
{
    const QFontMetrics fm(lblHigh->font());
    const int w = chart_->width();
    const int h = chart_->height();
    const int axisWidth = fm.horizontalAdvance(QStringLiteral("10,000,000,000")) + 6;
    const int line = fm.height();
    const QRect plot(axisWidth + 4, line + line / 2, std::max(10, w - axisWidth - 14), std::max(10, h - 3 * line));
    picYGraph->setGeometry(plot);
    Label3->setGeometry(0, 0, axisWidth, line);
    lblHigh->setGeometry(0, plot.top() - line / 2, axisWidth, line);
    lblLow->setGeometry(0, plot.top() + plot.height() / 2 - line / 2, axisWidth, line);
    const GraphPaint::BarGeometry g = GraphPaint::barGeometry(QRectF(QPointF(0, 0), QSizeF(plot.size())));
    const int captionWidth = std::max(fm.horizontalAdvance(QStringLiteral("12月")) + 4, int(3 * g.unit));
    for (int i = 0; i < 12; ++i)
        lblMonth[i]->setGeometry(plot.left() + int(g.centre(i + 1)) - captionWidth / 2, plot.bottom() + 4, captionWidth, line);
}

bool frmYGraph::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == chart_ && event->type() == QEvent::Resize)
        layoutChart();
    return QDialog::eventFilter(watched, event);
}
