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

// One walk of the section finds the key's lines for the check and the change; a key keeps its
// comment unless a new one is given.
bool ct_IniFile::SetValue(const std::string& key, const std::string& value,
                          const std::string& comment, const std::string& section, bool autoCreate,
                          bool save) {
    Refresh();
    const st_section* found = FindSection(section);
    const st_KeyLines lines = found ? FindKeyLines(*found, key) : st_KeyLines();
    if (lines.m_strValue == value)
        return true;
    SetAutoCreate(autoCreate);
    if (m_bBinary || m_bUnreadable)
        return false;
    const bool held = lines.m_nFirst != std::string::npos;
    // A set that cannot store its key must not leave a new section behind on disk either.
    if (!held && (!autoCreate || value.empty()))
        return false;
    const std::string given = CommentLines(comment);
    if (!found || key.empty() || !IsStorable(section, key, value)) {
        if (!CDataFile::SetValue(key, value, comment.empty() ? "" : given, section))
            return false;
    } else {
        StoreValue(*found, lines, key, value, comment.empty() ? nullptr : &given);
    }
    return !save || SaveChange();
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
