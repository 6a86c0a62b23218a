// Arbitrary bytes as INI text: reading must not crash, a value found in the unparsed text
// must be the value of the parsed document, and the tool's own output must read back to the
// same document (writing it again gives the same text).
#include "ini/CDataFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class Document : public CDataFile {
public:
    const SectionList& Sections() const { return m_vecSections; }
};

void check(bool condition) {
    if (!condition)
        std::abort();
}

// Every key of the parsed document, asked of a document that has not parsed the text.
void check_values(const std::string& text, const Document& parsed) {
    Document lazy;
    lazy.ReadText(text);
    for (const t_Section& section : parsed.Sections()) {
        for (const t_Key& key : section->m_vecKeys)
            check(lazy.GetValue(key->m_strName, section->m_strName) == key->m_strValue);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDataFile::m_bReport = false;
    const std::string text(reinterpret_cast<const char*>(data), size);
    Document first;
    first.ReadText(text);
    const std::string written = first.ToText();
    check_values(text, first);
    Document second;
    second.ReadText(written);
    check(second.ToText() == written);
    return 0;
}
