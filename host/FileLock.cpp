#include "host/FileLock.h"

#include "host/FileIO.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kPollMs = 2;

} // namespace

DirectoryLock::~DirectoryLock() {
    if (m_fd >= 0)
        ::close(m_fd); // closing releases the lock, as does the kernel when a process dies
}

DirectoryLock::Outcome DirectoryLock::Acquire(const std::string& filePath, int timeoutMs) {
    m_fd = ::open(containing_directory(filePath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return e_Unavailable;
    for (int waited = 0;; waited += kPollMs) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
            return e_Locked;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return e_Unavailable;
        if (waited >= timeoutMs)
            return e_TimedOut;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
}
