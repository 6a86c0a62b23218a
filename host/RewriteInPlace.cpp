#include "host/RewriteInPlace.h"

#include "host/Temporary.h"
#include "host/UnixDep.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

} // namespace

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

// The file is rewritten once the old text is read whole and the size limit allows both texts.
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
