// Makes room on the heap before a large build-up of small objects. On hosts where a first
// touch of a memory page is expensive, reading a large section into records or writing a large
// text spends most of its time in page faults; backing the heap with huge pages turns thousands
// of them into a few. bench/README.md ("Huge pages and the heap") shows what it saves there.
#ifndef VORNEL_HOST_HEAPTUNING_H
#define VORNEL_HOST_HEAPTUNING_H

#include <cstddef>

// Grows the heap by about the given number of bytes at once and asks for huge pages there; the
// first call in a run only. A hint: where the host refuses, everything works as before.
void prepare_heap(std::size_t bytes);

#endif
