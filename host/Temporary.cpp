#include "host/Temporary.h"

#include "host/Paths.h"
#include "host/UnixDep.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <new>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGPIPE};
constexpr std::size_t kSuffix = 6; // the XXXXXX that mkstemp replaces

// Made before the file exists, so that the handler allocates nothing and reads a whole name.
char g_partial[PATH_MAX + 1];
volatile std::sig_atomic_t g_bPartial = 0;

extern "C" void remove_and_die(int signal) {
    if (g_bPartial)
        ::unlink(g_partial);
    std::signal(signal, SIG_DFL);
    std::raise(signal); // delivered when the handler returns, as the signal is blocked in it
}

// A name too long for the directory gives way to its start and a hash of the whole.
std::string temporary_prefix(const std::string& target) {
    const std::string real = resolved_path(target);
    std::string name = real.substr(real.rfind('/') + 1); // the whole path when it has no slash
    if (name.size() > 200) {
        char hash[20];
        std::snprintf(hash, sizeof hash, "~%08x",
                      static_cast<unsigned>(std::hash<std::string>()(name)));
        name = name.substr(0, 180) + hash;
    }
    return containing_directory(real) + "/." + name + ".vornel-";
}

// One more try for a passing fault; a temporary file that stays is named for the user, unless
// memory has run out for the text that names it.
void remove_temporary(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT || ::unlink(path.c_str()) == 0 ||
        errno == ENOENT)
        return;
    try {
        m_strError += "ERROR:\n\tA temporary file could not be removed!\t['" + path + "']\n";
    } catch (const std::bad_alloc&) {
    }
}

} // namespace

void remove_partial_file_on_signals() {
    for (int signal : kSignals) {
        struct sigaction action {};
        if (::sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN)
            continue; // a run started to ignore a hang-up or a broken pipe goes on ignoring it
        action.sa_handler = remove_and_die;
        ::sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        ::sigaction(signal, &action, nullptr);
    }
}

bool guard_partial_file(const std::string& path) {
    if (path.size() >= sizeof g_partial)
        return false;
    g_bPartial = 0;
    std::memcpy(g_partial, path.c_str(), path.size() + 1);
    g_bPartial = 1;
    return true;
}

void release_partial_file() {
    g_bPartial = 0;
}

TemporaryFile::TemporaryFile(const std::string& target)
    : m_strPath(temporary_prefix(target) + std::string(kSuffix, 'X')) {
    if (!guard_partial_file(m_strPath)) {
        errno = ENAMETOOLONG;
        return;
    }
    m_fd = ::mkstemp(g_partial); // the name is made where the handler reads it
    m_bMade = m_fd >= 0;
    m_strPath = g_partial;
    if (!m_bMade)
        release_partial_file();
}

// After fsync, as for a new file, a failing close changes nothing on the disk.
TemporaryFile::~TemporaryFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_bMade)
        remove_temporary(m_strPath);
    release_partial_file();
}

bool TemporaryFile::RenameTo(const std::string& target) {
    ::close(m_fd);
    m_fd = -1;
    m_bMade = ::rename(m_strPath.c_str(), target.c_str()) != 0;
    if (!m_bMade)
        release_partial_file();
    return !m_bMade;
}

void remove_stale_temporaries(const std::string& target) {
    const std::string prefix = temporary_prefix(target);
    const std::size_t slash = prefix.rfind('/');
    const std::string name = prefix.substr(slash + 1);
    DIR* directory = ::opendir(prefix.substr(0, slash).c_str());
    if (!directory)
        return;
    while (const struct dirent* entry = ::readdir(directory)) {
        const std::string found = entry->d_name;
        if (found.size() == name.size() + kSuffix && found.compare(0, name.size(), name) == 0)
            remove_temporary(prefix.substr(0, slash + 1) + found);
    }
    ::closedir(directory);
}
