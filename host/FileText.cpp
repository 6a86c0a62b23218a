#include "host/FileText.h"

#include "host/Pages.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads until the end of the file or the buffer; false when a read fails.
bool read_into(int fd, char* buffer, std::size_t capacity, std::size_t& size) {
    size = 0;
    while (size < capacity) {
        const ssize_t got = ::read(fd, buffer + size, capacity - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        size += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace

void FileText::Unmap::operator()(void* map) const {
    unmap_pages(map, m_nBytes);
}

// One byte more than the file had tells a file that grew: it is read again into twice the room.
bool FileText::ReadFrom(int fd, std::size_t sizeHint) {
    *this = FileText();
    const off_t start = ::lseek(fd, 0, SEEK_CUR);
    for (std::size_t capacity = sizeHint + 1; start >= 0; capacity *= 2) {
        void* map = map_pages(capacity);
        if (!map)
            return false;
        m_map = std::unique_ptr<void, Unmap>(map, Unmap{capacity});
        if (!read_into(fd, static_cast<char*>(map), capacity, m_nMapped))
            break;
        if (m_nMapped < capacity)
            return true;
        *this = FileText();
        if (::lseek(fd, start, SEEK_SET) != start)
            break;
    }
    *this = FileText();
    return false;
}

e_ReadOutcome read_regular_file(const std::string& path, FileText& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? e_ReadMissing : e_ReadFailed;
    struct stat info;
    const bool known = ::fstat(fd, &info) == 0;
    const bool regular = known && S_ISREG(info.st_mode);
    e_ReadOutcome outcome = known && !regular ? e_ReadMissing : e_ReadFailed;
    if (regular && text.ReadFrom(fd, static_cast<std::size_t>(info.st_size)))
        outcome = e_ReadDone;
    ::close(fd);
    return outcome;
}

bool write_all(int fd, std::string_view text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool write_source(int fd, const TextSource& text) {
    return text([fd](std::string_view piece) { return write_all(fd, piece); });
}
