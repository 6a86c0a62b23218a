// Reading an INI text: one pass finds the headers and so the blocks and sections; lookups walk
// the lines of one section, and what a line owns is found from the line itself.
#include "ini/IniText.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr std::size_t npos = std::string::npos;

using Hashes = std::vector<std::uint64_t, PageAllocator<std::uint64_t>>;
using Starts = std::vector<std::size_t, PageAllocator<std::size_t>>;

// Sorts by the upper halves a byte at a time: for a million names several times faster than
// std::sort, for a hundred slower, the passes' tables then costing more than the names.
void radix_sort_hashes(Hashes& hashes) {
    Hashes sorted(hashes.size());
    for (int shift = 32; shift < 64; shift += 8) {
        std::size_t starts[257] = {};
        for (std::uint64_t value : hashes)
            ++starts[((value >> shift) & 0xFF) + 1];
        for (std::size_t digit = 0; digit < 256; ++digit)
            starts[digit + 1] += starts[digit];
        for (std::uint64_t value : hashes)
            sorted[starts[(value >> shift) & 0xFF]++] = value;
        hashes.swap(sorted);
    }
}

// Which entries share their hash, the upper half of each, with another; the lower half is the
// entry's number.
std::vector<bool> shared_hashes(Hashes hashes) {
    constexpr std::size_t kRadixFrom = 1024;
    if (hashes.size() < kRadixFrom)
        std::sort(hashes.begin(), hashes.end());
    else
        radix_sort_hashes(hashes);
    std::vector<bool> shared(hashes.size());
    for (std::size_t i = 1; i < hashes.size(); ++i) {
        if (hashes[i] >> 32 == hashes[i - 1] >> 32)
            shared[hashes[i] & 0xFFFFFFFFu] = shared[hashes[i - 1] & 0xFFFFFFFFu] = true;
    }
    return shared;
}

} // namespace

IniText::IniText(FileText text, bool unnamed, std::size_t version)
    : m_text(std::move(text)), m_bByteOrderMark(StartsWithByteOrderMark(m_text.View())),
      m_bNul(Lines().find('\0') != std::string_view::npos), m_bUnnamed(unnamed),
      m_nVersion(version) {
    m_vecBlocks.push_back(st_Block{0, 0, NextHeader(0), false});
    if (m_bUnnamed || HasKeyLine(0, m_vecBlocks.front().m_nEnd)) {
        m_sections.push_back(st_SectionBlocks{"", "", {0}});
        m_index.emplace(m_sections.back().m_strName, 0);
    }
    for (std::size_t header = m_vecBlocks.front().m_nEnd; header < Lines().size();
         header = m_vecBlocks.back().m_nEnd)
        AddBlock(header);
}

// A header of a name read before continues that section; the first one makes it, with the
// comment lines above it.
void IniText::AddBlock(std::size_t header) {
    std::size_t body = 0;
    std::string name = HeaderName(ClassifyAt(header, &body).m_strText);
    body = std::min(body, Lines().size());
    const auto known = m_index.find(name);
    m_vecBlocks.push_back(st_Block{header, body, NextHeader(body), known == m_index.end()});
    if (known != m_index.end())
        return m_sections[known->second].m_vecBlocks.push_back(m_vecBlocks.size() - 1);
    m_sections.push_back(
        st_SectionBlocks{std::move(name), CommentAbove(header), {m_vecBlocks.size() - 1}});
    m_index.emplace(m_sections.back().m_strName, m_sections.size() - 1);
}

// Headers are found at the speed of memchr; a text with NUL bytes is read line by line.
std::size_t IniText::NextHeader(std::size_t from) const {
    if (!m_bNul)
        return NextHeaderLine(Lines(), from);
    for (std::size_t next = from; from < Lines().size(); from = next) {
        if (ClassifyAt(from, &next).m_eKind == e_LineHeader)
            return from;
    }
    return Lines().size();
}

std::string_view IniText::Lines() const {
    return Whole().substr(m_bByteOrderMark ? kByteOrderMark.size() : 0);
}

const st_SectionBlocks* IniText::FindSection(std::string_view name) const {
    const auto at = m_index.find(name);
    return at == m_index.end() ? nullptr : &m_sections[at->second];
}

// A NUL byte ends the meaning of its line: what follows it is kept, never read.
st_IniLine IniText::Classify(std::string_view line) const {
    st_IniLine meaning = ClassifyLine(m_bNul ? line.substr(0, line.find('\0')) : line);
    meaning.m_strLine = line;
    return meaning;
}

st_IniLine IniText::ClassifyAt(std::size_t start, std::size_t* next) const {
    const std::string_view lines = Lines();
    const std::size_t end = LineEnd(lines, start);
    if (next)
        *next = end + 1;
    return Classify(lines.substr(start, end - start));
}

// The character before the position ends the line above: a line feed, or the text's last byte.
// Reading back from the end (a get) finds line feeds with memrchr where the C library has it.
std::size_t IniText::LineAbove(std::size_t position) const {
    if (position < 2)
        return 0;
#if VORNEL_HAVE_MEMRCHR
    const void* feed = ::memrchr(Lines().data(), '\n', position - 1);
    return feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - Lines().data()) + 1 : 0;
#else
    return Lines().rfind('\n', position - 2) + 1;
#endif
}

bool IniText::HasKeyLine(std::size_t from, std::size_t to) const {
    for (std::size_t next = from; from < to; from = next) {
        if (IsKeyLine(ClassifyAt(from, &next)))
            return true;
    }
    return false;
}

bool IniText::IsRepeatedHeader(std::size_t start) const {
    const auto found = std::lower_bound(
        m_vecBlocks.begin() + 1, m_vecBlocks.end(), start,
        [](const st_Block& block, std::size_t at) { return block.m_nHeader < at; });
    return found != m_vecBlocks.end() && found->m_nHeader == start && !found->m_bFirstOfName;
}

std::size_t IniText::OwnedFrom(std::size_t line) const {
    while (line > 0) {
        const std::size_t above = LineAbove(line);
        const st_IniLine meaning = ClassifyAt(above);
        if (IsKeyLine(meaning) || (meaning.m_eKind == e_LineHeader && !IsRepeatedHeader(above)))
            break;
        line = above;
    }
    return line;
}

std::string IniText::CommentAbove(std::size_t line) const {
    std::string comment;
    for (std::size_t at = OwnedFrom(line), next = at; at < line; at = next) {
        const st_IniLine meaning = ClassifyAt(at, &next);
        if (meaning.m_eKind == e_LineComment)
            comment.append("\n").append(meaning.m_strText);
    }
    return comment;
}

st_KeyLines IniText::KeyLines(const st_SectionBlocks& section, std::string_view key) const {
    st_KeyLines found;
    ForEachLineOf(section, key, [&](const st_IniLine& line, std::size_t start) {
        const bool first = found.m_nFirst == npos;
        if (first) {
            found.m_nFirst = start;
            found.m_strName = line.m_strText;
        }
        if (!StoresInKey(line, first))
            return;
        found.m_nLast = start;
        found.m_strValue = line.m_strValue;
    });
    return found;
}

std::string IniText::KeyComment(const st_SectionBlocks& section, std::string_view key) const {
    std::string comment;
    bool first = true;
    ForEachLineOf(section, key, [&](const st_IniLine& line, std::size_t start) {
        if (StoresInKey(line, first))
            comment += CommentAbove(start);
        first = false;
    });
    return comment;
}

// Lines are read from the end until one names the key and stores in it as a later line would.
// Only a key's first line stores without a value, and a key whose only storing line has none
// has the empty value.
std::string_view IniText::Value(const st_SectionBlocks& section, std::string_view key) const {
    const std::string_view lines = Lines();
    for (std::size_t i = section.m_vecBlocks.size(); i > 0; --i) {
        const st_Block& block = m_vecBlocks[section.m_vecBlocks[i - 1]];
        for (std::size_t end = block.m_nEnd; end > block.m_nBody;) {
            const std::size_t start = std::max(LineAbove(end), block.m_nBody);
            const std::string_view line = lines.substr(start, end - start);
            const st_IniLine meaning = MayName(line, key) ? Classify(line) : st_IniLine();
            if (IsKeyLine(meaning) && StoresInKey(meaning, false) &&
                EqualsNoCase(meaning.m_strText, key))
                return meaning.m_strValue;
            end = start;
        }
    }
    return {};
}

namespace {

// A key of the merged view whose name more than one line may have.
struct st_Repeated {
    std::size_t m_nFirst;
    std::size_t m_nLast;
    std::string m_strComment;
};

// The starts of the section's key lines, and the hashes of their names with their numbers.
void key_lines(const IniText& text, const st_SectionBlocks& section, Starts& starts,
               Hashes& hashes) {
    std::size_t lines = 0; // room for all: growing would zero and copy pages again
    for (std::size_t index : section.m_vecBlocks) {
        const st_Block& block = text.Block(index);
        const std::string_view body =
            text.Lines().substr(block.m_nBody, block.m_nEnd - block.m_nBody);
        lines += static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n')) + 1;
    }
    starts.reserve(lines);
    hashes.reserve(lines);
    text.ForEachKeyLine(section, [&](const st_IniLine& line, std::size_t start) {
        hashes.push_back(std::uint64_t{HashNoCase(line.m_strText)} << 32 | starts.size());
        starts.push_back(start);
    });
}

// The keys of the lines whose hash is shared, each once, found by name in index.
std::vector<st_Repeated> repeated_keys(const IniText& text, const Starts& starts,
                                       const std::vector<bool>& shared, bool withComments,
                                       NameMap& index) {
    std::vector<st_Repeated> repeated;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        if (!shared[i])
            continue;
        const st_IniLine line = text.ClassifyAt(starts[i]);
        const auto at = index.find(line.m_strText);
        if (!StoresInKey(line, at == index.end()))
            continue;
        if (at == index.end()) {
            index.emplace(line.m_strText, repeated.size());
            repeated.push_back(st_Repeated{starts[i], starts[i], ""});
        }
        st_Repeated& entry = at == index.end() ? repeated.back() : repeated[at->second];
        entry.m_nLast = starts[i];
        if (withComments)
            entry.m_strComment += text.CommentAbove(starts[i]);
    }
    return repeated;
}

} // namespace

// The merged view without a table of every name: the hashes of the names of the key lines,
// sorted, tell which names may repeat. Only those go into a table; every other line is its key's
// only one. Sorting walks memory in order, where a table of a million names misses the cache.
void IniText::ForEachKey(const st_SectionBlocks& section, bool withComments,
                         const KeyVisit& visit) const {
    Starts starts;
    Hashes hashes;
    key_lines(*this, section, starts, hashes);
    const std::vector<bool> shared = shared_hashes(std::move(hashes));
    NameMap index;
    const std::vector<st_Repeated> repeated =
        repeated_keys(*this, starts, shared, withComments, index);
    const std::string none;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const st_IniLine line = ClassifyAt(starts[i]);
        if (!shared[i]) {
            visit(line.m_strText, line.m_strValue, withComments ? CommentAbove(starts[i]) : none);
            continue;
        }
        const st_Repeated& entry = repeated[index.find(line.m_strText)->second];
        if (entry.m_nFirst == starts[i])
            visit(line.m_strText, ClassifyAt(entry.m_nLast).m_strValue, entry.m_strComment);
    }
}

// New lines go before the empty and comment lines at the end of a block: those lead to what
// follows, as a header's comment does.
std::size_t IniText::InsertPoint(const st_Block& block) const {
    std::size_t tail = block.m_nEnd;
    while (tail > block.m_nBody) {
        const std::size_t above = LineAbove(tail);
        if (IsKeyLine(ClassifyAt(above)))
            break;
        tail = above;
    }
    std::size_t point = tail;
    for (std::size_t next = tail; point < block.m_nEnd; point = next) {
        if (ClassifyAt(point, &next).m_eKind == e_LineComment)
            break;
    }
    while (point > tail) {
        const std::size_t above = LineAbove(point);
        if (ClassifyAt(above).m_eKind != e_LineEmpty)
            break;
        point = above;
    }
    return std::min(point, Lines().size());
}

// A last line that ends in a carriage return alone has the line end it lacks a line feed of.
std::string IniText::LineEndAt(std::size_t position) const {
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

bool IniText::EmptyAbove(std::size_t position, std::size_t droppedFrom) const {
    for (std::size_t at = position; at > 0;) {
        at = LineAbove(at);
        const e_LineKind kind = ClassifyAt(at).m_eKind;
        if (kind != e_LineComment || at < droppedFrom)
            return kind == e_LineEmpty;
    }
    return false;
}
