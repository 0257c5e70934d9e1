#include "search/SearchRun.h"

#include "ledger/LedgerModel.h"
#include "ledger/ProgramFolder.h"

#include <QDir>
#include <QMetaObject>
#include <QRegularExpression>
#include <algorithm>

std::vector<int> yearsWithFiles(const QString& folder)
{
    static const QRegularExpression yearFile(QStringLiteral("^(\\d{4})\\.zbl$"));
    std::vector<int> years;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.zbl")}, QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot)) {
        const auto m = yearFile.match(name);
        if (m.hasMatch())
            years.push_back(m.captured(1).toInt());
    }
    std::sort(years.begin(), years.end());
    return years;
}

YearSearchResult searchYearFile(const QString& path, int year, const SearchMatcher& matcher)
{
    YearSearchResult r;
    r.year = year;
    if (!matcher.yearInRange(year))
        return r;
    const YearFileLines lines = LedgerModel::readYearFileLines(path);
    if (!lines.ok()) {
        r.ok = false;
        r.error = lines.errorText;
        return r;
    }
    for (const auto& month : lines.data.months)
        searchMonth(year, month, true, matcher, r.hits);
    return r;
}

std::vector<SearchHit> searchOpenYear(const LedgerModel& model, const SearchMatcher& matcher)
{
    std::vector<SearchHit> hits;
    if (matcher.yearInRange(model.curYear()))
        for (int m = 1; m <= 12; ++m)
            searchMonth(model.curYear(), model.slot(m).entries, false, matcher, hits);
    return hits;
}

SearchRun::SearchRun(QObject* parent) : QObject(parent) {}

SearchRun::~SearchRun() { stop(); }

void SearchRun::stop()
{
    if (cancel_)
        *cancel_ = true;
    if (thread_.joinable())
        thread_.join();
    cancel_.reset();
    running_ = false;
}

void SearchRun::start(const SearchQuery& query, const LedgerModel& model)
{
    stop();
    auto matcher = std::make_shared<SearchMatcher>(query, MasterNames::of(model));
    const int open = model.curYear();

    emit found(searchOpenYear(model, *matcher));

    const QString folder = programFolder();
    std::vector<int> years = yearsWithFiles(folder);
    std::erase(years, open);
    // The years nearest the open one first: what is looked for is most
    // often recent.
    std::stable_sort(years.begin(), years.end(), [open](int a, int b) { return std::abs(a - open) < std::abs(b - open); });

    cancel_ = std::make_shared<std::atomic<bool>>(false);
    running_ = true;
    thread_ = std::thread([this, matcher, years, folder, cancel = cancel_] {
        for (int year : years) {
            if (*cancel)
                return;
            YearSearchResult r = searchYearFile(QDir(folder).filePath(QStringLiteral("%1.zbl").arg(year)), year, *matcher);
            if (*cancel)
                return;
            // Handed to the window's thread; a run stopped meanwhile drops it.
            QMetaObject::invokeMethod(this, [this, cancel, r = std::move(r)] {
                if (*cancel)
                    return;
                if (!r.ok)
                    emit yearFailed(QStringLiteral("%1.zbl").arg(r.year), r.error);
                else if (!r.hits.empty())
                    emit found(r.hits);
            }, Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(this, [this, cancel] {
            if (*cancel)
                return;
            running_ = false;
            emit finished();
        }, Qt::QueuedConnection);
    });
}
