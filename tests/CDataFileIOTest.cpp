#include "Support.h"
#include "fuzz/ReaderProperties.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <sstream>

TEST(CDataFileIOTest, Load_ReadsEachLineAsTheGrammarSays) {
    const std::string text =
        "=v\n:v\nempty=\nbare\n; k=1\nK=1\nk=2\nk=\n[open\nx=1\nX=9\n  [Sec]  \n"
        "a:b=c\nn=v ; note\nt=YWJj=\nd=C:\nq==\nk : v\n[ Sp ]\nk=1\n[a] x\n"
        "k=x\n[sec]\nr=z\r\n[]\nj=w\n";
    const std::vector<std::array<const char*, 3>> rows = {
        {"", "v", ""},         {"", "empty", ""},   {"", "K", "2"},
        {"open", "x", "9"},    {"sec", "a", "b=c"}, {"Sec", "n", "v ; note"},
        {"SEC", "t", "YWJj="}, {"sec", "d", "C:"},  {"sec", "q", "="},
        {"sec", "k", " v"},    {"sec", "r", "z"},   {" Sp ", "k", "1"},
        {"a x", "k", "x"},     {"", "j", "w"}};
    Document doc;
    doc.ReadText(text);
    // first from the unread lines of each section, then from the records read from them
    for (const char* from : {"lines", "records"}) {
        for (const auto& [section, key, value] : rows)
            EXPECT_EQ(doc.GetValue(key, section), value) << from << " [" << section << "] " << key;
        for (const auto& row : rows)
            doc.GetSection(row[0]);
    }
    EXPECT_TRUE(doc.IsKeyExist("empty", ""));
    EXPECT_EQ(doc.GetKey("k", "")->m_strName, "K");
    doc.ReadText("[long]\nk=" + std::string(5000, 'x') + "\nj=2\n[nul]\nk=w" + '\0' + "x\n");
    EXPECT_EQ(doc.GetValue("k", "long"), std::string(5000, 'x'));
    EXPECT_EQ(doc.GetValue("j", "long"), "2");
    EXPECT_EQ(doc.GetValue("k", "nul"), "w"); // a NUL byte ends its line
}

TEST(CDataFileIOTest, Load_GivesEachItemTheLinesAboveItAndKeepsTheRest) {
    TempDir dir;
    Document doc;
    EXPECT_FALSE(doc.Load(dir.file("none.ini"), false) || doc.FileName() != "");
    EXPECT_TRUE(doc.Load(dir.write("a.ini", "; top\n# two\n\n[S]\n; doc\nk=\nbare\nj=1\n[s]\n"
                                            "; gone?\n[s]\nK=2\n; trailing\n"),
                         false));
    EXPECT_EQ(doc.FileName(), dir.file("a.ini"));
    EXPECT_EQ(doc.GetSection("S")->m_strComment, "\n; top\n# two");
    EXPECT_EQ(doc.GetKey("k", "S")->m_strComment, "\n; doc\n; gone?");
    EXPECT_EQ(doc.GetKey("j", "S")->m_strComment, "");
    EXPECT_EQ(doc.GetKey("j", "S")->m_vecKept.at(0).m_strLine, "bare");
    EXPECT_EQ(doc.SectionCount(), 2);
    EXPECT_EQ(doc.ToText(),
              "\n; top\n# two\n[S]\n\n; doc\n; gone?\nk=2\n\nbare\nj=1\n\n; trailing\n");
    EXPECT_EQ(ListedComment("\n; a:\n# b"), "\n; a\n# b");
    EXPECT_TRUE(doc.Dirty() && doc.SetKeyComment("j", "\nx=1", "S")); // cannot stay a key line
    EXPECT_NE(doc.ToText().find("\n; x=1\nj=1\n"), std::string::npos);
    EXPECT_EQ(CommentLines(" one \n\n# two\n[x]"), "\n; one\n# two\n; [x]");
    EXPECT_FALSE(doc.Load(dir.file("none.ini"), true) || doc.FileName() != dir.file("none.ini"));
    Document merged; // a key line without a value, of a key held already, stores nothing
    merged.SetValue("k", "1", "", "");
    merged.ReadText("k=\n; c\n[a]\n");
    EXPECT_EQ(merged.GetSection("a")->m_strComment, "\n; c");
    const st_KeptLine& kept = merged.GetSection("a")->m_vecKept.at(0);
    EXPECT_EQ(kept.m_eKind, e_LineEmptyValue);
    EXPECT_EQ(kept.m_strKey, "k");
}

TEST(CDataFileIOTest, ToTextCommentStrWriteLnTrimAndGetNextWordGiveTheirExactTexts) {
    Document doc;
    doc.SetValue("a", "1", "", "");
    doc.SetValue("k", "v", "", "s");
    doc.CreateSection("empty", "");
    doc.SetValue("c", "1", "note", "t");
    doc.SetValue("h", "2", "# x", "t");
    doc.SetValue("b", "3", "   ", "t");
    doc.SetValue("e", "x", "", "t");
    doc.SetValue("e", "", "", "t");
    doc.SetSectionComment("t", "about t");
    doc.SetValue("m", "v", "first\n[admin]\n  # kept\nroot=1\n \nlast", "m");
    EXPECT_EQ(doc.ToText(), "a=1\n\n[s]\nk=v\n\n[empty]\n\n; about t\n[t]\n\n; note\nc=1\n\n# x\n"
                            "h=2\n\n\nb=3\ne=\n\n[m]\n\n; first\n; [admin]\n  # kept\n; root=1\n"
                            " \n; last\nm=v\n");
    const std::tuple<const char*, bool, const char*> comments[] = {
        {"  ; a  ", false, "; a"}, {"a", false, "; a"}, {"", false, ""}, {"; a ;", true, "a"}};
    for (const auto& [comment, removeIndicators, expected] : comments)
        EXPECT_EQ(doc.CommentStr(comment, removeIndicators), expected) << comment;
    std::string text = "#;  a b ;#";
    RemoveCommentIndicators(text);
    EXPECT_EQ(text, "a b");
    std::string trimmed = " \t=:a b=:\r\n";
    Trim(trimmed);
    EXPECT_EQ(trimmed, "a b");
    std::string line = " k : v=w";
    EXPECT_EQ(GetNextWord(line), "k");
    EXPECT_EQ(line, " v=w");
    std::string word = "word";
    EXPECT_EQ(GetNextWord(word), "word");
    EXPECT_EQ(word, "");
    std::ostringstream out;
    EXPECT_EQ(WriteLn(out, "%s=%d", "k", 7), 4);
    EXPECT_EQ(WriteLn(out, "%s", "done\n"), 5);
    EXPECT_EQ(out.str(), "k=7\ndone\n");
}

TEST(CDataFileIOTest, Save_WritesWholeOrLeavesTheOldBytes) {
    TempDir dir;
    const std::string path = dir.write("a.ini", "\xEF\xBB\xBF[s]\nk=v\n; kept at the end\n");
    const std::string old = "\xEF\xBB\xBF\n[s]\nk=w\n\n; kept at the end\n";
    { // without auto-save, the modified document is not written when it is destroyed
        Document doc;
        EXPECT_FALSE(doc.Save()); // no file name
        doc.Load(path, false);
        doc.SetValue("k", "w", "", "s");
        EXPECT_TRUE(doc.Save() && !doc.Dirty() && doc.SetValue("k", "x", "", "s"));
        EXPECT_EQ(TempDir::read(path), old);
    }
    EXPECT_EQ(TempDir::read(path), old);
}

// Random texts from pieces of the grammar, each with a random change.
TEST(CDataFileIOTest, DeferredReadingMatchesReadingAtOnceAndRewritesAreFixedPoints) {
    using namespace reader_properties;
    std::mt19937 random(11);
    std::vector<std::string> pieces = {"[a]", "[A]",  "[]",    "[b",  "k=1",         "K:2", "j=3",
                                       "k=",  "j=",   "=x",    "; c", "# d",         "\n",  "\r",
                                       " ",   "bare", "a=b=c", "x:",  "\xEF\xBB\xBF"};
    pieces.push_back(std::string(1, '\0'));
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 14); i > 0; --i)
            text += pieces[random() % pieces.size()] + (random() % 3 ? "\n" : "");
        const auto change = static_cast<e_Change>(random() % 4);
        const std::string& key = kNames[random() % std::size(kNames)];
        EXPECT_TRUE(hold(text, change, key, kNames[random() % std::size(kNames)]))
            << ::testing::PrintToString(text) << " change " << change << " of " << key;
    }
}
