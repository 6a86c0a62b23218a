// What reading and writing keep for any text: checked by the fuzz target on arbitrary bytes and
// by a unit test on random texts built from pieces of the grammar.
#ifndef VORNEL_FUZZ_READER_PROPERTIES_H
#define VORNEL_FUZZ_READER_PROPERTIES_H

#include "ini/CDataFile.h"

#include <string>

namespace reader_properties {

// Names to look up and change: the empty one, case variants, and one no key can have.
inline const std::string kNames[] = {"", "a", "A", "b", "k", "K", "j", "x", "a=b"};

enum e_Change { e_KeepAll, e_DeleteKey, e_DeleteSection, e_SetValue };

// True when both documents give the same value to every key line of the text and to every
// pair of kNames.
inline bool same_values(const CDataFile& deferred, const CDataFile& atOnce, std::string_view text) {
    bool same = true;
    const auto compare = [&](const std::string& key, const std::string& section) {
        same = same && deferred.GetValue(key, section) == atOnce.GetValue(key, section);
    };
    std::string section; // lines before the first header
    ReadLines(text, text.find('\0') != std::string_view::npos, [&](const st_IniLine& line) {
        if (line.m_eKind == e_LineHeader)
            section = HeaderName(line.m_strText);
        else if (line.m_eKind == e_LineKey)
            compare(std::string(line.m_strText), section);
        return e_ReadNext;
    });
    for (const std::string& name : kNames) {
        for (const std::string& key : kNames)
            compare(key, name);
    }
    return same;
}

// True when a document that defers the keys of its sections and one that reads every line at
// once (after a NUL byte) give the same values and, after the same change, write the same text,
// which reads back to a document that writes it again unchanged.
inline bool hold(const std::string& text, e_Change change, const std::string& key,
                 const std::string& section) {
    CDataFile::m_bReport = false;
    CDataFile deferred;
    CDataFile atOnce;
    deferred.ReadText(text);
    atOnce.ReadText(text + "\n" + std::string(1, '\0'));
    if (!same_values(deferred, atOnce, text))
        return false;
    for (CDataFile* doc : {&deferred, &atOnce}) {
        if (change == e_DeleteKey)
            doc->DeleteKey(key, section);
        else if (change == e_DeleteSection)
            doc->DeleteSection(section);
        else if (change == e_SetValue)
            doc->SetValue(key, "v", "", section);
    }
    const std::string written = deferred.ToText();
    CDataFile again;
    again.ReadText(written);
    return atOnce.ToText() == written && again.ToText() == written;
}

} // namespace reader_properties

#endif
