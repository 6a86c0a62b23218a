// The files a change makes beside the file it replaces go whatever stops the run: an error, an
// exception, or a signal that ends it. They carry the name of their file, so that the next change
// of it removes those that a killed run left.
#ifndef VORNEL_HOST_TEMPORARY_H
#define VORNEL_HOST_TEMPORARY_H

#include <string>

// Sets handlers for SIGTERM, SIGINT, SIGHUP and SIGPIPE (those not ignored) that remove the file
// the run is making, then end the run by the same signal.
void remove_partial_file_on_signals();

// The file at the path is being made: a signal removes it until release_partial_file. False,
// naming nothing, for a path too long to keep; the path stays the caller's to remove on errors.
bool guard_partial_file(const std::string& path);
void release_partial_file();

// A temporary file beside the target, named after it, removed unless it was renamed into place.
class TemporaryFile {
public:
    // Makes the file; Fd() < 0, with errno set, when none can be made.
    explicit TemporaryFile(const std::string& target);
    // Removes the file unless it was renamed; closes it.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Returns the descriptor of the file, open for writing.
    int Fd() const { return m_fd; }
    // Closes the file and renames it to the target; false, keeping it to remove, when that fails.
    bool RenameTo(const std::string& target);

private:
    std::string m_strPath;
    int m_fd = -1;
    bool m_bMade = false;
};

// Removes the temporary files of the target that earlier runs left; the caller holds the lock
// that every run changing the target takes. Appends to m_strError the names of those that stay.
void remove_stale_temporaries(const std::string& target);

#endif
