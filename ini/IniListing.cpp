// The facade's listings. An item's comment is the comment lines above it, each trimmed.
#include "ini/IniFile.h"

// A section's comment, when asked for, and its header, unless it is the unnamed one.
static void append_heading(std::string& out, const CDataFile& document, const st_section& section,
                           bool withComments) {
    const std::string& comment = section.m_strComment;
    if (withComments && !comment.empty())
        out += document.CommentStr(comment, false) + '\n';
    if (!section.m_strName.empty())
        out += '[' + section.m_strName + "]\n";
}

std::string ct_IniFile::GetSectionsStr(bool withComments) const {
    std::string out;
    for (const t_Section& section : m_vecSections)
        append_heading(out, *this, *section, withComments);
    return out;
}

std::string ct_IniFile::GetKeysStr(const std::string& section, bool withComments) const {
    return GetContentStr(section, "", withComments);
}

// Filters match names exactly, letter case included.
std::string ct_IniFile::GetContentStr(const std::string& section, const std::string& key,
                                      bool withComments) const {
    std::string out;
    st_section scratch;
    const bool withHeadings = section.empty() && key.empty();
    if (withHeadings)
        ReserveText(out);
    for (const t_Section& current : m_vecSections) {
        if (!section.empty() && current->m_strName != section)
            continue;
        if (withHeadings)
            append_heading(out, *this, *current, withComments);
        for (const t_Key& entry : KeysOf(*current, scratch)) {
            if ((!key.empty() && entry->m_strName != key) || entry->m_strName.empty() ||
                entry->m_strValue.empty())
                continue;
            const std::string& comment = entry->m_strComment;
            if (withComments && !comment.empty())
                out += CommentStr(comment, false) + '#';
            out += entry->m_strName;
            out += EqualIndicators.front();
            out += entry->m_strValue;
            out += '\n';
        }
    }
    return out;
}
