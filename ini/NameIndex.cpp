#include "ini/NameIndex.h"

#include <random>

namespace {

// Drawn once per run: names in a file cannot be crafted to fall into one slot of the index.
std::uint64_t hash_seed() {
    static const std::uint64_t seed = [] {
        std::random_device device;
        return (std::uint64_t{device()} << 32) ^ device();
    }();
    return seed;
}

// The final mix of MurmurHash3: every bit of the state reaches the low bits that pick a slot.
std::uint64_t mix(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ull;
    return hash ^ (hash >> 33);
}

} // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

// 64-bit FNV-1a over the lower-cased bytes from a secret start, mixed.
std::uint32_t HashNoCase(std::string_view name) {
    std::uint64_t hash = hash_seed() ^ 14695981039346656037ull;
    for (char c : name) {
        hash ^= static_cast<unsigned char>(LowerAscii(c));
        hash *= 1099511628211ull;
    }
    return static_cast<std::uint32_t>(mix(hash));
}
