#include "host/HeapTuning.h"

#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::uintptr_t kHugePage = 2u << 20;
constexpr int kLargestHeapRequest = 32 << 20; // the most malloc takes from the heap
constexpr std::size_t kBeyondTop = 1u << 20;  // more than the heap's free top holds

} // namespace

void prepare_heap(std::size_t bytes) {
    static bool prepared = false;
    if (std::exchange(prepared, true))
        return;
    const int pad = static_cast<int>(bytes < kLargestHeapRequest ? bytes : kLargestHeapRequest);
    mallopt(M_MMAP_THRESHOLD, kLargestHeapRequest);
    mallopt(M_TRIM_THRESHOLD, 2 * pad);
    mallopt(M_TOP_PAD, pad);
    // A request beyond the free top makes malloc grow the heap by the pad in one step.
    void* probe = std::malloc(kBeyondTop);
    if (!probe)
        return;
    static_cast<volatile char*>(probe)[0] = 0; // the pair must not be optimised away
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    std::free(probe);
    const std::uintptr_t first = (end - pad + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = end & ~(kHugePage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}
