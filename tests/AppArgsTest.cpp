#include "args/AppArgs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Builds an argument map from the words after the program name.
class AppArgsTest : public ::testing::Test {
protected:
    CAppArgs Make(std::vector<std::string> words, bool caseSensitive = true) {
        m_storage = words;
        m_storage.insert(m_storage.begin(), "vornel");
        m_argv.clear();
        for (std::string& word : m_storage)
            m_argv.push_back(&word[0]);
        return CAppArgs(static_cast<int>(m_argv.size()), m_argv.data(), caseSensitive);
    }

    std::string Value(const CAppArgs& args, const std::string& key) {
        std::string out = "<untouched>";
        args.GetValue(out, key, false);
        return out;
    }

    std::vector<std::string> m_storage;
    std::vector<char*> m_argv;
};

// Switches tracing on, which nothing in the tool does, to see the trace texts.
class TracingArgs : public CAppArgs {
public:
    using CAppArgs::CAppArgs;
    void TraceOn() { m_bErrorTraceMode = true; }
};

} // namespace

TEST_F(AppArgsTest, OnlyTheProgramPathGivesAnEmptyMap) {
    CAppArgs args = Make({});
    EXPECT_EQ(args.NumArgs(), 0);
    EXPECT_EQ(args.CheckArgsValid({"i"}), "");
    EXPECT_FALSE(args.IsErrorTraceMode());
}

TEST_F(AppArgsTest, MalformedArgumentsAreDroppedSilently) {
    CAppArgs args = Make({"-", "x", "i=1", "-ab", "--x", "-1=2", "-_", "-\xe4=1"});
    EXPECT_EQ(args.NumArgs(), 0);
    EXPECT_EQ(args.CheckArgsValid({}), "");
}

TEST_F(AppArgsTest, OptionWithoutValueIsPresentButReadsAsMissing) {
    CAppArgs args = Make({"-d", "-f="});
    EXPECT_TRUE(args.HasKey("d"));
    EXPECT_TRUE(args.HasKey("f"));
    EXPECT_EQ(Value(args, "d"), "<untouched>");
    EXPECT_EQ(Value(args, "f"), "<untouched>");
    EXPECT_FALSE(args.HasKey("x"));
}

TEST_F(AppArgsTest, ValuesAreTakenVerbatimAfterTheFirstEquals) {
    CAppArgs args = Make({"-v=-5", "-s=a=b", "-k=--5--", "-c= x ", "-i=C:\\dir\\", "-t=\t y"});
    EXPECT_EQ(Value(args, "v"), "-5");
    EXPECT_EQ(Value(args, "s"), "a=b");
    EXPECT_EQ(Value(args, "k"), "--5--");
    EXPECT_EQ(Value(args, "c"), " x ");
    EXPECT_EQ(Value(args, "i"), "C:\\dir\\");
    EXPECT_EQ(Value(args, "t"), "\t y");
}

TEST_F(AppArgsTest, FirstOccurrenceOfAnOptionWins) {
    CAppArgs args = Make({"-s=A", "-s=B"});
    EXPECT_EQ(Value(args, "s"), "A");
    EXPECT_EQ(args.NumArgs(), 1);
}

TEST_F(AppArgsTest, CaseSensitiveKeepsKeysApartAndFoldedMergesThem) {
    CAppArgs sensitive = Make({"-v=1", "-V=2"}, true);
    EXPECT_EQ(sensitive.NumArgs(), 2);
    EXPECT_EQ(Value(sensitive, "V"), "2");

    CAppArgs folded = Make({"-v=1", "-V=2"}, false);
    EXPECT_EQ(folded.NumArgs(), 1);
    EXPECT_TRUE(folded.HasKey("v"));
    EXPECT_EQ(Value(folded, "v"), "1");
    EXPECT_EQ(folded.CheckArgsValid({"v"}), "V");
    EXPECT_EQ(folded.GetArgMap().begin()->first, "V");
}

TEST_F(AppArgsTest, CheckArgsValidReportsTheFirstUnknownKeyInByteOrder) {
    EXPECT_EQ(Make({"-s=x", "-E", "-C"}).CheckArgsValid({"i", "s"}), "C");
    EXPECT_EQ(Make({"-x", "-Q"}).CheckArgsValid({"i"}), "Q");
    EXPECT_EQ(Make({"-s=x", "-i=y"}).CheckArgsValid({"i", "s"}), "");
    EXPECT_EQ(Make({"-s=x", "-i=y"}).CheckArgsValid({}), "i");
}

TEST_F(AppArgsTest, AddPairReplacesAndHasValueComparesExactly) {
    CAppArgs args = Make({"-v=1"});
    EXPECT_TRUE(args.AddPair("v", "2"));
    EXPECT_EQ(args.NumArgs(), 1);
    EXPECT_TRUE(args.HasValue("v", "2"));
    EXPECT_FALSE(args.HasValue("v", "22"));
    EXPECT_FALSE(args.HasValue("v", ""));
    EXPECT_FALSE(args.HasValue("", "2"));
    EXPECT_TRUE(args.AddPair("long", "x"));
    EXPECT_EQ(args.NumArgs(), 2);
}

TEST_F(AppArgsTest, TraceTextsAppearOnlyInTraceMode) {
    m_storage = {"vornel", "-i=a.ini", "-d"};
    m_argv = {&m_storage[0][0], &m_storage[1][0], &m_storage[2][0]};
    TracingArgs args(3, m_argv.data(), true);
    std::string out;
    ::testing::internal::CaptureStderr();
    args.TraceArgs();
    args.GetValue(out, "i", true);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    args.TraceOn();
    ::testing::internal::CaptureStderr();
    args.TraceArgs();
    args.GetValue(out, "i", true);
    args.GetValue(out, "s", true);
    args.GetValue(out, "k", false);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "------------------------\nCommand line parameters:\n------------------------\n"
              "Key: 'd'\tValue: ''\nKey: 'i'\tValue: 'a.ini'\n------------------------\n\n"
              "value for key 'i'  ...  found\n"
              "value for key 's'  ...  MISSING! -> ERROR\n"
              "value for key 'k'  ...  missing -> taking default\n");
}
