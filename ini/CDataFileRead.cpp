// Reading INI text into the document. The text of a file is kept and parsed on first need;
// until then a value is found by one pass over the text, so that reading one value of a
// large file does not build a record for every key in it.
#include "ini/CDataFile.h"

#include "host/FileIO.h"
#include "host/HeapTuning.h"
#include "ini/IniLine.h"

void Trim(std::string& text) {
    text = std::string(TrimView(text));
}

std::string GetNextWord(std::string& line) {
    const std::size_t separator = FindSeparator(line);
    std::string word(TrimView(std::string_view(line).substr(0, separator)));
    line = separator == std::string::npos ? std::string() : line.substr(separator + 1);
    return word;
}

// Turns INI text into sections and keys. The lines above an item that store nothing (comment
// lines, lines without a name or a separator, repeated keys without a value) belong to the next
// key stored or section created and are held as its comment, each behind a line feed; those
// after the last item are the document's trailing lines. Repeated headers and keys merge into
// their first occurrence.
class IniReader {
public:
    explicit IniReader(CDataFile& document) : m_document(document) {}

    void Read(std::string_view text, bool hasNul) {
        ForEachLine(text, hasNul, [this](std::string_view line) {
            HandleLine(ClassifyLine(line));
            return true;
        });
        m_document.m_strTrailingLines += m_strPending;
    }

private:
    void HandleLine(const st_IniLine& line) {
        switch (line.m_eKind) {
        case e_LineHeader:
            HandleHeader(HeaderName(line.m_strText));
            break;
        case e_LineKey:
            StoreKey(std::string(line.m_strText), std::string(line.m_strValue));
            break;
        case e_LineEmptyValue:
            StoreEmptyValue(std::string(line.m_strText), line.m_strLine);
            break;
        case e_LineEmpty:
            break;
        default:
            Keep(line.m_strLine);
            break;
        }
    }

    void Keep(std::string_view line) {
        m_strPending += '\n';
        m_strPending.append(line);
    }

    // A repeated header only selects its section: what stood above it waits for the next item.
    void HandleHeader(const std::string& name) {
        m_current = m_document.GetSection(name);
        if (m_current) {
            CDataFile::ReportSectionExists(name);
            return;
        }
        m_current = m_document.AppendSection(name, m_strPending);
        m_document.m_bDirty = true;
        m_strPending.clear();
    }

    void StoreKey(std::string&& key, std::string&& value) {
        const std::uint32_t hash = HashNoCase(key);
        if (t_Key existing = Current().m_keyIndex.Find(key, m_current->m_vecKeys, hash)) {
            // The last comment wins; what stood above a key without a value is its own.
            existing->m_strComment = existing->m_strValue.empty()
                                         ? existing->m_strComment + m_strPending
                                         : KeptLines(existing->m_strComment) + m_strPending;
            existing->m_strValue = std::move(value);
        } else {
            CDataFile::AppendKey(*m_current, st_key{std::move(key), std::move(value), m_strPending},
                                 hash);
        }
        m_strPending.clear();
        m_document.m_bDirty = true;
    }

    // The first line of a key without a value stands for the key; any later one stores nothing.
    void StoreEmptyValue(std::string&& key, std::string_view line) {
        const std::uint32_t hash = HashNoCase(key);
        if (Current().m_keyIndex.Find(key, m_current->m_vecKeys, hash)) {
            Keep(line);
            return;
        }
        CDataFile::AppendKey(*m_current, st_key{std::move(key), "", m_strPending}, hash);
        m_strPending.clear();
    }

    st_section& Current() {
        if (!m_current)
            m_current = CurrentUnnamedSection();
        return *m_current;
    }

    // Keys before the first header go to the section without a name, made if there is none.
    t_Section CurrentUnnamedSection() {
        if (t_Section unnamed = m_document.GetSection(""))
            return unnamed;
        m_document.m_bDirty = true;
        return m_document.AppendSection("", "");
    }

    CDataFile& m_document;
    t_Section m_current;
    std::string m_strPending;
};

namespace {

// Takes the line's value when the line stores the key.
bool take_value(const st_IniLine& line, const std::string& key, std::string& value) {
    if (line.m_eKind != e_LineKey || !EqualsNoCase(line.m_strText, key))
        return false;
    value.assign(line.m_strValue);
    return true;
}

// The last value a text with NUL bytes gives the key in the section. A NUL byte can end a
// line before its "[", so such a text is read line by line.
bool scan_line_by_line(std::string_view text, const std::string& key, const std::string& section,
                       std::string& value) {
    bool inSection = section.empty(); // lines before the first header
    bool found = false;
    ForEachLine(text, true, [&](std::string_view raw) {
        const st_IniLine line = ClassifyLine(raw);
        if (line.m_eKind == e_LineHeader)
            inSection = EqualsNoCase(HeaderName(line.m_strText), section);
        else if (inSection && take_value(line, key, value))
            found = true;
        return true;
    });
    return found;
}

// The last value the lines give the key, as reading them would store it. A key's name starts
// at the first byte trimming keeps, so a line that does not start with the key there is passed
// over unclassified.
bool scan_keys(std::string_view lines, const std::string& key, std::string& value) {
    bool found = false;
    ForEachLine(lines, false, [&](std::string_view raw) {
        const std::size_t first = FirstKept(raw);
        if (first == std::string_view::npos || !EqualsNoCase(raw.substr(first, key.size()), key))
            return true;
        if (take_value(ClassifyLine(raw), key, value))
            found = true;
        return true;
    });
    return found;
}

// The last value the text gives the key in the section, reading only the lines under the
// section's headers.
bool scan_value(std::string_view text, bool hasNul, const std::string& key,
                const std::string& section, std::string& value) {
    if (hasNul)
        return scan_line_by_line(text, key, section, value);
    bool inSection = section.empty(); // lines before the first header
    bool found = false;
    for (std::size_t start = 0;;) {
        const std::size_t header = FindHeaderLine(text, start);
        if (inSection && scan_keys(text.substr(start, header - start), key, value))
            found = true;
        if (header == std::string_view::npos)
            return found;
        const std::size_t end = text.find('\n', header);
        inSection = EqualsNoCase(HeaderName(TrimView(text.substr(header, end - header))), section);
        if (end == std::string_view::npos)
            return found;
        start = end + 1;
    }
}

} // namespace

bool CDataFile::Load(const std::string& fileName, bool adoptName) {
    FileText text;
    if (!read_regular_file(fileName, text)) {
        if (adoptName)
            SetFileName(fileName);
        else
            Report(e_Info, "[CDataFile::Load] Unable to open file. Does it exist?");
        return false;
    }
    Adopt(std::move(text));
    SetFileName(fileName);
    return true;
}

void CDataFile::ReadText(const std::string& text) {
    Adopt(FileText(text));
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool starts_with_mark(std::string_view text) {
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
}

std::string_view without_mark(std::string_view text) {
    return starts_with_mark(text) ? text.substr(kByteOrderMark.size()) : text;
}

} // namespace

void CDataFile::Adopt(FileText&& text) {
    EnsureParsed();
    m_unparsed = std::move(text);
    m_bByteOrderMark = m_bByteOrderMark || starts_with_mark(m_unparsed.View());
    const std::string_view lines = UnparsedText();
    const bool hasNul = lines.find('\0') != std::string_view::npos;
    m_bBinary = m_bBinary || hasNul;
    if (WouldChange(lines, hasNul))
        m_bDirty = true;
    m_bUnparsedNul = hasNul;
    m_bUnparsed = true;
}

std::string_view CDataFile::UnparsedText() const {
    return without_mark(m_unparsed.View());
}

// A first line that starts with the mark's bytes would lose them on reading, unless the mark
// or a line break stands before it.
std::string CDataFile::TextStart(std::string_view lines) const {
    if (m_bByteOrderMark)
        return std::string(kByteOrderMark);
    return starts_with_mark(lines) ? "\n" : "";
}

// Whether reading the text would store a key or create a section.
bool CDataFile::WouldChange(std::string_view text, bool hasNul) const {
    bool changes = false;
    ForEachLine(text, hasNul, [&](std::string_view raw) {
        const st_IniLine line = ClassifyLine(raw);
        changes = line.m_eKind == e_LineKey ||
                  (line.m_eKind == e_LineHeader &&
                   !m_sectionIndex.Find(HeaderName(line.m_strText), m_vecSections));
        return !changes;
    });
    return changes;
}

namespace {

// Records take about this many times the bytes of the text they come from.
constexpr std::size_t kRecordBytesPerTextByte = 16;
constexpr std::size_t kLargeText = 256 * 1024;

} // namespace

// The modified flag already tells what the text changes (Adopt), so parsing leaves it alone.
void CDataFile::EnsureParsed() const {
    if (!m_bUnparsed)
        return;
    if (m_unparsed.View().size() >= kLargeText)
        prepare_heap(m_unparsed.View().size() * kRecordBytesPerTextByte);
    CDataFile& self = const_cast<CDataFile&>(*this);
    const FileText text = std::move(self.m_unparsed);
    self.m_bUnparsed = false;
    const bool dirty = m_bDirty;
    IniReader(self).Read(without_mark(text.View()), m_bUnparsedNul);
    self.m_bDirty = dirty;
}

std::string CDataFile::GetValue(const std::string& key, const std::string& section) const {
    std::string value;
    if (m_bUnparsed && scan_value(UnparsedText(), m_bUnparsedNul, key, section, value))
        return value;
    // Not in unparsed text: the document as it was before that text answers.
    const t_Key found = LookUp(key, section);
    return found ? found->m_strValue : std::string();
}
