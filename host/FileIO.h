// Whole-file reads and whole-file replacement that never leaves a half-written file behind.
#ifndef VORNEL_HOST_FILEIO_H
#define VORNEL_HOST_FILEIO_H

#include <string>

// Reads a regular file whole. Anything else (a directory, a FIFO, a device) is refused
// without blocking, as is a file that cannot be opened.
bool read_regular_file(const std::string& path, std::string& text);

// Puts the text at the path. A regular file (or a new one) is replaced atomically through a
// temporary file in the same directory, keeping mode and owner; a symbolic link keeps pointing
// at its replaced target; anything else is written in place.
bool replace_file(const std::string& path, const std::string& text);

// The directory that holds the path's file, after symbolic links are resolved.
std::string containing_directory(const std::string& path);

#endif
