// Case-insensitive lookup of the first of a list's names, in constant time. A table of its own:
// with std::unordered_map a set on a section of 100,000 keys was slower than git.
#ifndef VORNEL_INI_NAMEINDEX_H
#define VORNEL_INI_NAMEINDEX_H

#include "host/FileIO.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

inline char LowerAscii(char c) {
    return static_cast<unsigned char>(c - 'A') < 26u ? static_cast<char>(c + 32) : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b);
std::uint32_t HashNoCase(std::string_view name);

// An open-addressing table of positions in a list that the caller keeps; nameAt(position) gives
// the name at a position, which must not change while indexed.
class NameIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // Returns the position of the name, or npos; hash is HashNoCase of the name.
    template <class NameAt>
    std::size_t Find(std::string_view name, std::uint32_t hash, NameAt&& nameAt) const {
        if (m_slots.empty())
            return npos;
        for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
            const Slot& slot = m_slots[i];
            if (slot.m_position == 0)
                return npos;
            if (slot.m_hash == hash && EqualsNoCase(nameAt(slot.m_position - 1), name))
                return slot.m_position - 1;
        }
    }

    // For a position whose name Find has just not found.
    void AddAbsent(std::uint32_t hash, std::size_t position) {
        if ((m_used + 1) * 2 > m_slots.size())
            Grow();
        Insert(hash, static_cast<std::uint32_t>(position + 1));
    }

    // Empties the table in its own slots: fresh pages cost more than clearing them.
    void Clear() {
        std::fill(m_slots.begin(), m_slots.end(), Slot{0, 0});
        m_used = 0;
    }

private:
    struct Slot {
        std::uint32_t m_hash;
        std::uint32_t m_position; // one past the list position; 0 marks a free slot
    };

    std::size_t Mask() const { return m_slots.size() - 1; }

    void Insert(std::uint32_t hash, std::uint32_t position) {
        std::size_t i = hash & Mask();
        while (m_slots[i].m_position != 0)
            i = (i + 1) & Mask();
        m_slots[i] = Slot{hash, position};
        ++m_used;
    }

    void Grow() {
        std::vector<Slot, PageAllocator<Slot>> old(m_slots.empty() ? 8 : m_slots.size() * 2,
                                                   Slot{0, 0});
        old.swap(m_slots);
        m_used = 0;
        for (const Slot& slot : old) {
            if (slot.m_position != 0)
                Insert(slot.m_hash, slot.m_position);
        }
    }

    std::vector<Slot, PageAllocator<Slot>> m_slots;
    std::size_t m_used = 0;
};

#endif
