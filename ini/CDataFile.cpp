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
      m_bUnreadable(false) {}

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

// A record handed out stays the one handed out: the section's record is found by its name.
t_Section CDataFile::GetSection(const std::string& section) {
    Prepare();
    const st_SectionBlocks* found = m_text.FindSection(section);
    if (!found)
        return t_Section();
    for (const t_Section& record : m_vecRecords) {
        if (EqualsNoCase(record->m_strName, section))
            return record;
    }
    m_vecRecords.push_back(std::make_shared<st_section>());
    m_vecRecords.back()->m_strName = found->m_strName;
    MakeRecords(*m_vecRecords.back());
    return m_vecRecords.back();
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

// Records remember what the text gave them, so that a change made in them is found.
void CDataFile::MakeRecords(st_section& record) const {
    const st_SectionBlocks& section = *m_text.FindSection(record.m_strName);
    record.m_strComment = record.m_strCommentRead = section.m_strComment;
    record.m_vecKeys.clear();
    m_text.ForEachKey(
        section, true,
        [&](std::string_view name, std::string_view value, const std::string& comment) {
            record.m_vecKeys.push_back(
                std::make_shared<st_key>(st_key{std::string(name), std::string(value), comment}));
        });
    record.m_vecRead.clear();
    for (const t_Key& key : record.m_vecKeys)
        record.m_vecRead.push_back(*key);
    record.m_nVersion = m_text.Version();
}

// Records of sections gone are no longer the document's; those of a text read anew are made
// anew from it.
void CDataFile::Prepare() {
    RecordsToEdits();
    Current();
    for (std::size_t i = m_vecRecords.size(); i > 0; --i) {
        st_section& record = *m_vecRecords[i - 1];
        if (!m_text.FindSection(record.m_strName))
            m_vecRecords.erase(m_vecRecords.begin() + static_cast<std::ptrdiff_t>(i - 1));
        else if (record.m_nVersion != m_text.Version())
            MakeRecords(record);
    }
}

// A change made in a record is made as the call that changes it would make it: a value changed
// is stored, a comment changed replaces the old one. A value that would not read back as itself
// (a line break would make new items) is not stored. The records then read as the text does.
void CDataFile::RecordsToEdits() {
    if (m_vecRecords.empty())
        return;
    Current();
    for (const t_Section& record : m_vecRecords) {
        const st_SectionBlocks* section = m_text.FindSection(record->m_strName);
        if (!section)
            continue;
        if (record->m_strComment != record->m_strCommentRead && !section->m_strName.empty())
            ReplaceComment(m_text.Block(section->m_vecBlocks.front()).m_nHeader,
                           record->m_strComment);
        record->m_strCommentRead = record->m_strComment;
        for (std::size_t i = 0; i < record->m_vecKeys.size(); ++i)
            KeyRecordToEdits(*section, *record->m_vecKeys[i], record->m_vecRead[i]);
    }
}

void CDataFile::KeyRecordToEdits(const st_SectionBlocks& section, const st_key& key, st_key& read) {
    const bool value = key.m_strValue != read.m_strValue;
    const bool comment = key.m_strComment != read.m_strComment;
    if ((!value && !comment) || !IsStorable(section.m_strName, read.m_strName, key.m_strValue))
        return;
    const st_KeyLines lines = m_text.KeyLines(section, read.m_strName);
    StoreValue(section, lines, read.m_strName,
               value ? key.m_strValue : std::string(lines.m_strValue),
               comment ? &key.m_strComment : nullptr);
    read.m_strValue = key.m_strValue;
    read.m_strComment = key.m_strComment;
}

void CDataFile::ReportSectionExists(const std::string& name) {
    Report(e_Info, "[CDataFile::CreateSection] Section <" + name + "> allready exists. Aborting.");
}

// The unnamed section has no header: it exists with or without lines before the first one.
bool CDataFile::CreateSection(const std::string& name, const std::string& comment) {
    Prepare();
    if (m_text.FindSection(name)) {
        ReportSectionExists(name);
        return false;
    }
    if (!IsStorable(name, "", ""))
        return false;
    if (name.empty())
        m_bUnnamed = true;
    else
        InsertSection(name, comment);
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

st_KeyLines CDataFile::FindSetLines(const std::string& key, const std::string& section) {
    Prepare();
    const st_SectionBlocks* found = m_text.FindSection(section);
    return found ? m_text.KeyLines(*found, key) : st_KeyLines();
}

// Nothing is made unless the key can be stored: a refused set leaves no new section behind.
bool CDataFile::Store(const st_KeyLines& lines, const std::string& key, const std::string& value,
                      const std::string* comment, const std::string& section, bool createKey) {
    if (key.empty() || !IsStorable(section, key, value))
        return false;
    if (lines.m_nFirst == std::string::npos && (value.empty() || !createKey))
        return false;
    if (!m_text.FindSection(section) &&
        (!(m_lFlags & FLAG_CREATE_SECTIONS) || !CreateSection(section, "")))
        return false;
    Current();
    StoreValue(*m_text.FindSection(section), lines, key, value, comment);
    return true;
}

std::string CDataFile::GetString(const std::string& key, const std::string& section) const {
    return GetValue(key, section);
}

// Every line of the section's blocks that stores goes with the comment lines it owns.
bool CDataFile::DeleteSection(const std::string& section) {
    Prepare();
    const st_SectionBlocks* found = m_text.FindSection(section);
    if (!found)
        return false;
    for (std::size_t index : found->m_vecBlocks) {
        const st_Block& block = m_text.Block(index);
        if (index != 0)
            DropLine(block.m_nHeader, block.m_bFirstOfName);
    }
    m_text.ForEachKeyLine(*found,
                          [&](const st_IniLine&, std::size_t start) { DropLine(start, true); });
    if (section.empty())
        m_bUnnamed = false;
    for (auto record = m_vecRecords.begin(); record != m_vecRecords.end(); ++record) {
        if (EqualsNoCase((*record)->m_strName, section))
            return m_vecRecords.erase(record), true;
    }
    return true;
}

// A line that names the key but stores nothing in it goes without the comment lines above it:
// those belong to no item, or to another.
bool CDataFile::DeleteKey(const std::string& key, const std::string& section) {
    Prepare();
    const st_SectionBlocks* found = m_text.FindSection(section);
    bool first = true;
    if (found) {
        m_text.ForEachLineOf(*found, key, [&](const st_IniLine& line, std::size_t start) {
            DropLine(start, StoresInKey(line, first));
            first = false;
        });
    }
    return !first;
}

int CDataFile::SectionCount() const {
    return static_cast<int>(Current().Sections().size());
}

bool CDataFile::IsSectionExist(const std::string& section) const {
    return Current().FindSection(section) != nullptr;
}

static bool has_line_break(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

bool CDataFile::IsStorable(const std::string& section, const std::string& key,
                           const std::string& value) {
    return !has_line_break(section) && !has_line_break(key) && !has_line_break(value) &&
           KeyReadsBack(key) && ValueReadsBack(value);
}
