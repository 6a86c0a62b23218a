// The changes waiting for a text: replacements of byte ranges, in text order, none over another.
// Writing the text with them copies every byte they do not replace as it stood.
#ifndef VORNEL_INI_EDITLIST_H
#define VORNEL_INI_EDITLIST_H

#include "host/FileText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class EditList {
public:
    // Replaces the bytes [begin, end) of the text by the text given; an insertion where begin and
    // end are equal. Insertions at one place keep the order they were made in, before a
    // replacement that starts there. False, adding nothing, when the range overlaps one replaced.
    bool Add(std::size_t begin, std::size_t end, std::string text);
    // Whether no edit waits; forgets every edit.
    bool Empty() const { return m_vecEdits.empty(); }
    void Clear() { m_vecEdits.clear(); }
    // Hands the lines with the edits made to the sink in chunks, a byte order mark first with
    // mark; false when the sink refused one.
    bool Write(std::string_view lines, bool mark, const TextSink& sink) const;

private:
    struct st_Edit {
        std::size_t m_nBegin;
        std::size_t m_nEnd;
        std::string m_strText;
    };

    std::vector<st_Edit> m_vecEdits;
};

#endif
