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

std::string ct_IniFile::GetContentStr(const std::string& section, const std::string& key,
                                      bool withComments) const {
    std::string out;
    PutContent(section, key, withComments, [&out](std::string_view piece) {
        out.append(piece);
        return true;
    });
    return out;
}

// Filters match names exactly, letter case included. The text goes in pieces: a listing of a
// large file holds no copy of it.
bool ct_IniFile::PutContent(const std::string& section, const std::string& key, bool withComments,
                            const TextSink& sink) const {
    constexpr std::size_t kPiece = 64 * 1024;
    Refresh();
    std::string out;
    bool passed = true;
    const auto pass = [&](std::size_t least) {
        if (out.size() >= least && !out.empty()) {
            passed = passed && sink(out);
            out.clear();
        }
    };
    for (const t_Section& current : m_vecSections) {
        if (!section.empty() && current->m_strName != section)
            continue;
        if (section.empty() && key.empty())
            append_heading(out, *this, *current, withComments);
        ForEachKey(*current, withComments,
                   [&](std::string_view name, std::string_view value, const std::string& comment) {
                       if ((!key.empty() && name != key) || value.empty())
                           return;
                       if (withComments && !comment.empty())
                           out += CommentStr(comment, false) + '#';
                       out.append(name).append(1, EqualIndicators.front()).append(value) += '\n';
                       pass(kPiece);
                   });
    }
    pass(0);
    return passed;
}
