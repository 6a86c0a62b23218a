// Where a path leads: symbolic links resolved, dangling ones followed to where a new file goes,
// and the directory that holds a file and must be synced for a rename or removal in it to last.
#ifndef VORNEL_HOST_PATHS_H
#define VORNEL_HOST_PATHS_H

#include <string>

// Returns the path with symbolic links resolved (a missing file: where a change would make it,
// through dangling links), or the path as it is when it cannot be resolved; changes nothing.
std::string resolved_path(const std::string& path);
// Returns the directory that holds the path's file, after symbolic links are resolved.
std::string containing_directory(const std::string& path);

// Sets real to the path of an existing file with symbolic links resolved; false, leaving real as
// it was, when that fails.
bool resolve_existing(const std::string& path, std::string& real);
// Changes the path of a file not made yet to where a dangling symbolic link at it points, so that
// a new file there keeps the link; false when the path cannot be followed to such a place.
bool new_file_path(std::string& path);
// Returns the directory of the path as written, up to its last slash ("." when it has none);
// reads no file.
std::string directory_of(const std::string& path);

// Syncs the directory, so that a rename or removal in it survives a crash; false when that fails.
bool sync_directory(const std::string& directory);

#endif
