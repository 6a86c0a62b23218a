#include "host/StrUtils.h"

#include <gtest/gtest.h>

TEST(StrUtils, ToUpperMapsUmlautsAndGrowsForSharpS) {
    std::string text = "f\xFC\xDF"
                       "a\xE4\xF6z1\xE9";
    to_upper(text);
    EXPECT_EQ(text, "F\xDCSSA\xC4\xD6Z1\xE9");
    EXPECT_EQ(to_upper('\xDF'), '\xDF');
    EXPECT_EQ(to_upper('\xFC'), '\xDC');
    EXPECT_EQ(to_upper('q'), 'Q');
    EXPECT_EQ(to_upper('#'), '#');
}

TEST(StrUtils, PrintBinaryWritesItsExactLines) {
    ::testing::internal::CaptureStderr();
    print_binary(255, "x");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "x\n-\ndec:\t255\nhex:\tff\nbit:\t|0000'0000|0000'0000|0000'0000|1111'1111|\n\n");
    ::testing::internal::CaptureStderr();
    print_binary(-1, "");
    EXPECT_EQ(
        ::testing::internal::GetCapturedStderr(),
        "dec:\t-1\nhex:\tffffffffffffffff\nbit:\t|1111'1111|1111'1111|1111'1111|1111'1111|\n\n");
    ::testing::internal::CaptureStderr();
    print_binary(10, "ten");
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(
                  "bit:\t|0000'0000|0000'0000|0000'0000|0000'1010|\n"),
              std::string::npos);
}

TEST(StrUtils, IsNumberOkChecksEveryCharacter) {
    EXPECT_TRUE(is_number_ok("", false));
    EXPECT_TRUE(is_number_ok("", true));
    EXPECT_TRUE(is_number_ok("0123", false));
    EXPECT_FALSE(is_number_ok("1F", false));
    EXPECT_TRUE(is_number_ok("1F", true));
    EXPECT_FALSE(is_number_ok("1f", true));
    EXPECT_FALSE(is_number_ok("-1", false));
    EXPECT_FALSE(is_number_ok("1.5", false));
}

TEST(StrUtils, GetArrIdxFindsTheFirstEqualEntryWithinTheCount) {
    EXPECT_EQ(get_arr_idx("x", nullptr, 3), -1);
    EXPECT_EQ(get_arr_idx("x", strValidNameItem, 0), -1);
    EXPECT_EQ(get_arr_idx(";", strValidNameItem, 37), 21);
    EXPECT_EQ(get_arr_idx("\xB4", strValidNameItem, 37), 32);
    EXPECT_EQ(get_arr_idx("~", strValidNameItem, 36), -1);
    EXPECT_EQ(get_arr_idx("", strValidNameItem, 38), 37);
    const char* const table[] = {"a", "", "b", "b"};
    EXPECT_EQ(get_arr_idx("b", table, 4), 2);
    EXPECT_EQ(get_arr_idx("B", table, 4), -1);
}

TEST(StrUtils, ValidNameTableHoldsItsSetsInOrder) {
    EXPECT_STREQ(strValidNameItem[0], " \t");
    EXPECT_STREQ(strValidNameItem[2], "0123456789ABCDEF");
    EXPECT_STREQ(strValidNameItem[5], "!");
    EXPECT_STREQ(strValidNameItem[28], "\\");
    EXPECT_STREQ(strValidNameItem[36], "~");
    EXPECT_STREQ(strValidNameItem[37], "");
}

TEST(StrUtils, GetMultiParamsKeepsTheNonEmptyPieces) {
    EXPECT_EQ(get_multi_params("a,,b,", ","), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(get_multi_params("a b;c", " ;"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(get_multi_params("a,b", ""), (std::vector<std::string>{"a,b"}));
    EXPECT_TRUE(get_multi_params("", ",").empty());
}
