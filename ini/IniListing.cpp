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
    Refresh();
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
    Refresh();
    std::string out;
    const bool withHeadings = section.empty() && key.empty();
    if (withHeadings)
        out.reserve(Lines().size() + Lines().size() / 8);
    for (const t_Section& current : m_vecSections) {
        if (!section.empty() && current->m_strName != section)
            continue;
        if (withHeadings)
            append_heading(out, *this, *current, withComments);
        ForEachKey(*current, withComments,
                   [&](std::string_view name, std::string_view value, const std::string& comment) {
                       if ((!key.empty() && name != key) || value.empty())
                           return;
                       if (withComments && !comment.empty())
                           out += CommentStr(comment, false) + '#';
                       out.append(name).append(1, EqualIndicators.front()).append(value) += '\n';
                   });
    }
    return out;
}
