// An INI file held in memory: sections and keys with values and comments, edited under
// creation rules, read from and written to a file, with typed access to values.
#ifndef VORNEL_INI_CDATAFILE_H
#define VORNEL_INI_CDATAFILE_H

#include "host/FileText.h"
#include "ini/EditList.h"
#include "ini/IniReader.h"
#include "ini/IniText.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

const std::string CommentIndicators{kCommentIndicators};
const std::string EqualIndicators{kEqualIndicators};
const std::string WhiteSpace{kWhiteSpace};

constexpr std::int64_t FLAG_CREATE_SECTIONS = 2;
constexpr std::int64_t FLAG_CREATE_KEYS = 4;

enum e_DebugLevel { e_Debug, e_Info, e_Warn, e_Error, e_Fatal, e_Critical };

// A key as the merged view gives it: the first spelling, the last value, the comment lines above
// each line that stored in it.
struct st_key {
    std::string m_strName;
    std::string m_strValue;
    std::string m_strComment;
};

typedef std::shared_ptr<st_key> t_Key;
typedef std::vector<t_Key> KeyList;

// A section as a caller asked for it, over all the blocks of the text that its headers start,
// with records of its keys. What the caller changes in them reaches the text at the document's
// next call that may change it, or its Save; that call also makes them anew from the text.
struct st_section {
    std::string m_strName;
    std::string m_strComment;

    // Returns the records of the keys in file order.
    const KeyList& Keys() const { return m_vecKeys; }

private:
    friend class CDataFile;

    KeyList m_vecKeys;
    std::vector<st_key> m_vecRead; // the records as the text gave them, to tell what changed
    std::string m_strCommentRead;
    std::size_t m_nVersion = 0; // of the text they were made from
};

typedef std::shared_ptr<st_section> t_Section;
typedef std::vector<t_Section> SectionList;

// The document is the text read and the edits that calls made to it: a save copies every byte
// the edits do not replace as it stood. Lookups and changes walk only the lines of the section
// they name; nothing holds a record per key unless a caller asks for one. Edits wait until the
// text is next read, so that a change saved at once never copies the text in memory. Nothing
// saves unless its contract says so. The tool uses neither the typed values nor
// ini/CDataFileExtras.cpp (vornel_extras).
class CDataFile {
public:
    // An empty document (one unnamed section); the destructor saves it if autoSave is set.
    explicit CDataFile(bool autoSave = false);
    // A document holding the file, read by Load; the file name is kept even if reading fails.
    CDataFile(const std::string& fileName, bool autoSave);
    // Saves a modified document first when autoSave was set.
    virtual ~CDataFile();
    CDataFile(const CDataFile&) = delete;
    CDataFile& operator=(const CDataFile&) = delete;

    // Removes every section (the unnamed one too), the file name and the modified flag.
    void Clear();
    // Sets the file that Save writes; a change of a set name marks the document modified.
    void SetFileName(const std::string& newName);

    // Return the document's record of the section, with records of its keys, or of one key
    // (letter case aside), or an empty pointer. A change made in them reaches the text at the
    // next call that may change the document, or Save; they stay the document's until then.
    t_Section GetSection(const std::string& section);
    t_Key GetKey(const std::string& key, const std::string& section);
    // Append a section (with the keys given, merged as a file would merge them); false when the
    // name exists or would not read back as itself.
    bool CreateSection(const std::string& name, const std::string& comment);
    bool CreateSection(const std::string& name, const std::string& comment, const KeyList& keys);
    // Store the value and comment of a key, creating its section and the key as the flags allow
    // (CreateKey: keys always) and a new key only with a value. False when it may not or the key
    // would not read back from the file as itself; SetValue makes a missing section all the same.
    bool SetValue(const std::string& key, const std::string& value, const std::string& comment,
                  const std::string& section);
    bool CreateKey(const std::string& key, const std::string& value, const std::string& comment,
                   const std::string& section);
    // Return the key's value, or "" when the key or section is missing.
    std::string GetValue(const std::string& key, const std::string& section) const;
    std::string GetString(const std::string& key, const std::string& section) const;
    // Remove the section (every block of it) with its keys, or the key (every line that names
    // it), with their comment lines; false when it is missing. Other lines that store nothing
    // stay. The modified flag stays as it is.
    bool DeleteSection(const std::string& section);
    bool DeleteKey(const std::string& key, const std::string& section);
    // Return the number of keys (those read with an empty value included) and of sections.
    int KeyCount() const;
    int SectionCount() const;
    // Whether the key, or the section, exists; change nothing.
    bool IsKeyExist(const std::string& key, const std::string& section) const;
    bool IsSectionExist(const std::string& section) const;
    // Replace the comment of the key or section; false when it is missing.
    bool SetKeyComment(const std::string& key, const std::string& comment,
                       const std::string& section);
    bool SetSectionComment(const std::string& section, const std::string& comment);

    // Reads the file into the document, merged after what it holds, and takes its name; false
    // when it cannot be read whole (the name is then taken only with adoptName, and only when
    // nothing stands at the path). Records handed out before are no longer the document's.
    bool Load(const std::string& fileName, bool adoptName);
    // Reads INI text into the document as Load does with the text of a file.
    void ReadText(const std::string& text);
    // Writes the text to the file atomically and clears the modified flag; false, leaving the
    // file as it was, when there is no section, no file name or the write fails.
    bool Save();
    // Returns a comment as the writer puts it: trimmed, an indicator before every line that
    // lacks one; with removeIndicators, indicators and white space off its ends.
    std::string CommentStr(const std::string& comment, bool removeIndicators) const;
    // Returns the text that Save writes: the text read with the edits of the calls made since.
    std::string ToText() const;

    // The setters store the value's fixed text form through SetValue; the getters return the
    // value read as the type, or the type's failure value.
    bool SetInt(const std::string& key, int value, const std::string& comment,
                const std::string& section);
    bool SetFloat(const std::string& key, float value, const std::string& comment,
                  const std::string& section);
    bool SetBool(const std::string& key, bool value, const std::string& comment,
                 const std::string& section);
    int GetInt(const std::string& key, const std::string& section) const;
    float GetFloat(const std::string& key, const std::string& section) const;
    bool GetBool(const std::string& key, const std::string& section) const;

    // Whether a set of these names and value would read back from the file as itself: no line
    // breaks, a key that reads as a key, a value without white space at its ends.
    static bool IsStorable(const std::string& section, const std::string& key,
                           const std::string& value);

    static bool m_bReport;

protected:
    // Returns the text with the edits made so far: the only place that makes them, reading the
    // text anew when edits wait (or the unnamed section came or went). Changes no content.
    const IniText& Current() const;
    // Where a set of the key stores: its lines in the section (none where either is missing).
    // Makes the text current first, so that the lines stay where they are until Store.
    st_KeyLines FindSetLines(const std::string& key, const std::string& section);
    // Stores the value in the key whose lines FindSetLines just gave, and the comment unless it is
    // null (an empty one clears the key's comment), making the section as the flags allow and the
    // key only with createKey and a value. False, changing nothing, when it may not or would not
    // read back; does not save.
    bool Store(const st_KeyLines& lines, const std::string& key, const std::string& value,
               const std::string* comment, const std::string& section, bool createKey);

    std::int64_t m_lFlags;
    std::string m_strFileName;
    bool m_bDirty;
    bool m_bAutoSave;
    bool m_bUnreadable; // the file stands but the last Load could not read it: never replace it

private:
    static void ReportSectionExists(const std::string& name);
    void Merge(FileText&& text);
    // Before a call that may change the document: what callers changed in records becomes edits,
    // the text is made current, and the records are made anew from it.
    void Prepare();
    void RecordsToEdits();
    void KeyRecordToEdits(const st_SectionBlocks& section, const st_key& key, st_key& read);
    void MakeRecords(st_section& record) const;
    // Writing: the edits of a set, a comment, a deletion, new lines and a new section.
    void StoreValue(const st_SectionBlocks& section, const st_KeyLines& lines,
                    const std::string& key, const std::string& value, const std::string* comment);
    std::string LaidOutComment(std::size_t position, const std::string& comment,
                               std::size_t droppedFrom) const;
    void DropLine(std::size_t start, bool ownsComments);
    void DropComments(std::size_t from, std::size_t to);
    void ReplaceComment(std::size_t line, const std::string& comment);
    void InsertLines(std::size_t position, std::string text);
    void InsertSection(const std::string& name, const std::string& comment);
    bool WriteText(const TextSink& sink) const;

    mutable IniText m_text;   // the text read, or as the edits made before left it
    mutable EditList m_edits; // the edits since, by position in m_text
    SectionList m_vecRecords; // the records handed out
    bool m_bUnnamed = true;   // the unnamed section exists, whether or not lines of it stand
};

// Prints the message with the level's prefix to standard output, unless m_bReport is false.
void Report(e_DebugLevel level, const std::string& message);
// Strips white space, "=" and ":" off both ends of the text.
void Trim(std::string& text);
// Strips comment indicators and white space off both ends of the text.
void RemoveCommentIndicators(std::string& text);
// A caller's comment text as comment lines, each behind a line feed as reading gives them: each
// line trimmed of white space, empty lines dropped, and an indicator put before each line that
// lacks one, so that none can read as an item.
std::string CommentLines(const std::string& text);

#endif
