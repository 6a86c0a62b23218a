// Memory straight from the system's pages, for the text read and for arrays that may grow large:
// in huge pages where the host has them, whose first touch costs a fault per 2 MiB rather than
// per 4 KiB (bench/README.md shows what that saves).
#ifndef VORNEL_HOST_PAGES_H
#define VORNEL_HOST_PAGES_H

#include <cstddef>
#include <memory>
#include <new>

// Returns zeroed memory of at least the size, in huge pages where the host has them and the size
// is large, or nullptr; changes nothing else.
void* map_pages(std::size_t bytes);
// Gives back memory that map_pages returned for the same size.
void unmap_pages(void* map, std::size_t bytes);

// An allocator for arrays that may grow large, whose pages would cost a fault each on first touch.
template <class T> struct PageAllocator {
    static constexpr std::size_t kSmall = 64 * 1024; // such arrays come from the heap
    using value_type = T;
    PageAllocator() = default;
    template <class U> PageAllocator(const PageAllocator<U>&) {}
    T* allocate(std::size_t n) {
        if (n * sizeof(T) < kSmall)
            return std::allocator<T>().allocate(n);
        void* pages = map_pages(n * sizeof(T));
        return pages ? static_cast<T*>(pages) : throw std::bad_alloc();
    }
    void deallocate(T* array, std::size_t n) {
        if (n * sizeof(T) < kSmall)
            return std::allocator<T>().deallocate(array, n);
        unmap_pages(array, n * sizeof(T));
    }
    bool operator==(const PageAllocator&) const { return true; }
    bool operator!=(const PageAllocator&) const { return false; }
};

#endif
