#include "text/StlStrSplitter.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

// The same behaviours, narrow and wide: each traits type turns narrow test texts into the
// splitter's own string type.
struct Narrow {
    using Splitter = CStlStrSplitterA;
    using String = std::string;
    static String S(const char* text) { return text; }
};

struct Wide {
    using Splitter = CStlStrSplitter;
    using String = std::wstring;
    static String S(const char* text) {
        String wide;
        for (const char* p = text; *p; ++p)
            wide += static_cast<wchar_t>(*p);
        return wide;
    }
};

template <class T> class SplitterTest : public ::testing::Test {
protected:
    using Splitter = typename T::Splitter;
    using String = typename T::String;

    String S(const char* text) { return T::S(text); }

    std::vector<String> Split(const char* separators, const char* text, const char* quotes,
                              bool keepEmpty) {
        std::vector<String> out;
        const String seps = S(separators);
        const String pairs = S(quotes ? quotes : "");
        Splitter(seps.c_str(), S(text), out, quotes ? pairs.c_str() : nullptr, keepEmpty);
        return out;
    }

    std::vector<String> List(std::initializer_list<const char*> texts) {
        std::vector<String> out;
        for (const char* text : texts)
            out.push_back(S(text));
        return out;
    }
};

using Kinds = ::testing::Types<Narrow, Wide>;
TYPED_TEST_SUITE(SplitterTest, Kinds);

} // namespace

TYPED_TEST(SplitterTest, EmptyFragmentsAreCountedAndStoredOnlyWhenKept) {
    std::vector<typename TestFixture::String> out;
    typename TestFixture::Splitter dropped(',', this->S("a,,b,"), out, nullptr, false);
    EXPECT_EQ(out, this->List({"a", "b"}));
    EXPECT_EQ(dropped.size(), 4u);
    EXPECT_EQ(typename TestFixture::String(dropped[0]), this->S("a"));
    EXPECT_EQ(dropped[1], nullptr);
    EXPECT_EQ(typename TestFixture::String(dropped[2]), this->S("b"));
    EXPECT_EQ(dropped[3], nullptr);

    EXPECT_EQ(this->Split(",", "a,,b,", nullptr, true), this->List({"a", "", "b", ""}));
    EXPECT_EQ(this->Split(",", "", nullptr, true), this->List({""}));
    EXPECT_EQ(this->Split(",", "", nullptr, false), this->List({}));
    EXPECT_EQ(this->Split("", "a,b", nullptr, false), this->List({"a,b"}));
    EXPECT_EQ(this->Split(",;", "a;b, c", nullptr, false), this->List({"a", "b", " c"}));
}

TYPED_TEST(SplitterTest, QuotePairsProtectSeparators) {
    EXPECT_EQ(this->Split(",", "a,(b,c),d", "()", false), this->List({"a", "(b,c)", "d"}));
    EXPECT_EQ(this->Split(",", "a,b)c", "()", false), this->List({"a,b)c"}));
    EXPECT_EQ(this->Split(",", "((a,b),c),d", "()", false), this->List({"((a,b),c)", "d"}));
    EXPECT_EQ(this->Split(",", "a,\"b,c\",d", "\"\"", false), this->List({"a", "\"b", "c\"", "d"}));
    EXPECT_EQ(this->Split(",", "a,[b,c]", "()[]{", false), this->List({"a", "[b,c]"}));
    EXPECT_EQ(this->Split(",", "a,(b,c)", "", false), this->List({"a", "(b", "c)"}));
    EXPECT_EQ(this->Split(",", "a,Qb,cQ", "QQ", false), this->List({"a", "Qb", "cQ"}));
}

TYPED_TEST(SplitterTest, UpperCaseSeparatorFoundOnlyInLowerCasedTextEndsTheSplit) {
    EXPECT_EQ(this->Split("X", "aXbxcXd", nullptr, false), this->List({"a", "bxcXd"}));
}

TYPED_TEST(SplitterTest, NullSeparatorSetKeepsTheTextWhole) {
    std::vector<typename TestFixture::String> out;
    typename TestFixture::Splitter splitter(nullptr, this->S("a,b"), out, nullptr, false);
    EXPECT_EQ(out, this->List({"a,b"}));
    EXPECT_EQ(splitter.size(), 1u);
}

TYPED_TEST(SplitterTest, FindFragmentIndexIgnoresCaseUnlessAsked) {
    std::vector<typename TestFixture::String> out;
    typename TestFixture::Splitter splitter(',', this->S("a,b,B,,"), out, nullptr, true);
    EXPECT_EQ(splitter.FindFragmentIndex(this->S("B").c_str(), false), 1);
    EXPECT_EQ(splitter.FindFragmentIndex(this->S("B").c_str(), true), 2);
    EXPECT_EQ(splitter.FindFragmentIndex(this->S("A").c_str(), true), -1);
    EXPECT_EQ(splitter.FindFragmentIndex(this->S("").c_str(), false), -1);
    EXPECT_EQ(splitter.FindFragmentIndex(this->S("z").c_str(), false), -1);
    EXPECT_EQ(splitter.FindFragmentIndex(nullptr, false), -1);
}

TYPED_TEST(SplitterTest, JoinKeepsOrSkipsGaps) {
    using String = typename TestFixture::String;
    const auto npos = TestFixture::Splitter::npos;
    std::vector<String> out;
    typename TestFixture::Splitter splitter(',', this->S("a,,b"), out, nullptr, false);
    String result;
    EXPECT_EQ(String(splitter.join(',', result, 0, npos, false)), this->S("a,,b"));
    EXPECT_EQ(String(splitter.join(',', result, 0, npos, true)), this->S("a,b"));
    EXPECT_EQ(String(splitter.join(this->S("-+").c_str(), result, 0, 4, false)),
              this->S("a-+-+b-+-+"));
    EXPECT_EQ(String(splitter.join(nullptr, result, 0, npos, false)), this->S("ab"));
    EXPECT_EQ(String(splitter.join(',', result, 2, 1, false)), this->S(""));

    typename TestFixture::Splitter trailing(',', this->S("a,b,"), out, nullptr, true);
    EXPECT_EQ(String(trailing.join(',', result, 0, 2, true)), this->S("a,b,"));
    EXPECT_EQ(String(trailing.join(',', result, 1, npos, false)), this->S("b,"));
}

TYPED_TEST(SplitterTest, InitSplitsAgainIntoTheSameVector) {
    std::vector<typename TestFixture::String> out;
    typename TestFixture::Splitter splitter(',', this->S("a,b"), out, nullptr, false);
    const auto seps = this->S(";");
    splitter.Init(seps.c_str(), this->S("x;y;z"), nullptr);
    EXPECT_EQ(out, this->List({"x", "y", "z"}));
    EXPECT_EQ(splitter.size(), 3u);
    EXPECT_EQ(splitter.FindFragmentIndex(this->S("a").c_str(), false), -1);
}
