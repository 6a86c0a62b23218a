// The one INI file a run works on: loaded at construction, every change saved at once, and the
// listings that the tool prints.
#ifndef VORNEL_INI_INIFILE_H
#define VORNEL_INI_INIFILE_H

#include "ini/CDataFile.h"

#include <string>

class ct_IniFile : public CDataFile {
public:
    // Reads the file (see IsOk) and silences the document's reports; with create, a missing file
    // is still the one a change saves to. Destroying it saves a change left unsaved.
    ct_IniFile(const std::string& fileName, bool create);

    // Whether the file was read at construction.
    bool IsOk() const { return m_bOk; }
    // Whether a file stands at the path but could not be read: nothing may replace it.
    bool IsUnreadable() const { return m_bUnreadable; }
    // Allows (on) or forbids the creation of keys by SetValue of the document.
    void SetAutoCreate(bool on);
    // Whether the file was read and holds the key in the section.
    bool ExistsKey(const std::string& key, const std::string& section) const;
    // Whether the file was read and holds the section.
    bool ExistsSection(const std::string& section) const;
    // Stores the value (and the comment, if given), creating section and key only with autoCreate
    // and a value, and saves with save. True when the key has the value already; false, changing
    // nothing on disk, when the file holds NUL bytes, could not be read, or the set or save fails.
    bool SetValue(const std::string& key, const std::string& value, const std::string& comment,
                  const std::string& section, bool autoCreate, bool save);
    // Remove the section with its keys, or the key, and save; false, changing nothing on disk,
    // when it is missing, the file holds NUL bytes or could not be read, or the save fails.
    bool DeleteSection(const std::string& section);
    bool DeleteKey(const std::string& key, const std::string& section);

    // The listings return text and change nothing. Filters match names with their letter case;
    // with comments, each item's comment lines are listed above it.
    // Returns the section headers, "[name]" a line.
    std::string GetSectionsStr(bool withComments) const;
    // Returns the keys of the section with values, "name=value" a line.
    std::string GetKeysStr(const std::string& section, bool withComments) const;
    // Returns the keys with values of the section (of every section, if section is "") whose
    // name is key (any, if key is ""); with neither, each header stands before its keys.
    std::string GetContentStr(const std::string& section, const std::string& key,
                              bool withComments) const;
    // Hands the text of GetContentStr to the sink in pieces; false when it refused one.
    bool PutContent(const std::string& section, const std::string& key, bool withComments,
                    const TextSink& sink) const;

private:
    bool MayChange() const;
    bool SaveChange();

    bool m_bOk;
};

#endif
