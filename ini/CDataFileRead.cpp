// Reading INI text into the document: one pass makes the sections and blocks; a section's key
// lines are read into records when first needed, or read past to find one value.
#include "ini/CDataFile.h"

#include "host/FileIO.h"

#include <algorithm>
#include <utility>

void Trim(std::string& text) {
    text = std::string(TrimWhiteAndSeparators(text));
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool starts_with_mark(std::string_view text) {
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
}

// The lines of one section's keys. Comment lines wait for the next key stored or section
// created, which takes them as its comment; other lines that store nothing are passed over.
class KeyLines {
public:
    void Take(st_section* section, const st_IniLine& line) {
        if (line.m_eKind == e_LineKey || line.m_eKind == e_LineEmptyValue)
            Store(*section, line);
        else if (line.m_eKind == e_LineComment)
            m_strPending.append("\n").append(line.m_strText);
    }

    std::string Taken() { return std::exchange(m_strPending, std::string()); }

    std::string m_strPending;

private:
    // Repeated keys merge into the first, the last value winning, the comment lines above each
    // in file order; a repeated key without a value stores nothing.
    void Store(st_section& section, const st_IniLine& line) {
        const std::uint32_t hash = HashNoCase(line.m_strText);
        const t_Key existing = section.FindKey(line.m_strText, hash);
        if (!StoresInKey(line, existing != nullptr))
            return;
        const char* start = line.m_strLine.data();
        if (existing) {
            existing->m_strComment += Taken();
            existing->m_strValue.assign(line.m_strValue);
            existing->m_pLastLine = start;
            return;
        }
        section.AppendKey(st_key{std::string(line.m_strText), std::string(line.m_strValue), Taken(),
                                 start, start, false},
                          hash);
    }
};

// Reads a section's key lines into it; returns the comment lines after the last that stores.
std::string read_key_lines(st_section& section, std::string_view lines) {
    KeyLines keys;
    ReadLines(lines, false, [&](const st_IniLine& line) {
        keys.Take(&section, line);
        return e_ReadNext;
    });
    return keys.Taken();
}

// The comment lines after the last key line, which the next item takes, found from the end; a key
// line without a value after it may store or not, and those lines are read forward.
std::string lines_left(std::string_view lines) {
    std::size_t from = 0;
    ReadLinesBackward(lines, [&](const st_IniLine& line) {
        if (StoresInKey(line, true))
            from = static_cast<std::size_t>(line.m_strLine.data() - lines.data()) +
                   line.m_strLine.size();
        return !StoresInKey(line, false);
    });
    const std::string_view after = lines.substr(from);
    if (TrimWhite(after).empty())
        return std::string();
    st_section scratch;
    return read_key_lines(scratch, after);
}

// "[]" keeps the key lines before the first header of a text merged after others unnamed.
std::string merge_separator(std::string_view text) {
    bool key = false;
    ReadLines(text.substr(0, NextHeaderLine(text, 0)), true, [&](const st_IniLine& line) {
        key = key || StoresInKey(line, false);
        return e_ReadNext;
    });
    return key ? "[]\n" : "";
}

} // namespace

// Turns INI text into sections and blocks. A new section keeps its key lines unread; those
// before the first header, under a repeated header or in a text with NUL bytes are read at once.
class IniReader {
public:
    IniReader(CDataFile& document, std::string_view text, bool mayDefer)
        : m_document(document), m_text(text), m_bMayDefer(mayDefer) {}

    void Read(bool hasNul) {
        const t_Section unnamed = m_document.m_sectionIndex.Find("", m_document.m_vecSections);
        m_document.m_vecBlocks.assign(1, st_Block{unnamed, false, false});
        ReadLines(m_text, hasNul, [this](const st_IniLine& line) { return HandleLine(line); });
        CloseSection(m_text.size());
    }

private:
    e_ReadOn HandleLine(const st_IniLine& line) {
        if (line.m_eKind == e_LineHeader)
            return HandleHeader(line);
        if (line.m_eKind == e_LineKey || line.m_eKind == e_LineEmptyValue) {
            m_document.m_bDirty = m_document.m_bDirty || line.m_eKind == e_LineKey;
            Current();
        }
        m_keys.Take(m_current.get(), line);
        return e_ReadNext;
    }

    // A repeated header only selects its section: the comment above it waits for the next item.
    e_ReadOn HandleHeader(const st_IniLine& line) {
        const auto start = static_cast<std::size_t>(line.m_strLine.data() - m_text.data());
        CloseSection(start);
        m_nKeysStart = std::min(start + line.m_strLine.size() + 1, m_text.size());
        const std::string name = HeaderName(line.m_strText);
        const std::uint32_t hash = HashNoCase(name);
        m_current = m_document.m_sectionIndex.Find(name, m_document.m_vecSections, hash);
        const bool creates = !m_current;
        m_bDefer = m_bMayDefer && creates;
        if (creates) {
            m_current = m_document.AppendSection(name, m_keys.Taken(), hash);
            m_document.m_bDirty = true;
        } else {
            m_current->ReadUnreadLines();
            CDataFile::ReportSectionExists(name);
        }
        m_current->m_nLastBlock = m_document.m_vecBlocks.size();
        m_document.m_vecBlocks.push_back(st_Block{m_current, creates, false});
        return m_bDefer ? e_ReadToHeader : e_ReadNext;
    }

    void CloseSection(std::size_t end) {
        if (!m_bDefer)
            return;
        m_current->m_unreadLines = m_text.substr(m_nKeysStart, end - m_nKeysStart);
        m_keys.m_strPending = lines_left(m_current->m_unreadLines);
    }

    // Keys before the first header go to the section without a name, made if there is none.
    void Current() {
        if (m_current)
            return;
        m_current = m_document.m_vecBlocks.front().m_section;
        if (m_current)
            return;
        m_current = m_document.AppendSection("", "", HashNoCase(""));
        m_document.m_vecBlocks.front().m_section = m_current;
    }

    CDataFile& m_document;
    std::string_view m_text;
    const bool m_bMayDefer;
    bool m_bDefer = false; // the keys of the current section are passed over unread
    std::size_t m_nKeysStart = 0;
    t_Section m_current;
    KeyLines m_keys;
};

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
// repeated sections and keys are those of the merge. A NUL byte ends its line: no deferring.
void CDataFile::Adopt(FileText&& text) {
    const bool marked = starts_with_mark(text.View());
    const std::string earlier = ToText();
    if (!earlier.empty()) {
        const std::string_view added = text.View().substr(marked ? kByteOrderMark.size() : 0);
        text = FileText(earlier + merge_separator(added) + std::string(added));
    }
    const bool unnamed = IsSectionExist("");
    m_vecSections.clear();
    m_sectionIndex = NameIndex<st_section>();
    if (unnamed)
        AppendSection("", "", HashNoCase(""));
    m_text = std::move(text);
    m_bByteOrderMark = m_bByteOrderMark || marked;
    const std::string_view lines = Lines();
    const bool hasNul = lines.find('\0') != std::string_view::npos;
    m_bBinary = m_bBinary || hasNul;
    IniReader(*this, lines, !hasNul).Read(hasNul);
}

std::string_view CDataFile::Lines() const {
    const std::string_view text = m_text.View();
    return text.substr(starts_with_mark(text) ? kByteOrderMark.size() : 0);
}

void CDataFile::ReserveText(std::string& out) const {
    const std::size_t size = m_text.View().size();
    out.reserve(size + size / 8);
}

void st_section::ReadUnreadLines() {
    read_key_lines(*this, std::exchange(m_unreadLines, std::string_view()));
}

const KeyList& CDataFile::KeysOf(const st_section& section, st_section& scratch) {
    if (section.m_unreadLines.empty())
        return section.Keys();
    scratch = st_section();
    read_key_lines(scratch, section.m_unreadLines);
    return scratch.Keys();
}

// A first line that starts with the mark's bytes would lose them on reading without one before.
std::string CDataFile::TextStart(std::string_view lines) const {
    if (m_bByteOrderMark)
        return std::string(kByteOrderMark);
    return starts_with_mark(lines) ? "\n" : "";
}

// The last key line of the name gives the value: unread lines are read from their end.
std::string CDataFile::GetValue(const std::string& key, const std::string& section) const {
    const t_Section found = m_sectionIndex.Find(section, m_vecSections);
    if (found && !found->m_unreadLines.empty()) {
        std::string value;
        ReadLinesBackward(found->m_unreadLines, [&](const st_IniLine& line) {
            const bool last = StoresInKey(line, true) && EqualsNoCase(line.m_strText, key);
            if (last)
                value.assign(line.m_strValue);
            return !last;
        });
        return value;
    }
    const t_Key record = found ? found->FindKey(key) : t_Key();
    return record ? record->m_strValue : std::string();
}
