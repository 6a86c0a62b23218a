// The one INI file a run works on: loaded at construction, every change saved at once,
// and the listings that the tool prints.
#ifndef VORNEL_INI_INIFILE_H
#define VORNEL_INI_INIFILE_H

#include "ini/CDataFile.h"

#include <string>

class ct_IniFile : public CDataFile {
public:
    ct_IniFile(const std::string& fileName, bool create);
    virtual ~ct_IniFile();

    // Whether the file was read at construction.
    bool IsOk() const { return m_bOk; }
    // Whether a regular file stands at the path but could not be read: it is not missing, and
    // nothing may replace it.
    bool IsUnreadable() const { return m_bUnreadable; }
    void SetAutoCreate(bool on);
    bool ExistsKey(const std::string& key, const std::string& section) const;
    bool ExistsSection(const std::string& section) const;
    std::string GetValue(const std::string& key, const std::string& section) const;
    bool SetValue(const std::string& key, const std::string& value, const std::string& comment,
                  const std::string& section, bool autoCreate, bool save);
    bool DeleteSection(const std::string& section);
    bool DeleteKey(const std::string& key, const std::string& section);

    std::string GetSectionsStr(bool withComments) const;
    std::string GetKeysStr(const std::string& section, bool withComments) const;
    std::string GetContentStr(const std::string& section, const std::string& key,
                              bool withComments) const;

private:
    bool SaveChange();
    std::string KeyComment(const std::string& key, const std::string& section,
                           const std::string& given) const;

    bool m_bOk;
    bool m_bUnreadable;
};

#endif
