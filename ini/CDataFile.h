// An INI file held in memory: sections and keys with values and comments, edited under
// creation rules, read from and written to a file, with typed access to values.
#ifndef VORNEL_INI_CDATAFILE_H
#define VORNEL_INI_CDATAFILE_H

#include "host/FileIO.h"
#include "ini/IniReader.h"
#include "ini/NameIndex.h"

#include <cstdint>
#include <iosfwd>
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

// A line above an item that stores nothing and is no comment line, kept so that a rewrite
// gives it back where it stood among the item's comment lines.
struct st_KeptLine {
    e_LineKind m_eKind;       // as the line was read
    std::string m_strLine;    // as it stood, without white space at its ends
    std::string m_strKey;     // the key that a key line without a value names
    std::size_t m_nCommentAt; // the length the item's comment had when the line was read
};
typedef std::vector<st_KeptLine> KeptLines;

// What stood above an item in the file: its comment lines, in the reader's form, and the rest.
struct st_LinesAbove {
    std::string m_strComment;
    KeptLines m_vecKept;
};

struct st_key {
    std::string m_strName;
    std::string m_strValue;
    std::string m_strComment;
    KeptLines m_vecKept;
};

typedef std::shared_ptr<st_key> t_Key;
typedef std::vector<t_Key> KeyList;

// A section and its keys. The key list is reached through its index only, so that no caller
// can leave the two out of step.
struct st_section {
    std::string m_strName;
    std::string m_strComment;
    KeptLines m_vecKept;
    // Lines of the document's text that hold the section's keys and are not read into records
    // yet: the document reads them when a change first needs the records.
    std::string_view m_unreadLines;

    // Returns the records of the keys, in file order.
    const KeyList& Keys() const { return m_vecKeys; }
    // Returns the key of that name (letter case aside), or an empty pointer; changes nothing.
    // hash, when given, is HashNoCase of the name.
    t_Key FindKey(const std::string& name) const { return m_keyIndex.Find(name, m_vecKeys); }
    t_Key FindKey(const std::string& name, std::uint32_t hash) const {
        return m_keyIndex.Find(name, m_vecKeys, hash);
    }
    // Appends a key whose name the section does not hold yet; hash is HashNoCase of the name.
    void AppendKey(st_key&& record, std::uint32_t hash);
    // Appends copies of the keys, names held already included: the first of a name is found.
    void AppendCopies(const KeyList& keys);
    // Removes the key, which the section holds; returns the position it had.
    std::size_t RemoveKey(const t_Key& key);
    // Reads the lines still unread into the records, as reading a file does.
    void ReadUnreadLines();

private:
    KeyList m_vecKeys;
    NameIndex<st_key> m_keyIndex;
};

typedef std::shared_ptr<st_section> t_Section;
typedef std::vector<t_Section> SectionList;

// A section's keys are read from the text kept when first needed: a run that looks at one
// section of a large file builds no record for the others. Nothing saves unless its contract
// says so. The tool uses neither the typed values nor ini/CDataFileExtras.cpp (vornel_extras).
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

    // Return the section, or the key of the section, of that name (letter case aside), or an
    // empty pointer; the records are the document's own. Both read the section's unread lines
    // into its records first.
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
    // Remove the section with its keys, or the key; false when it is missing. The lines that
    // store nothing in them move to the next item. The modified flag stays as it is.
    bool DeleteSection(const std::string& section);
    bool DeleteKey(const std::string& key, const std::string& section);
    // Return the number of keys (keys read with an empty value included) and of sections.
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

    // Reads the file into the document, merged with what it holds, and takes its name; false
    // when it cannot be read whole (the name is then taken only with adoptName, and only when
    // nothing stands at the path that could not be read).
    bool Load(const std::string& fileName, bool adoptName);
    // Reads INI text into the document as Load does with the text of a file.
    void ReadText(const std::string& text);
    // Writes ToText to the file atomically and clears the modified flag; false, leaving the
    // file as it was, when there is no section, no file name or the write fails.
    bool Save();
    // Returns a comment as the writer puts it: trimmed, an indicator before every line that
    // lacks one; with removeIndicators, indicators and white space off its ends.
    std::string CommentStr(const std::string& comment, bool removeIndicators) const;
    // Returns the document in the text that Save writes.
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
    // The text read held NUL bytes: no INI text, and nothing the writer could give back whole.
    bool m_bBinary;
    // The file stands but the last Load could not read it whole: it is not missing, and nothing
    // may replace it.
    bool m_bUnreadable;

    // Returns the section's keys: its records, or, while its lines are unread, the records read
    // from them into scratch, which the section does not keep.
    static const KeyList& KeysOf(const st_section& section, st_section& scratch);
    // Makes room in out for about the size of the text read, which writing or listing the whole
    // document takes.
    void ReserveText(std::string& out) const;

private:
    friend class IniReader;

    static void ReportSectionExists(const std::string& name);
    // Lines that store nothing lose their item but not their place: the next item takes them.
    void PassOnKeptLines(KeptLines&& kept, std::size_t section);
    void Adopt(FileText&& text);
    // Appends a section whose name the document does not hold yet; hash is HashNoCase of it.
    t_Section AppendSection(const std::string& name, st_LinesAbove&& above, std::uint32_t hash);

    NameIndex<st_section> m_sectionIndex;
    // What follows the last item of the text read.
    st_LinesAbove m_trailingLines;
    // The text read last, which the unread lines of sections point into.
    FileText m_text;
    // The text began with a UTF-8 byte order mark: not part of its first line, written back.
    bool m_bByteOrderMark;

    // What the written text starts with before its lines.
    std::string TextStart(std::string_view lines) const;
};

// Puts the kept lines above every comment line, as they stand above a comment that replaces
// the one read, or above the next item when theirs is removed.
void LiftKeptLines(KeptLines& kept);
// Returns 0 when the names are equal without regard to ASCII letter case, else 1.
int CompareNoCase(const std::string& a, const std::string& b);
// Prints the message with the level's prefix to standard output, unless m_bReport is false.
void Report(e_DebugLevel level, const std::string& message);
// Strips white space, "=" and ":" off both ends of the text.
void Trim(std::string& text);
// Returns the trimmed text before the first separator and leaves the rest after it in line.
std::string GetNextWord(std::string& line);
// Writes the formatted text and a line feed unless it ends a line; returns the bytes written.
int WriteLn(std::ostream& stream, const char* format, ...);
// Appends the text to out, and a line feed unless the text already ends a line.
void AppendLine(std::string& out, const std::string& text);
// Strips comment indicators and white space off both ends of the text.
void RemoveCommentIndicators(std::string& text);

// A comment in the reader's form holds, each behind a line feed, the comment lines that stood
// above its item in the file, as they stood. Any other comment text is a caller's, written with
// an indicator on each line.

// The comment as reading the file defines it: of a comment in the reader's form each line
// trimmed as a line is; other text unchanged.
std::string ListedComment(const std::string& comment);
// A caller's comment text in the reader's form: each line trimmed of white space, empty lines
// dropped, and an indicator put before each line that lacks one, so none can read as an item.
std::string CommentLines(const std::string& text);

#endif
