#include "text/StlStrSplitter.h"

#include <gtest/gtest.h>

// The fragments joined by "|"; the wide ones in narrow characters.
template <class String> static std::string Bars(const std::vector<String>& fragments) {
    std::string bars;
    for (const String& fragment : fragments)
        bars += std::string(fragment.begin(), fragment.end()) + "|";
    return bars;
}

TEST(SplitterTest, SplitsAtSeparatorsOutsideQuotePairs) {
    // separators, text, quote pairs (or null), keep empty fragments, fragments
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
        {",", "a,Qb,cQ", "QQ", false, "a|Qb|cQ|"}};
    for (const auto& [separators, text, quotes, keepEmpty, expected] : rows) {
        std::vector<std::string> out;
        CStlStrSplitterA(separators, text, out, quotes, keepEmpty);
        EXPECT_EQ(Bars(out), expected) << text;
    }
}

TEST(SplitterTest, WideTextsSplitAsNarrowOnes) {
    std::vector<std::wstring> out;
    CStlStrSplitter(',', L"a,,(b,c)", out, L"()", true);
    EXPECT_EQ(Bars(out), "a||(b,c)|");
    CStlStrSplitter(L";,", L"a;b,,c", out, nullptr, false);
    EXPECT_EQ(Bars(out), "a|b|c|");
}

TEST(SplitterTest, FragmentsAreCountedFoundJoinedAndSplitAgain) {
    std::vector<std::string> out;
    CStlStrSplitterA dropped(',', "a,,b,", out, nullptr, false);
    EXPECT_EQ(Bars(out), "a|b|");
    EXPECT_EQ(dropped.size(), 4u);
    EXPECT_EQ(dropped[1], nullptr);
    EXPECT_STREQ(dropped[2], "b");
    EXPECT_EQ(dropped[3], nullptr);
    CStlStrSplitterA splitter(',', "a,b,B,,", out, nullptr, true);
    EXPECT_EQ(splitter.FindFragmentIndex("B", false), 1);
    EXPECT_EQ(splitter.FindFragmentIndex("B", true), 2);
    for (const char* missing : {"A", "", "z", static_cast<const char*>(nullptr)})
        EXPECT_EQ(splitter.FindFragmentIndex(missing, missing && missing[0] == 'A'), -1);
    const auto npos = CStlStrSplitterA::npos;
    std::string result;
    CStlStrSplitterA gaps(',', "a,,b", out, nullptr, false);
    const std::pair<std::string, const char*> joins[] = {
        {gaps.join(',', result, 0, npos, false), "a,,b"},
        {gaps.join(',', result, 0, npos, true), "a,b"},
        {gaps.join("-+", result, 0, 4, false), "a-+-+b-+-+"},
        {gaps.join(nullptr, result, 0, npos, false), "ab"},
        {gaps.join(',', result, 2, 1, false), ""}};
    for (const auto& [joined, expected] : joins)
        EXPECT_EQ(joined, expected);
    CStlStrSplitterA trailing(',', "a,b,", out, nullptr, true);
    EXPECT_EQ(std::string(trailing.join(',', result, 0, 2, true)), "a,b,");
    EXPECT_EQ(std::string(trailing.join(',', result, 1, npos, false)), "b,");
    splitter.Init(";", "x;y;z", nullptr);
    EXPECT_EQ(Bars(out), "x|y|z|");
    EXPECT_EQ(splitter.size(), 3u);
    EXPECT_EQ(splitter.FindFragmentIndex("b", false), -1);
}
