// Reading INI text into the document. One pass over the text makes the sections; the lines of
// a section's keys are read into records when first needed, or read past to find one value.
#include "ini/CDataFile.h"

#include "host/FileIO.h"

#include <utility>

void Trim(std::string& text) {
    text = std::string(TrimWhiteAndSeparators(text));
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool starts_with_mark(std::string_view text) {
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
}

// Adds lines read above an item to what it holds: the comment lines after its comment, the kept
// lines below all of it.
void append_above(std::string& comment, KeptLines& kept, st_LinesAbove&& above) {
    for (st_KeptLine& line : above.m_vecKept) {
        line.m_nCommentAt += comment.size();
        kept.push_back(std::move(line));
    }
    comment += above.m_strComment;
}

// The lines of one section's keys. Lines that store nothing wait for the next key stored or
// section created, which holds them: comment lines as its comment, the others as kept lines.
class KeyLines {
public:
    // Takes one line that is no header; a key line into the section.
    void Take(st_section* section, const st_IniLine& line) {
        if (line.m_eKind == e_LineKey || line.m_eKind == e_LineEmptyValue)
            Store(*section, line);
        else if (line.m_eKind != e_LineEmpty)
            Keep(line);
    }

    // Hands over the lines waiting for an item.
    st_LinesAbove Taken() { return std::exchange(m_pending, st_LinesAbove()); }

    st_LinesAbove m_pending;

private:
    // The comment holds only lines that start with an indicator, as a caller's comment does.
    void Keep(const st_IniLine& line) {
        std::string& comment = m_pending.m_strComment;
        if (IsCommentLine(line.m_strLine)) {
            comment.append("\n").append(line.m_strLine);
            return;
        }
        const std::string key(line.m_eKind == e_LineEmptyValue ? line.m_strText : "");
        m_pending.m_vecKept.push_back(
            {line.m_eKind, std::string(line.m_strLine), key, comment.size()});
    }

    // Repeated keys merge into the first, the last value winning; what stood above each of them
    // is kept above it, in file order. A repeated key without a value stores nothing.
    void Store(st_section& section, const st_IniLine& line) {
        std::string key(line.m_strText);
        const std::uint32_t hash = HashNoCase(key);
        const t_Key existing = section.FindKey(key, hash);
        if (!StoresInKey(line, existing != nullptr))
            return Keep(line);
        if (existing) {
            append_above(existing->m_strComment, existing->m_vecKept, Taken());
            existing->m_strValue.assign(line.m_strValue);
            return;
        }
        st_LinesAbove above = Taken();
        section.AppendKey(st_key{std::move(key), std::string(line.m_strValue),
                                 std::move(above.m_strComment), std::move(above.m_vecKept)},
                          hash);
    }
};

// Reads the lines of a section's keys into it; returns the lines after the last one that
// stores, which belong to the next item.
st_LinesAbove read_key_lines(st_section& section, std::string_view lines) {
    KeyLines keys;
    ReadLines(lines, false, [&](const st_IniLine& line) {
        keys.Take(&section, line);
        return e_ReadNext;
    });
    return keys.Taken();
}

// What a section's lines leave for the next item: the lines after the last key line, found from
// the end, unless a key line without a value stands after it, which may store or not.
st_LinesAbove lines_left(std::string_view lines) {
    std::size_t from = 0;
    ReadLinesBackward(lines, [&](const st_IniLine& line) {
        if (StoresInKey(line, true))
            from = static_cast<std::size_t>(line.m_strLine.data() - lines.data()) +
                   line.m_strLine.size();
        return !StoresInKey(line, false);
    });
    const std::string_view after = lines.substr(from);
    if (TrimWhite(after).empty())
        return st_LinesAbove();
    st_section scratch;
    return read_key_lines(scratch, after);
}

} // namespace

// Turns INI text into sections. A new section keeps the lines of its keys unread; lines before
// the first header, under a repeated header or in a text with NUL bytes are read at once into
// the records. Lines after the last item are the document's trailing lines.
class IniReader {
public:
    IniReader(CDataFile& document, std::string_view text, bool mayDefer)
        : m_document(document), m_text(text), m_bMayDefer(mayDefer) {}

    void Read(bool hasNul) {
        ReadLines(m_text, hasNul, [this](const st_IniLine& line) { return HandleLine(line); });
        CloseSection(m_text.size());
        st_LinesAbove& trailing = m_document.m_trailingLines;
        append_above(trailing.m_strComment, trailing.m_vecKept, m_keys.Taken());
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

    // A repeated header only selects its section: what stood above it waits for the next item.
    e_ReadOn HandleHeader(const st_IniLine& line) {
        CloseSection(Offset(line.m_strLine.data()));
        m_nKeysStart = Offset(line.m_strLine.data() + line.m_strLine.size());
        const std::string name = HeaderName(line.m_strText);
        const std::uint32_t hash = HashNoCase(name);
        m_current = m_document.m_sectionIndex.Find(name, m_document.m_vecSections, hash);
        m_bDefer = m_bMayDefer && !m_current;
        if (m_current) {
            m_current->ReadUnreadLines();
            CDataFile::ReportSectionExists(name);
            return e_ReadNext;
        }
        m_current = m_document.AppendSection(name, m_keys.Taken(), hash);
        m_document.m_bDirty = true;
        return m_bDefer ? e_ReadToHeader : e_ReadNext;
    }

    // The lines from the section's header up to the end give its keys.
    void CloseSection(std::size_t end) {
        if (!m_bDefer)
            return;
        m_current->m_unreadLines = m_text.substr(m_nKeysStart, end - m_nKeysStart);
        m_keys.m_pending = lines_left(m_current->m_unreadLines);
    }

    std::size_t Offset(const char* at) const {
        return static_cast<std::size_t>(at - m_text.data());
    }

    // Keys before the first header go to the section without a name, made if there is none.
    void Current() {
        if (m_current)
            return;
        m_current = m_document.GetSection("");
        if (!m_current)
            m_current = m_document.AppendSection("", st_LinesAbove(), HashNoCase(""));
    }

    CDataFile& m_document;
    std::string_view m_text;
    const bool m_bMayDefer;
    bool m_bDefer = false; // the keys of the current section are passed over unread
    std::size_t m_nKeysStart = 0;
    t_Section m_current;
    KeyLines m_keys;
};

// A file that stands but could not be read whole is never adopted: a save must not replace
// what was not read.
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

// A text with NUL bytes is read line by line without deferring: a NUL byte ends its line.
void CDataFile::Adopt(FileText&& text) {
    for (const t_Section& section : m_vecSections) // unread lines point into the text held now
        section->ReadUnreadLines();
    m_text = std::move(text);
    const bool marked = starts_with_mark(m_text.View());
    m_bByteOrderMark = m_bByteOrderMark || marked;
    const std::string_view lines = m_text.View().substr(marked ? kByteOrderMark.size() : 0);
    const bool hasNul = lines.find('\0') != std::string_view::npos;
    m_bBinary = m_bBinary || hasNul;
    IniReader(*this, lines, !hasNul).Read(hasNul);
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

// A first line that starts with the mark's bytes would lose them on reading, unless the mark
// or a line break stands before it.
std::string CDataFile::TextStart(std::string_view lines) const {
    if (m_bByteOrderMark)
        return std::string(kByteOrderMark);
    return starts_with_mark(lines) ? "\n" : "";
}

// The last key line of the name gives the value: unread lines are read from their end, and the
// first one found answers.
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
