// A table of objects indexed by the program's own ids. It grows to any id; putting an
// object under a live id destroys the old one first.
#pragma once

#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace toolkit {

template <class Entry> class IdTable {
  public:
    // The entry stored under id, nullptr when none.
    Entry* Find(int id) {
        const auto found = entries_.find(id);
        return found == entries_.end() ? nullptr : &found->second;
    }

    // Destroys what id holds, then stores entry under it.
    Entry& Put(int id, Entry entry) {
        Remove(id);
        return entries_.emplace(id, std::move(entry)).first->second;
    }

    // The entry leaves the table before it is destroyed, so that whatever its
    // destruction sets off finds the id already free.
    void Remove(int id) {
        const auto found = entries_.find(id);
        if (found == entries_.end()) {
            return;
        }
        Entry doomed = std::move(found->second);
        entries_.erase(found);
    }

    void RemoveIf(const std::function<bool(int, const Entry&)>& condition) {
        std::vector<int> doomed;
        for (const auto& [id, entry] : entries_) {
            if (condition(id, entry)) {
                doomed.push_back(id);
            }
        }
        for (const int id : doomed) {
            Remove(id);
        }
    }

    void Clear() {
        RemoveIf([](int, const Entry&) { return true; });
    }

    // The id of the first entry that satisfies condition, fallback when none does.
    int FindId(const std::function<bool(const Entry&)>& condition, int fallback) const {
        for (const auto& [id, entry] : entries_) {
            if (condition(entry)) {
                return id;
            }
        }
        return fallback;
    }

    // Visits every entry in the order of the ids; the visit must not add or remove any.
    void ForEach(const std::function<void(int, Entry&)>& visit) {
        for (auto& [id, entry] : entries_) {
            visit(id, entry);
        }
    }

    bool Empty() const { return entries_.empty(); }

  private:
    std::map<int, Entry> entries_;
};

} // namespace toolkit
