#include "host/Paths.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool resolve_existing(const std::string& path, std::string& real) {
    char buffer[PATH_MAX];
    if (!::realpath(path.c_str(), buffer))
        return false;
    real = buffer;
    return true;
}

std::string directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// As many links as the kernel follows in one path before it gives up.
bool new_file_path(std::string& path) {
    for (int links = 0; links < 40; ++links) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0)
            return errno == ENOENT;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (!S_ISLNK(info.st_mode) || length < 0 || length == static_cast<ssize_t>(sizeof target))
            return false;
        const std::string next(target, static_cast<std::size_t>(length));
        path = next.front() == '/' ? next : directory_of(path) + "/" + next;
    }
    return false;
}

// A file not made yet resolves to where a change makes it, through any dangling link, so that
// the temporary files of a killed run are looked for where that run made them.
std::string resolved_path(const std::string& path) {
    std::string real;
    if (resolve_existing(path, real))
        return real;
    std::string made = path;
    return new_file_path(made) ? made : path;
}

std::string containing_directory(const std::string& path) {
    return directory_of(resolved_path(path));
}

// A rename or a removal reaches the disk with the directory that holds it.
bool sync_directory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true; // a directory that cannot be opened cannot be synced either
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}
