// Writing the document as INI text in the tool's own layout.
#include "ini/CDataFile.h"

#include "host/FileIO.h"

#include <cstdarg>
#include <cstdio>
#include <ostream>
#include <vector>

namespace {

bool is_line_end(char c) {
    return c == '\n' || c == '\r';
}

// Every written line ends with a line feed, unless its text already ends a line.
void append_line(std::string& out, const std::string& text) {
    out += text;
    if (text.empty() || !is_line_end(text.back()))
        out += '\n';
}

bool starts_with_indicator(const std::string& text, std::size_t lineStart) {
    const std::size_t first = text.find_first_not_of(" \t\r", lineStart);
    return first == std::string::npos || text[first] == '\n' ||
           CommentIndicators.find(text[first]) != std::string::npos;
}

// A comment line without an indicator would be read back as a key or a header.
std::string mark_following_lines(const std::string& comment) {
    std::string marked;
    std::size_t lineStart = 0;
    for (std::size_t end; (end = comment.find('\n', lineStart)) != std::string::npos;) {
        marked.append(comment, lineStart, end + 1 - lineStart);
        lineStart = end + 1;
        if (!starts_with_indicator(comment, lineStart))
            marked += CommentIndicators.substr(0, 1) + " ";
    }
    return marked.append(comment, lineStart, std::string::npos);
}

} // namespace

int WriteLn(std::ostream& stream, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::vector<char> buffer(static_cast<std::size_t>(length < 0 ? 0 : length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    std::string line;
    append_line(line, std::string(buffer.data(), buffer.size() - 1));
    stream.write(line.data(), static_cast<std::streamsize>(line.size()));
    return static_cast<int>(line.size());
}

void RemoveCommentIndicators(std::string& text) {
    const std::string set = CommentIndicators + WhiteSpace;
    const std::size_t first = text.find_first_not_of(set);
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    text = text.substr(first, text.find_last_not_of(set) - first + 1);
}

std::string CDataFile::CommentStr(const std::string& comment, bool removeIndicators) const {
    std::string trimmed = comment;
    Trim(trimmed);
    if (trimmed.empty())
        return trimmed;
    if (CommentIndicators.find(trimmed.front()) == std::string::npos)
        trimmed = CommentIndicators.substr(0, 1) + " " + trimmed;
    std::string result = mark_following_lines(trimmed);
    if (removeIndicators)
        RemoveCommentIndicators(result);
    return result;
}

std::string CDataFile::ToText() const {
    EnsureParsed();
    const char equal = EqualIndicators.front();
    std::string out;
    for (const t_Section& section : m_vecSections) {
        const bool hasComment = !section->m_strComment.empty();
        if (hasComment)
            append_line(out, "\n" + CommentStr(section->m_strComment, false));
        if (!section->m_strName.empty())
            append_line(out, (hasComment ? "" : "\n") + ("[" + section->m_strName + "]"));
        for (const t_Key& key : section->m_vecKeys) {
            if (key->m_strName.empty() || key->m_strValue.empty())
                continue;
            std::string line;
            if (!key->m_strComment.empty())
                line = "\n" + CommentStr(key->m_strComment, false) + "\n";
            line += key->m_strName;
            line += equal;
            line += key->m_strValue;
            append_line(out, line);
        }
    }
    return out;
}

bool CDataFile::Save() {
    if (KeyCount() == 0 && SectionCount() == 0) {
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
