// Serialises the runs that change files in one directory, so that concurrent updates of a
// file are applied one after the other instead of overwriting each other.
#ifndef VORNEL_HOST_FILELOCK_H
#define VORNEL_HOST_FILELOCK_H

#include <string>

class DirectoryLock {
public:
    enum Outcome { e_Locked, e_Unavailable, e_TimedOut };

    DirectoryLock() = default;
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    // Takes an exclusive lock on the directory that holds the file at the path. The directory
    // itself is locked because the file may not exist yet and is replaced by a rename. A
    // directory that cannot be opened or locked gives e_Unavailable.
    Outcome Acquire(const std::string& filePath, int timeoutMs);

private:
    int m_fd = -1;
};

#endif
