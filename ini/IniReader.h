// The INI grammar in one place: the character classes, what a line is, the reader that hands
// each line's meaning to a handler, and whether what is written reads back as itself.
#ifndef VORNEL_INI_INIREADER_H
#define VORNEL_INI_INIREADER_H

#include <algorithm>
#include <string>
#include <string_view>

// Comment indicators; the first is the one the writer puts.
constexpr std::string_view kCommentIndicators = ";#";
// Separators between a key and its value; the first is the one the writer puts.
constexpr std::string_view kEqualIndicators = "=:";
// Stripped from the ends of lines, names and comments.
constexpr std::string_view kWhiteSpace = " \t\n\r";
// Starts a text in UTF-8 without being part of its first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether the character is one of the class; spelled out, for a loop over every byte of a file.
constexpr bool IsIn(std::string_view characterClass, char c) {
    for (char member : characterClass) {
        if (member == c)
            return true;
    }
    return false;
}

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

// One line's meaning. The views point into the line that was classified.
struct st_IniLine {
    e_LineKind m_eKind;
    std::string_view m_strText;  // comment or header line trimmed, or the key name
    std::string_view m_strValue; // the value of a key line
    std::string_view m_strLine;  // the whole line as it stands, without its line feed
};

// Whether the character is a blank: a space or a tab, as stand inside a line.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Whether the text starts with a byte order mark.
constexpr bool StartsWithByteOrderMark(std::string_view text) {
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
}

// Names compare with the letters A to Z folded to lower case.
inline char LowerAscii(char c) {
    return static_cast<unsigned char>(c - 'A') < 26u ? static_cast<char>(c + 32) : c;
}

// Whether the line names a key, with a value or without.
inline bool IsKeyLine(const st_IniLine& line) {
    return line.m_eKind == e_LineKey || line.m_eKind == e_LineEmptyValue;
}

// Whether a line that names a key stores in it, and so owns the comment lines above it: the first
// line of a section that names the key does, a later one only with a value (`k=` after `k=1`
// stores nothing and takes no comment). Every reader and change of a key asks this.
inline bool StoresInKey(const st_IniLine& line, bool first) {
    return first || line.m_eKind == e_LineKey;
}

// Returns where the line that starts at the position ends: at its line feed, or the text's end.
inline std::size_t LineEnd(std::string_view text, std::size_t start) {
    return std::min(text.find('\n', start), text.size());
}

// Whether the line can name the key: the key starts the line's first characters that trimming
// keeps (letter case aside) and ends at a separator, white space or the line's end. Passes most
// lines without classifying them.
inline bool MayName(std::string_view line, std::string_view key) {
    const auto ends_name = [](char c) { return IsIn(kWhiteSpace, c) || IsIn(kEqualIndicators, c); };
    std::size_t at = 0;
    while (at < line.size() && ends_name(line[at]))
        ++at;
    if (key.empty() || line.size() - at < key.size())
        return false;
    for (char c : key) {
        if (LowerAscii(line[at++]) != LowerAscii(c))
            return false;
    }
    return at == line.size() || ends_name(line[at]);
}

// Returns what a line (without its line feed) is. A line is a comment only when its first
// character after white space is an indicator (`=; x` is none).
st_IniLine ClassifyLine(std::string_view line);

// Returns the section a trimmed header line names: the line without its "[" and without its
// last "]"; text after that "]" stays in the name (`[a] x` names "a x").
std::string HeaderName(std::string_view header);

// Returns where the first header line at or after the line start `from` begins, or the size of
// the text; lines in between are passed at the speed of memchr.
std::size_t NextHeaderLine(std::string_view text, std::size_t from);

// Returns the text without white space at its ends.
std::string_view TrimWhite(std::string_view text);
// Returns the text without white space, "=" and ":" at its ends, as names are read.
std::string_view TrimWhiteAndSeparators(std::string_view text);
// Returns where the first separator ("=" or ":") of the text stands, or npos.
std::size_t FindSeparator(std::string_view text);

// Whether a line of a comment starts with an indicator.
bool IsCommentLine(std::string_view line);
// Whether a line written as it stands reads back as a comment or blank line, not as an item.
bool ReadsAsComment(std::string_view line);
// Whether a key written as `key=value` reads back with this name: no separator, no indicator or
// "[" first, no white space at its ends.
bool KeyReadsBack(std::string_view key);
// Whether a value written after a separator, at the end of a line, reads back whole: no white
// space at its end, no blank at its start.
bool ValueReadsBack(std::string_view value);

#endif
