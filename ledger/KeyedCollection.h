#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <memory>
#include <vector>

// An ordered collection whose items can also be found by a text key, the way
// the ledger keeps categories, sub-items and memos. Keys compare without
// regard to letter case; a key can be held only once.
template <typename T>
class KeyedCollection {
public:
    using Ptr = std::shared_ptr<T>;

    int count() const { return static_cast<int>(items_.size()); }
    bool isEmpty() const { return items_.empty(); }

    // Adds at the end; refuses (returns false) a key already present.
    bool add(const QString& key, Ptr item)
    {
        if (count() <= kScanned) {
            if (indexOf(key) >= 0)
                return false;
            items_.push_back({key, std::move(item)});
            return true;
        }
        buildIndex();
        QString f = folded(key);
        if (index_.contains(f))
            return false;
        items_.push_back({key, std::move(item)});
        index_.insert(std::move(f), count() - 1);
        return true;
    }

    int indexOf(const QString& key) const
    {
        // A master of 99 categories of 99 sub-items is read and written
        // whole: past a few items, keys are found through a folded index.
        if (count() <= kScanned) {
            for (int i = 0; i < count(); ++i)
                if (items_[i].key.compare(key, Qt::CaseInsensitive) == 0)
                    return i;
            return -1;
        }
        buildIndex();
        return index_.value(folded(key), -1);
    }

    bool contains(const QString& key) const { return indexOf(key) >= 0; }

    // The item under key, or null.
    Ptr find(const QString& key) const
    {
        const int i = indexOf(key);
        return i < 0 ? nullptr : items_[i].item;
    }

    // Zero-based position access.
    const Ptr& at(int i) const { return items_[i].item; }
    const QString& keyAt(int i) const { return items_[i].key; }

    void removeAt(int i)
    {
        items_.erase(items_.begin() + i);
        indexed_ = false;
    }
    bool remove(const QString& key)
    {
        const int i = indexOf(key);
        if (i < 0)
            return false;
        removeAt(i);
        return true;
    }

    // Changes the key of position i; refuses a key held by another item.
    bool rekey(int i, const QString& key)
    {
        const int j = indexOf(key);
        if (j >= 0 && j != i)
            return false;
        items_[i].key = key;
        indexed_ = false;
        return true;
    }

    void clear()
    {
        items_.clear();
        index_.clear();
        indexed_ = false;
    }

    struct Slot {
        QString key;
        Ptr item;
    };
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    static constexpr int kScanned = 8;

    void buildIndex() const
    {
        if (indexed_)
            return;
        index_.clear();
        index_.reserve(count());
        for (int i = 0; i < count(); ++i)
            index_.insert(folded(items_[i].key), i);
        indexed_ = true;
    }

    // Digits, lower-case ASCII and the kana and kanji blocks fold to themselves.
    static bool caseless(char16_t c) { return c < u'A' || (c > u'Z' && c < 0x80) || (c >= 0x3000 && c < 0xA000); }

    // The key with each character case-folded as QString::compare folds it
    // for a comparison without regard to letter case.
    static QString folded(const QString& key)
    {
        qsizetype first = 0;
        while (first < key.size() && caseless(key[first].unicode()))
            ++first;
        if (first == key.size())
            return key;
        QString out = key.left(first);
        out.reserve(key.size());
        for (qsizetype i = first; i < key.size(); ++i) {
            char32_t c = key[i].unicode();
            if (key[i].isHighSurrogate() && i + 1 < key.size() && key[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(key[i], key[i + 1]);
                ++i;
            }
            const char32_t f = QChar::toCaseFolded(c);
            if (QChar::requiresSurrogates(f)) {
                out += QChar(QChar::highSurrogate(f));
                out += QChar(QChar::lowSurrogate(f));
            } else {
                out += QChar(char16_t(f));
            }
        }
        return out;
    }

    std::vector<Slot> items_;
    mutable QHash<QString, int> index_; // folded key -> position, while indexed_
    mutable bool indexed_ = false;
};
