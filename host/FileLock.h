// Serialises the runs that change one file: concurrent updates land one after the other.
#ifndef VORNEL_HOST_FILELOCK_H
#define VORNEL_HOST_FILELOCK_H

#include <chrono>
#include <string>

class DirectoryLock {
public:
    enum Outcome { e_Locked, e_Unavailable, e_TimedOut };

    // Holds no lock until Acquire takes one.
    DirectoryLock() = default;
    // Releases the lock held, if any.
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    // Takes an exclusive lock on the directory of the file (which may not exist yet and is
    // replaced by a rename), waiting at most the timeout; on the file itself where the directory
    // cannot be opened; e_Unavailable where neither can be.
    Outcome Acquire(const std::string& filePath, int timeoutMs);

private:
    using Clock = std::chrono::steady_clock;

    Outcome LockFile(const std::string& filePath, Clock::time_point deadline);
    Outcome Wait(Clock::time_point deadline);
    void Release();

    int m_fd = -1;
};

#endif
