#include "ini/CDataFile.h"

#include <algorithm>
#include <cstdio>
#include <utility>

bool CDataFile::m_bReport = true;

int CompareNoCase(const std::string& a, const std::string& b) {
    return EqualsNoCase(a, b) ? 0 : 1;
}

void Report(e_DebugLevel level, const std::string& message) {
    static const char* const prefixes[] = {"<debug> ", "<info> ",  "<warn> ",
                                           "<error> ", "<fatal> ", "<critical> "};
    if (!CDataFile::m_bReport)
        return;
    const bool known = level >= e_Debug && level <= e_Critical;
    std::printf("%s", ((known ? prefixes[level] : "") + message).c_str());
}

CDataFile::CDataFile(bool autoSave)
    : m_lFlags(FLAG_CREATE_SECTIONS | FLAG_CREATE_KEYS), m_bDirty(false), m_bAutoSave(autoSave),
      m_bBinary(false), m_bUnreadable(false), m_bByteOrderMark(false) {
    AppendSection("", st_LinesAbove(), HashNoCase(""));
}

CDataFile::~CDataFile() {
    if (m_bAutoSave && m_bDirty)
        Save();
}

void CDataFile::SetFileName(const std::string& newName) {
    if (!m_strFileName.empty() && CompareNoCase(m_strFileName, newName) != 0) {
        m_bDirty = true;
        Report(e_Warn, "[CDataFile::SetFileName] The filename has changed from <" + m_strFileName +
                           "> to <" + newName + ">.");
    }
    m_strFileName = newName;
}

// A section handed out has its records: a caller may look at them or change them.
t_Section CDataFile::GetSection(const std::string& section) {
    const t_Section found = m_sectionIndex.Find(section, m_vecSections);
    if (found)
        found->ReadUnreadLines();
    return found;
}

t_Key CDataFile::GetKey(const std::string& key, const std::string& section) {
    const t_Section found = GetSection(section);
    return found ? found->FindKey(key) : t_Key();
}

t_Section CDataFile::AppendSection(const std::string& name, st_LinesAbove&& above,
                                   std::uint32_t hash) {
    auto section = std::make_shared<st_section>();
    section->m_strName = name;
    section->m_strComment = std::move(above.m_strComment);
    section->m_vecKept = std::move(above.m_vecKept);
    m_vecSections.push_back(section);
    m_sectionIndex.AddAbsent(hash, m_vecSections.size() - 1);
    return section;
}

void st_section::AppendKey(st_key&& record, std::uint32_t hash) {
    m_vecKeys.push_back(std::make_shared<st_key>(std::move(record)));
    m_keyIndex.AddAbsent(hash, m_vecKeys.size() - 1);
}

std::size_t st_section::RemoveKey(const t_Key& key) {
    const auto position = std::find(m_vecKeys.begin(), m_vecKeys.end(), key);
    const std::size_t index = static_cast<std::size_t>(position - m_vecKeys.begin());
    m_vecKeys.erase(position);
    m_keyIndex.Rebuild(m_vecKeys);
    return index;
}

void CDataFile::ReportSectionExists(const std::string& name) {
    Report(e_Info, "[CDataFile::CreateSection] Section <" + name + "> allready exists. Aborting.");
}

bool CDataFile::CreateSection(const std::string& name, const std::string& comment) {
    if (IsSectionExist(name)) {
        ReportSectionExists(name);
        return false;
    }
    if (!IsStorable(name, "", ""))
        return false;
    AppendSection(name, st_LinesAbove{comment, {}}, HashNoCase(name));
    m_bDirty = true;
    return true;
}

bool CDataFile::SetValue(const std::string& key, const std::string& value,
                         const std::string& comment, const std::string& section) {
    if (!IsStorable(section, key, value))
        return false;
    t_Section found = GetSection(section);
    if (!found) {
        if (!(m_lFlags & FLAG_CREATE_SECTIONS) || !CreateSection(section, ""))
            return false;
        found = GetSection(section);
    }
    if (t_Key existing = found->FindKey(key)) {
        existing->m_strValue = value;
        if (existing->m_strComment != comment)
            LiftKeptLines(existing->m_vecKept);
        existing->m_strComment = comment;
        m_bDirty = true;
        return true;
    }
    if (value.empty() || !(m_lFlags & FLAG_CREATE_KEYS))
        return false;
    found->AppendKey(st_key{key, value, comment, {}}, HashNoCase(key));
    m_bDirty = true;
    return true;
}

std::string CDataFile::GetString(const std::string& key, const std::string& section) const {
    return GetValue(key, section);
}

void LiftKeptLines(KeptLines& kept) {
    for (st_KeptLine& line : kept)
        line.m_nCommentAt = 0;
}

// Moves the kept lines above those of the item that takes them.
static void prepend_lines(KeptLines&& lines, KeptLines& kept) {
    LiftKeptLines(lines);
    kept.insert(kept.begin(), std::make_move_iterator(lines.begin()),
                std::make_move_iterator(lines.end()));
}

bool CDataFile::DeleteSection(const std::string& section) {
    t_Section found = GetSection(section);
    if (!found)
        return false;
    KeptLines kept = std::move(found->m_vecKept);
    for (const t_Key& key : found->Keys())
        kept.insert(kept.end(), key->m_vecKept.begin(), key->m_vecKept.end());
    const auto position = std::find(m_vecSections.begin(), m_vecSections.end(), found);
    const std::size_t index = static_cast<std::size_t>(position - m_vecSections.begin());
    m_vecSections.erase(position);
    m_sectionIndex.Rebuild(m_vecSections);
    PassOnKeptLines(std::move(kept), index);
    return true;
}

bool CDataFile::DeleteKey(const std::string& key, const std::string& section) {
    t_Section owner = GetSection(section);
    t_Key found = owner ? owner->FindKey(key) : t_Key();
    if (!found)
        return false;
    const std::size_t index = owner->RemoveKey(found);
    const KeyList& keys = owner->Keys();
    if (index < keys.size()) {
        prepend_lines(std::move(found->m_vecKept), keys[index]->m_vecKept);
        return true;
    }
    const auto next = std::find(m_vecSections.begin(), m_vecSections.end(), owner) + 1;
    PassOnKeptLines(std::move(found->m_vecKept),
                    static_cast<std::size_t>(next - m_vecSections.begin()));
    return true;
}

// The first item at or after the section at the position is the section itself: a removed
// item's lines go above its header, else to the end of the text.
void CDataFile::PassOnKeptLines(KeptLines&& kept, std::size_t section) {
    prepend_lines(std::move(kept), section < m_vecSections.size()
                                       ? m_vecSections[section]->m_vecKept
                                       : m_trailingLines.m_vecKept);
}

int CDataFile::SectionCount() const {
    return static_cast<int>(m_vecSections.size());
}

bool CDataFile::IsKeyExist(const std::string& key, const std::string& section) {
    return GetKey(key, section) != nullptr;
}

bool CDataFile::IsSectionExist(const std::string& section) const {
    return m_sectionIndex.Find(section, m_vecSections) != nullptr;
}

static bool has_line_break(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

bool CDataFile::IsStorable(const std::string& section, const std::string& key,
                           const std::string& value) {
    return !has_line_break(section) && !has_line_break(key) && !has_line_break(value) &&
           KeyReadsBack(key) && ValueReadsBack(value);
}
