// The INI line grammar: what one line of INI text is, shared by everything that reads text.
#ifndef VORNEL_INI_INILINE_H
#define VORNEL_INI_INILINE_H

#include <string>
#include <string_view>

// A key line with an empty value (`k=`) stores nothing, but names a key: a set of that key
// takes its place instead of adding a second line for it.
enum e_LineKind {
    e_LineEmpty,
    e_LineComment,
    e_LineHeader,
    e_LineKey,
    e_LineEmptyValue,
    e_LineIgnored
};

struct st_IniLine {
    e_LineKind m_eKind;
    std::string_view m_strText;  // comment or header line trimmed, or the key name
    std::string_view m_strValue; // the value of a key line
    std::string_view m_strLine;  // the line without white space at its ends, as a rewrite keeps it
};

st_IniLine ClassifyLine(std::string_view line);

// Where the next header line at or after the line start `from` starts, or npos. Lines in
// between are not looked at, so a text without NUL bytes is skipped at the speed of memchr.
std::size_t FindHeaderLine(std::string_view text, std::size_t from);

// The section a header line names: after "[" up to the last "]", or all after "[".
std::string HeaderName(std::string_view header);

// The first byte of the line that trimming keeps, or npos for a line that is all trimmed.
std::size_t FirstKept(std::string_view line);

// Blanks, tabs, line ends, "=" and ":" off both ends.
std::string_view TrimView(std::string_view text);

// Blanks, tabs and line ends off both ends.
std::string_view TrimWhite(std::string_view text);

std::size_t FindSeparator(std::string_view text);

// Calls handle with every line of the text, each cut at its first NUL when the text has one.
template <class Handler> void ForEachLine(std::string_view text, bool hasNul, Handler handle) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (!handle(hasNul ? line.substr(0, line.find('\0')) : line))
            return;
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
}

#endif
