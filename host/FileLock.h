// Serialises the runs that change one file, so that concurrent updates of it are applied one
// after the other instead of overwriting each other.
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

    // Takes an exclusive lock on the directory that holds the file at the path, waiting at most
    // the timeout for another holder. The directory itself is locked because the file may not
    // exist yet and is replaced by a rename. Where the directory cannot be opened, the file
    // itself is locked; where neither can be, the result is e_Unavailable.
    Outcome Acquire(const std::string& filePath, int timeoutMs);

private:
    using Clock = std::chrono::steady_clock;

    Outcome LockFile(const std::string& filePath, Clock::time_point deadline);
    Outcome Wait(Clock::time_point deadline);
    void Release();

    int m_fd = -1;
};

#endif
