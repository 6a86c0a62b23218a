// An INI file held in memory: sections and keys with values and comments, edited under
// creation rules, read from and written to a file, with typed access to values.
#ifndef VORNEL_INI_CDATAFILE_H
#define VORNEL_INI_CDATAFILE_H

#include "host/FileIO.h"
#include "ini/NameIndex.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

const std::string CommentIndicators = ";#";
const std::string EqualIndicators = "=:";
const std::string WhiteSpace = " \t\n\r";

constexpr std::int64_t FLAG_CREATE_SECTIONS = 2;
constexpr std::int64_t FLAG_CREATE_KEYS = 4;

enum e_DebugLevel { e_Debug, e_Info, e_Warn, e_Error, e_Fatal, e_Critical };

struct st_key {
    std::string m_strName;
    std::string m_strValue;
    std::string m_strComment;
};

typedef std::shared_ptr<st_key> t_Key;
typedef std::vector<t_Key> KeyList;

struct st_section {
    std::string m_strName;
    std::string m_strComment;
    KeyList m_vecKeys;
    // Kept in step with m_vecKeys by the document; add or remove keys through it.
    NameIndex<st_key> m_keyIndex;

    t_Key FindKey(const std::string& name) const { return m_keyIndex.Find(name, m_vecKeys); }
};

typedef std::shared_ptr<st_section> t_Section;
typedef std::vector<t_Section> SectionList;

class CDataFile {
public:
    explicit CDataFile(bool autoSave = false);
    CDataFile(const std::string& fileName, bool autoSave);
    virtual ~CDataFile();
    CDataFile(const CDataFile&) = delete;
    CDataFile& operator=(const CDataFile&) = delete;

    void Clear();
    void SetFileName(const std::string& newName);

    t_Section GetSection(const std::string& section) const;
    t_Key GetKey(const std::string& key, const std::string& section) const;
    bool CreateSection(const std::string& name, const std::string& comment);
    bool CreateSection(const std::string& name, const std::string& comment, const KeyList& keys);
    bool SetValue(const std::string& key, const std::string& value, const std::string& comment,
                  const std::string& section);
    bool CreateKey(const std::string& key, const std::string& value, const std::string& comment,
                   const std::string& section);
    std::string GetValue(const std::string& key, const std::string& section) const;
    std::string GetString(const std::string& key, const std::string& section) const;
    bool DeleteSection(const std::string& section);
    bool DeleteKey(const std::string& key, const std::string& section);
    int KeyCount() const;
    int SectionCount() const;
    bool IsKeyExist(const std::string& key, const std::string& section) const;
    bool IsSectionExist(const std::string& section) const;
    bool SetKeyComment(const std::string& key, const std::string& comment,
                       const std::string& section);
    bool SetSectionComment(const std::string& section, const std::string& comment);

    bool Load(const std::string& fileName, bool adoptName);
    // Merges INI text into the document as Load does with the text of a file.
    void ReadText(const std::string& text);
    bool Save();
    std::string CommentStr(const std::string& comment, bool removeIndicators) const;
    // The document in the text that Save writes.
    std::string ToText() const;

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

    // Parses text that was read but not parsed yet; every look at the records comes after it.
    void EnsureParsed() const;

private:
    friend class IniReader;

    static void ReportSectionExists(const std::string& name);
    // Lines that store nothing lose their item but not their place: the next item takes them.
    void PassOnKeptLines(const std::string& kept, std::size_t section);
    st_key* FindKey(const std::string& key, const std::string& section) const;
    t_Key LookUp(const std::string& key, const std::string& section) const;
    void Adopt(FileText&& text);
    bool WouldChange(std::string_view text, bool hasNul) const;
    t_Section AppendSection(const std::string& name, const std::string& comment);
    // Appends a key whose name the section does not hold yet; hash is HashNoCase of the name.
    static void AppendKey(st_section& section, st_key&& record, std::uint32_t hash);

    NameIndex<st_section> m_sectionIndex;
    // What follows the last item of the text read, in the reader's form of a comment.
    std::string m_strTrailingLines;
    FileText m_unparsed;
    bool m_bUnparsedNul;
    bool m_bUnparsed;
    // The text began with a UTF-8 byte order mark: not part of its first line, written back.
    bool m_bByteOrderMark;

    std::string_view UnparsedText() const;
    // What the written text starts with before its lines.
    std::string TextStart(std::string_view lines) const;
};

int CompareNoCase(const std::string& a, const std::string& b);
void Report(e_DebugLevel level, const std::string& message);
void Trim(std::string& text);
std::string GetNextWord(std::string& line);
int WriteLn(std::ostream& stream, const char* format, ...);
void RemoveCommentIndicators(std::string& text);

// A comment in the reader's form holds, each behind a line feed, the lines that stood above its
// item in the file: comment lines, and lines that store nothing, which a rewrite keeps as they
// were. Any other comment text is a caller's, written with an indicator on each line.

// The lines of a comment in the reader's form that are no comment lines; empty for other text.
std::string KeptLines(const std::string& comment);
// The comment as reading the file defines it: of a comment in the reader's form its comment
// lines, each trimmed as a line is; other text unchanged.
std::string ListedComment(const std::string& comment);
// A caller's comment text in the reader's form: each line trimmed of white space, empty lines
// dropped, and an indicator put before each line that lacks one, so none can read as an item.
std::string CommentLines(const std::string& text);

#endif
