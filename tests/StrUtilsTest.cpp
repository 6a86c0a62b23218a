#include "host/StrUtils.h"

#include <gtest/gtest.h>

TEST(StrUtils, ToUpper_MapsUmlautsAndGrowsForSharpS) {
    std::string text = "f\xFC\xDF"
                       "a\xE4\xF6z1\xE9@[`{";
    to_upper(text);
    EXPECT_EQ(text + to_upper('\xDF') + to_upper('\xFC') + to_upper('q'),
              "F\xDCSSA\xC4\xD6Z1\xE9@[`{\xDF\xDCQ");
}

TEST(StrUtils, PrintBinary_ShowsTheValueInDecimalHexAndBits) {
    ::testing::internal::CaptureStderr();
    print_binary(10, "x");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "x\n-\ndec:\t10\nhex:\ta\nbit:\t|0000'0000|0000'0000|0000'0000|0000'1010|\n\n");
}

// Each row: the text, and whether it is a decimal and an upper-case hexadecimal number.
TEST(StrUtils, IsNumberOk_TakesDigitsOnly) {
    const std::tuple<const char*, bool, bool> numbers[] = {
        {"", true, true},     {"0123", true, true}, {"1F", false, true},
        {"1f", false, false}, {"-1", false, false}, {"1.5", false, false}};
    for (const auto& [text, decimal, hex] : numbers)
        EXPECT_EQ(std::pair(is_number_ok(text, false), is_number_ok(text, true)),
                  std::pair(decimal, hex))
            << text;
}

// Each row: the text, the table and how many of its entries are looked at, and the index found.
TEST(StrUtils, GetArrIdx_FindsTheFirstEntryOfTheText) {
    const char* const table[] = {"a", "", "b", "b"};
    const std::tuple<const char*, const char* const*, int, int> rows[] = {
        {"x", nullptr, 3, -1}, {"b", table, 4, 2}, {"b", table, 2, -1}, {"", table, 4, 1}};
    for (const auto& [text, entries, count, index] : rows)
        EXPECT_EQ(get_arr_idx(text, entries, count), index) << text << " of " << count;
}

TEST(StrUtils, GetMultiParams_DropsEmptyParameters) {
    EXPECT_EQ(get_multi_params("a,,b,", ","), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(get_multi_params("a,b", ""), (std::vector<std::string>{"a,b"}));
}
