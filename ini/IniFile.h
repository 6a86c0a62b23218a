// The one INI file a run works on: loaded at construction, every change saved at once,
// and the listings that the tool prints.
#ifndef VORNEL_INI_INIFILE_H
#define VORNEL_INI_INIFILE_H

#include "ini/CDataFile.h"

#include <string>

class ct_IniFile : public CDataFile {
public:
    // Reads the file (see IsOk) and silences the document's reports for the whole run; with
    // create, a file that cannot be read is still the one a change saves to. Destroying it saves
    // a change that was left unsaved.
    ct_IniFile(const std::string& fileName, bool create);

    // Whether the file was read at construction.
    bool IsOk() const { return m_bOk; }
    // Whether a regular file stands at the path but could not be read: it is not missing, and
    // nothing may replace it.
    bool IsUnreadable() const { return m_bUnreadable; }
    // Allows (on) or forbids the creation of keys by SetValue of the document.
    void SetAutoCreate(bool on);
    // Whether the file was read and holds the key in the section; reads the section's lines.
    bool ExistsKey(const std::string& key, const std::string& section);
    // Whether the file was read and holds the section.
    bool ExistsSection(const std::string& section) const;
    // Returns the key's value, or "" when the key or section is missing.
    std::string GetValue(const std::string& key, const std::string& section) const;
    // Stores the value (and the comment, if one is given; else the key keeps its own), creating
    // section and key only with autoCreate and a value, and saves at once with save. True when
    // the key already has the value; false, changing nothing on disk, when the file holds NUL
    // bytes, could not be read, or the set or save fails.
    bool SetValue(const std::string& key, const std::string& value, const std::string& comment,
                  const std::string& section, bool autoCreate, bool save);
    // Removes the section with its keys and saves; false, changing nothing on disk, when it is
    // missing, the file holds NUL bytes or could not be read, or the save fails.
    bool DeleteSection(const std::string& section);
    // Removes the key and saves; false as for DeleteSection.
    bool DeleteKey(const std::string& key, const std::string& section);

    // The listings return text and change nothing. Names listed and filtered are the ones the
    // file holds, matched with their letter case. With comments, each comment's lines are
    // listed above their item, as reading the file defines them.
    // Returns the section headers, "[name]" a line.
    std::string GetSectionsStr(bool withComments) const;
    // Returns the keys of the section with values, "name=value" a line.
    std::string GetKeysStr(const std::string& section, bool withComments) const;
    // Returns the keys with values of the section (of every section, if section is "") whose
    // name is key (any, if key is ""); with neither, each header stands before its keys.
    std::string GetContentStr(const std::string& section, const std::string& key,
                              bool withComments) const;

private:
    bool SaveChange();
    std::string KeyComment(const std::string& key, const std::string& section,
                           const std::string& given);

    bool m_bOk;
};

#endif
