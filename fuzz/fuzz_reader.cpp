// Arbitrary bytes as INI text: reading must not crash, and the tool's own output must read
// back to the same document (writing it again gives the same text).
#include "ini/CDataFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDataFile::m_bReport = false;
    CDataFile first;
    first.ReadText(std::string(reinterpret_cast<const char*>(data), size));
    const std::string written = first.ToText();
    CDataFile second;
    second.ReadText(written);
    if (second.ToText() != written)
        std::abort();
    return 0;
}
