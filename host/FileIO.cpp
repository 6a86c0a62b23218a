#include "host/FileIO.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool write_all(int fd, const std::string& text) {
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

// Opening without blocking keeps a FIFO without a reader from hanging the run.
bool write_in_place(const std::string& path, const std::string& text) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool written = write_all(fd, text);
    return ::close(fd) == 0 && written;
}

std::string resolved(const std::string& path) {
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

mode_t default_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool fill_temporary(int fd, const std::string& text, const struct stat* original) {
    // Owner first: a change of owner clears set-id bits that the mode then restores. Keeping
    // the owner is best effort, since an unprivileged run cannot give files away.
    if (original)
        static_cast<void>(::fchown(fd, original->st_uid, original->st_gid) == 0);
    const mode_t mode = original ? (original->st_mode & 07777) : default_mode();
    return ::fchmod(fd, mode) == 0 && write_all(fd, text) && ::fsync(fd) == 0;
}

bool replace_through_temporary(const std::string& target, const std::string& text,
                               const struct stat* original) {
    const std::string directory = containing_directory(target);
    const std::size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temporary = directory + "/." + base + ".XXXXXX";
    const int fd = ::mkstemp(&temporary[0]);
    if (fd < 0)
        return write_in_place(target, text);
    const bool filled = fill_temporary(fd, text, original);
    const bool closed = ::close(fd) == 0;
    if (filled && closed && ::rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

} // namespace

namespace {

constexpr std::size_t kHugePage = 2u << 20;
constexpr std::size_t kPage = 4096;

std::size_t round_up(std::size_t size, std::size_t unit) {
    return (size + unit - 1) / unit * unit;
}

// Reads until the end of the file or a read error, which ends reading like the end.
std::size_t read_into(int fd, char* buffer, std::size_t capacity) {
    std::size_t size = 0;
    while (size < capacity) {
        const ssize_t got = ::read(fd, buffer + size, capacity - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    return size;
}

int open_regular(const std::string& path, std::size_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    size = static_cast<std::size_t>(info.st_size);
    return fd;
}

} // namespace

FileText::FileText(std::string text) : m_strOwned(std::move(text)), m_view(m_strOwned) {}

FileText::~FileText() {
    Release();
}

FileText::FileText(FileText&& other) noexcept {
    *this = std::move(other);
}

FileText& FileText::operator=(FileText&& other) noexcept {
    if (this != &other) {
        Release();
        const bool owned = other.m_pMap == nullptr;
        m_strOwned = std::move(other.m_strOwned);
        m_pMap = std::exchange(other.m_pMap, nullptr);
        m_nMapSize = std::exchange(other.m_nMapSize, 0);
        m_view = owned ? std::string_view(m_strOwned) : other.m_view;
        other.m_view = std::string_view();
    }
    return *this;
}

void FileText::Release() {
    if (m_pMap)
        ::munmap(m_pMap, m_nMapSize);
    m_pMap = nullptr;
    m_nMapSize = 0;
    m_strOwned.clear();
    m_view = std::string_view();
}

// One byte more than the file had when it was opened tells a file that grew; it is then read
// again into room for twice as much.
bool FileText::ReadFrom(int fd, std::size_t sizeHint) {
    Release();
    std::size_t capacity = sizeHint + 1;
    for (;;) {
        // A small file fits a few ordinary pages; zeroing a huge page would cost more.
        const bool huge = capacity >= kHugePage / 2;
        m_nMapSize = round_up(capacity, huge ? kHugePage : kPage);
        void* map =
            ::mmap(nullptr, m_nMapSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED) {
            m_nMapSize = 0;
            return false;
        }
        m_pMap = map;
        if (huge)
            ::madvise(map, m_nMapSize, MADV_HUGEPAGE);
        const std::size_t size = read_into(fd, static_cast<char*>(map), capacity);
        if (size < capacity) {
            m_view = std::string_view(static_cast<const char*>(map), size);
            return true;
        }
        Release();
        capacity *= 2;
        if (::lseek(fd, 0, SEEK_SET) != 0)
            return false;
    }
}

bool read_regular_file(const std::string& path, FileText& text) {
    std::size_t size = 0;
    const int fd = open_regular(path, size);
    if (fd < 0)
        return false;
    const bool read = text.ReadFrom(fd, size);
    ::close(fd);
    return read;
}

bool replace_file(const std::string& path, const std::string& text) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return write_in_place(path, text);
        return replace_through_temporary(resolved(path), text, &info);
    }
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0)
        return write_in_place(path, text); // a dangling link: create its target
    return replace_through_temporary(path, text, nullptr);
}

std::string containing_directory(const std::string& path) {
    const std::string real = resolved(path);
    const std::size_t slash = real.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : real.substr(0, slash);
}
