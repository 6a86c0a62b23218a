// Arbitrary argument vectors (NUL-separated words, the first byte choosing key folding): the
// argument map must not crash and must keep its invariants.
#include "args/AppArgs.h"
#include "tool/ToolOptions.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool caseSensitive = data[0] & 1;
    std::vector<std::string> words(1, "vornel");
    words.emplace_back();
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);
    CAppArgs args(static_cast<int>(words.size()), argv.data(), caseSensitive);

    const auto map = args.GetArgMap();
    check(static_cast<int>(map.size()) == args.NumArgs());
    for (const auto& pair : map) {
        check(pair.first.size() == 1 && std::isalpha(static_cast<unsigned char>(pair.first[0])));
        check(caseSensitive || std::isupper(static_cast<unsigned char>(pair.first[0])));
        check(args.HasKey(pair.first));
        std::string value;
        check(args.GetValue(value, pair.first, true) == !pair.second.empty());
        check(pair.second.empty() || args.HasValue(pair.first, pair.second));
    }
    const std::string unknown = args.CheckArgsValid(valid_option_keys());
    check(unknown.empty() || map.count(unknown) == 1);
    return 0;
}
