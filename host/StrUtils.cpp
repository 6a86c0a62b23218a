#include "host/StrUtils.h"

#include "text/StlStrSplitter.h"

#include <cstring>
#include <iostream>

// A table of character sets: the classes first, then one punctuation character each.
// clang-format off
const char* const strValidNameItem[38] = {
    " \t", "0123456789", "0123456789ABCDEF",
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz",
    "!", "\"", "#", "$", "%", "&", "'", "(", ")", "*", "+", ",", "-", ".", "/", ":", ";", "<",
    "=", ">", "?", "@", "[", "\\", "]", "^", "_", "\xB4", "{", "|", "}", "~", ""};
// clang-format on

// The C locale changes only a to z; the three ISO 8859-1 umlauts, which stand 0x20 above their
// capitals as ASCII letters do, are upper-cased as well.
char to_upper(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    const bool umlaut = byte == 0xE4 || byte == 0xF6 || byte == 0xFC;
    return umlaut || (c >= 'a' && c <= 'z') ? static_cast<char>(byte - 0x20) : c;
}

void to_upper(std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) == 0xDF) { // sharp s
            text.replace(i, 1, "SS");
            ++i;
        } else {
            text[i] = to_upper(text[i]);
        }
    }
}

void print_binary(std::int64_t value, const std::string& title) {
    if (!title.empty()) {
        std::cerr << title << std::endl;
        std::cerr << std::string(title.size(), '-') << std::endl;
    }
    std::cerr << "dec:\t" << value << std::endl;
    std::cerr << "hex:\t" << std::hex << static_cast<std::uint64_t>(value) << std::dec << std::endl;
    std::string bits = "bit:\t";
    for (int bit = 31; bit >= 0; --bit) {
        bits += bit % 8 == 7 ? "|" : bit % 8 == 3 ? "'" : "";
        bits += ((static_cast<std::uint64_t>(value) >> bit) & 1u) ? '1' : '0';
    }
    std::cerr << bits << '|' << std::endl;
    std::cerr << std::endl;
}

bool is_number_ok(const std::string& text, bool hex) {
    const char* digits = strValidNameItem[hex ? 2 : 1];
    return text.find_first_not_of(digits) == std::string::npos;
}

int get_arr_idx(const std::string& text, const char* const* table, int count) {
    if (!table || count <= 0)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (std::strlen(table[i]) == text.size() && text == table[i])
            return i;
    }
    return -1;
}

std::vector<std::string> get_multi_params(const std::string& text, const std::string& separators) {
    std::vector<std::string> pieces;
    CStlStrSplitterA splitter(separators.c_str(), text, pieces, nullptr, false);
    return pieces;
}
