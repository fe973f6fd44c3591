#pragma once
// A map that remembers the order its entries were given in, oldest first: the store keeps per-site
// maps this way so that, at their limit, the oldest entries are the ones let go.
#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quillane::platform {

template <typename Value>
class OrderedMap {
public:
    using Entry = std::pair<std::string, Value>;
    using value_type = Entry;
    using const_iterator = typename std::vector<Entry>::const_iterator;
    using iterator = const_iterator;

    OrderedMap() = default;
    // Entries in the order given; a key given twice keeps its later value, in its later place.
    explicit OrderedMap(std::vector<Entry> entries)
    {
        std::unordered_map<std::string, std::size_t> last;
        for (std::size_t index = 0; index < entries.size(); ++index)
            last[entries[index].first] = index;
        for (std::size_t index = 0; index < entries.size(); ++index) {
            if (last[entries[index].first] == index)
                m_entries.push_back(std::move(entries[index]));
        }
    }
    OrderedMap(std::initializer_list<Entry> entries)
        : OrderedMap(std::vector<Entry>(entries))
    {
    }

    std::optional<Value> find(const std::string& key) const
    {
        auto entry = position(key);
        return entry == m_entries.end() ? std::nullopt : std::optional<Value>(entry->second);
    }
    // The key takes the value and becomes the newest entry, wherever it stood before.
    void set(const std::string& key, Value value)
    {
        erase(key);
        m_entries.emplace_back(key, std::move(value));
    }
    void erase(const std::string& key)
    {
        if (auto entry = position(key); entry != m_entries.end())
            m_entries.erase(entry);
    }

    const std::vector<Entry>& entries() const { return m_entries; }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    bool operator==(const OrderedMap&) const = default;

private:
    const_iterator position(const std::string& key) const
    {
        return std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& entry) { return entry.first == key; });
    }

    std::vector<Entry> m_entries;
};

} // namespace quillane::platform
