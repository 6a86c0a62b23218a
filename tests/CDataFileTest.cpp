#include "Support.h"
#include "fuzz/ReaderProperties.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>
#include <sstream>

TEST(CDataFileTest, SetValue_StoresCreatesAndChangesUnderTheCreationRules) {
    Document doc;
    EXPECT_EQ(doc.SectionCount(), 1); // the unnamed section
    EXPECT_EQ(doc.Flags(), 6);        // 2 | 4, the published values: sections and keys may be made
    EXPECT_TRUE(AllHold({doc.SetValue("a", "1", "", ""), doc.SetValue("k", "v", "note", "Net")}));
    EXPECT_TRUE(doc.Dirty());
    EXPECT_EQ(doc.GetValue("A", ""), "1");
    EXPECT_EQ(doc.GetKey("k", "net")->m_strComment, "note");
    EXPECT_EQ(doc.GetSection("NET")->m_strName, "Net");
    EXPECT_TRUE(doc.SetValue("K", "", "", "net")); // an existing key takes an empty value
    EXPECT_EQ(doc.GetKey("k", "Net")->m_strName, "k");
    EXPECT_EQ(doc.GetKey("k", "Net")->m_strComment, "");
    // no new key without a value, but its new section
    EXPECT_TRUE(AllHold({!doc.SetValue("n", "", "", "fresh"), doc.IsSectionExist("fresh"),
                         !doc.IsKeyExist("n", "fresh")}));
    doc.SetFlags(
        FLAG_CREATE_SECTIONS); // CreateKey makes the key all the same, and restores the flags
    EXPECT_TRUE(AllHold({!doc.SetValue("n", "v", "", ""), doc.CreateKey("n", "v", "", ""),
                         doc.Flags() == FLAG_CREATE_SECTIONS}));
    doc.SetFlags(0);
    EXPECT_TRUE(AllHold({!doc.SetValue("n", "v", "", "missing"), !doc.IsSectionExist("missing")}));
    EXPECT_EQ(doc.KeyCount(), 3);
    EXPECT_EQ(doc.SectionCount(), 3);
    EXPECT_FALSE(doc.CreateSection("a\rb", ""));
    EXPECT_TRUE(doc.CreateKey("k;#[ x]", " v = :", "any\ncomment", ""));
}

TEST(CDataFileTest, CreateSectionCopiesKeysAndDeletionsRemoveFirstMatchesLeavingTheFlag) {
    Document doc;
    doc.SetValue("k", "1", "c", "src");
    EXPECT_FALSE(doc.CreateSection("SRC", "other"));
    KeyList keys = doc.GetSection("src")->Keys();
    keys.push_back(keys.front()); // duplicates are copied as they are
    EXPECT_TRUE(AllHold({doc.CreateSection("dst", "", keys), !doc.CreateSection("DST", "", keys)}));
    doc.Last()->Keys().at(0)->m_strValue = "changed";
    EXPECT_EQ(doc.GetValue("k", "src"), "1");
    EXPECT_EQ(doc.GetValue("K", "dst"), "changed");
    EXPECT_TRUE(AllHold(
        {doc.DeleteKey("k", "dst"), doc.DeleteKey("k", "dst"), !doc.IsKeyExist("k", "dst")}));
    EXPECT_EQ(doc.GetSection("src")->m_strComment, "");
    doc.ReadText("[s]\nk=1\nj=2\n[t]\n");
    doc.Clean();
    doc.ReadText("");
    doc.ReadText("[S]\n"); // neither text changes the document
    EXPECT_TRUE(AllHold({doc.DeleteKey("K", "S"), !doc.IsKeyExist("k", "s")}));
    EXPECT_EQ(doc.GetValue("j", "s"), "2");
    EXPECT_TRUE(AllHold({doc.DeleteSection("T"), !doc.DeleteSection("t")}));
    EXPECT_TRUE(AllHold({!doc.DeleteKey("x", "s"), !doc.DeleteKey("j", "nowhere"), !doc.Dirty()}));
    EXPECT_EQ(doc.SectionCount(), 4);
}

TEST(CDataFileTest, CommentsFileNamesAndClear) {
    Document doc;
    doc.SetValue("k", "v", "", "s");
    doc.Clean();
    EXPECT_TRUE(AllHold({doc.SetKeyComment("K", "kc", "S"), doc.Dirty()}));
    doc.Clean();
    EXPECT_TRUE(AllHold({doc.SetSectionComment("S", "sc"), doc.Dirty()}));
    EXPECT_TRUE(AllHold({!doc.SetKeyComment("x", "c", "s"), !doc.SetSectionComment("x", "c")}));
    EXPECT_EQ(doc.GetKey("k", "s")->m_strComment, "kc");
    EXPECT_EQ(doc.GetSection("s")->m_strComment, "sc");
    doc.Clear();
    EXPECT_TRUE(AllHold({!doc.Dirty(), !doc.IsSectionExist(""), !doc.Save()}));
    doc.ReadText("a=1\n"); // keys before a header, and a set, make a new unnamed section
    EXPECT_TRUE(AllHold(
        {doc.GetValue("a", "") == "1", doc.DeleteSection(""), doc.SetValue("b", "2", "", "")}));
    EXPECT_EQ(doc.SectionCount(), 1);
    const TempDir dir;
    doc.SetFileName(dir.file("a.ini"));
    doc.Clean();
    doc.SetFileName(dir.file("A.INI")); // the same name
    EXPECT_TRUE(AllHold({!doc.Dirty(), doc.Save()}));
    doc.SetFileName("b.ini");
    EXPECT_TRUE(AllHold({doc.Dirty(), doc.FileName() == "b.ini"}));
}

TEST(CDataFileTest, LookupsIgnoreTheCaseOfAToZAndStayRightOverManyKeysAndDeletions) {
    EXPECT_EQ(CompareNoCase("Name", "nAME"), 0);
    for (const char* other : {"name ", "Nam", "\xC4"})
        EXPECT_EQ(CompareNoCase("name", other), 1) << other;
    Document doc;
    for (int i = 0; i < 2000; ++i)
        doc.SetValue("Key" + std::to_string(i), std::to_string(i), "", "s" + std::to_string(i % 7));
    for (int i = 0; i < 2000; i += 3)
        EXPECT_TRUE(doc.DeleteKey("KEY" + std::to_string(i), "S" + std::to_string(i % 7)));
    for (int i = 0; i < 2000; ++i)
        EXPECT_EQ(doc.GetValue("key" + std::to_string(i), "s" + std::to_string(i % 7)),
                  i % 3 == 0 ? "" : std::to_string(i));
    EXPECT_TRUE(AllHold({doc.DeleteSection("s3"), doc.SetValue("key3", "again", "", "s3")}));
    EXPECT_EQ(doc.GetSection("s3"), doc.Last());
    EXPECT_EQ(doc.GetValue("key10", "s3"), "");
    // Names whose bytes agree in their low seven bits agree in the low bits of a plain FNV hash,
    // whatever its seed; the final mix spreads them over the 128 slots those bits pick.
    std::set<std::uint32_t> slots;
    for (int bits = 0; bits < 256; ++bits) {
        std::string name;
        for (int i = 0; i < 8; ++i)
            name += (bits >> i & 1) ? '\xE1' : 'a';
        slots.insert(HashNoCase(name) & 127);
    }
    EXPECT_GT(slots.size(), 64u);
}

TEST(CDataFileTest, TypedValuesUseTheirFixedTextForms) {
    Document doc;
    EXPECT_TRUE(AllHold({doc.SetInt("i", -7, "c", "s"), doc.SetFloat("f", 2.0f, "", "s"),
                         doc.SetBool("y", true, "", "s"), doc.SetBool("n", false, "", "s")}));
    const std::pair<const char*, const char*> stored[] = {
        {"i", "-7"}, {"f", "2.000000"}, {"y", "True"}, {"n", "False"}};
    for (const auto& [key, text] : stored)
        EXPECT_EQ(doc.GetValue(key, "s"), text) << key;
    EXPECT_EQ(doc.GetKey("i", "s")->m_strComment, "c");
    EXPECT_EQ(doc.GetInt("missing", "s"), -2147483648);
    EXPECT_EQ(doc.GetFloat("missing", "s"), 1.17549435e-38f);
    EXPECT_EQ(doc.GetFloat("f", "s"), 2.0f);
    // text stored, GetBool, GetInt (asked of numbers only): true takes a "1", "true" or "yes"
    const std::tuple<const char*, bool, bool> rows[] = {
        {"TRUE", true, false}, {"yes", true, false}, {"10", true, true},   {"-1", true, true},
        {"no", false, false},  {"on", false, false}, {"0", false, true},   {"42", false, true},
        {"12abc", true, true}, {" 42", false, true}, {"-0x2", false, true}};
    for (const auto& [text, truth, number] : rows) {
        doc.SetValue("x", text, "", "s");
        EXPECT_EQ(doc.GetBool("x", "s"), truth) << text;
        if (number) {
            EXPECT_EQ(doc.GetInt("x", "s"), std::atoi(text)) << text;
        }
    }
}

TEST(CDataFileTest, Load_ReadsEachLineAsTheGrammarSays) {
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

TEST(CDataFileTest, Load_GivesEachItemTheLinesAboveItAndKeepsTheRest) {
    TempDir dir;
    Document doc;
    EXPECT_TRUE(AllHold({!doc.Load(dir.file("none.ini"), false), doc.FileName() == ""}));
    EXPECT_TRUE(doc.Load(dir.write("a.ini", "; top\n# two\n\n[S]\n; doc\nk=\nbare\nj=1\n[s]\n"
                                            "; gone?\n[s]\nK=2\n; trailing\n"),
                         false));
    EXPECT_EQ(doc.GetSection("S")->m_strComment, "\n; top\n# two");
    EXPECT_EQ(doc.GetKey("k", "S")->m_strComment, "\n; doc\n; gone?");
    EXPECT_EQ(doc.GetKey("j", "S")->m_vecKept.at(0).m_strLine, "bare");
    EXPECT_EQ(doc.ToText(),
              "\n; top\n# two\n[S]\n\n; doc\n; gone?\nk=2\n\nbare\nj=1\n\n; trailing\n");
    EXPECT_EQ(ListedComment("\n; a:\n# b"), "\n; a\n# b");
    EXPECT_TRUE(AllHold({doc.Dirty(), doc.SetKeyComment("j", "\nx=1", "S")})); // no key line
    EXPECT_NE(doc.ToText().find("\n; x=1\nj=1\n"), std::string::npos);
    EXPECT_EQ(CommentLines(" one \n\n# two\n[x]"), "\n; one\n# two\n; [x]");
    EXPECT_TRUE(AllHold({!doc.Load(dir.file("x.ini"), true), doc.FileName() == dir.file("x.ini")}));
    Document merged; // a key line without a value, of a key held already, stores nothing
    merged.SetValue("k", "1", "", "");
    merged.ReadText("k=\n; c\n[a]\n");
    EXPECT_EQ(merged.GetSection("a")->m_strComment, "\n; c");
    const st_KeptLine& kept = merged.GetSection("a")->m_vecKept.at(0);
    EXPECT_EQ(kept.m_eKind, e_LineEmptyValue);
    EXPECT_EQ(kept.m_strKey, "k");
}

TEST(CDataFileTest, ToTextCommentStrWriteLnTrimAndGetNextWordGiveTheirExactTexts) {
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
    std::string text = "#;  a b ;#", trimmed = " \t=:a b=:\r\n", line = " k : v=w", word = "word";
    RemoveCommentIndicators(text);
    Trim(trimmed);
    EXPECT_EQ(text, "a b");
    EXPECT_EQ(trimmed, "a b");
    EXPECT_EQ(GetNextWord(line), "k");
    EXPECT_EQ(line, " v=w");
    EXPECT_EQ(GetNextWord(word), "word");
    EXPECT_EQ(word, "");
    std::ostringstream out;
    EXPECT_EQ(WriteLn(out, "%s=%d", "k", 7), 4);
    EXPECT_EQ(WriteLn(out, "%s", "done\n"), 5);
    EXPECT_EQ(out.str(), "k=7\ndone\n");
}

TEST(CDataFileTest, Save_WritesWholeOrLeavesTheOldBytes) {
    TempDir dir;
    const std::string path = dir.write("a.ini", "\xEF\xBB\xBF[s]\nk=v\n; kept at the end\n");
    const std::string old = "\xEF\xBB\xBF\n[s]\nk=w\n\n; kept at the end\n";
    { // without auto-save, the modified document is not written when it is destroyed
        Document doc;
        EXPECT_FALSE(doc.Save()); // no file name
        doc.Load(path, false);
        doc.SetValue("k", "w", "", "s");
        EXPECT_TRUE(AllHold({doc.Save(), !doc.Dirty(), doc.SetValue("k", "x", "", "s")}));
        EXPECT_EQ(TempDir::read(path), old);
    }
    EXPECT_EQ(TempDir::read(path), old);
}

// Random texts from pieces of the grammar, each with a random change.
TEST(CDataFileTest, DeferredReadingMatchesReadingAtOnceAndRewritesAreFixedPoints) {
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
