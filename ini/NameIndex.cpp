#include "ini/NameIndex.h"

namespace {
unsigned char lower(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}
} // namespace

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// FNV-1a over the lower-cased bytes.
std::size_t HashNoCase(const std::string& name) {
    std::size_t hash = 14695981039346656037ull;
    for (char c : name) {
        hash ^= lower(c);
        hash *= 1099511628211ull;
    }
    return hash;
}
