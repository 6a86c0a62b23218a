#include "text/StlStrSplitter.h"

#include <gtest/gtest.h>

// The fragments joined by "|"; the wide ones in narrow characters.
template <class String> static std::string Bars(const std::vector<String>& fragments) {
    std::string bars;
    for (const String& fragment : fragments)
        bars += std::string(fragment.begin(), fragment.end()) + "|";
    return bars;
}

// Each row: separators, text, quote pairs (or null), whether empty fragments stay, fragments.
TEST(SplitterTest, SplitsAtSeparatorsOutsideQuotePairs) {
    const std::tuple<const char*, const char*, const char*, bool, const char*> rows[] = {
        {",", "a,,b,", nullptr, true, "a||b||"},
        {",", "", nullptr, true, "|"},
        {",", "", nullptr, false, ""},
        {"", "a,b", nullptr, false, "a,b|"},
        {nullptr, "a,b", nullptr, false, "a,b|"},
        {",;", "a;b, c", nullptr, false, "a|b| c|"},
        {"X", "aXbxcXd", nullptr, false, "a|bxcXd|"},
        {",", "a,(b,c),d", "()", false, "a|(b,c)|d|"},
        {",", "a,b)c", "()", false, "a,b)c|"},
        {",", "((a,b),c),d", "()", false, "((a,b),c)|d|"},
        {",", "a,\"b,c\",d", "\"\"", false, "a|\"b|c\"|d|"},
        {",", "a,[b,c]", "()[]{", false, "a|[b,c]|"},
        {",", "a,(b,c)", "", false, "a|(b|c)|"},
        {",", "a,Qb,cQ", "QQ", false, "a|Qb|cQ|"},
        {")", "a)b", "()", false, "a|b|"},
        {"(", "a(b)c(d", "()", false, "a(b)c|d|"}};
    for (const auto& [separators, text, quotes, keepEmpty, expected] : rows) {
        std::vector<std::string> out;
        CStlStrSplitterA(separators, text, out, quotes, keepEmpty);
        EXPECT_EQ(Bars(out), expected) << text;
    }
    std::vector<std::wstring> wide;
    CStlStrSplitter(',', L"a,,(b,c)", wide, L"()", true);
    EXPECT_EQ(Bars(wide), "a||(b,c)|");
    CStlStrSplitter(L";,", L"a;b,,c", wide, nullptr, false);
    EXPECT_EQ(Bars(wide), "a|b|c|");
}

TEST(SplitterTest, DroppedEmptyFragmentsStillCountAsNull) {
    std::vector<std::string> out;
    CStlStrSplitterA dropped(',', "a,,b,", out, nullptr, false);
    EXPECT_EQ(Bars(out), "a|b|");
    EXPECT_EQ(dropped.size(), 4u);
    EXPECT_TRUE(dropped[1] == nullptr && dropped[3] == nullptr);
    EXPECT_STREQ(dropped[2], "b");
}

TEST(SplitterTest, FindFragmentIndex_MatchesCaseOnlyWhenAsked) {
    std::vector<std::string> out;
    CStlStrSplitterA splitter(',', "a,b,B,,", out, nullptr, true);
    EXPECT_EQ(splitter.FindFragmentIndex("B", false), 1);
    EXPECT_EQ(splitter.FindFragmentIndex("B", true), 2);
    for (const char* missing : {"A", "", "z", static_cast<const char*>(nullptr)})
        EXPECT_EQ(splitter.FindFragmentIndex(missing, missing && missing[0] == 'A'), -1);
    splitter.Init(";", "x;y;z", nullptr); // a new text
    EXPECT_EQ(Bars(out), "x|y|z|");
    EXPECT_EQ(splitter.size(), 3u);
    EXPECT_EQ(splitter.FindFragmentIndex("b", false), -1);
}

// Each row: the splitter's text and whether it keeps empty fragments, then join's separator,
// first and last fragment and skipping of empty fragments, and the text joined.
TEST(SplitterTest, Join_JoinsTheFragmentsOfTheRange) {
    const auto npos = CStlStrSplitterA::npos;
    const std::tuple<const char*, bool, const char*, std::size_t, std::size_t, bool, const char*>
        rows[] = {{"a,,b", false, ",", 0, npos, false, "a,,b"},
                  {"a,,b", false, ",", 0, npos, true, "a,b"},
                  {"a,,b", false, "-+", 0, 4, false, "a-+-+b-+-+"},
                  {"a,,b", false, nullptr, 0, npos, false, "ab"},
                  {"a,,b", false, ",", 2, 1, false, ""},
                  {"a,b,", true, ",", 0, 2, true, "a,b,"},
                  {"a,b,", true, ",", 1, npos, false, "b,"}};
    std::vector<std::string> out;
    std::string result;
    for (const auto& [text, keepEmpty, separator, first, last, skipEmpty, joined] : rows) {
        CStlStrSplitterA splitter(',', text, out, nullptr, keepEmpty);
        EXPECT_EQ(std::string(splitter.join(separator, result, first, last, skipEmpty)), joined)
            << text << " from " << first;
    }
    CStlStrSplitterA splitter(',', "a,,b", out, nullptr, false);
    EXPECT_EQ(std::string(splitter.join(',', result, 0, npos, false)), "a,,b"); // a character
}
