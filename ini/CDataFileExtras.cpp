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
    m_text = FileText();
    m_vecBlocks.clear();
    m_bDirty = false;
    m_strFileName.clear();
    m_bByteOrderMark = false;
    m_vecSections.clear();
    m_sectionIndex = NameIndex<st_section>();
}

bool CDataFile::CreateSection(const std::string& name, const std::string& comment,
                              const KeyList& keys) {
    if (!CreateSection(name, comment))
        return false;
    GetSection(name)->AppendCopies(keys);
    m_bDirty = true;
    return true;
}

bool CDataFile::CreateKey(const std::string& key, const std::string& value,
                          const std::string& comment, const std::string& section) {
    const std::int64_t saved = m_lFlags;
    m_lFlags |= FLAG_CREATE_KEYS;
    const bool stored = SetValue(key, value, comment, section);
    m_lFlags = saved;
    return stored;
}

int CDataFile::KeyCount() const {
    std::size_t count = 0;
    st_section scratch;
    for (const t_Section& section : m_vecSections)
        count += KeysOf(*section, scratch).size();
    return static_cast<int>(count);
}

bool CDataFile::SetKeyComment(const std::string& key, const std::string& comment,
                              const std::string& section) {
    const t_Key found = GetKey(key, section);
    if (!found)
        return false;
    found->m_strComment = comment;
    found->m_bCommentSet = true;
    m_bDirty = true;
    return true;
}

bool CDataFile::SetSectionComment(const std::string& section, const std::string& comment) {
    t_Section found = GetSection(section);
    if (!found)
        return false;
    found->m_strComment = comment;
    found->m_bCommentSet = true;
    m_bDirty = true;
    return true;
}

void CDataFile::ReadText(const std::string& text) {
    Adopt(FileText(text));
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
    std::string line;
    AppendLine(line, text);
    stream.write(line.data(), static_cast<std::streamsize>(line.size()));
    return static_cast<int>(line.size());
}

bool ct_IniFile::ExistsKey(const std::string& key, const std::string& section) {
    return m_bOk && IsKeyExist(key, section);
}

// The list may name a key twice; indexing it whole keeps the first of each name. A copy stands
// on no line of the text.
void st_section::AppendCopies(const KeyList& keys) {
    for (const t_Key& key : keys)
        m_vecKeys.push_back(
            std::make_shared<st_key>(st_key{key->m_strName, key->m_strValue, key->m_strComment}));
    m_keyIndex.Rebuild(m_vecKeys);
}
