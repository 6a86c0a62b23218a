// Writing the document: calls turn into edits of the byte ranges of the lines they touch, and
// the writer copies every other byte of the text as it stood, line ends included.
#include "ini/CDataFile.h"

#include "host/ReplaceFile.h"

#include <algorithm>
#include <utility>

namespace {

const std::string kMark = CommentIndicators.substr(0, 1) + " "; // before a line that lacks one

// Calls handle with each line of the text: what stands between its line feeds.
template <class Handler> void for_each_line(std::string_view text, Handler handle) {
    for (std::size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
        end = text.find('\n', start);
        handle(text.substr(start, end - start));
    }
}

} // namespace

std::string CommentLines(const std::string& text) {
    std::string lines;
    for_each_line(text, [&](std::string_view line) {
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

// Only the first line is trimmed whole; a later line without an indicator would be read back
// as a key or a header, and gets one.
std::string CDataFile::CommentStr(const std::string& comment, bool removeIndicators) const {
    std::string trimmed = comment;
    Trim(trimmed);
    std::string result;
    for_each_line(trimmed, [&](std::string_view line) {
        if (line.data() != trimmed.data())
            result += '\n';
        if (!ReadsAsComment(line))
            result += kMark;
        result.append(line);
    });
    if (removeIndicators)
        RemoveCommentIndicators(result);
    return result;
}

// Lines written where the text ends without a line end give its last line one first; a carriage
// return there is the start of its line end.
void CDataFile::InsertLines(std::size_t position, std::string text) {
    const std::string_view lines = m_text.Lines();
    if (position == lines.size() && !lines.empty() && lines.back() != '\n')
        text.insert(0, lines.back() == '\r' ? "\n" : m_text.LineEndAt(position));
    m_edits.Add(position, position, std::move(text));
}

// Drops the line and, when it owns comment lines, those and the empty and comment lines just
// above it, so that deletions do not pile up empty lines.
void CDataFile::DropLine(std::size_t start, bool ownsComments) {
    std::size_t next = 0;
    m_text.ClassifyAt(start, &next);
    m_edits.Add(start, std::min(next, m_text.Lines().size()), "");
    if (!ownsComments)
        return;
    const std::size_t owned = m_text.OwnedFrom(start);
    std::size_t unused = start; // where the empty and comment lines just above start
    while (unused > owned) {
        const std::size_t above = m_text.LineAbove(unused);
        const e_LineKind kind = m_text.ClassifyAt(above).m_eKind;
        if (kind != e_LineEmpty && kind != e_LineComment)
            break;
        unused = above;
    }
    if (unused < start)
        m_edits.Add(unused, start, "");
    DropComments(owned, unused);
}

void CDataFile::DropComments(std::size_t from, std::size_t to) {
    for (std::size_t after = from; from < to; from = after) {
        if (m_text.ClassifyAt(from, &after).m_eKind == e_LineComment)
            m_edits.Add(from, after, "");
    }
}

// The comment in the layout: an empty line above it unless one stands there, then its lines,
// each with the line end of the text.
std::string CDataFile::LaidOutComment(std::size_t position, const std::string& comment,
                                      std::size_t droppedFrom) const {
    if (comment.empty())
        return "";
    const std::string end = m_text.LineEndAt(position);
    std::string text = m_text.EmptyAbove(position, droppedFrom) ? "" : end;
    for_each_line(CommentStr(comment, false),
                  [&](std::string_view line) { text.append(line).append(end); });
    return text;
}

void CDataFile::ReplaceComment(std::size_t line, const std::string& comment) {
    const std::size_t owned = m_text.OwnedFrom(line);
    DropComments(owned, line);
    const std::string text = LaidOutComment(line, comment, owned);
    if (!text.empty())
        m_edits.Add(line, line, text);
    m_bDirty = true;
}

// A changed line keeps all but the value's own bytes, the blanks before it included: an empty
// value's place is after the separator and the blanks that follow it (`k = ` becomes `k = v`).
void CDataFile::StoreValue(const st_SectionBlocks& section, const st_KeyLines& lines,
                           const std::string& key, const std::string& value,
                           const std::string* comment) {
    if (lines.m_nFirst == std::string::npos) {
        const std::size_t point = m_text.InsertPoint(m_text.Block(section.m_vecBlocks.back()));
        const std::string end = m_text.LineEndAt(point);
        const std::string above = comment ? LaidOutComment(point, *comment, point) : "";
        return InsertLines(point, above + key + EqualIndicators.front() + value + end);
    }
    if (value != lines.m_strValue) {
        const std::string_view text = m_text.Lines();
        std::size_t begin = static_cast<std::size_t>(lines.m_strValue.data() - text.data());
        const std::size_t end = begin + lines.m_strValue.size();
        const std::size_t limit = lines.m_strValue.empty() ? text.size() : end;
        const std::size_t separator = begin - 1; // where the value is empty
        while (begin < limit && IsBlank(text[begin]))
            ++begin;
        // `k =` takes the blank after its separator that it has before it: `k = v`
        const bool mirror = lines.m_strValue.empty() && begin == separator + 1 && separator > 0 &&
                            IsBlank(text[separator - 1]);
        m_edits.Add(begin, std::max(begin, end),
                    std::string(mirror ? text.substr(separator - 1, 1) : "") + value);
    }
    if (comment && *comment != m_text.KeyComment(section, key))
        ReplaceComment(lines.m_nLast, *comment);
    m_bDirty = true;
}

// A new section goes after the last block's items, before the lines that end the text.
void CDataFile::InsertSection(const std::string& name, const std::string& comment) {
    const std::size_t point = m_text.InsertPoint(m_text.LastBlock());
    const std::string end = m_text.LineEndAt(point);
    std::string text = LaidOutComment(point, comment, point);
    if (comment.empty() && !m_text.EmptyAbove(point, point))
        text = end;
    InsertLines(point, text + "[" + name + "]" + end);
}

bool CDataFile::WriteText(const TextSink& sink) const {
    return m_edits.Write(m_text.Lines(), m_text.HasByteOrderMark(), sink);
}

std::string CDataFile::ToText() const {
    std::string out;
    out.reserve(m_text.Whole().size() + m_text.Whole().size() / 8);
    WriteText([&out](std::string_view piece) { return out.append(piece), true; });
    return out;
}

// Keys live in sections: a document without sections has nothing to save. While the unnamed
// section exists there is one whatever the edits do, and the edits need not be made to know it.
bool CDataFile::Save() {
    RecordsToEdits();
    if (!m_bUnnamed && Current().Sections().empty()) {
        Report(e_Info, "[CDataFile::Save] Nothing to save.");
        return false;
    }
    if (m_strFileName.empty()) {
        Report(e_Error, "[CDataFile::Save] No filename has been set.");
        return false;
    }
    if (!replace_file(m_strFileName, [this](const TextSink& sink) { return WriteText(sink); })) {
        Report(e_Error, "[CDataFile::Save] Unable to save file.");
        return false;
    }
    m_bDirty = false;
    return true;
}
