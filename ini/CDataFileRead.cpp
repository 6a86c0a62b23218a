// Reading INI text into the document: one pass finds the headers and so the blocks and sections;
// lookups walk the lines of one section, and what an item owns is found from its line.
#include "ini/CDataFile.h"

#include "host/FileText.h"
#include "host/Pages.h"

#include <algorithm>
#include <cstring>
#include <utility>

void Trim(std::string& text) {
    text = std::string(TrimWhiteAndSeparators(text));
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;

using Hashes = std::vector<std::uint64_t, PageAllocator<std::uint64_t>>;

// Which entries share their hash, the upper half of each, with another; the lower half is the
// entry's number. The hashes are sorted by a radix sort, a byte at a time.
std::vector<bool> shared_hashes(Hashes hashes) {
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
    std::vector<bool> shared(hashes.size());
    for (std::size_t i = 1; i < hashes.size(); ++i) {
        if (hashes[i] >> 32 == hashes[i - 1] >> 32)
            shared[hashes[i] & 0xFFFFFFFFu] = shared[hashes[i - 1] & 0xFFFFFFFFu] = true;
    }
    return shared;
}

bool starts_with_mark(std::string_view text) {
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
}

// "[]" keeps the key lines before the first header of a text merged after others unnamed.
std::string merge_separator(std::string_view text) {
    for (std::size_t start = 0; start < NextHeaderLine(text, 0);) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (IsKeyLine(ClassifyLine(text.substr(start, end - start))))
            return "[]\n";
        start = end + 1;
    }
    return "";
}

} // namespace

// A file that could not be read whole is never adopted: a save must not replace what was not read.
bool CDataFile::Load(const std::string& fileName, bool adoptName) {
    FileText text;
    const e_ReadOutcome outcome = read_regular_file(fileName, text);
    m_bUnreadable = outcome == e_ReadFailed;
    if (outcome != e_ReadDone) {
        if (adoptName && !m_bUnreadable)
            SetFileName(fileName);
        else
            Report(e_Info, "[CDataFile::Load] Unable to open file. Does it exist?");
        return false;
    }
    Adopt(std::move(text));
    SetFileName(fileName);
    return true;
}

// A document that holds something reads its own text with the new one after it: the rules of
// repeated sections and keys are those of the merge.
void CDataFile::Adopt(FileText&& text) {
    SyncRecords();
    const bool marked = starts_with_mark(text.View());
    std::string earlier = ToText();
    if (!earlier.empty()) {
        const std::string_view added = text.View().substr(marked ? kByteOrderMark.size() : 0);
        if (earlier.back() != '\n')
            earlier += '\n';
        text = FileText(earlier + merge_separator(added) + std::string(added));
    }
    m_text = std::move(text);
    m_vecEdits.clear();
    m_bByteOrderMark = m_bByteOrderMark || marked;
    m_bBinary = m_bBinary || Lines().find('\0') != std::string_view::npos;
    Scan();
    m_bDirty = m_bDirty || m_vecBlocks.size() > 1 || HasKeyLine(0, m_vecBlocks.front().m_nEnd);
}

std::string_view CDataFile::Lines() const {
    const std::string_view text = m_text.View();
    return text.substr(starts_with_mark(text) ? kByteOrderMark.size() : 0);
}

// A NUL byte ends the meaning of its line: what follows it is kept, never read.
st_IniLine CDataFile::Meaning(std::string_view line) const {
    st_IniLine meaning = ClassifyLine(m_bBinary ? line.substr(0, line.find('\0')) : line);
    meaning.m_strLine = line;
    return meaning;
}

st_IniLine CDataFile::LineAt(std::size_t start, std::size_t* next) const {
    const std::string_view lines = Lines();
    const std::size_t end = std::min(lines.find('\n', start), lines.size());
    if (next)
        *next = end + 1;
    return Meaning(lines.substr(start, end - start));
}

// The character before the position ends the line above: a line feed, or the text's last byte.
// Reading back from the end (a get) finds line feeds with memrchr where the C library has it.
std::size_t CDataFile::LineAbove(std::size_t position) const {
    if (position < 2)
        return 0;
#if VORNEL_HAVE_MEMRCHR
    const void* feed = ::memrchr(Lines().data(), '\n', position - 1);
    return feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - Lines().data()) + 1 : 0;
#else
    return Lines().rfind('\n', position - 2) + 1;
#endif
}

// Headers are found at the speed of memchr; a text with NUL bytes is read line by line.
void CDataFile::Scan() const {
    SectionList earlier;
    earlier.swap(m_vecSections);
    NameMap earlierIndex;
    earlierIndex.swap(m_sectionIndex);
    m_vecBlocks.clear();
    m_bChanged = false;
    const std::string_view lines = Lines();
    const auto next_header = [&](std::size_t from) {
        if (!m_bBinary)
            return NextHeaderLine(lines, from);
        for (std::size_t next = from; from < lines.size(); from = next) {
            if (LineAt(from, &next).m_eKind == e_LineHeader)
                return from;
        }
        return lines.size();
    };
    const auto reuse = [&](const std::string& name) {
        const auto at = earlierIndex.find(name);
        if (at != earlierIndex.end() && earlier[at->second]->m_strName == name)
            return earlier[at->second];
        const t_Section made = std::make_shared<st_section>();
        made->m_strName = name;
        return made;
    };
    m_vecBlocks.push_back(st_Block{0, 0, next_header(0), false});
    if (m_bUnnamed || HasKeyLine(0, m_vecBlocks.front().m_nEnd))
        AddSection(reuse(""), 0);
    for (std::size_t header = m_vecBlocks.front().m_nEnd; header < lines.size();) {
        std::size_t body = 0;
        const std::string name = HeaderName(LineAt(header, &body).m_strText);
        body = std::min(body, lines.size());
        const std::size_t end = next_header(body);
        m_vecBlocks.push_back(st_Block{header, body, end, false});
        const std::size_t at = SectionAt(name);
        if (at == npos)
            AddSection(reuse(name), m_vecBlocks.size() - 1);
        else
            m_vecSections[at]->m_vecBlocks.push_back(m_vecBlocks.size() - 1);
        header = end;
    }
    for (const t_Section& section : m_vecSections) {
        if (section->m_bHandedOut)
            MakeRecords(*section);
    }
}

bool CDataFile::HasKeyLine(std::size_t from, std::size_t to) const {
    for (std::size_t next = from; from < to; from = next) {
        if (IsKeyLine(LineAt(from, &next)))
            return true;
    }
    return false;
}

// The first block of a section holds its header; the comment lines above that are its comment.
void CDataFile::AddSection(const t_Section& section, std::size_t block) const {
    section->m_vecBlocks.clear();
    m_sectionIndex.emplace(section->m_strName, m_vecSections.size());
    m_vecSections.push_back(section);
    m_vecBlocks[block].m_bCreates = block != 0;
    section->m_strComment = block != 0 ? CommentAbove(m_vecBlocks[block].m_nHeader) : "";
    section->m_strCommentRead = section->m_strComment;
    section->m_vecBlocks.push_back(block);
}

bool CDataFile::IsRepeatedHeader(std::size_t start) const {
    const auto found = std::lower_bound(
        m_vecBlocks.begin() + 1, m_vecBlocks.end(), start,
        [](const st_Block& block, std::size_t at) { return block.m_nHeader < at; });
    return found != m_vecBlocks.end() && found->m_nHeader == start && !found->m_bCreates;
}

std::size_t CDataFile::RunStart(std::size_t line) const {
    while (line > 0) {
        const std::size_t above = LineAbove(line);
        const st_IniLine meaning = LineAt(above);
        if (IsKeyLine(meaning) || (meaning.m_eKind == e_LineHeader && !IsRepeatedHeader(above)))
            break;
        line = above;
    }
    return line;
}

std::string CDataFile::CommentAbove(std::size_t line) const {
    std::string comment;
    for (std::size_t at = RunStart(line), next = at; at < line; at = next) {
        const st_IniLine meaning = LineAt(at, &next);
        if (meaning.m_eKind == e_LineComment)
            comment.append("\n").append(meaning.m_strText);
    }
    return comment;
}

std::size_t CDataFile::SectionAt(std::string_view name) const {
    const auto at = m_sectionIndex.find(name);
    return at == m_sectionIndex.end() ? npos : at->second;
}

const st_section* CDataFile::FindSection(std::string_view name) const {
    const std::size_t at = SectionAt(name);
    return at == npos ? nullptr : m_vecSections[at].get();
}

void CDataFile::IndexSections() const {
    m_sectionIndex.clear();
    for (std::size_t i = 0; i < m_vecSections.size(); ++i)
        m_sectionIndex.emplace(m_vecSections[i]->m_strName, i);
}

// The first line that names a key stores in it; a later one only with a value.
CDataFile::st_KeyLines CDataFile::FindKeyLines(const st_section& section,
                                               std::string_view key) const {
    st_KeyLines found;
    ForEachLineOf(section, key, [&](const st_IniLine& line, std::size_t start) {
        if (found.m_nFirst == npos)
            found.m_nFirst = start;
        else if (line.m_eKind != e_LineKey)
            return;
        found.m_nLast = start;
        found.m_strValue = line.m_strValue;
    });
    return found;
}

std::string CDataFile::KeyComment(const st_section& section, std::string_view key) const {
    std::string comment;
    bool held = false;
    ForEachLineOf(section, key, [&](const st_IniLine& line, std::size_t start) {
        if (!held || line.m_eKind == e_LineKey)
            comment += CommentAbove(start);
        held = true;
    });
    return comment;
}

// The merged view without a table of every name: the hashes of the names of the key lines,
// sorted, tell which names may repeat. Only those go into a table; every other line is its key's
// only one. Sorting walks memory in order, where a table of a million names misses the cache.
void CDataFile::ForEachKey(const st_section& section, bool withComments,
                           const KeyVisit& visit) const {
    std::vector<std::size_t, PageAllocator<std::size_t>> starts; // of the key lines, in order
    Hashes hashes;                                               // hash << 32 | line number
    std::size_t lines = 0; // room for all: growing would zero and copy pages again
    for (std::size_t block : section.m_vecBlocks) {
        const std::string_view text = Lines().substr(
            m_vecBlocks[block].m_nBody, m_vecBlocks[block].m_nEnd - m_vecBlocks[block].m_nBody);
        lines += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    }
    starts.reserve(lines);
    hashes.reserve(lines);
    ForEachKeyLine(section, [&](const st_IniLine& line, std::size_t start) {
        hashes.push_back(std::uint64_t{HashNoCase(line.m_strText)} << 32 | starts.size());
        starts.push_back(start);
    });
    const std::vector<bool> shared = shared_hashes(std::move(hashes));
    struct Entry {
        std::size_t m_nFirst;
        std::size_t m_nLast;
        std::string m_strComment;
    };
    std::vector<Entry> entries;
    NameMap index;
    const auto find = [&](const st_IniLine& line) {
        const auto at = index.find(line.m_strText);
        return at == index.end() ? npos : at->second;
    };
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const st_IniLine line = shared[i] ? LineAt(starts[i]) : st_IniLine();
        const std::size_t at = shared[i] ? find(line) : npos;
        if (shared[i] && at == npos) {
            index.emplace(line.m_strText, entries.size());
            entries.push_back(Entry{starts[i], starts[i], ""});
        } else if (line.m_eKind != e_LineKey) {
            continue;
        }
        Entry& entry = at == npos ? entries.back() : entries[at];
        entry.m_nLast = starts[i];
        if (withComments)
            entry.m_strComment += CommentAbove(starts[i]);
    }
    const std::string none;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const st_IniLine line = LineAt(starts[i]);
        if (!shared[i]) {
            visit(line.m_strText, line.m_strValue, withComments ? CommentAbove(starts[i]) : none);
            continue;
        }
        const Entry& entry = entries[find(line)];
        if (entry.m_nFirst == starts[i])
            visit(line.m_strText, LineAt(entry.m_nLast).m_strValue, entry.m_strComment);
    }
}

// Records remember what the text gave them, so that a change made in them is found.
void CDataFile::MakeRecords(st_section& section) const {
    section.m_vecKeys.clear();
    ForEachKey(section, true,
               [&](std::string_view name, std::string_view value, const std::string& comment) {
                   section.m_vecKeys.push_back(std::make_shared<st_key>(
                       st_key{std::string(name), std::string(value), comment}));
               });
    section.m_vecRead.clear();
    for (const t_Key& key : section.m_vecKeys)
        section.m_vecRead.push_back(*key);
    section.m_bHandedOut = true;
    m_bRecordsOut = true;
}

void CDataFile::Refresh() const {
    if (!m_bChanged)
        return;
    if (!m_vecEdits.empty()) {
        m_text = FileText(ToText());
        m_vecEdits.clear();
    }
    Scan();
}

// The last line with a value gives it: lines are read from the end until one names the key. A
// key whose lines have no value has the empty one.
std::string CDataFile::GetValue(const std::string& key, const std::string& section) const {
    Refresh();
    const st_section* found = FindSection(section);
    const std::string_view lines = Lines();
    for (std::size_t i = found ? found->m_vecBlocks.size() : 0; i > 0; --i) {
        const st_Block& block = m_vecBlocks[found->m_vecBlocks[i - 1]];
        for (std::size_t end = block.m_nEnd; end > block.m_nBody;) {
            const std::size_t start = std::max(LineAbove(end), block.m_nBody);
            const std::string_view line = lines.substr(start, end - start);
            const st_IniLine meaning = MayName(line, key) ? Meaning(line) : st_IniLine();
            if (meaning.m_eKind == e_LineKey && EqualsNoCase(meaning.m_strText, key))
                return std::string(meaning.m_strValue);
            end = start;
        }
    }
    return std::string();
}

bool CDataFile::IsKeyExist(const std::string& key, const std::string& section) const {
    Refresh();
    const st_section* found = FindSection(section);
    return found && FindKeyLines(*found, key).m_nFirst != npos;
}

// A first line that starts with the mark's bytes would lose them on reading without one before.
std::string CDataFile::TextStart(std::string_view written) const {
    if (m_bByteOrderMark)
        return std::string(kByteOrderMark);
    return starts_with_mark(written) ? "\n" : "";
}
