// Arbitrary bytes as INI text. Reading must not crash; a fresh document, which defers the keys
// of its sections, and one that reads every line at once must give every key the value that
// the text gives it without a document, and the same written text; and the tool's own output
// must read back to the same document (writing it again gives the same text).
#include "ini/CDataFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// Every key of the document, as the one-value reader finds it in the text.
void check_values(const CDataFile& document, std::string_view lines, bool hasNul) {
    std::string section; // lines before the first header
    ReadLines(lines, hasNul, [&](const st_IniLine& line) {
        if (line.m_eKind == e_LineHeader)
            section = HeaderName(line.m_strText);
        else if (line.m_eKind == e_LineKey)
            check(document.GetValue(std::string(line.m_strText), section) ==
                  FindValue(lines, hasNul, std::string(line.m_strText), section));
        return e_ReadNext;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDataFile::m_bReport = false;
    const std::string text(reinterpret_cast<const char*>(data), size);
    CDataFile deferred;
    deferred.ReadText(text);
    CDataFile atOnce;
    atOnce.SetValue("\x01", "1", "", "");
    atOnce.ReadText(text);
    atOnce.DeleteKey("\x01", "");
    const std::string written = deferred.ToText();
    check(text.find('\x01') != std::string::npos || atOnce.ToText() == written);
    const bool mark = text.rfind("\xEF\xBB\xBF", 0) == 0;
    const std::string_view lines = std::string_view(text).substr(mark ? 3 : 0);
    check_values(deferred, lines, text.find('\0') != std::string::npos);
    CDataFile again;
    again.ReadText(written);
    check(again.ToText() == written);
    return 0;
}
