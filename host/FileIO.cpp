#include "host/FileIO.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

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

// Where no temporary file can stand beside a regular file, it is rewritten in place, but only
// once room for the whole new text is reserved, so that a full disk or a size limit fails
// before one old byte changes. A crash while writing can still leave a mix of old and new.
bool rewrite_reserved(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    const off_t size = static_cast<off_t>(text.size());
    bool done =
        ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        (size <= info.st_size || ::posix_fallocate(fd, info.st_size, size - info.st_size) == 0);
    done = done && write_all(fd, text) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    return ::close(fd) == 0 && done;
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

// Extended attributes carry ACLs and security labels; those the process may not set are left.
void copy_attributes(const std::string& from, int to) {
    const ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(static_cast<std::size_t>(size));
    const ssize_t listed = ::listxattr(from.c_str(), names.data(), names.size());
    for (ssize_t at = 0; at < listed; at += static_cast<ssize_t>(std::strlen(&names[at])) + 1) {
        const char* name = &names[static_cast<std::size_t>(at)];
        const ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
        std::vector<char> value(static_cast<std::size_t>(length > 0 ? length : 0));
        if (length >= 0 && ::getxattr(from.c_str(), name, value.data(), value.size()) == length)
            static_cast<void>(::fsetxattr(to, name, value.data(), value.size(), 0) == 0);
    }
}

bool fill_temporary(int fd, const std::string& text, const std::string& target,
                    const struct stat* original) {
    // Owner first: a change of owner clears set-id bits that the mode then restores. Keeping
    // the owner is best effort, since an unprivileged run cannot give files away.
    if (original) {
        static_cast<void>(::fchown(fd, original->st_uid, original->st_gid) == 0);
        copy_attributes(target, fd);
    }
    const mode_t mode = original ? (original->st_mode & 07777) : default_mode();
    return ::fchmod(fd, mode) == 0 && write_all(fd, text) && ::fsync(fd) == 0;
}

// A rename reaches the disk with the directory that holds it.
bool sync_directory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true; // a directory that cannot be opened cannot be synced either
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

// A short name fits the directory whatever the length of the file's own name.
int make_temporary(const std::string& directory, std::string& temporary) {
    temporary = directory + "/.vornel-XXXXXX";
    return ::mkstemp(&temporary[0]);
}

bool replace_through_temporary(const std::string& target, const std::string& text,
                               const struct stat* original) {
    const std::string directory = containing_directory(target);
    std::string temporary;
    const int fd = make_temporary(directory, temporary);
    if (fd < 0)
        return original ? rewrite_reserved(target, text) : write_in_place(target, text);
    const bool filled = fill_temporary(fd, text, target, original);
    const bool closed = ::close(fd) == 0;
    if (filled && closed && ::rename(temporary.c_str(), target.c_str()) == 0)
        return sync_directory(directory);
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

void FileText::Unmap::operator()(void* map) const {
    ::munmap(map, m_nBytes);
}

// One byte more than the file had when it was opened tells a file that grew; it is then read
// again into room for twice as much.
bool FileText::ReadFrom(int fd, std::size_t sizeHint) {
    *this = FileText();
    for (std::size_t capacity = sizeHint + 1;; capacity *= 2) {
        // A small file fits a few ordinary pages; zeroing a huge page would cost more.
        const bool huge = capacity >= kHugePage / 2;
        const std::size_t bytes = round_up(capacity, huge ? kHugePage : kPage);
        void* map =
            ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED)
            return false;
        m_map = std::unique_ptr<void, Unmap>(map, Unmap{bytes});
        if (huge)
            ::madvise(map, bytes, MADV_HUGEPAGE);
        m_nMapped = read_into(fd, static_cast<char*>(map), capacity);
        if (m_nMapped < capacity)
            return true;
        *this = FileText();
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

bool regular_file_exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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
