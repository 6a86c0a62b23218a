#include "ini/IniFile.h"

ct_IniFile::ct_IniFile(const std::string& fileName, bool create) : CDataFile(true), m_bOk(false) {
    CDataFile::m_bReport = false;
    m_bOk = CDataFile::Load(fileName, create);
    // What was just read is what the file holds: only a change may write it back.
    m_bDirty = false;
}

void ct_IniFile::SetAutoCreate(bool on) {
    m_lFlags = on ? (m_lFlags | FLAG_CREATE_KEYS) : (m_lFlags & ~FLAG_CREATE_KEYS);
}

bool ct_IniFile::ExistsSection(const std::string& section) const {
    return m_bOk && IsSectionExist(section);
}

std::string ct_IniFile::GetValue(const std::string& key, const std::string& section) const {
    return GetString(key, section);
}

bool ct_IniFile::SetValue(const std::string& key, const std::string& value,
                          const std::string& comment, const std::string& section, bool autoCreate,
                          bool save) {
    if (GetValue(key, section) == value)
        return true;
    SetAutoCreate(autoCreate);
    if (m_bBinary || m_bUnreadable)
        return false;
    // A set that cannot store its key must not leave a new section behind on disk either.
    if (!IsKeyExist(key, section) && (!autoCreate || value.empty()))
        return false;
    if (!CDataFile::SetValue(key, value, KeyComment(key, section, comment), section))
        return false;
    return !save || SaveChange();
}

// A key keeps its comment unless a new one is given.
std::string ct_IniFile::KeyComment(const std::string& key, const std::string& section,
                                   const std::string& given) {
    const t_Key existing = GetKey(key, section);
    const std::string current = existing ? existing->m_strComment : std::string();
    return given.empty() ? current : CommentLines(given);
}

// A file with NUL bytes is read, never rewritten: that would destroy what reading left out.
bool ct_IniFile::DeleteSection(const std::string& section) {
    return !m_bBinary && !m_bUnreadable && CDataFile::DeleteSection(section) && SaveChange();
}

bool ct_IniFile::DeleteKey(const std::string& key, const std::string& section) {
    return !m_bBinary && !m_bUnreadable && CDataFile::DeleteKey(key, section) && SaveChange();
}

// A failed save is reported once: the destructor must not retry it and change the file after all.
bool ct_IniFile::SaveChange() {
    const bool saved = Save();
    if (!saved)
        m_bDirty = false;
    return saved;
}
