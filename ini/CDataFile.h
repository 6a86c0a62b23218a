// An INI file held in memory: sections and keys with values and comments, edited under
// creation rules, read from and written to a file, with typed access to values.
#ifndef VORNEL_INI_CDATAFILE_H
#define VORNEL_INI_CDATAFILE_H

#include "host/FileText.h"
#include "ini/IniReader.h"
#include "ini/NameIndex.h"

#include <cstdint>
#include <functional>
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

// A section, over all the blocks of the text that its headers start. Its key records are made
// when a caller asks for the section; what the caller changes in them reaches the text at the
// document's next call that may change it, or its Save.
struct st_section {
    std::string m_strName;
    std::string m_strComment;

    // Returns the records of the keys in file order; empty until GetSection hands them out.
    const KeyList& Keys() const { return m_vecKeys; }

private:
    friend class CDataFile;

    KeyList m_vecKeys;
    std::vector<st_key> m_vecRead; // the records as the text gave them, to tell what changed
    std::string m_strCommentRead;
    std::vector<std::size_t> m_vecBlocks; // the document's blocks that hold the section
    bool m_bHandedOut = false;
};

typedef std::shared_ptr<st_section> t_Section;
typedef std::vector<t_Section> SectionList;

// The lines from one header (or the start of the text) up to the next header, as positions.
struct st_Block {
    std::size_t m_nHeader; // where its header line starts; for the first block, 0
    std::size_t m_nBody;   // where the line after the header starts
    std::size_t m_nEnd;    // where the next header line starts, or the end of the text
    bool m_bCreates;       // its header is the first of its section
};

// A replacement of the bytes [m_nBegin, m_nEnd) of the text; an insertion where both are equal.
struct st_Edit {
    std::size_t m_nBegin;
    std::size_t m_nEnd;
    std::string m_strText;
};

// The document is the text read, its blocks, and the edits that calls made to it: a save copies
// every byte the edits do not replace as it stood. Lookups and changes walk only the lines of the
// section they name; nothing holds a record per key unless a caller asks for one. Edits wait
// until the text is next read, so that a change saved at once never copies the text in memory.
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

    // Return the document's record of the section, with records of its keys, or of one key
    // (letter case aside), or an empty pointer. A change made in them reaches the text at the
    // next call that may change the document, or Save; they stay the document's until then.
    t_Section GetSection(const std::string& section);
    t_Key GetKey(const std::string& key, const std::string& section);
    // Append a section (with the keys given, merged as a file would merge them); false when the
    // name exists or would not read back as itself.
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
    // Where a key stands in its section: the lines that name it.
    struct st_KeyLines {
        std::size_t m_nFirst = std::string::npos; // the first line that names it; npos: none
        std::size_t m_nLast = std::string::npos;  // the last line that stores in it
        std::string_view m_strValue;              // the value that line stores
    };

    // Returns the section of that name (letter case aside), or null; reads nothing.
    const st_section* FindSection(std::string_view name) const;
    // Returns the lines of the key in the section.
    st_KeyLines FindKeyLines(const st_section& section, std::string_view key) const;
    // Returns the comment lines above each line that stores in the key, in file order.
    std::string KeyComment(const st_section& section, std::string_view key) const;
    // Stores the value (and with a comment, the comment) in the key the lines give, or in a new
    // key of the section; the caller has checked the names and the creation rules.
    void StoreValue(const st_section& section, const st_KeyLines& lines, const std::string& key,
                    const std::string& value, const std::string* comment);
    // Calls visit(name, value, commentLines) for each key of the section, once for a name
    // repeated, in file order: the first spelling, the last value, the comment lines only with
    // withComments. Reads nothing into records.
    using KeyVisit = std::function<void(std::string_view name, std::string_view value,
                                        const std::string& comment)>;
    void ForEachKey(const st_section& section, bool withComments, const KeyVisit& visit) const;
    // Applies the edits waiting to the text and finds its blocks again; changes no content.
    void Refresh() const;
    // The text without its byte order mark; positions of lines and edits count in it.
    std::string_view Lines() const;

    std::int64_t m_lFlags;
    mutable SectionList m_vecSections;
    std::string m_strFileName;
    bool m_bDirty;
    bool m_bAutoSave;
    bool m_bBinary;     // the text held NUL bytes: nothing the writer could give back whole
    bool m_bUnreadable; // the file stands but the last Load could not read it: never replace it

private:
    static void ReportSectionExists(const std::string& name);
    void Adopt(FileText&& text);
    // Reading: the blocks and sections of the text (sections keep their records by name); the
    // meaning of a line; the line above a position; the lines of a section.
    void Scan() const;
    void AddSection(const t_Section& section, std::size_t block) const;
    void IndexSections() const;
    std::size_t SectionAt(std::string_view name) const;
    bool HasKeyLine(std::size_t from, std::size_t to) const;
    st_IniLine Meaning(std::string_view line) const;
    st_IniLine LineAt(std::size_t start, std::size_t* next = nullptr) const;
    std::size_t LineAbove(std::size_t position) const;
    template <class Visit> void ForEachLine(const st_section& section, Visit&& visit) const;
    template <class Visit> void ForEachKeyLine(const st_section& section, Visit&& visit) const;
    template <class Visit>
    void ForEachLineOf(const st_section& section, std::string_view key, Visit&& visit) const;
    // What a line owns: the lines above it back to a key line or a header that makes its
    // section, passing headers of sections that stood before; their comment lines.
    std::size_t RunStart(std::size_t line) const;
    std::string CommentAbove(std::size_t line) const;
    bool IsRepeatedHeader(std::size_t start) const;
    // Writing: where new lines go, the line end and the layout they take, the edits.
    std::size_t InsertPoint(const st_Block& block) const;
    std::string LineEndAt(std::size_t position) const;
    bool EmptyAbove(std::size_t position, std::size_t skipFrom) const;
    std::string LaidOutComment(std::size_t position, const std::string& comment,
                               std::size_t skipFrom) const;
    std::string TextStart(std::string_view written) const;
    void DropLine(std::size_t start, bool alone);
    void DropComments(std::size_t from, std::size_t to);
    void ReplaceComment(std::size_t line, const std::string& comment);
    void InsertLines(std::size_t position, std::string text);
    void InsertSection(const std::string& name, const std::string& comment);
    void AddEdit(std::size_t begin, std::size_t end, std::string text);
    bool WriteText(const TextSink& sink) const;
    // Records: made for a caller, and what it changed in them turned into edits.
    void MakeRecords(st_section& section) const;
    void SyncRecords();
    // Before a call that may change the document: records synced, waiting edits applied.
    void Prepare() {
        SyncRecords();
        Refresh();
    }

    mutable FileText m_text; // the text read, which the blocks point into
    mutable std::vector<st_Block> m_vecBlocks;
    mutable NameMap m_sectionIndex;
    mutable std::vector<st_Edit> m_vecEdits; // sorted by position, none over another
    mutable bool m_bChanged = false;         // the text or the sections changed since the scan
    mutable bool m_bRecordsOut = false;      // records were handed out
    bool m_bUnnamed = true; // the unnamed section exists, whether or not lines of it stand
    bool m_bByteOrderMark;  // the text began with one: not part of its first line, written back
};

// Lines are cut at their line feeds only: visit classifies those it needs.
template <class Visit> void CDataFile::ForEachLine(const st_section& section, Visit&& visit) const {
    const std::string_view lines = Lines();
    for (std::size_t index : section.m_vecBlocks) {
        const st_Block& block = m_vecBlocks[index];
        for (std::size_t start = block.m_nBody; start < block.m_nEnd;) {
            const std::size_t end = std::min(lines.find('\n', start), lines.size());
            visit(lines.substr(start, end - start), start);
            start = end + 1;
        }
    }
}

template <class Visit>
void CDataFile::ForEachKeyLine(const st_section& section, Visit&& visit) const {
    ForEachLine(section, [&](std::string_view line, std::size_t start) {
        const st_IniLine meaning = Meaning(line);
        if (IsKeyLine(meaning))
            visit(meaning, start);
    });
}

template <class Visit>
void CDataFile::ForEachLineOf(const st_section& section, std::string_view key,
                              Visit&& visit) const {
    ForEachLine(section, [&](std::string_view line, std::size_t start) {
        if (!MayName(line, key))
            return;
        const st_IniLine meaning = Meaning(line);
        if (IsKeyLine(meaning) && EqualsNoCase(meaning.m_strText, key))
            visit(meaning, start);
    });
}

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
