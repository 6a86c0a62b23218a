#include "ini/IniLine.h"

namespace {

// The character classes spelled out, since reading tests every byte of the file against them.
struct IsWhite {
    bool operator()(char c) const { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
};
struct IsEqual {
    bool operator()(char c) const { return c == '=' || c == ':'; }
};
struct IsTrimmed {
    bool operator()(char c) const { return IsWhite()(c) || IsEqual()(c); }
};

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

// A key line splits at its first separator; it stores something only with a value. The line
// starts with a character trimming keeps, so the name before the separator is never empty.
st_IniLine classify_key(std::string_view line) {
    const std::size_t separator = FindSeparator(line);
    if (separator == std::string_view::npos)
        return {e_LineIgnored, {}, {}, line};
    const std::string_view key = TrimView(line.substr(0, separator));
    const std::string_view value = line.substr(separator + 1);
    return {value.empty() ? e_LineEmptyValue : e_LineKey, key, value, line};
}

} // namespace

std::size_t FirstKept(std::string_view line) {
    const std::string_view kept = trim_front(line, IsTrimmed());
    return kept.empty() ? std::string_view::npos : line.size() - kept.size();
}

std::string_view TrimView(std::string_view text) {
    return trim_back(trim_front(text, IsTrimmed()), IsTrimmed());
}

std::string_view TrimWhite(std::string_view text) {
    return trim_back(trim_front(text, IsWhite()), IsWhite());
}

std::size_t FindSeparator(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsEqual()(text[i]))
            return i;
    }
    return std::string_view::npos;
}

st_IniLine ClassifyLine(std::string_view line) {
    const std::string_view kept = TrimWhite(line);
    line = trim_front(line, IsTrimmed());
    if (line.empty())
        return {kept.empty() ? e_LineEmpty : e_LineIgnored, {}, {}, kept};
    if (line.front() == ';' || line.front() == '#')
        return {e_LineComment, trim_back(line, IsTrimmed()), {}, kept};
    if (line.front() == '[')
        return {e_LineHeader, trim_back(line, IsTrimmed()), {}, kept};
    st_IniLine key = classify_key(trim_back(line, IsWhite())); // a value keeps "=" and ":"
    key.m_strLine = kept;
    return key;
}

std::size_t FindHeaderLine(std::string_view text, std::size_t from) {
    for (std::size_t bracket = text.find('[', from); bracket != std::string_view::npos;
         bracket = text.find('[', bracket + 1)) {
        std::size_t start = bracket;
        while (start > from && text[start - 1] != '\n' && IsTrimmed()(text[start - 1]))
            --start;
        if (start == from || text[start - 1] == '\n')
            return start;
    }
    return std::string_view::npos;
}

std::string HeaderName(std::string_view header) {
    std::string name(header.substr(1));
    const std::size_t close = name.rfind(']');
    if (close != std::string::npos)
        name.erase(close, 1);
    return name;
}
