#include "host/FileIO.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool read_regular_file(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    text.clear();
    text.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t size = 0;
    for (;;) {
        if (size == text.size())
            text.resize(text.size() * 2);
        const ssize_t got = ::read(fd, &text[size], text.size() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    text.resize(size);
    ::close(fd);
    return true;
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
