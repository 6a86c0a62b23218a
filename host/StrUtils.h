// Small conversions and checks on narrow strings: upper-casing with the ISO 8859-1 letters,
// digit checks, table lookup, a bit dump of a number and the splitting of a parameter list.
#ifndef VORNEL_HOST_STRUTILS_H
#define VORNEL_HOST_STRUTILS_H

#include <cstdint>
#include <string>
#include <vector>

extern const char* const strValidNameItem[38];

void to_upper(std::string& text);
char to_upper(char c);
void print_binary(std::int64_t value, const std::string& title);
bool is_number_ok(const std::string& text, bool hex);
int get_arr_idx(const std::string& text, const char* const* table, int count);
std::vector<std::string> get_multi_params(const std::string& text, const std::string& separators);

#endif
