#include "host/StrUtils.h"

#include <gtest/gtest.h>

TEST(StrUtils, ToUpperMapsUmlautsAndGrowsForSharpS) {
    std::string text = "f\xFC\xDF"
                       "a\xE4\xF6z1\xE9@[`{";
    to_upper(text);
    EXPECT_EQ(text, "F\xDCSSA\xC4\xD6Z1\xE9@[`{");
    EXPECT_EQ(std::string() + to_upper('\xDF') + to_upper('\xFC') + to_upper('q'), "\xDF\xDCQ");
}

TEST(StrUtils, NumbersBinaryTablesAndParameterLists) {
    ::testing::internal::CaptureStderr();
    print_binary(10, "x");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "x\n-\ndec:\t10\nhex:\ta\nbit:\t|0000'0000|0000'0000|0000'0000|0000'1010|\n\n");
    // text, a decimal number, a hexadecimal number
    const std::tuple<const char*, bool, bool> numbers[] = {
        {"", true, true},     {"0123", true, true}, {"1F", false, true},
        {"1f", false, false}, {"-1", false, false}, {"1.5", false, false}};
    for (const auto& [text, decimal, hexadecimal] : numbers) {
        EXPECT_EQ(is_number_ok(text, false), decimal) << text;
        EXPECT_EQ(is_number_ok(text, true), hexadecimal) << text;
    }
    const char* const table[] = {"a", "", "b", "b"};
    EXPECT_EQ(
        (std::vector<int>{get_arr_idx("x", nullptr, 3), get_arr_idx(";", strValidNameItem, 37),
                          get_arr_idx("~", strValidNameItem, 36),
                          get_arr_idx("", strValidNameItem, 38), get_arr_idx("b", table, 4)}),
        (std::vector<int>{-1, 21, -1, 37, 2}));
    EXPECT_EQ(get_multi_params("a,,b,", ","), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(get_multi_params("a,b", ""), (std::vector<std::string>{"a,b"}));
}
