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

// One walk of the section finds the key's lines for the check and the change; a key keeps its
// comment unless a new one is given.
bool ct_IniFile::SetValue(const std::string& key, const std::string& value,
                          const std::string& comment, const std::string& section, bool autoCreate,
                          bool save) {
    const st_KeyLines lines = FindSetLines(key, section);
    if (lines.m_strValue == value)
        return true;
    SetAutoCreate(autoCreate);
    const std::string given = CommentLines(comment);
    return MayChange() &&
           Store(lines, key, value, comment.empty() ? nullptr : &given, section, autoCreate) &&
           (!save || SaveChange());
}

bool ct_IniFile::DeleteSection(const std::string& section) {
    return MayChange() && CDataFile::DeleteSection(section) && SaveChange();
}

bool ct_IniFile::DeleteKey(const std::string& key, const std::string& section) {
    return MayChange() && CDataFile::DeleteKey(key, section) && SaveChange();
}

// A file with NUL bytes is read, never rewritten: that would destroy what reading left out; one
// that could not be read must not be replaced by what little was.
bool ct_IniFile::MayChange() const {
    return !Current().HasNul() && !m_bUnreadable;
}

// A failed save is reported once: the destructor must not retry it and change the file after all.
bool ct_IniFile::SaveChange() {
    const bool saved = Save();
    if (!saved)
        m_bDirty = false;
    return saved;
}
