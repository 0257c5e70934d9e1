#include "search/frmSearch.h"

#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "search/SearchHits.h"
#include "search/SearchRun.h"
#include "ui/EnterKey.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("検索");

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

// "2026/03/05", "2026/3/5", "2026/03" or "2026"; a month or a year stands
// for its first day as a start and its last day as an end.
std::optional<QDate> dateOf(const QString& typed, bool end)
{
    const QString text = Num::halfWidth(typed).trimmed();
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() > 3 || parts[0].size() != 4)
        return std::nullopt;
    int v[3] = {0, 1, 1};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        v[i] = parts[i].toInt(&ok);
        if (!ok || parts[i].isEmpty() || parts[i].size() > 4)
            return std::nullopt;
    }
    QDate d(v[0], v[1], v[2]);
    if (!d.isValid() || v[0] < 1)
        return std::nullopt;
    if (end && parts.size() == 1)
        d = QDate(v[0], 12, 31);
    else if (end && parts.size() == 2)
        d = d.addMonths(1).addDays(-1);
    return d;
}
}

frmSearch::frmSearch(LedgerModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(kTitle);
    run_ = new SearchRun(this);
    buildWidgets();
    buildLayout();
    connect(run_, &SearchRun::found, this, [this](const std::vector<SearchHit>& found) {
        hits->append(found);
        showCount();
    });
    connect(run_, &SearchRun::yearFailed, this, [this](const QString& fileName, const QString& error) {
        failed_ << QStringLiteral("%1 を読み込めませんでした（%2）").arg(fileName, error);
        lblStatus->setText(QStringLiteral("検索中…\n") + failed_.join(QLatin1Char('\n')));
    });
    connect(run_, &SearchRun::finished, this, [this] {
        QString text = QStringLiteral("検索が終わりました。");
        if (!failed_.isEmpty())
            text += QLatin1Char('\n') + failed_.join(QLatin1Char('\n'));
        lblStatus->setText(text);
    });
    showCount();
}

frmSearch::~frmSearch() = default;

void frmSearch::buildWidgets()
{
    txtText = named(new QLineEdit, "txtText");
    txtText->setPlaceholderText(QStringLiteral("費目・摘要項目の名前の一部"));
    txtAmountFrom = named(new QLineEdit, "txtAmountFrom");
    txtAmountTo = named(new QLineEdit, "txtAmountTo");
    txtDateFrom = named(new QLineEdit, "txtDateFrom");
    txtDateTo = named(new QLineEdit, "txtDateTo");
    const QFontMetrics fm = fontMetrics();
    for (QLineEdit* e : {txtAmountFrom, txtAmountTo}) {
        e->setAlignment(Qt::AlignRight);
        e->setMaximumWidth(fm.horizontalAdvance(QStringLiteral("0,000,000,000")) + 16);
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    for (QLineEdit* e : {txtDateFrom, txtDateTo}) {
        e->setPlaceholderText(QStringLiteral("yyyy/mm/dd"));
        e->setMaximumWidth(fm.horizontalAdvance(QStringLiteral("0000/00/00")) + 24);
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    optBoth = named(new QRadioButton(QStringLiteral("両方(&B)")), "optBoth");
    optOut = named(new QRadioButton(QStringLiteral("出金(&O)")), "optOut");
    optIn = named(new QRadioButton(QStringLiteral("入金(&I)")), "optIn");
    optBoth->setChecked(true);
    cmdFind = named(new QPushButton(QStringLiteral("検索(&S)")), "cmdFind");
    cmdClose = named(new QPushButton(QStringLiteral("閉じる")), "cmdClose");
    for (QPushButton* b : {cmdFind, cmdClose})
        b->setAutoDefault(false);
    connect(cmdFind, &QPushButton::clicked, this, &frmSearch::cmdFind_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);

    hits = new SearchHits(this);
    sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(hits);
    sorted->setSortRole(SearchHits::SortRole);
    sorted->setDynamicSortFilter(true);
    lvwHits = named(new QTreeView, "lvwHits");
    lvwHits->setModel(sorted);
    lvwHits->setRootIsDecorated(false);
    lvwHits->setUniformRowHeights(true);
    lvwHits->setAllColumnsShowFocus(true);
    lvwHits->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwHits->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwHits->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwHits->setSortingEnabled(true);
    lvwHits->sortByColumn(SearchHits::Date, Qt::AscendingOrder);
    lvwHits->header()->setSectionsMovable(false);
    const int widths[SearchHits::ColumnCount] = {7, 9, 9, 7, 7};
    for (int c = 0; c < SearchHits::ColumnCount; ++c)
        lvwHits->setColumnWidth(c, fm.horizontalAdvance(QStringLiteral("あ")) * widths[c] + 16);
    lvwHits->installEventFilter(this);
    connect(lvwHits, &QTreeView::doubleClicked, this, &frmSearch::chooseCurrent);

    lblCount = named(new QLabel, "lblCount");
    lblStatus = named(new QLabel, "lblStatus");
    lblStatus->setWordWrap(true);
}

void frmSearch::buildLayout()
{
    auto label = [](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text);
        l->setBuddy(buddy);
        return l;
    };
    auto* fields = new QGroupBox(QStringLiteral("検索する条件"));
    auto* grid = new QGridLayout(fields);
    grid->addWidget(label(QStringLiteral("名前(&N)"), txtText), 0, 0);
    grid->addWidget(txtText, 0, 1, 1, 4);
    grid->addWidget(label(QStringLiteral("金額(&M)"), txtAmountFrom), 1, 0);
    grid->addWidget(txtAmountFrom, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("円 ～")), 1, 2);
    grid->addWidget(txtAmountTo, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("円")), 1, 4);
    grid->addWidget(label(QStringLiteral("日付(&D)"), txtDateFrom), 2, 0);
    grid->addWidget(txtDateFrom, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("～")), 2, 2);
    grid->addWidget(txtDateTo, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("（年だけ、年月だけでも可）")), 2, 4);
    auto* sides = new QHBoxLayout;
    sides->addWidget(optBoth);
    sides->addWidget(optOut);
    sides->addWidget(optIn);
    sides->addStretch();
    grid->addWidget(new QLabel(QStringLiteral("出入金")), 3, 0);
    grid->addLayout(sides, 3, 1, 1, 4);
    grid->setColumnStretch(4, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdFind);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(fields, 1);
    top->addLayout(buttons);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblCount, 1);
    bottom->addWidget(cmdClose);

    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(label(QStringLiteral("見つかったデータ(&L)  Enter またはダブルクリックで、その月の明細を表示します"), lvwHits));
    main->addWidget(lvwHits, 1);
    main->addWidget(lblStatus);
    main->addLayout(bottom);

    setTabOrder(txtText, txtAmountFrom);
    setTabOrder(txtAmountFrom, txtAmountTo);
    setTabOrder(txtAmountTo, txtDateFrom);
    setTabOrder(txtDateFrom, txtDateTo);
    setTabOrder(txtDateTo, optBoth);
    setTabOrder(optBoth, optOut);
    setTabOrder(optOut, optIn);
    setTabOrder(optIn, cmdFind);
    setTabOrder(cmdFind, lvwHits);
    setTabOrder(lvwHits, cmdClose);
    resize(720, 560);
}

bool frmSearch::refuse(const QString& text, QWidget* field)
{
    model_.prompter().message(text, Prompter::Icon::Warning, kTitle);
    field->setFocus();
    return false;
}

bool frmSearch::readQuery(SearchQuery& q)
{
    q = {};
    q.text = txtText->text();
    for (auto [field, target] : {std::pair{txtAmountFrom, &q.amountFrom}, std::pair{txtAmountTo, &q.amountTo}}) {
        const QString typed = Num::halfWidth(field->text()).trimmed();
        if (typed.isEmpty())
            continue;
        const auto v = Num::toInt64(typed);
        if (!v)
            return refuse(QStringLiteral("金額は数値で入力して下さい。"), field);
        *target = *v;
    }
    for (auto [field, target, end] : {std::tuple{txtDateFrom, &q.dateFrom, false}, std::tuple{txtDateTo, &q.dateTo, true}}) {
        if (field->text().trimmed().isEmpty())
            continue;
        const auto d = dateOf(field->text(), end);
        if (!d)
            return refuse(QStringLiteral("日付は yyyy/mm/dd の形式で入力して下さい。(例: 2025/04/01、2025/04、2025)"), field);
        *target = *d;
    }
    q.side = optOut->isChecked() ? SearchQuery::Side::Out : optIn->isChecked() ? SearchQuery::Side::In : SearchQuery::Side::Both;
    return true;
}

void frmSearch::cmdFind_Click()
{
    SearchQuery q;
    if (!readQuery(q))
        return;
    failed_.clear();
    hits->reset(MasterNames::of(model_));
    lblStatus->setText(QStringLiteral("検索中…"));
    run_->start(q, model_);
    showCount();
}

bool frmSearch::searching() const { return run_->running(); }

void frmSearch::showCount()
{
    lblCount->setText(QStringLiteral("%1 件　　出金 計 %2 円　　入金 計 %3 円")
                          .arg(Fmt::hash0(hits->count()), Fmt::hash0(hits->sumOut()), Fmt::hash0(hits->sumIn())));
}

const SearchHit* frmSearch::shownHit(int row) const
{
    const QModelIndex source = sorted->mapToSource(sorted->index(row, 0));
    return source.isValid() ? &hits->hit(source.row()) : nullptr;
}

void frmSearch::chooseCurrent()
{
    const QModelIndex current = lvwHits->currentIndex();
    if (const SearchHit* h = current.isValid() ? shownHit(current.row()) : nullptr)
        emit hitChosen(*h);
}

bool frmSearch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvwHits && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSearch::keyPressEvent(QKeyEvent* event)
{
    // Enter in the conditions searches; on a button it presses that button.
    if (!EnterKey::pressOrElse(this, event, [this] { cmdFind_Click(); }))
        QDialog::keyPressEvent(event);
}

void frmSearch::closeEvent(QCloseEvent* event)
{
    run_->stop();
    QDialog::closeEvent(event);
}
