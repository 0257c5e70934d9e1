#pragma once

#include "search/SearchQuery.h"

#include <QObject>
#include <QStringList>
#include <atomic>
#include <memory>
#include <thread>

class LedgerModel;

// The years a folder holds a year file of ("2026.zbl"), oldest first.
std::vector<int> yearsWithFiles(const QString& folder);

struct YearSearchResult {
    int year = 0;
    bool ok = true;
    QString error; // why the file could not be read
    std::vector<SearchHit> hits;
};
// Searches one year file, read-only, as the ledger's reader reads it.
YearSearchResult searchYearFile(const QString& path, int year, const SearchMatcher& matcher);
// Searches the open year as it stands in memory, unsaved changes included.
std::vector<SearchHit> searchOpenYear(const LedgerModel& model, const SearchMatcher& matcher);

// One search over every year: the open year from memory at once, the other
// years' files on a thread of their own, each year's hits handed over as
// soon as that year is done. A new search or the end of the run stops the
// thread; what it found after that is dropped.
class SearchRun : public QObject {
    Q_OBJECT
public:
    explicit SearchRun(QObject* parent = nullptr);
    ~SearchRun() override;

    // Starts a search over the data folder and the open year of the model.
    void start(const SearchQuery& query, const LedgerModel& model);
    void stop();
    bool running() const { return running_; }

signals:
    void found(const std::vector<SearchHit>& hits);
    // A year file that could not be read; the search goes on.
    void yearFailed(const QString& fileName, const QString& error);
    void finished();

private:
    std::thread thread_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    bool running_ = false;
};
