#include "host/FileIO.h"

#include "host/Pages.h"
#include "host/Paths.h"
#include "host/Temporary.h"
#include "host/UnixDep.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#if VORNEL_HAVE_XATTR
#include <sys/xattr.h>
#endif
#include <unistd.h>
#include <vector>

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

namespace {

bool write_source(int fd, const TextSource& text) {
    return text([fd](std::string_view piece) { return write_all(fd, piece); });
}

// Opening without blocking keeps a FIFO without a reader from hanging the run.
bool write_in_place(const std::string& path, const TextSource& text) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool written = write_source(fd, text);
    return ::close(fd) == 0 && written;
}

// A new file must not stay behind half written, whatever stops the run. After fsync, a failing
// close changes nothing on the disk: it is not retried, nor a failure.
bool write_new_in_place(const std::string& path, const TextSource& text) {
    if (!guard_partial_file(path))
        return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return release_partial_file(), false;
    struct Unmade {
        const std::string& m_path;
        bool m_bWritten = false;
        ~Unmade() {
            if (!m_bWritten)
                ::unlink(m_path.c_str());
            release_partial_file();
        }
    } unmade{path};
    unmade.m_bWritten = write_source(fd, text) && ::fsync(fd) == 0;
    ::close(fd);
    return unmade.m_bWritten;
}

// Writes beyond the limit fail half way, so a rewrite must fit before it starts.
bool fits_size_limit(std::size_t length) {
    struct rlimit limit;
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 &&
           (limit.rlim_cur == RLIM_INFINITY || length <= limit.rlim_cur);
}

bool write_at(int fd, std::string_view text, std::size_t offset) {
    return ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) >= 0 && write_all(fd, text);
}

// Puts the text in place of the file's length bytes in states that read as one of the two, as
// empty lines at the end read as nothing: a longer text first grows the file with line feeds
// (so a full disk fails before an old byte changes), a shorter one is padded with them until
// the file is cut, each text written by one call.
bool put_text(int fd, std::size_t length, std::string_view text) {
    if (text.size() > length &&
        (!write_at(fd, std::string(text.size() - length, '\n'), length) || ::fsync(fd) != 0))
        return false;
    const std::string padded =
        std::string(text) + std::string(length > text.size() ? length - text.size() : 0, '\n');
    return write_at(fd, padded, 0) && ::fsync(fd) == 0 &&
           ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 && ::fsync(fd) == 0;
}

// Which of the two texts the file reads as, when putting either failed.
std::string reads_as(int fd, std::string_view old, std::string_view text) {
    FileText now;
    const auto holds = [&](std::string_view one) {
        const std::string_view read = now.View();
        return read.substr(0, one.size()) == one &&
               read.find_first_not_of('\n', one.size()) == std::string_view::npos;
    };
    if (::lseek(fd, 0, SEEK_SET) != 0 || !now.ReadFrom(fd, old.size() + text.size()))
        return "could not be read back";
    return holds(text) ? "holds the new text" : holds(old) ? "holds the old text" : "holds neither";
}

// Where no temporary file can stand beside a regular file, it is rewritten in place, once the old
// text is read whole and the size limit allows both texts. A failure after that puts the old text
// back the same way.
bool rewrite_in_place(const std::string& path, const TextSource& source) {
    std::string text;
    source([&text](std::string_view piece) { return text.append(piece), true; });
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    FileText old;
    bool done = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                old.ReadFrom(fd, static_cast<std::size_t>(info.st_size)) &&
                fits_size_limit(std::max(old.View().size(), text.size()));
    if (done && !(done = put_text(fd, old.View().size(), text))) {
        const bool restored = put_text(fd, std::max(old.View().size(), text.size()), old.View());
        m_strError +=
            "ERROR:\n\tThe rewrite in place failed; the old text " +
            (restored ? std::string("was restored.")
                      : "could NOT be restored! The file " + reads_as(fd, old.View(), text) + ".") +
            "\t['" + path + "']\n";
    }
    ::close(fd); // after fsync, as for a new file
    return done;
}

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
