// Case-insensitive lookup from a name to the first record of that name in a list, so that
// finding a section or a key costs the same in a list of ten or of a hundred thousand.
#ifndef VORNEL_INI_NAMEINDEX_H
#define VORNEL_INI_NAMEINDEX_H

#include <cctype>
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

bool EqualsNoCase(const std::string& a, const std::string& b);
std::size_t HashNoCase(const std::string& name);

// Records are found by their m_strName; a record must not be renamed while it is indexed.
template <class Record> class NameIndex {
public:
    using Pointer = std::shared_ptr<Record>;

    Pointer Find(const std::string& name) const {
        auto range = m_map.equal_range(HashNoCase(name));
        for (auto it = range.first; it != range.second; ++it) {
            if (EqualsNoCase(it->second->m_strName, name))
                return it->second;
        }
        return Pointer();
    }

    // Records are added in list order, so the first one of a name is the one kept.
    void Add(const Pointer& record) {
        if (!Find(record->m_strName))
            m_map.emplace(HashNoCase(record->m_strName), record);
    }

    // Forgets the record and lets the next record of its name in the list take its place.
    void Remove(const Record* record, const std::vector<Pointer>& list) {
        auto range = m_map.equal_range(HashNoCase(record->m_strName));
        for (auto it = range.first; it != range.second; ++it) {
            if (it->second.get() == record) {
                m_map.erase(it);
                break;
            }
        }
        for (const Pointer& other : list) {
            if (other.get() != record && EqualsNoCase(other->m_strName, record->m_strName)) {
                Add(other);
                break;
            }
        }
    }

    void Clear() { m_map.clear(); }

private:
    std::unordered_multimap<std::size_t, Pointer> m_map;
};

#endif
