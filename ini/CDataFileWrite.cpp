// Writing the document as INI text in the tool's own layout.
#include "ini/CDataFile.h"

#include "host/FileIO.h"

#include <algorithm>

namespace {

// What the writer puts before a comment line that lacks an indicator.
const std::string kMark = CommentIndicators.substr(0, 1) + " ";

bool in_reader_form(const std::string& comment) {
    return !comment.empty() && comment.front() == '\n';
}

// Calls handle with each line of a comment in the reader's form.
template <class Handler> void for_each_line(const std::string& comment, Handler handle) {
    std::string_view rest(comment);
    while (!rest.empty()) {
        rest.remove_prefix(1);
        const std::size_t end = rest.find('\n');
        handle(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    }
}

// A comment line without an indicator would be read back as a key or a header.
std::string mark_following_lines(const std::string& comment) {
    std::string marked;
    for_each_line("\n" + comment, [&](std::string_view line) {
        marked += marked.empty() || ReadsAsComment(line) ? "\n" : "\n" + kMark;
        marked.append(line);
    });
    return marked.substr(1);
}

// Where the writer stands: in the lines of a section, after some of its keys.
struct st_Place {
    const KeyList* m_pKeys;
    std::size_t m_nKeysWritten;
};

// Whether a key of the name is written above the place, in its section.
bool written_above(std::string_view name, const st_Place& place) {
    const KeyList* keys = place.m_pKeys;
    return keys &&
           std::any_of(keys->begin(), keys->begin() + place.m_nKeysWritten,
                       [&](const t_Key& key) { return EqualsNoCase(key->m_strName, name); });
}

// Whether the kept line, read back where it is written, would be a header or store something:
// a key line without a value makes its key where none of the name is written above.
bool reads_as_item(const st_KeptLine& line, const st_Place& place) {
    return line.m_eKind == e_LineHeader ||
           (line.m_eKind == e_LineEmptyValue && !written_above(line.m_strKey, place));
}

// What stood above an item, each line behind a line feed; empty when nothing did. Lines are
// written as they stood, each kept line among the comment lines where it stood; a line that
// would read back as an item (a caller may have put one in the comment) is turned into a comment
// line. A caller's comment follows the kept lines.
std::string lines_above(const CDataFile& document, const std::string& comment,
                        const KeptLines& kept, const st_Place& place) {
    std::string written;
    std::size_t next = 0;
    const auto keep_up_to = [&](std::size_t commentAt) {
        for (; next < kept.size() && kept[next].m_nCommentAt <= commentAt; ++next)
            written.append("\n")
                .append(reads_as_item(kept[next], place) ? kMark : "")
                .append(kept[next].m_strLine);
    };
    if (in_reader_form(comment))
        for_each_line(comment, [&](std::string_view line) {
            keep_up_to(static_cast<std::size_t>(line.data() - comment.data()) - 1);
            written.append(ReadsAsComment(line) ? "\n" : "\n" + kMark).append(line);
        });
    keep_up_to(std::string::npos); // the lines below the last comment line
    if (!comment.empty() && !in_reader_form(comment))
        written.append("\n").append(document.CommentStr(comment, false));
    return written;
}

} // namespace

void AppendLine(std::string& out, const std::string& text) {
    out += text;
    if (text.empty() || (text.back() != '\n' && text.back() != '\r'))
        out += '\n';
}

std::string ListedComment(const std::string& comment) {
    if (!in_reader_form(comment))
        return comment;
    std::string listed;
    for_each_line(comment, [&](std::string_view line) {
        listed.append("\n").append(TrimWhiteAndSeparators(line));
    });
    return listed;
}

std::string CommentLines(const std::string& text) {
    std::string lines;
    for_each_line("\n" + text, [&](std::string_view line) {
        line = TrimWhite(line);
        if (line.empty())
            return;
        lines += '\n';
        if (!IsCommentLine(line))
            lines += kMark;
        lines.append(line);
    });
    return lines;
}

void RemoveCommentIndicators(std::string& text) {
    const std::string set = CommentIndicators + WhiteSpace;
    const std::size_t first = text.find_first_not_of(set);
    text = first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(set) - first + 1);
}

std::string CDataFile::CommentStr(const std::string& comment, bool removeIndicators) const {
    std::string trimmed = comment;
    Trim(trimmed);
    if (trimmed.empty())
        return trimmed;
    if (!IsCommentLine(trimmed))
        trimmed = kMark + trimmed;
    std::string result = mark_following_lines(trimmed);
    if (removeIndicators)
        RemoveCommentIndicators(result);
    return result;
}

// Sections whose keys are unread are read into scratch records one at a time; the records of
// the section before stay while a header's comment is written.
std::string CDataFile::ToText() const {
    const char equal = EqualIndicators.front();
    std::string out;
    ReserveText(out);
    st_section scratch[2];
    st_Place place{nullptr, 0};
    for (std::size_t i = 0; i < m_vecSections.size(); ++i) {
        const st_section& section = *m_vecSections[i];
        // A header's comment stands among the lines of the section before it.
        const KeyList& keys = KeysOf(section, scratch[i % 2]);
        if (section.m_strName.empty())
            place = st_Place{&keys, 0};
        const std::string above =
            lines_above(*this, section.m_strComment, section.m_vecKept, place);
        if (!above.empty())
            AppendLine(out, above);
        if (!section.m_strName.empty())
            AppendLine(out, (above.empty() ? "\n" : "") + ("[" + section.m_strName + "]"));
        for (place = st_Place{&keys, 0}; place.m_nKeysWritten < keys.size();
             ++place.m_nKeysWritten) {
            const st_key& key = *keys[place.m_nKeysWritten];
            if (key.m_strName.empty())
                continue;
            std::string line = lines_above(*this, key.m_strComment, key.m_vecKept, place);
            if (!line.empty())
                line += '\n';
            AppendLine(out, line.append(key.m_strName).append(1, equal).append(key.m_strValue));
        }
    }
    const std::string trailing =
        lines_above(*this, m_trailingLines.m_strComment, m_trailingLines.m_vecKept, place);
    if (!trailing.empty())
        AppendLine(out, trailing);
    out.insert(0, TextStart(out));
    return out;
}

// Keys live in sections: a document without sections has nothing to save.
bool CDataFile::Save() {
    if (SectionCount() == 0) {
        Report(e_Info, "[CDataFile::Save] Nothing to save.");
        return false;
    }
    if (m_strFileName.empty()) {
        Report(e_Error, "[CDataFile::Save] No filename has been set.");
        return false;
    }
    if (!replace_file(m_strFileName, ToText())) {
        Report(e_Error, "[CDataFile::Save] Unable to save file.");
        return false;
    }
    m_bDirty = false;
    return true;
}
