// Arbitrary bytes as INI text. Reading must not crash; a fresh document, which defers the keys
// of its sections and finds a value in their unread lines, and one that reads every line at
// once (after a NUL byte) must give every key the same value and write the same text; and the
// tool's own output must read back to the same document (writing it again gives the same text).
#include "ini/CDataFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// Every key line of the text, asked of both documents.
void check_values(const CDataFile& deferred, const CDataFile& atOnce, std::string_view text) {
    std::string section; // lines before the first header
    ReadLines(text, text.find('\0') != std::string_view::npos, [&](const st_IniLine& line) {
        if (line.m_eKind == e_LineHeader)
            section = HeaderName(line.m_strText);
        else if (line.m_eKind == e_LineKey)
            check(deferred.GetValue(std::string(line.m_strText), section) ==
                  atOnce.GetValue(std::string(line.m_strText), section));
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
    atOnce.ReadText(text + "\n" + std::string(1, '\0')); // a NUL byte: all read at once
    const std::string written = deferred.ToText();
    check(atOnce.ToText() == written);
    check_values(deferred, atOnce, text);
    CDataFile again;
    again.ReadText(written);
    check(again.ToText() == written);
    return 0;
}
