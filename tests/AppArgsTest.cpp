#include "args/AppArgs.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

// An argument map of the words after the program name.
static CAppArgs Parse(std::vector<std::string> words, bool caseSensitive = true) {
    words.insert(words.begin(), "vornel");
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(&word[0]);
    return CAppArgs(static_cast<int>(argv.size()), argv.data(), caseSensitive);
}

// Each row: the words, whether keys keep their case, the keys with their values, and the first
// key that is neither "i" nor "s" in the valid ones' check.
TEST(AppArgsTest, Options_TakeTheValueVerbatimAfterTheFirstEqualsAndTheFirstOfAKeyWins) {
    using Map = std::map<std::string, std::string>;
    const std::tuple<std::vector<std::string>, bool, Map, const char*> rows[] = {
        {{}, true, {}, ""},
        {{"-v=-5", "-s=a=b", "-k=--5--", "-c= x ", "-i=C:\\dir\\", "-d", "-f=", "-s=second"},
         true,
         // clang-format off
         {{"c", " x "}, {"d", ""}, {"f", ""}, {"i", "C:\\dir\\"}, {"k", "--5--"}, {"s", "a=b"}, {"v", "-5"}},
         // clang-format on
         "c"},
        {{"-", "x", "i=1", "-ab", "--x", "-1=2", "-\xe4=1", "-s=x", "-i=y"},
         true,
         {{"i", "y"}, {"s", "x"}},
         ""},
        {{"-v=1", "-V=2"}, true, {{"V", "2"}, {"v", "1"}}, "V"},
        {{"-v=1", "-V=2", "-i=x"}, false, {{"I", "x"}, {"V", "1"}}, "I"}};
    for (const auto& [words, caseSensitive, keys, invalid] : rows) {
        const CAppArgs args = Parse(words, caseSensitive);
        const std::string row = ::testing::PrintToString(words);
        EXPECT_EQ(args.GetArgMap(), keys) << row;
        EXPECT_EQ(args.NumArgs(), static_cast<int>(keys.size())) << row;
        EXPECT_EQ(args.CheckArgsValid({"i", "s"}), invalid) << row;
        for (const auto& [key, value] : keys) {
            std::string found = "<untouched>";
            EXPECT_TRUE(args.HasKey(key)) << row << " " << key;
            EXPECT_EQ(args.GetValue(found, key, false), !value.empty()) << row << " " << key;
            EXPECT_EQ(found, value.empty() ? "<untouched>" : value) << row << " " << key;
            EXPECT_EQ(args.HasValue(key, value), !value.empty()) << row << " " << key;
        }
    }
}

TEST(AppArgsTest, ErrorTraceMode_IsOnWithE) {
    EXPECT_TRUE(Parse({"-s=x", "-E"}).IsErrorTraceMode());
    EXPECT_FALSE(Parse({"-s=x", "-e"}).IsErrorTraceMode());
}

TEST(AppArgsTest, HasValue_AnswersOnlyTheWholeValueOfAGivenKeyAsAddPairLeftIt) {
    CAppArgs args = Parse({"-v=1"});
    args.AddPair("v", "2");
    EXPECT_TRUE(args.HasValue("v", "2"));
    for (const auto& [key, value] : {std::pair{"v", "22"}, {"v", ""}, {"", "2"}})
        EXPECT_FALSE(args.HasValue(key, value)) << key << "=" << value;
}
