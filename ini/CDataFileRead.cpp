// Reading INI text into the document, line by line.
#include "ini/CDataFile.h"

#include "host/FileIO.h"

#include <cstring>
#include <string_view>

namespace {

const std::string kTrimSet = WhiteSpace + EqualIndicators;

std::string_view trim_front(std::string_view text, const std::string& set) {
    const std::size_t first = text.find_first_not_of(set);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view trim_back(std::string_view text, const std::string& set) {
    const std::size_t last = text.find_last_not_of(set);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

} // namespace

void Trim(std::string& text) {
    const std::string_view trimmed = trim_back(trim_front(text, kTrimSet), kTrimSet);
    text = std::string(trimmed);
}

std::string GetNextWord(std::string& line) {
    const std::size_t separator = line.find_first_of(EqualIndicators);
    std::string word = line.substr(0, separator);
    line = separator == std::string::npos ? std::string() : line.substr(separator + 1);
    Trim(word);
    return word;
}

// Turns INI text into sections and keys. A comment belongs to the next key stored or section
// created; repeated headers and keys merge into their first occurrence.
class IniReader {
public:
    explicit IniReader(CDataFile& document) : m_document(document) {}

    void Read(std::string_view text) {
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            HandleLine(text.substr(0, end));
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        }
    }

private:
    void HandleLine(std::string_view line) {
        line = line.substr(0, line.find('\0'));
        line = trim_front(line, kTrimSet);
        if (line.empty())
            return;
        if (CommentIndicators.find(line.front()) != std::string::npos)
            HandleComment(trim_back(line, kTrimSet));
        else if (line.front() == '[')
            HandleHeader(trim_back(line, kTrimSet));
        else
            HandleKey(trim_back(line, WhiteSpace)); // a value keeps "=" and ":" at its end
    }

    void HandleComment(std::string_view line) {
        m_strPending += '\n';
        m_strPending.append(line);
    }

    // The name runs from after "[" to the last "]"; a header without "]" names the rest.
    void HandleHeader(std::string_view line) {
        std::string name(line.substr(1));
        const std::size_t close = name.rfind(']');
        if (close != std::string::npos)
            name.erase(close, 1);
        m_current = m_document.GetSection(name);
        if (m_current) {
            CDataFile::ReportSectionExists(name);
        } else {
            m_current = m_document.AppendSection(name, m_strPending);
            m_document.m_bDirty = true;
        }
        m_strPending.clear();
    }

    void HandleKey(std::string_view line) {
        const std::size_t separator = line.find_first_of(EqualIndicators);
        if (separator == std::string_view::npos)
            return;
        const std::string_view value = line.substr(separator + 1);
        std::string key(line.substr(0, separator));
        Trim(key);
        if (key.empty() || value.empty())
            return;
        StoreKey(key, std::string(value));
        m_strPending.clear();
    }

    void StoreKey(const std::string& key, const std::string& value) {
        if (!m_current)
            m_current = CurrentUnnamedSection();
        if (t_Key existing = m_current->m_keyIndex.Find(key)) {
            existing->m_strValue = value;
            existing->m_strComment = m_strPending;
        } else {
            m_document.StoreKey(*m_current, key, value, m_strPending);
        }
        m_document.m_bDirty = true;
    }

    // Keys before the first header go to the section without a name, made if there is none.
    t_Section CurrentUnnamedSection() {
        if (t_Section unnamed = m_document.GetSection(""))
            return unnamed;
        m_document.m_bDirty = true;
        return m_document.AppendSection("", "");
    }

    CDataFile& m_document;
    t_Section m_current;
    std::string m_strPending;
};

bool CDataFile::Load(const std::string& fileName, bool adoptName) {
    std::string text;
    if (!read_regular_file(fileName, text)) {
        if (adoptName)
            SetFileName(fileName);
        else
            Report(e_Info, "[CDataFile::Load] Unable to open file. Does it exist?");
        return false;
    }
    ReadText(text);
    SetFileName(fileName);
    return true;
}

void CDataFile::ReadText(const std::string& text) {
    IniReader(*this).Read(text);
    m_bBinary = m_bBinary || text.find('\0') != std::string::npos;
}
