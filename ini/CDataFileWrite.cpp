// Writing the document: calls turn into edits of the byte ranges of the lines they touch, and
// the writer copies every other byte of the text as it stood, line ends included.
#include "ini/CDataFile.h"

#include "host/ReplaceFile.h"

#include <algorithm>
#include <utility>

namespace {

const std::string kMark = CommentIndicators.substr(0, 1) + " "; // before a line that lacks one
constexpr std::size_t kChunk = 64 * 1024; // what a save holds before passing it on: no copy

// Calls handle with each line of the text: what stands between its line feeds.
template <class Handler> void for_each_line(std::string_view text, Handler handle) {
    for (std::size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
        end = text.find('\n', start);
        handle(text.substr(start, end - start));
    }
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
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

// An insertion stands before a replacement that starts where it stands; insertions at one
// place keep the order they were made in.
void CDataFile::AddEdit(std::size_t begin, std::size_t end, std::string text) {
    st_Edit edit{begin, end, std::move(text)};
    const auto place = std::upper_bound(
        m_vecEdits.begin(), m_vecEdits.end(), edit, [](const st_Edit& a, const st_Edit& b) {
            return a.m_nBegin != b.m_nBegin ? a.m_nBegin < b.m_nBegin : a.m_nEnd < b.m_nEnd;
        });
    m_vecEdits.insert(place, std::move(edit));
    m_bChanged = true;
}

// The line end of the line above, or of the first line; a text without any takes a line feed.
// A last line that ends in a carriage return alone has the line end it lacks a line feed of.
std::string CDataFile::LineEndAt(std::size_t position) const {
    const std::string_view lines = Lines();
    if (position == lines.size() && !lines.empty() && lines.back() == '\r')
        return "\r\n";
    std::size_t feed = position > 0 ? lines.rfind('\n', position - 1) : std::string::npos;
    if (feed == std::string::npos)
        feed = lines.find('\n');
    if (feed == std::string::npos)
        return "\n";
    std::size_t end = feed;
    while (end > 0 && lines[end - 1] == '\r')
        --end;
    return std::string(lines.substr(end, feed + 1 - end));
}

// Lines written where the text ends without a line end give its last line one first; a carriage
// return there is the start of its line end.
void CDataFile::InsertLines(std::size_t position, std::string text) {
    const std::string_view lines = Lines();
    if (position == lines.size() && !lines.empty() && lines.back() != '\n')
        text.insert(0, lines.back() == '\r' ? "\n" : LineEndAt(position));
    AddEdit(position, position, std::move(text));
}

// Drops the comment lines of the lines above that the line owns, and the empty and comment
// lines just above it, so that deletions do not pile up empty lines.
void CDataFile::DropLine(std::size_t start, bool alone) {
    std::size_t next = 0;
    LineAt(start, &next);
    AddEdit(start, std::min(next, Lines().size()), "");
    if (alone)
        return;
    const std::size_t run = RunStart(start);
    std::size_t quiet = start; // where the empty and comment lines just above start
    while (quiet > run) {
        const std::size_t above = LineAbove(quiet);
        const e_LineKind kind = LineAt(above).m_eKind;
        if (kind != e_LineEmpty && kind != e_LineComment)
            break;
        quiet = above;
    }
    if (quiet < start)
        AddEdit(quiet, start, "");
    DropComments(run, quiet);
}

void CDataFile::DropComments(std::size_t from, std::size_t to) {
    for (std::size_t after = from; from < to; from = after) {
        if (LineAt(from, &after).m_eKind == e_LineComment)
            AddEdit(from, after, "");
    }
}

bool CDataFile::EmptyAbove(std::size_t position, std::size_t skipFrom) const {
    for (std::size_t at = position; at > 0;) {
        at = LineAbove(at);
        const e_LineKind kind = LineAt(at).m_eKind;
        if (kind != e_LineComment || at < skipFrom)
            return kind == e_LineEmpty;
    }
    return false;
}

// The comment in the layout: an empty line above it unless one stands there, then its lines,
// each with the line end of the text.
std::string CDataFile::LaidOutComment(std::size_t position, const std::string& comment,
                                      std::size_t skipFrom) const {
    if (comment.empty())
        return "";
    const std::string end = LineEndAt(position);
    std::string text = EmptyAbove(position, skipFrom) ? "" : end;
    for_each_line(CommentStr(comment, false),
                  [&](std::string_view line) { text.append(line).append(end); });
    return text;
}

void CDataFile::ReplaceComment(std::size_t line, const std::string& comment) {
    const std::size_t run = RunStart(line);
    DropComments(run, line);
    const std::string text = LaidOutComment(line, comment, run);
    if (!text.empty())
        AddEdit(line, line, text);
    m_bDirty = true;
}

// New lines go before the empty and comment lines at the end of a block: those lead to what
// follows, as a header's comment does.
std::size_t CDataFile::InsertPoint(const st_Block& block) const {
    const std::string_view lines = Lines();
    std::size_t tail = block.m_nEnd;
    while (tail > block.m_nBody) {
        const std::size_t above = LineAbove(tail);
        if (IsKeyLine(LineAt(above)))
            break;
        tail = above;
    }
    std::size_t point = tail;
    for (std::size_t next = tail; point < block.m_nEnd; point = next) {
        if (LineAt(point, &next).m_eKind == e_LineComment)
            break;
    }
    while (point > tail) {
        const std::size_t above = LineAbove(point);
        if (LineAt(above).m_eKind != e_LineEmpty)
            break;
        point = above;
    }
    return std::min(point, lines.size());
}

// A changed line keeps all but the value's own bytes, the blanks before it included: an empty
// value's place is after the separator and the blanks that follow it (`k = ` becomes `k = v`).
void CDataFile::StoreValue(const st_section& section, const st_KeyLines& lines,
                           const std::string& key, const std::string& value,
                           const std::string* comment) {
    if (lines.m_nFirst == std::string::npos) {
        const std::size_t point = InsertPoint(m_vecBlocks[section.m_vecBlocks.back()]);
        const std::string end = LineEndAt(point);
        const std::string above = comment ? LaidOutComment(point, *comment, point) : "";
        return InsertLines(point, above + key + EqualIndicators.front() + value + end);
    }
    if (value != lines.m_strValue) {
        const std::string_view text = Lines();
        std::size_t begin = static_cast<std::size_t>(lines.m_strValue.data() - text.data());
        const std::size_t end = begin + lines.m_strValue.size();
        const std::size_t limit = lines.m_strValue.empty() ? text.size() : end;
        while (begin < limit && is_blank(text[begin]))
            ++begin;
        AddEdit(begin, std::max(begin, end), value);
    }
    if (comment && *comment != KeyComment(section, key))
        ReplaceComment(lines.m_nLast, *comment);
    m_bDirty = true;
}

// A new section goes after the last block's items, before the lines that end the text.
void CDataFile::InsertSection(const std::string& name, const std::string& comment) {
    const std::size_t point = InsertPoint(m_vecBlocks.back());
    const std::string end = LineEndAt(point);
    std::string text = LaidOutComment(point, comment, point);
    if (comment.empty() && !EmptyAbove(point, point))
        text = end;
    InsertLines(point, text + "[" + name + "]" + end);
}

// Copies the text but the edited ranges, in pieces of at most kChunk.
bool CDataFile::WriteText(const TextSink& sink) const {
    const std::string_view lines = Lines();
    std::string out;
    bool passed = true;
    bool started = false;
    const auto put = [&](std::string_view piece) {
        if (!started && !piece.empty()) {
            started = true;
            out = TextStart(piece);
        }
        while (!piece.empty()) {
            const std::size_t room = std::min(piece.size(), kChunk - std::min(out.size(), kChunk));
            out.append(piece.substr(0, room));
            piece.remove_prefix(room);
            if (out.size() >= kChunk) {
                passed = passed && sink(out);
                out.clear();
            }
        }
    };
    std::size_t copied = 0;
    for (const st_Edit& edit : m_vecEdits) {
        if (edit.m_nBegin > copied)
            put(lines.substr(copied, edit.m_nBegin - copied));
        put(edit.m_strText);
        copied = std::max(copied, edit.m_nEnd);
    }
    put(lines.substr(std::min(copied, lines.size())));
    if (!started && m_bByteOrderMark)
        out = TextStart("");
    return passed && (out.empty() || sink(out));
}

std::string CDataFile::ToText() const {
    std::string out;
    out.reserve(m_text.View().size() + m_text.View().size() / 8);
    WriteText([&out](std::string_view piece) { return out.append(piece), true; });
    return out;
}

// Keys live in sections: a document without sections has nothing to save.
bool CDataFile::Save() {
    SyncRecords();
    if (m_vecSections.empty()) {
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
