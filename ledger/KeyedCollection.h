#pragma once

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
        if (indexOf(key) >= 0)
            return false;
        items_.push_back({key, std::move(item)});
        return true;
    }

    int indexOf(const QString& key) const
    {
        for (int i = 0; i < count(); ++i)
            if (items_[i].key.compare(key, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
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

    void removeAt(int i) { items_.erase(items_.begin() + i); }
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
        return true;
    }

    void clear() { items_.clear(); }

    struct Slot {
        QString key;
        Ptr item;
    };
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<Slot> items_;
};
