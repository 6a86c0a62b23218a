#include "ini/CDataFile.h"

#include <algorithm>
#include <cstdio>
#include <utility>

bool CDataFile::m_bReport = true;

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
    AppendSection("", "", HashNoCase(""));
}

CDataFile::~CDataFile() {
    if (m_bAutoSave && m_bDirty)
        Save();
}

void CDataFile::SetFileName(const std::string& newName) {
    if (!m_strFileName.empty() && !EqualsNoCase(m_strFileName, newName)) {
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

t_Section CDataFile::AppendSection(const std::string& name, const std::string& comment,
                                   std::uint32_t hash) {
    auto section = std::make_shared<st_section>();
    section->m_strName = name;
    section->m_strComment = comment;
    section->m_nLastBlock = name.empty() ? 0 : kNoBlock; // the unnamed one's keys stand first
    m_vecSections.push_back(section);
    m_sectionIndex.AddAbsent(hash, m_vecSections.size() - 1);
    return section;
}

void st_section::AppendKey(st_key&& record, std::uint32_t hash) {
    m_vecKeys.push_back(std::make_shared<st_key>(std::move(record)));
    m_keyIndex.AddAbsent(hash, m_vecKeys.size() - 1);
}

void st_section::RemoveKey(const t_Key& key) {
    m_vecKeys.erase(std::find(m_vecKeys.begin(), m_vecKeys.end(), key));
    m_keyIndex.Rebuild(m_vecKeys);
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
    AppendSection(name, comment, HashNoCase(name));
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
        existing->m_bCommentSet = existing->m_bCommentSet || existing->m_strComment != comment;
        existing->m_strComment = comment;
        m_bDirty = true;
        return true;
    }
    if (value.empty() || !(m_lFlags & FLAG_CREATE_KEYS))
        return false;
    found->AppendKey(st_key{key, value, comment}, HashNoCase(key));
    m_bDirty = true;
    return true;
}

std::string CDataFile::GetString(const std::string& key, const std::string& section) const {
    return GetValue(key, section);
}

// The blocks of the section stay in the text, marked: a rewrite drops their items.
bool CDataFile::DeleteSection(const std::string& section) {
    const t_Section found = GetSection(section);
    if (!found)
        return false;
    for (st_Block& block : m_vecBlocks)
        block.m_bRemoved = block.m_bRemoved || block.m_section == found;
    m_vecSections.erase(std::find(m_vecSections.begin(), m_vecSections.end(), found));
    m_sectionIndex.Rebuild(m_vecSections);
    return true;
}

bool CDataFile::DeleteKey(const std::string& key, const std::string& section) {
    const t_Section owner = GetSection(section);
    const t_Key found = owner ? owner->FindKey(key) : t_Key();
    if (!found)
        return false;
    owner->RemoveKey(found);
    return true;
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
