// Whole-file reads and whole-file replacement that never leaves a half-written file behind.
#ifndef VORNEL_HOST_FILEIO_H
#define VORNEL_HOST_FILEIO_H

#include <cstddef>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>

// Return zeroed memory of at least the size straight from the system's pages, in huge pages where
// the host has them and the size is large (bench/README.md shows what that saves), or nullptr;
// and give it back.
void* map_pages(std::size_t bytes);
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

// Text held in memory: the bytes of a file, in memory mapped for them alone (in huge pages where
// the host has them: bench/README.md shows what that saves), or a string handed over.
class FileText {
public:
    FileText() = default;
    explicit FileText(std::string text) : m_strOwned(std::move(text)) {}

    // Returns the text; changes nothing.
    std::string_view View() const {
        return m_map ? std::string_view(static_cast<const char*>(m_map.get()), m_nMapped)
                     : std::string_view(m_strOwned);
    }
    // Reads the file from where the descriptor stands to its end, also past sizeHint, in place of
    // the text held; false, holding nothing, when no memory can be mapped or a read fails.
    bool ReadFrom(int fd, std::size_t sizeHint);

private:
    struct Unmap {
        std::size_t m_nBytes;
        void operator()(void* map) const;
    };

    std::string m_strOwned;
    std::unique_ptr<void, Unmap> m_map{nullptr, Unmap{0}};
    std::size_t m_nMapped = 0; // bytes of text in the mapping
};

// Writes the text whole to the descriptor, again when interrupted; false when a write fails.
bool write_all(int fd, std::string_view text);

enum e_ReadOutcome { e_ReadDone, e_ReadMissing, e_ReadFailed };

// Reads a regular file whole into text. Returns e_ReadMissing when no regular file stands at the
// path (a FIFO is refused without blocking), e_ReadFailed when one cannot be read whole.
e_ReadOutcome read_regular_file(const std::string& path, FileText& text);

// A text handed to a sink piece by piece, in order: false when the sink refused a piece.
using TextSink = std::function<bool(std::string_view piece)>;
using TextSource = std::function<bool(const TextSink& sink)>;

// Puts the text at the path: a regular file through a temporary file and a rename that keep
// mode, owner and extended attributes (and a symbolic link), or in place where the directory
// takes no temporary file, the old text put back if that fails; anything else in place. False
// when the old file stands as it was (past the rename, only the directory sync can fail); a
// close after fsync is no failure. Appends to m_strError what a failed rewrite left.
bool replace_file(const std::string& path, const TextSource& text);

#endif
