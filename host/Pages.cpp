#include "host/Pages.h"

#include <sys/mman.h>

namespace {

constexpr std::size_t kHugePage = 2u << 20;

// A small array fits a few ordinary pages; zeroing a huge page would cost more.
bool is_huge(std::size_t bytes) {
    return VORNEL_HAVE_MADV_HUGEPAGE && bytes >= kHugePage / 2;
}

std::size_t mapped_size(std::size_t bytes) {
    const std::size_t unit = is_huge(bytes) ? kHugePage : 4096;
    return (bytes + unit - 1) / unit * unit;
}

} // namespace

void* map_pages(std::size_t bytes) {
    const std::size_t size = mapped_size(bytes);
    void* map = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED)
        return nullptr;
#if VORNEL_HAVE_MADV_HUGEPAGE
    if (is_huge(bytes))
        ::madvise(map, size, MADV_HUGEPAGE);
#endif
    return map;
}

void unmap_pages(void* map, std::size_t bytes) {
    ::munmap(map, mapped_size(bytes));
}
