// Small conversions and checks on narrow strings: upper-casing with the ISO 8859-1 letters,
// digit checks, table lookup, a bit dump of a number and the splitting of a parameter list.
#ifndef VORNEL_HOST_STRUTILS_H
#define VORNEL_HOST_STRUTILS_H

#include <cstdint>
#include <string>
#include <vector>

extern const char* const strValidNameItem[38];

// Upper-case the text in place (a sharp s becomes "SS"), or return the character upper-cased.
void to_upper(std::string& text);
char to_upper(char c);
// Writes the value in decimal, hexadecimal and its low 32 bits, under the title, to stderr.
void print_binary(std::int64_t value, const std::string& title);
// Whether every character of the text is a decimal digit, or with hex an upper-case hex digit.
bool is_number_ok(const std::string& text, bool hex);
// Returns the index of the first of count table entries equal to the text, or -1.
int get_arr_idx(const std::string& text, const char* const* table, int count);
// Returns the non-empty pieces of the text between any of the separator characters.
std::vector<std::string> get_multi_params(const std::string& text, const std::string& separators);

#endif
