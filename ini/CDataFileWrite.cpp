// Writing the document as INI text: the text read, each line as it stood, but the lines of the
// items that changed; what calls made, in the tool's own layout.
#include "ini/CDataFile.h"

#include "host/FileIO.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

const std::string kMark = CommentIndicators.substr(0, 1) + " "; // before a line that lacks one
constexpr std::size_t kChunk = 64 * 1024; // what a save holds before passing it on: no copy

// Calls handle with each line of the text: what stands between its line feeds.
template <class Handler> void for_each_line(std::string_view text, Handler handle) {
    for (std::size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
        end = text.find('\n', start);
        handle(text.substr(start, end - start));
    }
}

bool ends_with_empty_line(const std::string& out) {
    return out == "\n" || (out.size() >= 2 && out.compare(out.size() - 2, 2, "\n\n") == 0);
}

// What an item does to the lines that wait for it: they stay; their comment lines give way to a
// new comment; or they go with it, with the comment and empty lines after the last that stays.
enum e_Fate { e_Keep, e_NewComment, e_Drop };

} // namespace

// Walks the text's lines as the reader does, block by block. Lines that store nothing wait for
// the next item (a key line that stores, a header that makes a section), which settles them. New
// keys go at the end of their section's last block, new sections at the end of the text, each
// before the empty and comment lines that lead to what follows.
class TextWriter {
public:
    TextWriter(const CDataFile& document, std::string& out, const TextSink* sink)
        : m_document(document), m_out(out), m_sink(sink) {}

    // Writes the text to out, or with a sink through out to it; false when it refused a piece.
    bool Write() {
        if (const t_Section unnamed = Unnamed())
            AppendComment(unnamed->m_strComment);
        const std::string_view lines = m_document.Lines();
        ReadLines(lines, lines.find('\0') != std::string_view::npos, [this](const st_IniLine& l) {
            if (l.m_eKind == e_LineHeader)
                TakeHeader(l);
            else if (l.m_eKind == e_LineKey || l.m_eKind == e_LineEmptyValue)
                TakeKeyLine(l);
            else
                m_waiting.push_back(l);
            return e_ReadNext;
        });
        EndBlock();
        WriteUpToTrailingLines();
        for (const t_Section& section : m_document.m_vecSections) {
            if (section->m_nLastBlock == kNoBlock)
                AppendNewSection(*section);
        }
        Settle(e_Keep, "");
        return Pass(true);
    }

private:
    // Passes what is written to the sink, what starts the text first; all, or all but the two
    // bytes that tell whether it ends in an empty line.
    bool Pass(bool all) {
        if (!all && (!m_sink || m_out.size() < kChunk))
            return m_bPassed;
        if (!std::exchange(m_bStarted, true))
            m_out.insert(0, m_document.TextStart(m_out));
        if (!m_sink)
            return true;
        const std::size_t passed = all ? m_out.size() : m_out.size() - 2;
        m_bPassed = m_bPassed && (*m_sink)(std::string_view(m_out).substr(0, passed));
        m_out.erase(0, passed);
        return m_bPassed;
    }

    // A repeated header waits with the lines around it, as the reader passes it over.
    void TakeHeader(const st_IniLine& line) {
        EndBlock();
        const st_Block& block = m_document.m_vecBlocks.at(++m_nBlock);
        if (!block.m_bCreates && !block.m_bRemoved)
            m_waiting.push_back(line);
        if (!block.m_bCreates)
            return;
        const st_section& section = *block.m_section;
        Settle(block.m_bRemoved        ? e_Drop
               : section.m_bCommentSet ? e_NewComment
                                       : e_Keep,
               section.m_strComment);
        if (!block.m_bRemoved)
            AppendRaw(line.m_strLine);
    }

    // The keys of an unread section are unchanged; only a line without a value needs them read,
    // to tell whether it made its key.
    void TakeKeyLine(const st_IniLine& line) {
        const st_Block& block = m_document.m_vecBlocks.at(m_nBlock);
        const st_section& section = *block.m_section;
        const bool unread = !section.m_unreadLines.empty();
        if (unread && line.m_eKind == e_LineKey && !block.m_bRemoved) {
            Settle(e_Keep, "");
            return AppendRaw(line.m_strLine);
        }
        const t_Key key = block.m_bRemoved ? t_Key() : KeysOf(section).FindKey(line.m_strText);
        if (!key || !key->m_pLastLine)
            return TakeGoneKeyLine(line, section);
        const char* start = line.m_strLine.data();
        if (line.m_eKind == e_LineEmptyValue && start != key->m_pFirstLine)
            return m_waiting.push_back(line);
        const bool last = start == key->m_pLastLine;
        Settle(last && key->m_bCommentSet ? e_NewComment : e_Keep, key->m_strComment);
        if (!last || key->m_strValue == line.m_strValue)
            return AppendRaw(line.m_strLine);
        // The changed line keeps what stands before the name, and the name as spelled there.
        m_out.append(line.m_strLine.substr(0, line.m_strText.data() - start))
            .append(line.m_strText);
        m_out.append(1, EqualIndicators.front()).append(key->m_strValue).append(1, '\n');
    }

    // Every line of a deleted key or section goes: one that stored in the key with its comment
    // lines; one without a value after such a line alone, as the comment lines above it belong
    // to the next item (left, it could make the key again, or one of another section).
    void TakeGoneKeyLine(const st_IniLine& line, const st_section& section) {
        std::string name(line.m_strText);
        std::transform(name.begin(), name.end(), name.begin(), LowerAscii);
        const bool held = !m_gone.emplace(&section, std::move(name)).second;
        if (StoresInKey(line, held))
            Settle(e_Drop, "");
    }

    const st_section& KeysOf(const st_section& section) {
        if (section.m_unreadLines.empty())
            return section;
        if (m_pScratchOf != &section)
            CDataFile::KeysOf(section, m_scratch);
        m_pScratchOf = &section;
        return m_scratch;
    }

    void Settle(e_Fate fate, const std::string& comment) {
        std::size_t end = m_waiting.size();
        while (fate == e_Drop && end > 0 &&
               (m_waiting[end - 1].m_eKind == e_LineEmpty ||
                m_waiting[end - 1].m_eKind == e_LineComment))
            --end;
        for (std::size_t i = 0; i < end; ++i) {
            if (fate == e_Keep || m_waiting[i].m_eKind != e_LineComment)
                AppendRaw(m_waiting[i].m_strLine);
        }
        m_waiting.clear();
        if (fate == e_NewComment)
            AppendComment(comment);
    }

    t_Section Unnamed() const {
        return m_document.m_sectionIndex.Find("", m_document.m_vecSections);
    }

    // The section whose last block ends here; the first block's is the unnamed section unless a
    // "[]" header stands later.
    const st_section* BlockOwner() const {
        const t_Section owner =
            m_nBlock == 0 ? Unnamed() : m_document.m_vecBlocks[m_nBlock].m_section;
        const bool here = owner && owner->m_nLastBlock == m_nBlock &&
                          (m_nBlock == 0 || !m_document.m_vecBlocks[m_nBlock].m_bRemoved);
        return here ? owner.get() : nullptr;
    }

    void EndBlock() {
        const st_section* owner = BlockOwner();
        if (!owner)
            return;
        for (const t_Key& key : owner->Keys()) {
            if (!key->m_pLastLine && !key->m_strName.empty()) {
                WriteUpToTrailingLines();
                AppendNewKey(*key);
            }
        }
    }

    // Writes the waiting lines of the block up to the empty and comment lines that lead to what
    // follows: up to its first comment line, less the empty lines just before that.
    void WriteUpToTrailingLines() {
        std::size_t from = m_waiting.size();
        while (from > 0 && m_waiting[from - 1].m_eKind != e_LineHeader)
            --from;
        std::size_t split = from;
        while (split < m_waiting.size() && m_waiting[split].m_eKind != e_LineComment)
            ++split;
        while (split > from && m_waiting[split - 1].m_eKind == e_LineEmpty)
            --split;
        for (std::size_t i = 0; i < split; ++i)
            AppendRaw(m_waiting[i].m_strLine);
        m_waiting.erase(m_waiting.begin(), m_waiting.begin() + static_cast<std::ptrdiff_t>(split));
    }

    // The line as it stood, with an LF line end: CRs before the line feed would read back as one.
    void AppendRaw(std::string_view line) {
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_out.append(line).append(1, '\n');
        Pass(false);
    }

    // A comment in the layout: an empty line (unless one stands there), then its lines.
    void AppendComment(const std::string& comment) {
        if (comment.empty())
            return;
        if (!ends_with_empty_line(m_out))
            m_out += '\n';
        AppendLine(m_out, m_document.CommentStr(comment, false));
    }

    void AppendNewKey(const st_key& key) {
        AppendComment(key.m_strComment);
        AppendLine(m_out, key.m_strName + EqualIndicators.front() + key.m_strValue);
    }

    void AppendNewSection(const st_section& section) {
        AppendComment(section.m_strComment);
        if (section.m_strComment.empty() && !ends_with_empty_line(m_out))
            m_out += '\n';
        AppendLine(m_out, "[" + section.m_strName + "]");
        for (const t_Key& key : section.Keys()) {
            if (!key->m_strName.empty())
                AppendNewKey(*key);
        }
    }

    const CDataFile& m_document;
    std::string& m_out;
    const TextSink* m_sink;
    bool m_bStarted = false;
    bool m_bPassed = true;
    std::size_t m_nBlock = 0;
    std::vector<st_IniLine> m_waiting;
    // By section and lower-case name: the deleted keys that lines named so far.
    std::set<std::pair<const st_section*, std::string>> m_gone;
    st_section m_scratch;
    const st_section* m_pScratchOf = nullptr;
};

void AppendLine(std::string& out, const std::string& text) {
    out += text;
    if (text.empty() || (text.back() != '\n' && text.back() != '\r'))
        out += '\n';
}

std::string CommentLines(const std::string& text) {
    std::string lines;
    for_each_line(text, [&](std::string_view line) {
        line = TrimWhite(line);
        if (line.empty())
            return;
        lines += '\n';
        if (!IsCommentLine(line))
            lines += kMark;
        lines.append(line);
    });
    return lines;
}

void RemoveCommentIndicators(std::string& text) {
    const std::string set = CommentIndicators + WhiteSpace;
    const std::size_t first = text.find_first_not_of(set);
    text = first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(set) - first + 1);
}

// Only the first line is trimmed whole; a later line without an indicator would be read back
// as a key or a header, and gets one.
std::string CDataFile::CommentStr(const std::string& comment, bool removeIndicators) const {
    std::string trimmed = comment;
    Trim(trimmed);
    std::string result;
    for_each_line(trimmed, [&](std::string_view line) {
        if (line.data() != trimmed.data())
            result += '\n';
        if (!ReadsAsComment(line))
            result += kMark;
        result.append(line);
    });
    if (removeIndicators)
        RemoveCommentIndicators(result);
    return result;
}

std::string CDataFile::ToText() const {
    std::string out;
    ReserveText(out);
    TextWriter(*this, out, nullptr).Write();
    return out;
}

// Keys live in sections: a document without sections has nothing to save.
bool CDataFile::Save() {
    if (SectionCount() == 0) {
        Report(e_Info, "[CDataFile::Save] Nothing to save.");
        return false;
    }
    if (m_strFileName.empty()) {
        Report(e_Error, "[CDataFile::Save] No filename has been set.");
        return false;
    }
    const auto text = [this](const TextSink& sink) {
        std::string out;
        return TextWriter(*this, out, &sink).Write();
    };
    if (!replace_file(m_strFileName, text)) {
        Report(e_Error, "[CDataFile::Save] Unable to save file.");
        return false;
    }
    m_bDirty = false;
    return true;
}
