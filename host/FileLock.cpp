#include "host/FileLock.h"

#include "host/Paths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds kPoll(2);

// Any descriptor takes a lock; a file may allow reading or writing only.
int open_for_lock(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    return fd >= 0 ? fd : ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
}

bool names_same_file(const std::string& path, int fd) {
    struct stat named;
    struct stat held;
    return ::stat(path.c_str(), &named) == 0 && ::fstat(fd, &held) == 0 &&
           named.st_dev == held.st_dev && named.st_ino == held.st_ino;
}

} // namespace

DirectoryLock::~DirectoryLock() {
    Release();
}

void DirectoryLock::Release() {
    if (m_fd >= 0)
        ::close(m_fd); // closing releases the lock, as does the kernel when a process dies
    m_fd = -1;
}

DirectoryLock::Outcome DirectoryLock::Acquire(const std::string& filePath, int timeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    m_fd = ::open(containing_directory(filePath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return m_fd < 0 ? LockFile(filePath, deadline) : Wait(deadline);
}

// A rename may replace the file between opening and locking it: the lock then holds the old
// file, which no other run looks at, so it is taken again on the file the path now names.
DirectoryLock::Outcome DirectoryLock::LockFile(const std::string& filePath,
                                               Clock::time_point deadline) {
    for (;;) {
        m_fd = open_for_lock(filePath);
        if (m_fd < 0)
            return e_Unavailable;
        const Outcome outcome = Wait(deadline);
        if (outcome != e_Locked || names_same_file(filePath, m_fd))
            return outcome;
        Release();
    }
}

DirectoryLock::Outcome DirectoryLock::Wait(Clock::time_point deadline) {
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
            return e_Locked;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return e_Unavailable;
        if (Clock::now() >= deadline)
            return e_TimedOut;
        std::this_thread::sleep_for(kPoll);
    }
}
