// What reading and writing keep for any text: checked by the fuzz target on arbitrary bytes and
// by a unit test on random texts built from pieces of the grammar.
#ifndef VORNEL_FUZZ_READER_PROPERTIES_H
#define VORNEL_FUZZ_READER_PROPERTIES_H

#include "ini/CDataFile.h"

#include <algorithm>
#include <string>

namespace reader_properties {

// Hands the meaning of each line of the text to handle(const st_IniLine&). With hasNul, a line
// ends at its first NUL byte.
template <class Handler> void ReadLines(std::string_view text, bool hasNul, Handler&& handle) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        st_IniLine meaning = ClassifyLine(hasNul ? line.substr(0, line.find('\0')) : line);
        meaning.m_strLine = line;
        handle(meaning);
        start = end + 1;
    }
}

// Names to look up and change: the empty one, case variants, and one no key can have.
inline const std::string kNames[] = {"", "a", "A", "b", "k", "K", "j", "x", "a=b"};

enum e_Change { e_KeepAll, e_DeleteKey, e_DeleteSection, e_SetValue };

// Calls visit(section, line) for each line of the text, with the section its header names.
template <class Visit> void for_each_line(std::string_view text, Visit visit) {
    std::string section; // lines before the first header
    ReadLines(text, text.find('\0') != text.npos, [&](const st_IniLine& line) {
        if (line.m_eKind == e_LineHeader)
            section = HeaderName(line.m_strText);
        visit(section, line);
    });
}

// True when both documents give the same value to every key line of the text and to every
// pair of kNames.
inline bool same_values(const CDataFile& one, const CDataFile& other, std::string_view text) {
    bool same = true;
    const auto compare = [&](const std::string& key, const std::string& section) {
        same = same && one.GetValue(key, section) == other.GetValue(key, section);
    };
    for_each_line(text, [&](const std::string& section, const st_IniLine& line) {
        if (line.m_eKind == e_LineKey)
            compare(std::string(line.m_strText), section);
    });
    for (const std::string& name : kNames)
        std::for_each(std::begin(kNames), std::end(kNames), [&](auto& key) { compare(key, name); });
    return same;
}

// Whether the change may rewrite or drop the line: the key's lines for a set; for a deletion
// also comment and empty lines, and every key line and the section's headers for a section.
inline bool touchable(const std::string& section, const st_IniLine& line, e_Change change,
                      const std::string& key, const std::string& name) {
    const bool keyLine = line.m_eKind == e_LineKey || line.m_eKind == e_LineEmptyValue;
    const bool ofKey = keyLine && EqualsNoCase(line.m_strText, key);
    const bool quiet = line.m_eKind == e_LineComment || line.m_eKind == e_LineEmpty;
    return change == e_SetValue    ? ofKey
           : change == e_DeleteKey ? quiet || ofKey
           : change == e_DeleteSection
               ? quiet || keyLine || (line.m_eKind == e_LineHeader && EqualsNoCase(section, name))
               : false;
}

// True when every line of the text that the change may not touch stands in the written text, in
// order, as it stood, line end included; with no change, when the written text is the text.
inline bool keeps_lines(std::string_view text, std::string_view written, e_Change change,
                        const std::string& key, const std::string& section) {
    if (change == e_KeepAll)
        return text == written;
    const std::string_view mark = "\xEF\xBB\xBF";
    if (text.substr(0, 3) == mark) {
        text.remove_prefix(3);
        written.remove_prefix(written.substr(0, 3) == mark ? 3 : written.size());
    }
    std::size_t next = 0; // where the next written line starts
    bool kept = true;
    for_each_line(text, [&](const std::string& name, const st_IniLine& line) {
        // a last line without a line end takes one when a line is written after it
        const bool open = line.m_strLine.data() + line.m_strLine.size() == text.end();
        for (bool found = false; kept && !found && !touchable(name, line, change, key, section);) {
            std::size_t end = std::min(written.find('\n', next), written.size());
            kept = next <= written.size();
            const std::size_t own = open ? next + line.m_strLine.size() : end;
            found = kept &&
                    written.substr(next, end - next).substr(0, own - next) == line.m_strLine &&
                    written.find_first_not_of('\r', own) >= end;
            next = end + 1;
        }
    });
    return kept;
}

// A set keeps the key's comment, as the tool's does without -c.
inline void apply(CDataFile& doc, e_Change change, const std::string& key,
                  const std::string& section) {
    const t_Key held = doc.GetKey(key, section);
    if (change == e_DeleteKey)
        doc.DeleteKey(key, section);
    else if (change == e_DeleteSection)
        doc.DeleteSection(section);
    else if (change == e_SetValue)
        doc.SetValue(key, "v", held ? held->m_strComment : "", section);
}

// True when a document that defers the keys of its sections and one whose sections are all read
// give the same values and, after the same change, write the same text; that text keeps every
// line the change may not touch and reads back to a document that writes it again unchanged.
inline bool hold(const std::string& text, e_Change change, const std::string& key,
                 const std::string& section) {
    CDataFile::m_bReport = false;
    CDataFile deferred;
    CDataFile read;
    deferred.ReadText(text);
    read.ReadText(text);
    for_each_line(text, [&](const std::string& name, const st_IniLine&) { read.GetSection(name); });
    if (!same_values(deferred, read, text))
        return false;
    apply(deferred, change, key, section);
    apply(read, change, key, section);
    const std::string written = deferred.ToText();
    CDataFile again;
    again.ReadText(written);
    return read.ToText() == written && again.ToText() == written &&
           keeps_lines(text, written, change, key, section);
}

} // namespace reader_properties

#endif
