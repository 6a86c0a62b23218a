// Reading into the document: a file or a text becomes the document's text, merged after what it
// holds; lookups ask the current text.
#include "ini/CDataFile.h"

#include "host/FileText.h"

#include <algorithm>
#include <utility>

void Trim(std::string& text) {
    text = std::string(TrimWhiteAndSeparators(text));
}

namespace {

// "[]" keeps the key lines before the first header of a text merged after others unnamed.
std::string merge_separator(std::string_view text) {
    for (std::size_t start = 0; start < NextHeaderLine(text, 0);) {
        const std::size_t end = LineEnd(text, start);
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
    Merge(std::move(text));
    SetFileName(fileName);
    return true;
}

// A document that holds something reads its own text with the new one after it: the rules of
// repeated sections and keys are those of the merge. A byte order mark of either text starts it.
void CDataFile::Merge(FileText&& text) {
    RecordsToEdits();
    std::string earlier = ToText();
    if (!earlier.empty()) {
        const bool marked = StartsWithByteOrderMark(text.View());
        const std::string_view added = text.View().substr(marked ? kByteOrderMark.size() : 0);
        if (earlier.back() != '\n')
            earlier += '\n';
        const std::string start(marked && !StartsWithByteOrderMark(earlier) ? kByteOrderMark : "");
        text = FileText(start + earlier + merge_separator(added) + std::string(added));
    }
    m_text = IniText(std::move(text), m_bUnnamed, m_text.Version() + 1);
    m_edits.Clear();
    m_vecRecords.clear();
    m_bDirty = m_bDirty || m_text.HoldsItems();
}

// The edits are made into a new text, read anew; so is the text when the unnamed section came or
// went, as it may be listed with or without lines.
const IniText& CDataFile::Current() const {
    if (!m_edits.Empty() || m_text.HasUnnamed() != m_bUnnamed) {
        m_text = IniText(FileText(ToText()), m_bUnnamed, m_text.Version() + 1);
        m_edits.Clear();
    }
    return m_text;
}

std::string CDataFile::GetValue(const std::string& key, const std::string& section) const {
    const st_SectionBlocks* found = Current().FindSection(section);
    return found ? std::string(m_text.Value(*found, key)) : std::string();
}

bool CDataFile::IsKeyExist(const std::string& key, const std::string& section) const {
    const st_SectionBlocks* found = Current().FindSection(section);
    return found && m_text.KeyLines(*found, key).m_nFirst != std::string::npos;
}
