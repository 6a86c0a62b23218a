// Whole-file replacement that never leaves a half-written file behind: the new text goes to a
// temporary file beside the old one, which a rename puts in its place.
#ifndef VORNEL_HOST_REPLACEFILE_H
#define VORNEL_HOST_REPLACEFILE_H

#include "host/FileText.h"

#include <string>

// Puts the text at the path: a regular file through a temporary file and a rename that keep
// mode, owner and extended attributes (and a symbolic link), or in place where the directory
// takes no temporary file, the old text put back if that fails; anything else in place. False
// when the old file stands as it was (past the rename, only the directory sync can fail); a
// close after fsync is no failure. Appends to m_strError what a failed rewrite left.
bool replace_file(const std::string& path, const TextSource& text);

#endif
