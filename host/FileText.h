// The text of a file held in memory, read whole from a regular file, and text going out to a
// descriptor whole or piece by piece through a sink.
#ifndef VORNEL_HOST_FILETEXT_H
#define VORNEL_HOST_FILETEXT_H

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

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

enum e_ReadOutcome { e_ReadDone, e_ReadMissing, e_ReadFailed };

// Reads a regular file whole into text. Returns e_ReadMissing when no regular file stands at the
// path (a FIFO is refused without blocking), e_ReadFailed when one cannot be read whole.
e_ReadOutcome read_regular_file(const std::string& path, FileText& text);

// A text handed to a sink piece by piece, in order: false when the sink refused a piece.
using TextSink = std::function<bool(std::string_view piece)>;
using TextSource = std::function<bool(const TextSink& sink)>;

// Writes the text whole to the descriptor, again when interrupted; false when a write fails.
bool write_all(int fd, std::string_view text);
// Writes every piece of the source to the descriptor; false when a write fails or the source
// stops.
bool write_source(int fd, const TextSource& text);

#endif
