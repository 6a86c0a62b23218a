// Writing a file's text where it stands, for files that no rename can replace: what is not a
// regular file, and files in a directory that takes no temporary file beside them.
#ifndef VORNEL_HOST_REWRITEINPLACE_H
#define VORNEL_HOST_REWRITEINPLACE_H

#include "host/FileText.h"

#include <string>

// Writes the text over what stands at the path (a FIFO, a device; a file made when none is), not
// synced; false when it cannot be opened (a FIFO without a reader is not waited for) or a write
// fails.
bool write_in_place(const std::string& path, const TextSource& text);

// Makes the file at the path with the text and syncs it; false, leaving no file there, when that
// fails or the run is stopped by a signal on the way.
bool write_new_in_place(const std::string& path, const TextSource& text);

// Puts the text in place of the regular file's, synced, every state on the way reading as the
// old text or the new; false when the new text is not in place. After a failed write the old text
// is put back the same way, and m_strError says whether that held.
bool rewrite_in_place(const std::string& path, const TextSource& source);

#endif
