// The facade's listings. An item's comment is the comment lines above it, each trimmed.
#include "ini/IniFile.h"

#include "ini/ChunkedOutput.h"

// A section's comment, when asked for, and its header, unless it is the unnamed one.
static std::string heading(const CDataFile& document, const st_SectionBlocks& section,
                           bool withComments) {
    std::string out;
    const std::string& comment = section.m_strComment;
    if (withComments && !comment.empty())
        out += document.CommentStr(comment, false) + '\n';
    if (!section.m_strName.empty())
        out += '[' + section.m_strName + "]\n";
    return out;
}

std::string ct_IniFile::GetSectionsStr(bool withComments) const {
    std::string out;
    for (const st_SectionBlocks& section : Current().Sections())
        out += heading(*this, section, withComments);
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

// A key's line of a listing, its comment lines before it when asked for; nothing for a key
// without a value.
static void put_key(ChunkedOutput& out, const CDataFile& document, std::string_view name,
                    std::string_view value, const std::string& comment) {
    if (value.empty())
        return;
    if (!comment.empty())
        out.Put(document.CommentStr(comment, false) + '#');
    out.Put(name);
    out.Put(EqualIndicators.substr(0, 1));
    out.Put(value);
    out.Put("\n");
}

// Filters match names exactly, letter case included. One key is found by the walk a get makes,
// not by the merged view of its whole section.
bool ct_IniFile::PutContent(const std::string& section, const std::string& key, bool withComments,
                            const TextSink& sink) const {
    const IniText& text = Current();
    ChunkedOutput out(sink);
    for (const st_SectionBlocks& current : text.Sections()) {
        if (!section.empty() && current.m_strName != section)
            continue;
        if (!key.empty()) {
            const st_KeyLines lines = text.KeyLines(current, key);
            if (lines.m_strName == key)
                put_key(out, *this, key, lines.m_strValue,
                        withComments ? text.KeyComment(current, key) : "");
            continue;
        }
        if (section.empty())
            out.Put(heading(*this, current, withComments));
        text.ForEachKey(
            current, withComments,
            [&](std::string_view name, std::string_view value, const std::string& comment) {
                put_key(out, *this, name, value, comment);
            });
    }
    return out.Finish();
}
