// Arbitrary bytes as INI text, with a change picked by the first byte: reading must not crash,
// and the properties of fuzz/ReaderProperties.h must hold.
#include "fuzz/ReaderProperties.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace reader_properties;
    const int pick = size ? data[0] : 0;
    const std::size_t names = std::size(kNames);
    const auto change = static_cast<e_Change>(pick & 3);
    if (!hold(std::string(reinterpret_cast<const char*>(data), size), change, kNames[size % names],
              kNames[(pick >> 2) % names]))
        std::abort();
    return 0;
}
