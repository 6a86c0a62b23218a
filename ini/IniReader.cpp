#include "ini/IniReader.h"

namespace {

bool is_white(char c) {
    return IsIn(kWhiteSpace, c);
}

bool is_trimmed(char c) {
    return IsIn(kWhiteSpace, c) || IsIn(kEqualIndicators, c);
}

template <class Predicate> std::string_view trim_front(std::string_view text, Predicate strip) {
    std::size_t first = 0;
    while (first < text.size() && strip(text[first]))
        ++first;
    return text.substr(first);
}

template <class Predicate> std::string_view trim_back(std::string_view text, Predicate strip) {
    std::size_t end = text.size();
    while (end > 0 && strip(text[end - 1]))
        --end;
    return text.substr(0, end);
}

// A key line splits at its first separator; the line starts with a character trimming keeps, so
// the name is never empty. The value starts after the blanks that follow the separator, as every
// program that owns such a file reads it (`port = 3306` holds "3306").
st_IniLine classify_key(std::string_view line) {
    const std::size_t separator = FindSeparator(line);
    if (separator == std::string_view::npos)
        return {e_LineIgnored, {}, {}, line};
    const std::string_view key = TrimWhiteAndSeparators(line.substr(0, separator));
    const std::string_view value = trim_front(line.substr(separator + 1), IsBlank);
    return {value.empty() ? e_LineEmptyValue : e_LineKey, key, value, line};
}

} // namespace

std::string_view TrimWhiteAndSeparators(std::string_view text) {
    return trim_back(trim_front(text, is_trimmed), is_trimmed);
}

std::string_view TrimWhite(std::string_view text) {
    return trim_back(trim_front(text, is_white), is_white);
}

std::size_t FindSeparator(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsIn(kEqualIndicators, text[i]))
            return i;
    }
    return std::string_view::npos;
}

st_IniLine ClassifyLine(std::string_view line) {
    const std::string_view trimmed = trim_front(line, is_trimmed);
    if (trimmed.empty())
        return {TrimWhite(line).empty() ? e_LineEmpty : e_LineIgnored, {}, {}, line};
    if (IsIn(kCommentIndicators, trimmed.front())) {
        const bool comment = IsCommentLine(TrimWhite(line));
        return {comment ? e_LineComment : e_LineIgnored, trim_back(trimmed, is_trimmed), {}, line};
    }
    if (trimmed.front() == '[')
        return {e_LineHeader, trim_back(trimmed, is_trimmed), {}, line};
    st_IniLine key = classify_key(trim_back(trimmed, is_white)); // a value keeps "=" and ":"
    key.m_strLine = line;
    return key;
}

// Each "[" is a candidate; the classifier says whether its line is a header.
std::size_t NextHeaderLine(std::string_view text, std::size_t from) {
    constexpr std::size_t npos = std::string_view::npos;
    for (std::size_t bracket = text.find('[', from); bracket != npos;
         bracket = text.find('[', bracket)) {
        const std::size_t newline = text.rfind('\n', bracket);
        const std::size_t start = newline == npos || newline < from ? from : newline + 1;
        const std::size_t end = LineEnd(text, bracket);
        if (ClassifyLine(text.substr(start, end - start)).m_eKind == e_LineHeader)
            return start;
        bracket = end;
    }
    return text.size();
}

std::string HeaderName(std::string_view header) {
    std::string name(header.substr(1));
    const std::size_t close = name.rfind(']');
    if (close != std::string::npos)
        name.erase(close, 1);
    return name;
}

bool IsCommentLine(std::string_view line) {
    return !line.empty() && IsIn(kCommentIndicators, line.front());
}

bool ReadsAsComment(std::string_view line) {
    line = trim_front(line, is_white);
    return line.empty() || IsIn(kCommentIndicators, line.front());
}

bool KeyReadsBack(std::string_view key) {
    if (key.empty())
        return true;
    return FindSeparator(key) == std::string_view::npos && !IsIn(kCommentIndicators, key.front()) &&
           key.front() != '[' && !is_white(key.front()) && !is_white(key.back());
}

bool ValueReadsBack(std::string_view value) {
    return value.empty() || (!is_white(value.back()) && !IsBlank(value.front()));
}
