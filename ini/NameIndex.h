// Names as INI files compare them, letter case aside: equality, a hash that no file can be crafted
// against, and a map from names to positions.
#ifndef VORNEL_INI_NAMEINDEX_H
#define VORNEL_INI_NAMEINDEX_H

#include "ini/IniReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>

bool EqualsNoCase(std::string_view a, std::string_view b);
std::uint32_t HashNoCase(std::string_view name);

struct NoCaseHash {
    std::size_t operator()(std::string_view name) const { return HashNoCase(name); }
};
struct NoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const { return EqualsNoCase(a, b); }
};

// Positions by name; the names viewed must outlive the map.
using NameMap = std::unordered_map<std::string_view, std::size_t, NoCaseHash, NoCaseEqual>;

#endif
