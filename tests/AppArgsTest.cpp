#include "args/AppArgs.h"
#include "Support.h"

#include <gtest/gtest.h>

#include <vector>

// An argument map of the words after the program name, and what it answers for each key:
// "key=value" when a value is found, "key" for a key without one.
static std::string Answers(std::vector<std::string> words, bool caseSensitive = true) {
    words.insert(words.begin(), "vornel");
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(&word[0]);
    const CAppArgs args(static_cast<int>(argv.size()), argv.data(), caseSensitive);
    std::string answers = std::to_string(args.NumArgs()) + (args.IsErrorTraceMode() ? "E" : "");
    for (const auto& [key, value] : args.GetArgMap()) {
        std::string found = "<untouched>";
        answers += " " + key;
        if (args.GetValue(found, key, false) && args.HasValue(key, found))
            answers += "=" + found;
        else if (!args.HasKey(key) || found != "<untouched>" || args.HasValue(key, value))
            answers += "<wrong>";
    }
    return answers + " ?" + args.CheckArgsValid({"i", "s"});
}

TEST(AppArgsTest, ValuesAreTakenVerbatimAfterTheFirstEqualsAndTheFirstOptionWins) {
    const std::pair<std::vector<std::string>, const char*> rows[] = {
        {{}, "0 ?"},
        {{"-v=-5", "-s=a=b", "-k=--5--", "-c= x ", "-i=C:\\dir\\", "-d", "-f=", "-s=second"},
         "7 c= x  d f i=C:\\dir\\ k=--5-- s=a=b v=-5 ?c"},
        {{"-", "x", "i=1", "-ab", "--x", "-1=2", "-\xe4=1", "-s=x", "-i=y"}, "2 i=y s=x ?"},
        {{"-s=x", "-E", "-C"}, "3E C E s=x ?C"},
        {{"-v=1", "-V=2"}, "2 V=2 v=1 ?V"}};
    for (const auto& [words, answers] : rows)
        EXPECT_EQ(Answers(words), answers);
    EXPECT_EQ(Answers({"-v=1", "-V=2", "-i=x"}, false), "2 I=x V=1 ?I");
    std::string word = "-v=1";
    char* argv[] = {word.data(), word.data()};
    CAppArgs args(2, argv, true);
    EXPECT_TRUE(
        AllHold({args.AddPair("v", "2"), args.HasValue("v", "2"), !args.HasValue("", "2")}));
    EXPECT_TRUE(AllHold({!args.HasValue("v", "22"), !args.HasValue("v", "")}));
    EXPECT_TRUE(AllHold({args.AddPair("long", "x"), args.NumArgs() == 2}));
}
