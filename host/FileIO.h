// Whole-file reads and whole-file replacement that never leaves a half-written file behind.
#ifndef VORNEL_HOST_FILEIO_H
#define VORNEL_HOST_FILEIO_H

#include <string>

// Reads a regular file whole into text, also when it grows while being read; returns false,
// leaving text empty, for anything else (a directory, a FIFO, a device, refused without
// blocking) and for a file that cannot be opened.
bool read_regular_file(const std::string& path, std::string& text);

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
