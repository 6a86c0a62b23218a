// An INI file held in memory: sections and keys with values and comments, edited under
// creation rules, read from and written to a file, with typed access to values.
#ifndef VORNEL_INI_CDATAFILE_H
#define VORNEL_INI_CDATAFILE_H

#include "host/FileIO.h"
#include "ini/IniReader.h"
#include "ini/NameIndex.h"

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

// A key that stands on several lines holds the last value and the comment lines of each.
struct st_key {
    std::string m_strName;
    std::string m_strValue;
    std::string m_strComment;
    // The first and the last line that stored in the key; null for a key made by a call.
    const char* m_pFirstLine = nullptr;
    const char* m_pLastLine = nullptr;
    bool m_bCommentSet = false; // a rewrite puts it in place of the comment above the last line
};

typedef std::shared_ptr<st_key> t_Key;
typedef std::vector<t_Key> KeyList;

constexpr std::size_t kNoBlock = static_cast<std::size_t>(-1);

// A section, merged over the blocks of the text that its headers start, and its keys. The key
// list is reached through its index only, so that no caller can leave the two out of step.
struct st_section {
    std::string m_strName;
    std::string m_strComment;
    // The last block that holds the section (0 for the unnamed one); kNoBlock if made by a call.
    std::size_t m_nLastBlock = kNoBlock;
    bool m_bCommentSet = false; // a rewrite puts it in place of the comment above the first header
    // Lines of the text that hold the keys, not read into records until a change needs them.
    std::string_view m_unreadLines;

    // Returns the records of the keys, in file order.
    const KeyList& Keys() const { return m_vecKeys; }
    // Returns the key of that name (letter case aside; hash: HashNoCase of it), or an empty one.
    t_Key FindKey(std::string_view name) const { return m_keyIndex.Find(name, m_vecKeys); }
    t_Key FindKey(std::string_view name, std::uint32_t hash) const {
        return m_keyIndex.Find(name, m_vecKeys, hash);
    }
    // Appends a key whose name the section does not hold yet; hash is HashNoCase of the name.
    void AppendKey(st_key&& record, std::uint32_t hash);
    // Appends copies (on no line) of the keys, names held already included: the first is found.
    void AppendCopies(const KeyList& keys);
    // Removes the key, which the section holds.
    void RemoveKey(const t_Key& key);
    // Reads the lines still unread into the records, as reading a file does.
    void ReadUnreadLines();

private:
    KeyList m_vecKeys;
    NameIndex<st_key> m_keyIndex;
};

typedef std::shared_ptr<st_section> t_Section;
typedef std::vector<t_Section> SectionList;

// The lines from one header (or the start of the text) up to the next header.
struct st_Block {
    t_Section m_section; // the section its header names, as reading the text found it
    bool m_bCreates;     // its header is the first of the section: the section's comment is above
    bool m_bRemoved;     // the section was deleted: a rewrite drops the items of the block
};

// The document keeps the text read. Its records are the merged view that lookups, listings and
// calls work on, and know the lines they came from, so a rewrite writes the text's own lines and
// changes only those of the items that changed. A section's keys are read when first needed.
// Nothing saves unless its contract says so. The tool uses neither the typed values nor
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

    // Return the document's own record of the section, or of its key (letter case aside), or an
    // empty pointer; both read the section's unread lines into records.
    t_Section GetSection(const std::string& section);
    t_Key GetKey(const std::string& key, const std::string& section);
    // Append a section (with copies of the keys, duplicates included); false when the name
    // exists or would not read back as itself.
    bool CreateSection(const std::string& name, const std::string& comment);
    bool CreateSection(const std::string& name, const std::string& comment, const KeyList& keys);
    // Stores the value and comment of a key, creating its section and the key as the flags
    // allow (CreateKey: keys always) and a new key only with a value. False, changing nothing,
    // when it may not or the key would not read back from the file as itself.
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
    // Whether the key exists; reads the section's unread lines into its records first.
    bool IsKeyExist(const std::string& key, const std::string& section);
    // Whether the section exists; changes nothing.
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
    // Writes ToText to the file atomically and clears the modified flag; false, leaving the
    // file as it was, when there is no section, no file name or the write fails.
    bool Save();
    // Returns a comment as the writer puts it: trimmed, an indicator before every line that
    // lacks one; with removeIndicators, indicators and white space off its ends.
    std::string CommentStr(const std::string& comment, bool removeIndicators) const;
    // Returns the text that Save writes: the lines read as they stood (LF line ends) but those
    // of changed and deleted items; items made by calls in the layout, new keys at the end of
    // their section's last block, new sections at the end.
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
    // breaks, a key that reads as a key, a value without white space at its end.
    static bool IsStorable(const std::string& section, const std::string& key,
                           const std::string& value);

    static bool m_bReport;

protected:
    std::int64_t m_lFlags;
    SectionList m_vecSections;
    std::string m_strFileName;
    bool m_bDirty;
    bool m_bAutoSave;
    bool m_bBinary;     // the text held NUL bytes: nothing the writer could give back whole
    bool m_bUnreadable; // the file stands but the last Load could not read it: never replace it

    // Returns the section's records, or those read from its unread lines into scratch.
    static const KeyList& KeysOf(const st_section& section, st_section& scratch);
    // Makes room in out for about the size of the text read.
    void ReserveText(std::string& out) const;

private:
    friend class IniReader;
    friend class TextWriter;

    static void ReportSectionExists(const std::string& name);
    void Adopt(FileText&& text);
    // Appends a section whose name the document does not hold yet; hash is HashNoCase of it.
    t_Section AppendSection(const std::string& name, const std::string& comment,
                            std::uint32_t hash);
    // The text without its byte order mark.
    std::string_view Lines() const;

    NameIndex<st_section> m_sectionIndex;
    FileText m_text; // the text read, which records and unread lines point into
    std::vector<st_Block> m_vecBlocks;
    bool m_bByteOrderMark; // the text began with one: not part of its first line, written back

    // What the written text starts with before its lines.
    std::string TextStart(std::string_view written) const;
};

// Prints the message with the level's prefix to standard output, unless m_bReport is false.
void Report(e_DebugLevel level, const std::string& message);
// Strips white space, "=" and ":" off both ends of the text.
void Trim(std::string& text);
// Appends the text to out, and a line feed unless the text already ends a line.
void AppendLine(std::string& out, const std::string& text);
// Strips comment indicators and white space off both ends of the text.
void RemoveCommentIndicators(std::string& text);
// A caller's comment text as comment lines, each behind a line feed as reading gives them: each
// line trimmed of white space, empty lines dropped, and an indicator put before each line that
// lacks one, so that none can read as an item.
std::string CommentLines(const std::string& text);

#endif
