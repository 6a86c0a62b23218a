// Members and helpers of the document that the tool itself never calls; they are built into
// the library vornel_extras, which the vornel binary does not link.
#include "ini/CDataFileExtras.h"
#include "ini/CDataFile.h"
#include "ini/IniFile.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <ostream>

CDataFile::CDataFile(const std::string& fileName, bool autoSave) : CDataFile(autoSave) {
    m_strFileName = fileName;
    Load(fileName, false);
}

void CDataFile::Clear() {
    m_bUnnamed = false;
    m_text = IniText(FileText(), m_bUnnamed, m_text.Version() + 1);
    m_edits.Clear();
    m_vecRecords.clear();
    m_bDirty = false;
    m_strFileName.clear();
}

// The keys merge as a file's repeated keys do; one without a value makes no line.
bool CDataFile::CreateSection(const std::string& name, const std::string& comment,
                              const KeyList& keys) {
    if (!CreateSection(name, comment))
        return false;
    for (const t_Key& key : keys)
        CreateKey(key->m_strName, key->m_strValue, key->m_strComment, name);
    m_bDirty = true;
    return true;
}

bool CDataFile::CreateKey(const std::string& key, const std::string& value,
                          const std::string& comment, const std::string& section) {
    return Store(FindSetLines(key, section), key, value, &comment, section, true);
}

int CDataFile::KeyCount() const {
    int count = 0;
    for (const st_SectionBlocks& section : Current().Sections())
        m_text.ForEachKey(section, false,
                          [&](std::string_view, std::string_view, const std::string&) { ++count; });
    return count;
}

bool CDataFile::SetKeyComment(const std::string& key, const std::string& comment,
                              const std::string& section) {
    const st_KeyLines lines = FindSetLines(key, section);
    if (lines.m_nFirst == std::string::npos)
        return false;
    ReplaceComment(lines.m_nLast, comment);
    return true;
}

// The unnamed section has no header: its comment goes first and reads back as the next item's.
bool CDataFile::SetSectionComment(const std::string& section, const std::string& comment) {
    Prepare();
    const st_SectionBlocks* found = m_text.FindSection(section);
    if (!found)
        return false;
    if (section.empty())
        InsertLines(0, LaidOutComment(0, comment, 0));
    else
        ReplaceComment(m_text.Block(found->m_vecBlocks.front()).m_nHeader, comment);
    m_bDirty = true;
    return true;
}

void CDataFile::ReadText(const std::string& text) {
    Merge(FileText(text));
}

int CompareNoCase(const std::string& a, const std::string& b) {
    return EqualsNoCase(a, b) ? 0 : 1;
}

std::string GetNextWord(std::string& line) {
    const std::size_t separator = FindSeparator(line);
    std::string word(TrimWhiteAndSeparators(std::string_view(line).substr(0, separator)));
    line = separator == std::string::npos ? std::string() : line.substr(separator + 1);
    return word;
}

int WriteLn(std::ostream& stream, const char* format, ...) {
    va_list args;
    va_list measure;
    va_start(args, format);
    va_copy(measure, args);
    std::string text(
        static_cast<std::size_t>(std::max(std::vsnprintf(nullptr, 0, format, measure), 0)), '\0');
    va_end(measure);
    std::vsnprintf(&text[0], text.size() + 1, format, args); // the NUL lands on text's own
    va_end(args);
    // a line feed unless the text already ends a line
    const bool ended = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    const std::string line = ended ? text : text + '\n';
    stream.write(line.data(), static_cast<std::streamsize>(line.size()));
    return static_cast<int>(line.size());
}

bool ct_IniFile::ExistsKey(const std::string& key, const std::string& section) const {
    return m_bOk && IsKeyExist(key, section);
}
