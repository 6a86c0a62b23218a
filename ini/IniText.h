// An INI text as read: its bytes, its blocks (a header and the lines up to the next one), its
// sections by name with the blocks that hold them, and what each line of it means and owns.
// Nothing in it changes once it is made: a change of the document is a list of edits to it, and
// the text with those edits made is read into a new one.
#ifndef VORNEL_INI_INITEXT_H
#define VORNEL_INI_INITEXT_H

#include "host/FileText.h"
#include "host/Pages.h"
#include "ini/IniReader.h"
#include "ini/NameIndex.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The lines from one header (or the start of the text) up to the next header, as positions.
struct st_Block {
    std::size_t m_nHeader; // where its header line starts; for the first block, 0
    std::size_t m_nBody;   // where the line after the header starts
    std::size_t m_nEnd;    // where the next header line starts, or the end of the text
    bool m_bFirstOfName;   // its header is the first of its section
};

// A section of the text: its name as first spelled, the comment lines above its first header,
// and the blocks that hold it, in file order.
struct st_SectionBlocks {
    std::string m_strName;
    std::string m_strComment;
    std::vector<std::size_t> m_vecBlocks;
};

// Where a key stands in its section: the lines that name it.
struct st_KeyLines {
    std::size_t m_nFirst = std::string::npos; // the first line that names it; npos: none
    std::size_t m_nLast = std::string::npos;  // the last line that stores in it
    std::string_view m_strName;               // as the first line spells it
    std::string_view m_strValue;              // the value the last line stores
};

class IniText {
public:
    // Called with each key of a section once, in file order: the first spelling, the last value,
    // the comment lines above every line that stores in it (only when asked for).
    using KeyVisit = std::function<void(std::string_view name, std::string_view value,
                                        const std::string& comment)>;

    // An empty text, with the unnamed section.
    IniText() : IniText(FileText(), true, 0) {}
    // Reads the text. The unnamed section is one of its sections when unnamed is set or key
    // lines stand before its first header. The version tells texts of one document apart.
    IniText(FileText text, bool unnamed, std::size_t version);

    // Return the text whole, and its lines: the text without its byte order mark, where the
    // positions of lines and edits count.
    std::string_view Whole() const { return m_text.View(); }
    std::string_view Lines() const;
    // Whether the text began with a byte order mark; whether it holds a NUL byte.
    bool HasByteOrderMark() const { return m_bByteOrderMark; }
    bool HasNul() const { return m_bNul; }
    // Whether a header or a key line stands in the text.
    bool HoldsItems() const {
        return m_vecBlocks.size() > 1 || HasKeyLine(0, m_vecBlocks[0].m_nEnd);
    }
    // Whether the text was read with the unnamed section; which version of its document it is.
    bool HasUnnamed() const { return m_bUnnamed; }
    std::size_t Version() const { return m_nVersion; }

    // Return the sections in file order, and the section of the name (letter case aside) or null.
    const std::deque<st_SectionBlocks>& Sections() const { return m_sections; }
    const st_SectionBlocks* FindSection(std::string_view name) const;
    const st_Block& Block(std::size_t index) const { return m_vecBlocks[index]; }
    const st_Block& LastBlock() const { return m_vecBlocks.back(); }

    // Returns what the line starting at the position means, and where the next line starts.
    st_IniLine ClassifyAt(std::size_t start, std::size_t* next = nullptr) const;
    // Returns where the line above the one starting at the position starts (0 for the first).
    std::size_t LineAbove(std::size_t position) const;
    // Returns where the lines that the line starting at the position owns start: back to a key
    // line or a header that makes its section, passing headers of sections that stood before.
    std::size_t OwnedFrom(std::size_t line) const;
    // Returns the comment lines that the line starting at the position owns, each behind a "\n".
    std::string CommentAbove(std::size_t line) const;

    // Return the lines of the key in the section; the comment lines above each line that stores
    // in it, in file order; the value a get answers: that of the last line that stores in it.
    st_KeyLines KeyLines(const st_SectionBlocks& section, std::string_view key) const;
    std::string KeyComment(const st_SectionBlocks& section, std::string_view key) const;
    std::string_view Value(const st_SectionBlocks& section, std::string_view key) const;
    // Calls visit for each key of the section, the comments only withComments.
    void ForEachKey(const st_SectionBlocks& section, bool withComments,
                    const KeyVisit& visit) const;
    // Calls visit(line, start) for each line of the section that names a key, or the key, in
    // file order.
    template <class Visit>
    void ForEachKeyLine(const st_SectionBlocks& section, Visit&& visit) const;
    template <class Visit>
    void ForEachLineOf(const st_SectionBlocks& section, std::string_view key, Visit&& visit) const;

    // Returns where new lines of the block go: after its last key line, before the empty and
    // comment lines that lead to what follows.
    std::size_t InsertPoint(const st_Block& block) const;
    // Returns the line end of the line above the position, or of the first line; "\n" where the
    // text has none.
    std::string LineEndAt(std::size_t position) const;
    // Whether an empty line stands above the position, past the comment lines from droppedFrom on
    // (those a change drops).
    bool EmptyAbove(std::size_t position, std::size_t droppedFrom) const;

private:
    template <class Visit> void ForEachLine(const st_SectionBlocks& section, Visit&& visit) const;
    std::size_t NextHeader(std::size_t from) const;
    void AddBlock(std::size_t header);
    bool HasKeyLine(std::size_t from, std::size_t to) const;
    bool IsRepeatedHeader(std::size_t start) const;
    // A line's meaning, read up to a NUL byte.
    st_IniLine Classify(std::string_view line) const;

    FileText m_text;
    bool m_bByteOrderMark;
    bool m_bNul;
    bool m_bUnnamed;
    std::size_t m_nVersion;
    std::vector<st_Block> m_vecBlocks;
    std::deque<st_SectionBlocks> m_sections; // a deque: the index views their names
    NameMap m_index;
};

// Lines are cut at their line feeds only: visit classifies those it needs.
template <class Visit>
void IniText::ForEachLine(const st_SectionBlocks& section, Visit&& visit) const {
    const std::string_view lines = Lines();
    for (std::size_t index : section.m_vecBlocks) {
        const st_Block& block = m_vecBlocks[index];
        for (std::size_t start = block.m_nBody; start < block.m_nEnd;) {
            const std::size_t end = LineEnd(lines, start);
            visit(lines.substr(start, end - start), start);
            start = end + 1;
        }
    }
}

template <class Visit>
void IniText::ForEachKeyLine(const st_SectionBlocks& section, Visit&& visit) const {
    ForEachLine(section, [&](std::string_view line, std::size_t start) {
        const st_IniLine meaning = Classify(line);
        if (IsKeyLine(meaning))
            visit(meaning, start);
    });
}

// Most lines of a large section are passed without classifying them.
template <class Visit>
void IniText::ForEachLineOf(const st_SectionBlocks& section, std::string_view key,
                            Visit&& visit) const {
    ForEachLine(section, [&](std::string_view line, std::size_t start) {
        if (!MayName(line, key))
            return;
        const st_IniLine meaning = Classify(line);
        if (IsKeyLine(meaning) && EqualsNoCase(meaning.m_strText, key))
            visit(meaning, start);
    });
}

#endif
