#include "host/ReplaceFile.h"

#include "host/Paths.h"
#include "host/RewriteInPlace.h"
#include "host/Temporary.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#if VORNEL_HAVE_XATTR
#include <sys/xattr.h>
#endif
#include <unistd.h>
#include <vector>

namespace {

mode_t default_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// What the process may not set (another owner, an attribute the target cannot take) is left as
// the new file has it; any other failure fails.
bool may_not_set(int error) {
    return error == EPERM || error == EACCES || error == EINVAL || error == ENOTSUP ||
           error == EOPNOTSUPP;
}

#if VORNEL_HAVE_XATTR
bool copy_attribute(const std::string& from, const char* name, int to) {
    const ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
    if (length < 0)
        return errno == ENODATA; // removed since it was listed
    std::vector<char> value(static_cast<std::size_t>(length));
    if (::getxattr(from.c_str(), name, value.data(), value.size()) != length)
        return false;
    return ::fsetxattr(to, name, value.data(), value.size(), 0) == 0 || may_not_set(errno);
}

// Extended attributes carry ACLs and security labels; a host without them has none to copy.
bool copy_attributes(const std::string& from, int to) {
    const ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
    if (size <= 0)
        return size == 0 || errno == ENOTSUP || errno == EOPNOTSUPP;
    std::vector<char> names(static_cast<std::size_t>(size));
    const ssize_t listed = ::listxattr(from.c_str(), names.data(), names.size());
    if (listed < 0)
        return false;
    for (ssize_t at = 0; at < listed; at += static_cast<ssize_t>(std::strlen(&names[at])) + 1) {
        if (!copy_attribute(from, &names[static_cast<std::size_t>(at)], to))
            return false;
    }
    return true;
}
#else
bool copy_attributes(const std::string&, int) {
    return true;
}
#endif

// Owner first: a change of owner clears set-id bits that the mode then restores.
bool fill_temporary(int fd, const TextSource& text, const std::string& target,
                    const struct stat* original) {
    if (original && ::fchown(fd, original->st_uid, original->st_gid) != 0 && !may_not_set(errno))
        return false;
    if (original && !copy_attributes(target, fd))
        return false;
    const mode_t mode = original ? (original->st_mode & 07777) : default_mode();
    return ::fchmod(fd, mode) == 0 && write_source(fd, text) && ::fsync(fd) == 0;
}

// The errors that say no new file can stand in the directory, so the file is written in place.
bool takes_no_temporary(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

bool replace_through_temporary(const std::string& target, const TextSource& text,
                               const struct stat* original) {
    TemporaryFile temporary(target);
    if (temporary.Fd() < 0) {
        if (!takes_no_temporary(errno))
            return false;
        return original ? rewrite_in_place(target, text) : write_new_in_place(target, text);
    }
    return fill_temporary(temporary.Fd(), text, target, original) && temporary.RenameTo(target) &&
           sync_directory(directory_of(target));
}

} // namespace

bool replace_file(const std::string& path, const TextSource& text) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) {
        std::string target;
        if (!S_ISREG(info.st_mode))
            return write_in_place(path, text);
        return resolve_existing(path, target) && replace_through_temporary(target, text, &info);
    }
    std::string target = path;
    return errno == ENOENT && new_file_path(target) &&
           replace_through_temporary(target, text, nullptr);
}
