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
    std::string oks;
    for (const char* text : {"", "0123", "1F", "1f", "-1", "1.5"})
        oks += std::to_string(is_number_ok(text, false)) + std::to_string(is_number_ok(text, true));
    EXPECT_EQ(oks, "111101000000");
    const char* const table[] = {"a", "", "b", "b"};
    EXPECT_EQ(
        (std::vector<int>{get_arr_idx("x", nullptr, 3), get_arr_idx(";", strValidNameItem, 37),
                          get_arr_idx("~", strValidNameItem, 36),
                          get_arr_idx("", strValidNameItem, 38), get_arr_idx("b", table, 4)}),
        (std::vector<int>{-1, 21, -1, 37, 2}));
    EXPECT_EQ(get_multi_params("a,,b,", ","), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(get_multi_params("a b;c", " ;"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(get_multi_params("a,b", ""), (std::vector<std::string>{"a,b"}));
}
