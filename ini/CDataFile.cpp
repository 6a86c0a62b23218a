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
    Scan();
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
    Prepare();
    const std::size_t at = SectionAt(section);
    if (at == std::string::npos)
        return t_Section();
    if (!m_vecSections[at]->m_bHandedOut)
        MakeRecords(*m_vecSections[at]);
    return m_vecSections[at];
}

t_Key CDataFile::GetKey(const std::string& key, const std::string& section) {
    const t_Section found = GetSection(section);
    if (!found)
        return t_Key();
    for (const t_Key& record : found->Keys()) {
        if (EqualsNoCase(record->m_strName, key))
            return record;
    }
    return t_Key();
}

// A change made in a record is made as the call that changes it would make it; a value that
// would not read back as itself (a line break would make new items) is not stored.
void CDataFile::SyncRecords() {
    if (!m_bRecordsOut)
        return;
    Refresh();
    for (const t_Section& section : m_vecSections) {
        if (section->m_strComment != section->m_strCommentRead && !section->m_strName.empty())
            ReplaceComment(m_vecBlocks[section->m_vecBlocks.front()].m_nHeader,
                           section->m_strComment);
        for (std::size_t i = 0; i < section->m_vecKeys.size(); ++i) {
            const st_key& key = *section->m_vecKeys[i];
            const st_key& read = section->m_vecRead[i];
            const bool changed =
                key.m_strValue != read.m_strValue || key.m_strComment != read.m_strComment;
            if (changed && IsStorable(section->m_strName, read.m_strName, key.m_strValue))
                StoreValue(*section, FindKeyLines(*section, read.m_strName), read.m_strName,
                           key.m_strValue, &key.m_strComment);
        }
    }
    Refresh();
}

void CDataFile::ReportSectionExists(const std::string& name) {
    Report(e_Info, "[CDataFile::CreateSection] Section <" + name + "> allready exists. Aborting.");
}

// The unnamed section has no header: it exists with or without lines before the first one.
bool CDataFile::CreateSection(const std::string& name, const std::string& comment) {
    Prepare();
    if (FindSection(name)) {
        ReportSectionExists(name);
        return false;
    }
    if (!IsStorable(name, "", ""))
        return false;
    if (name.empty())
        m_bUnnamed = true;
    else
        InsertSection(name, comment);
    m_vecSections.push_back(std::make_shared<st_section>());
    m_bChanged = true;
    m_bDirty = true;
    return true;
}

// A section that may be made is made even when the key then cannot be.
bool CDataFile::SetValue(const std::string& key, const std::string& value,
                         const std::string& comment, const std::string& section) {
    if (!key.empty() && IsStorable(section, key, value) && (m_lFlags & FLAG_CREATE_SECTIONS) &&
        !IsSectionExist(section))
        CreateSection(section, "");
    return Store(FindSetLines(key, section), key, value, &comment, section,
                 m_lFlags & FLAG_CREATE_KEYS);
}

CDataFile::st_KeyLines CDataFile::FindSetLines(const std::string& key, const std::string& section) {
    Prepare();
    const st_section* found = FindSection(section);
    return found ? FindKeyLines(*found, key) : st_KeyLines();
}

// Nothing is made unless the key can be stored: a refused set leaves no new section behind.
bool CDataFile::Store(const st_KeyLines& lines, const std::string& key, const std::string& value,
                      const std::string* comment, const std::string& section, bool createKey) {
    if (key.empty() || !IsStorable(section, key, value))
        return false;
    if (lines.m_nFirst == std::string::npos && (value.empty() || !createKey))
        return false;
    const st_section* found = FindSection(section);
    if (!found) {
        if (!(m_lFlags & FLAG_CREATE_SECTIONS) || !CreateSection(section, ""))
            return false;
        Refresh();
        found = FindSection(section);
    }
    StoreValue(*found, lines, key, value, comment);
    return true;
}

std::string CDataFile::GetString(const std::string& key, const std::string& section) const {
    return GetValue(key, section);
}

// Every line of the section's blocks that stores goes with the comment lines it owns.
bool CDataFile::DeleteSection(const std::string& section) {
    Prepare();
    const st_section* found = FindSection(section);
    if (!found)
        return false;
    for (std::size_t block : found->m_vecBlocks) {
        if (block != 0)
            DropLine(m_vecBlocks[block].m_nHeader, !m_vecBlocks[block].m_bCreates);
    }
    ForEachKeyLine(*found, [&](const st_IniLine&, std::size_t start) { DropLine(start, false); });
    if (section.empty())
        m_bUnnamed = false;
    m_vecSections.erase(m_vecSections.begin() + static_cast<std::ptrdiff_t>(SectionAt(section)));
    IndexSections();
    m_bChanged = true;
    return true;
}

// A line that names the key but stores nothing in it goes without the comment lines above it:
// those belong to no item, or to another.
bool CDataFile::DeleteKey(const std::string& key, const std::string& section) {
    Prepare();
    const st_section* found = FindSection(section);
    bool first = true;
    if (found) {
        ForEachLineOf(*found, key, [&](const st_IniLine& line, std::size_t start) {
            DropLine(start, !StoresInKey(line, first));
            first = false;
        });
    }
    return !first;
}

int CDataFile::SectionCount() const {
    Refresh();
    return static_cast<int>(m_vecSections.size());
}

bool CDataFile::IsSectionExist(const std::string& section) const {
    Refresh();
    return FindSection(section) != nullptr;
}

static bool has_line_break(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

bool CDataFile::IsStorable(const std::string& section, const std::string& key,
                           const std::string& value) {
    return !has_line_break(section) && !has_line_break(key) && !has_line_break(value) &&
           KeyReadsBack(key) && ValueReadsBack(value);
}
