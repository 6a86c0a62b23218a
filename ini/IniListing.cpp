// The section, key and content listings of the facade.
#include "ini/IniFile.h"

#include <sstream>

std::string ct_IniFile::GetSectionsStr(bool withComments) const {
    std::ostringstream out;
    for (const t_Section& section : m_vecSections) {
        if (withComments && !section->m_strComment.empty())
            out << CommentStr(section->m_strComment, false) << '\n';
        if (!section->m_strName.empty())
            out << '[' << section->m_strName << "]\n";
    }
    return out.str();
}

std::string ct_IniFile::GetKeysStr(const std::string& section, bool withComments) const {
    return GetContentStr(section, "", withComments);
}

// Filters match names exactly, letter case included.
std::string ct_IniFile::GetContentStr(const std::string& section, const std::string& key,
                                      bool withComments) const {
    std::ostringstream out;
    const bool withHeadings = section.empty() && key.empty();
    for (const t_Section& current : m_vecSections) {
        if (!section.empty() && current->m_strName != section)
            continue;
        if (withHeadings && withComments && !current->m_strComment.empty())
            out << CommentStr(current->m_strComment, false) << '\n';
        if (withHeadings && !current->m_strName.empty())
            out << '[' << current->m_strName << "]\n";
        for (const t_Key& entry : current->m_vecKeys) {
            if ((!key.empty() && entry->m_strName != key) || entry->m_strName.empty() ||
                entry->m_strValue.empty())
                continue;
            if (withComments)
                out << CommentStr(entry->m_strComment, false)
                    << (entry->m_strComment.empty() ? "" : "#");
            out << entry->m_strName << EqualIndicators.front() << entry->m_strValue << '\n';
        }
    }
    return out.str();
}
