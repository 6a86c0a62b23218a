#include "text/StlStrSplitter.h"

#include <gtest/gtest.h>

namespace {

// The same behaviours, narrow and wide: each traits type turns narrow test texts into the
// splitter's own string type.
struct Narrow {
    using Splitter = CStlStrSplitterA;
    static std::string S(const char* text) { return text; }
};

struct Wide {
    using Splitter = CStlStrSplitter;
    static std::wstring S(const char* text) { return std::wstring(text, text + strlen(text)); }
};

template <class T> class SplitterTest : public ::testing::Test {
protected:
    using Splitter = typename T::Splitter;
    using String = decltype(T::S(""));

    static String S(const char* text) { return T::S(text); }

    // The fragments joined by "|", in narrow characters.
    static std::string Bars(const std::vector<String>& fragments) {
        std::string bars;
        for (const String& fragment : fragments)
            bars += std::string(fragment.begin(), fragment.end()) + "|";
        return bars;
    }
};

using Kinds = ::testing::Types<Narrow, Wide>;
struct KindNames {
    template <class> static std::string GetName(int index) { return index ? "Wide" : "Narrow"; }
};
TYPED_TEST_SUITE(SplitterTest, Kinds, KindNames);

} // namespace

TYPED_TEST(SplitterTest, SplitsAtSeparatorsOutsideQuotePairs) {
    // separators, text, quote pairs (or null), keep empty fragments, fragments
    const std::tuple<const char*, const char*, const char*, bool, const char*> rows[] = {
        {",", "a,,b,", nullptr, true, "a||b||"},
        {",", "", nullptr, true, "|"},
        {",", "", nullptr, false, ""},
        {"", "a,b", nullptr, false, "a,b|"},
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
        std::vector<typename TestFixture::String> out;
        const auto seps = this->S(separators);
        const auto pairs = this->S(quotes ? quotes : "");
        typename TestFixture::Splitter(seps.c_str(), this->S(text), out,
                                       quotes ? pairs.c_str() : nullptr, keepEmpty);
        EXPECT_EQ(this->Bars(out), expected) << text;
    }
}

TYPED_TEST(SplitterTest, FragmentsAreCountedFoundJoinedAndSplitAgain) {
    using String = typename TestFixture::String;
    std::vector<String> out;
    typename TestFixture::Splitter dropped(',', this->S("a,,b,"), out, nullptr, false);
    EXPECT_EQ(this->Bars(out) + std::to_string(dropped.size()), "a|b|4");
    EXPECT_TRUE(dropped[1] == nullptr && dropped[3] == nullptr &&
                String(dropped[2]) == this->S("b"));
    typename TestFixture::Splitter whole(nullptr, this->S("a,b"), out, nullptr, false);
    EXPECT_EQ(this->Bars(out) + std::to_string(whole.size()), "a,b|1");
    typename TestFixture::Splitter splitter(',', this->S("a,b,B,,"), out, nullptr, true);
    EXPECT_EQ(splitter.FindFragmentIndex(this->S("B").c_str(), false), 1);
    EXPECT_EQ(splitter.FindFragmentIndex(this->S("B").c_str(), true), 2);
    for (const char* missing : {"A", "", "z"})
        EXPECT_EQ(splitter.FindFragmentIndex(this->S(missing).c_str(), missing[0] == 'A'), -1);
    EXPECT_EQ(splitter.FindFragmentIndex(nullptr, false), -1);
    const auto npos = TestFixture::Splitter::npos;
    String result;
    typename TestFixture::Splitter gaps(',', this->S("a,,b"), out, nullptr, false);
    const std::pair<String, const char*> joins[] = {
        {gaps.join(',', result, 0, npos, false), "a,,b"},
        {gaps.join(',', result, 0, npos, true), "a,b"},
        {gaps.join(this->S("-+").c_str(), result, 0, 4, false), "a-+-+b-+-+"},
        {gaps.join(nullptr, result, 0, npos, false), "ab"},
        {gaps.join(',', result, 2, 1, false), ""}};
    for (const auto& [joined, expected] : joins)
        EXPECT_EQ(joined, this->S(expected));
    typename TestFixture::Splitter trailing(',', this->S("a,b,"), out, nullptr, true);
    EXPECT_EQ(String(trailing.join(',', result, 0, 2, true)), this->S("a,b,"));
    EXPECT_EQ(String(trailing.join(',', result, 1, npos, false)), this->S("b,"));
    const auto seps = this->S(";");
    splitter.Init(seps.c_str(), this->S("x;y;z"), nullptr);
    EXPECT_EQ(this->Bars(out) + std::to_string(splitter.size()), "x|y|z|3");
    EXPECT_EQ(splitter.FindFragmentIndex(this->S("b").c_str(), false), -1);
}
