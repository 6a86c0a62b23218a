// Whole-file reads and whole-file replacement that never leaves a half-written file behind.
#ifndef VORNEL_HOST_FILEIO_H
#define VORNEL_HOST_FILEIO_H

#include <cstddef>
#include <string>
#include <string_view>

// Text held in memory: the bytes of a file, or a string handed over. A file's bytes go to
// memory mapped for them alone, in huge pages where the host has them, since first touches
// of ordinary pages cost more than reading the file.
class FileText {
public:
    FileText() = default;
    explicit FileText(std::string text);
    ~FileText();
    FileText(FileText&& other) noexcept;
    FileText& operator=(FileText&& other) noexcept;
    FileText(const FileText&) = delete;
    FileText& operator=(const FileText&) = delete;

    std::string_view View() const { return m_view; }
    bool ReadFrom(int fd, std::size_t sizeHint);

private:
    void Release();

    std::string m_strOwned;
    void* m_pMap = nullptr;
    std::size_t m_nMapSize = 0;
    std::string_view m_view;
};

// Reads a regular file whole. Anything else (a directory, a FIFO, a device) is refused
// without blocking, as is a file that cannot be opened.
bool read_regular_file(const std::string& path, FileText& text);

// Whether a regular file stands at the path, after symbolic links are followed.
bool regular_file_exists(const std::string& path);

// Puts the text at the path. A regular file (or a new one) is replaced atomically through a
// temporary file in the same directory, keeping mode, owner and extended attributes, and the
// directory is synced; a symbolic link keeps pointing at its replaced target. Where the
// directory takes no temporary file, a regular file is rewritten in place once room for the
// text is reserved. Anything else is written in place. False when the text was not put there.
bool replace_file(const std::string& path, const std::string& text);

// The directory that holds the path's file, after symbolic links are resolved.
std::string containing_directory(const std::string& path);

#endif
