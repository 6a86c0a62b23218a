#include "Support.h"
#include "fuzz/ReaderProperties.h"
#include "ini/CDataFileExtras.h"
#include "ini/IniFile.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

// The answers of calls, in order, as text: each behind a "|", bools as 0 and 1.
template <class... Answer> static std::string Said(const Answer&... answers) {
    std::ostringstream out;
    ((out << answers << '|'), ...);
    return out.str();
}

// A field of a record, or "(none)" where the record is missing.
template <class Record>
static std::string field(const std::shared_ptr<Record>& record, std::string Record::*member) {
    return record ? (*record).*member : "(none)";
}

// Makes the calls of a script on the document, "Name|argument|... ; Name|..." (an argument left
// out is ""), and returns their answers as Said does.
static std::string Calls(Document& d, const std::string& script) {
    std::vector<std::string> a; // the words of the call made
    const std::map<std::string, std::function<std::string()>> named = {
        {"SetValue", [&] { return Said(d.SetValue(a[1], a[2], a[3], a[4])); }},
        {"CreateKey", [&] { return Said(d.CreateKey(a[1], a[2], a[3], a[4])); }},
        {"GetValue", [&] { return Said(d.GetValue(a[1], a[2])); }},
        {"KeyName", [&] { return Said(field(d.GetKey(a[1], a[2]), &st_key::m_strName)); }},
        {"KeyComment", [&] { return Said(field(d.GetKey(a[1], a[2]), &st_key::m_strComment)); }},
        {"SectionName", [&] { return Said(field(d.GetSection(a[1]), &st_section::m_strName)); }},
        {"SectionComment",
         [&] { return Said(field(d.GetSection(a[1]), &st_section::m_strComment)); }},
        {"CreateSection", [&] { return Said(d.CreateSection(a[1], a[2])); }},
        {"DeleteKey", [&] { return Said(d.DeleteKey(a[1], a[2])); }},
        {"DeleteSection", [&] { return Said(d.DeleteSection(a[1])); }},
        {"IsKeyExist", [&] { return Said(d.IsKeyExist(a[1], a[2])); }},
        {"IsSectionExist", [&] { return Said(d.IsSectionExist(a[1])); }},
        {"SetKeyComment", [&] { return Said(d.SetKeyComment(a[1], a[2], a[3])); }},
        {"SetSectionComment", [&] { return Said(d.SetSectionComment(a[1], a[2])); }},
        {"Counts", [&] { return Said(d.SectionCount(), d.KeyCount()); }},
        {"Flags", [&] { return Said(d.Flags()); }},
        {"SetFlags", [&] { return d.SetFlags(std::stoi(a[1])), Said(); }},
        {"Dirty", [&] { return Said(d.Dirty()); }},
        {"Clean", [&] { return d.Clean(), Said(); }},
        {"Clear", [&] { return d.Clear(), Said(); }},
        {"Save", [&] { return Said(d.Save()); }},
        {"SetFileName", [&] { return d.SetFileName(a[1]), Said(d.Dirty()); }},
        {"FileName", [&] { return Said(d.FileName()); }},
        {"Load", [&] { return Said(d.Load(a[1], a[2] == "adopt")); }},
        {"ReadText", [&] { return d.ReadText(a[1]), Said(); }}};
    std::string answers;
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 3) {
        end = script.find(" ; ", start);
        std::istringstream words(script.substr(start, end - start));
        a.clear();
        for (std::string word; std::getline(words, word, '|');)
            a.push_back(word);
        a.resize(6);
        answers += named.at(a[0])();
    }
    return answers;
}

// Each row: a behaviour, the calls on a document that holds the key k=v (comment "note") in the
// section Net, and what they answer.
TEST(CDataFileTest, EditingCalls_FollowTheCreationRulesAndTheModifiedFlag) {
    const std::string none = "/nonexistent/vornel/none.ini";
    const std::array<std::string, 3> rows[] = {
        {"a set keeps the first spelling and an empty comment erases the old one",
         "SetValue|K|w||NET ; KeyName|k|net ; KeyComment|k|net ; SectionName|NET", "1|k||Net|"},
        {"a set may give a key an empty value, and keys and values odd characters",
         "SetValue|k||x|net ; GetValue|k|net ; SetValue|k;#[ x]|v = : ; GetValue|K;#[ X]",
         "1||1|v = :|"},
        {"a new key needs a value, a set what reads back as itself",
         "SetValue|n||x|fresh ; IsSectionExist|fresh ; SetValue|a=b|1||net ; SetValue|k|v ||net ; "
         "SetValue|n|1||a\rb ; IsSectionExist|a\rb",
         "0|1|0|0|0|0|"},
        {"flags forbid new keys, or new sections too; CreateKey makes the key all the same",
         "SetFlags|2 ; SetValue|n|v||net ; CreateKey|n|v||net ; Flags ; SetFlags|0 ; "
         "SetValue|n|1||missing ; IsSectionExist|missing ; CreateKey|n|1||missing ; "
         "IsSectionExist|missing",
         "0|1|2|0|0|0|0|"},
        {"CreateSection refuses a name held in another case, or made just before",
         "CreateSection|NET|c ; CreateSection|x ; CreateSection|X ; Counts", "0|1|0|3|1|"},
        {"DeleteKey removes the key once and leaves the modified flag",
         "Clean ; DeleteKey|K|NET ; IsKeyExist|k|net ; DeleteKey|k|net ; DeleteKey|k|nowhere ; "
         "Dirty",
         "1|0|0|0|0|"},
        {"DeleteSection removes the section once and leaves the modified flag",
         "Clean ; DeleteSection|net ; DeleteSection|Net ; Counts ; Dirty ; SectionName|net",
         "1|0|1|0|0|(none)|"},
        {"DeleteSection removes the unnamed section too",
         "DeleteSection| ; IsSectionExist| ; Counts", "1|0|1|1|"},
        {"SetKeyComment and SetSectionComment set a held item's comment and mark the document",
         "Clean ; SetKeyComment|K|kc|NET ; Dirty ; SetSectionComment|net|sc ; "
         "SetKeyComment|x|c|net ; "
         "SetSectionComment|x|c ; KeyComment|k|Net ; SectionComment|Net",
         "1|1|1|0|0|\n; kc|\n; sc|"},
        {"reading marks the document modified by a header or a key line, not by comments alone",
         "Clear ; ReadText|; c\n ; Dirty ; ReadText|[t]\n ; Dirty ; Clear ; ReadText|k=1 ; Dirty",
         "0|1|1|"},
        {"Clear leaves nothing to save, and a set makes an unnamed section again",
         "Clear ; Dirty ; IsSectionExist| ; Save ; SetValue|b|2 ; Counts", "0|0|0|1|1|1|"},
        {"SetFileName marks the document only when a name set before changes",
         "Clean ; SetFileName|a.ini ; SetFileName|A.INI ; SetFileName|b.ini ; FileName",
         "0|0|1|b.ini|"},
        {"Load of a missing file takes its name only when asked",
         "Load|" + none + " ; FileName ; Load|" + none + "|adopt ; FileName", "0||0|" + none + "|"},
        {"Load into a document that holds keys merges, the file's value winning",
         "ReadText|a=2\n[net]\nk=4\n[t]\nx=5\n ; GetValue|a ; GetValue|k|NET ; GetValue|x|t ; "
         "Counts",
         "2|4|5|3|3|"}};
    for (const auto& [behaviour, script, answers] : rows) {
        Document doc;
        doc.SetValue("k", "v", "note", "Net");
        EXPECT_EQ(Calls(doc, script), answers) << behaviour;
    }
    Document fresh; // only the unnamed section, and sections and keys may be created
    EXPECT_EQ(Calls(fresh, "Counts ; IsSectionExist| ; Flags"), "1|0|1|6|");
    Document named(none, false); // a missing file's name is kept
    EXPECT_EQ(named.FileName(), none);
}

TEST(CDataFileTest, CreateSection_CopiesTheKeysGivenMergedAsRecordsOfItsOwn) {
    Document doc;
    doc.SetValue("k", "v", "", "net");
    KeyList keys = doc.GetSection("net")->Keys();
    keys.push_back(keys.front());
    EXPECT_TRUE(doc.CreateSection("dst", "", keys));
    doc.Last()->Keys().at(0)->m_strValue = "changed"; // reaches the text at the next change
    const std::size_t copied = doc.Last()->Keys().size();
    EXPECT_EQ(Said(copied, doc.GetValue("k", "net"), doc.GetValue("k", "dst")), "1|v|changed|");
    doc.GetKey("k", "net")->m_strValue = "x\n[admin]\nroot=1"; // would make new items
    EXPECT_TRUE(doc.SetValue("j", "1", "", "net"));
    EXPECT_EQ(Said(doc.GetValue("k", "net"), doc.IsSectionExist("admin")), "v|0|");
}

TEST(CDataFileTest, Lookups_IgnoreTheCaseOfAToZAndStayRightOverManyKeysAndDeletions) {
    Document doc;
    const auto key = [](int i) { return "Key" + std::to_string(i); };
    const auto section = [](int i) { return "s" + std::to_string(i % 7); };
    for (int i = 0; i < 2000; ++i)
        doc.SetValue(key(i), std::to_string(i), "", section(i));
    for (int i = 0; i < 2000; i += 3)
        EXPECT_TRUE(doc.DeleteKey("KEY" + std::to_string(i), "S" + std::to_string(i % 7))) << i;
    for (int i = 0; i < 2000; ++i)
        EXPECT_EQ(doc.GetValue(key(i), section(i)), i % 3 ? std::to_string(i) : "") << i;
    EXPECT_TRUE(doc.DeleteSection("s3") && doc.SetValue("key3", "again", "", "s3"));
    EXPECT_EQ(doc.GetSection("s3"), doc.Last());
    EXPECT_EQ(doc.GetValue("key10", "s3"), "");
    EXPECT_TRUE(doc.SetValue("az", "first and last letters", "", "Az"));
    EXPECT_EQ(doc.GetValue("AZ", "aZ"), "first and last letters");
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

// Each row: the text stored, and what GetBool and GetInt read (GetInt asked of numbers only).
TEST(CDataFileTest, TypedValues_UseTheirFixedTextForms) {
    Document doc;
    EXPECT_TRUE(doc.SetInt("i", -7, "c", "s") && doc.SetFloat("f", 2.0f, "", "s"));
    EXPECT_TRUE(doc.SetBool("y", true, "", "s") && doc.SetBool("n", false, "", "s"));
    EXPECT_EQ(
        Calls(doc, "GetValue|i|s ; GetValue|f|s ; GetValue|y|s ; GetValue|n|s ; KeyComment|i|s"),
        "-7|2.000000|True|False|\n; c|");
    EXPECT_EQ(doc.GetInt("missing", "s"), -2147483648);
    EXPECT_EQ(doc.GetFloat("missing", "s"), 1.17549435e-38f);
    EXPECT_EQ(doc.GetFloat("f", "s"), 2.0f);
    const std::tuple<const char*, bool, bool> rows[] = {
        {"TRUE", true, false}, {"yes", true, false}, {"10", true, true},   {"-1", true, true},
        {"no", false, false},  {"on", false, false}, {"0", false, true},   {"42", false, true},
        {"12abc", true, true}, {"+42", false, true}, {"-0x2", false, true}};
    for (const auto& [text, truth, number] : rows) {
        doc.SetValue("x", text, "", "s");
        EXPECT_EQ(doc.GetBool("x", "s"), truth) << text;
        EXPECT_TRUE(!number || doc.GetInt("x", "s") == std::atoi(text)) << text;
    }
}

TEST(CDataFileTest, Load_ReadsEachLineAsTheGrammarSays) {
    Document doc;
    doc.ReadText("=v\n:v\nempty=\nbare\n; k=1\nK=1\nk=2\nk=\n[open\nx=1\nX=9\n  [Sec]  \n"
                 "a:b=c\nn=v ; note\nt=YWJj=\nd=C:\nq==\nk : v\n[ Sp ]\nk=1\n[a] x\n"
                 "k=x\n[sec]\nr=z\r\n[]\nj=w\n");
    const std::string gets = "GetValue|v ; GetValue|empty ; GetValue|K ; GetValue|x|open ; "
                             "GetValue|a|sec ; GetValue|n|Sec ; GetValue|t|SEC ; GetValue|d|sec ; "
                             "GetValue|q|sec ; GetValue|k|sec ; GetValue|r|sec ; GetValue|k| Sp  ; "
                             "GetValue|k|a x ; GetValue|j";
    const std::string values = "||2|9|b=c|v ; note|YWJj=|C:|=|v|z|1|x|w|";
    EXPECT_EQ(Calls(doc, gets), values) << "from the unread lines";
    Calls(doc, "SectionName|open ; SectionName|sec ; SectionName| Sp  ; SectionName|a x");
    EXPECT_EQ(Calls(doc, gets), values) << "from the records read";
    EXPECT_EQ(Calls(doc, "IsKeyExist|empty ; KeyName|k"), "1|K|");
    doc.ReadText("[long]\nk=" + std::string(5000, 'x') + "\nj=2\n[nul]\nk=w" + '\0' + "x\n");
    EXPECT_EQ(doc.GetValue("k", "long"), std::string(5000, 'x'));
    EXPECT_EQ(Calls(doc, "GetValue|j|long ; GetValue|k|nul"), "2|w|"); // NUL ends its line
    EXPECT_NE(doc.ToText().find(std::string("w") + '\0' + "x\n"), std::string::npos); // kept whole
}

TEST(CDataFileTest, Load_GivesEachItemTheCommentLinesAboveIt) {
    Document doc;
    doc.ReadText("; top\n# two:\n\n[S]\n; doc\nk=\nbare\n=; no comment\nj=1\n[s]\n; again\n[s]\n"
                 "K=2\n; trailing\n");
    EXPECT_EQ(Calls(doc, "SectionComment|S ; KeyComment|k|S ; KeyComment|j|S"),
              "\n; top\n# two|\n; doc\n; again||");
}

TEST(CDataFileTest, Layout_ItemsMadeByCallsAreWrittenInTheToolsOwnLayout) {
    Document doc;
    Calls(doc, "SetValue|a|1 ; SetValue|k|v||s ; CreateSection|empty ; SetValue|c|1|note|t ; "
               "SetValue|h|2|# x|t ; SetValue|b|3|   |t ; SetValue|e|x||t ; SetValue|e|||t ; "
               "SetSectionComment|t|about t ; "
               "SetValue|m|v|first\n[admin]\n  # kept\nroot=1\n \nlast|m");
    EXPECT_EQ(doc.ToText(), "a=1\n\n[s]\nk=v\n\n[empty]\n\n; about t\n[t]\n\n; note\nc=1\n\n# x\n"
                            "h=2\n\n\nb=3\ne=\n\n[m]\n\n; first\n; [admin]\n  # kept\n; root=1\n"
                            " \n; last\nm=v\n");
}

// Each row: the text read, the calls of a change, and the text written after it.
TEST(CDataFileTest, ToText_WritesTheLinesReadAsTheyStoodButThoseOfTheChange) {
    const std::array<const char*, 3> rows[] = {
        {"a = 1\r\n [s] # x\r\n\tk : v\n\n", "Counts", "a = 1\r\n [s] # x\r\n\tk : v\n\n"},
        {"[s]\n; c\nk=1\n", "SetValue|k|2|\n; c|s", "[s]\n; c\nk=2\n"},
        {"[s]\n\n; a\n\n; b\nbare\nk=1\n", "SetValue|k|2|new|s", "[s]\n\n\nbare\n\n; new\nk=2\n"},
        {"[s]\n; c\nk=1\n", "SetKeyComment|k||s", "[s]\nk=1\n"},
        {"; c\n[s]\nk=1\n", "SetSectionComment|s|d", "\n; d\n[s]\nk=1\n"},
        {"[s]\nx=1\n\n; c\nk=1\nk=\n; d\nk=2\n\nj=3\n", "DeleteKey|k|s", "[s]\nx=1\n\nj=3\n"},
        {"[s]\n; c\nk=\nj=1\n", "DeleteKey|k|s", "[s]\nj=1\n"},
        {"[s]\nk=1\n", "DeleteKey|k|s ; SetValue|k|2||s", "[s]\nk=2\n"},
        {"[s]\r\nk=1\r\n", "SetValue|a|1", "a=1\r\n[s]\r\nk=1\r\n"},
        {"[a]\nx=1\n\n; about s\n[s]\nk=1\n  more\n\n[b]\n[S]\nk=\nj=2\n; next\n[c]\n",
         "DeleteSection|s", "[a]\nx=1\n  more\n\n[b]\n; next\n[c]\n"},
        {"[s]\nk=1\n", "DeleteSection|s ; SetValue|k|2||s", "\n[s]\nk=2\n"},
        {"a=1\n; top\n[s]\nk=1\n  cont\n\n; b\n[b]\n[s]\nx=2\n\n; end\n",
         "SetValue|n|1||s ; SetValue|u|2",
         "a=1\nu=2\n; top\n[s]\nk=1\n  cont\n\n; b\n[b]\n[s]\nx=2\nn=1\n\n; end\n"},
        {"[s]\nk=1\n\n; end", "SetValue|k|1||new", "[s]\nk=1\n\n[new]\nk=1\n\n; end"},
        {"[s]\nk=1\n \n; c\n[t]\n", "SetValue|n|1||s", "[s]\nk=1\nn=1\n \n; c\n[t]\n"},
        {"a=1\n", "ReadText|[s]\nk=2\n", "a=1\n[s]\nk=2\n"},
        {"[s]\nk=1\n", "ReadText|a=2\n[t]\n", "[s]\nk=1\n[]\na=2\n[t]\n"}};
    for (const auto& [text, change, written] : rows) {
        Document doc;
        doc.ReadText(text);
        Calls(doc, change);
        EXPECT_EQ(doc.ToText(), written) << ::testing::PrintToString(text) << " " << change;
    }
}

// Each row: a helper, a text, and what the helper gives of it.
TEST(CDataFileTest, StringHelpers_TrimStripAndSplitTheirTexts) {
    const Document doc;
    using Helper = std::function<std::string(std::string)>;
    const Helper trim = [](std::string t) { return Trim(t), t; };
    const Helper strip = [](std::string t) { return RemoveCommentIndicators(t), t; };
    const Helper word = [](std::string t) { return GetNextWord(t) + "|" + t; };
    const Helper bare = [&](std::string t) { return doc.CommentStr(t, true); };
    const Helper lines = [](std::string t) { return CommentLines(t); };
    const std::tuple<const char*, const Helper*, const char*, const char*> rows[] = {
        {"Trim", &trim, " \t=:a b=:\r\n", "a b"},
        {"Trim", &trim, "#;  a b ;#", "#;  a b ;#"},
        {"RemoveCommentIndicators", &strip, " \t=:a b=:\r\n", "=:a b=:"},
        {"RemoveCommentIndicators", &strip, "#;  a b ;#", "a b"},
        {"GetNextWord", &word, " k : v=w", "k| v=w"},
        {"GetNextWord", &word, " \t=:a b=:\r\n", "|:a b=:\r\n"},
        {"GetNextWord", &word, "word", "word|"},
        {"CommentStr", &bare, "; a ;", "a"},
        {"CommentLines", &lines, " one \n\n# two\n[x]", "\n; one\n# two\n; [x]"}};
    for (const auto& [name, helper, text, given] : rows)
        EXPECT_EQ((*helper)(text), given) << name << " of " << ::testing::PrintToString(text);
    std::ostringstream out;
    EXPECT_EQ(WriteLn(out, "%s=%d", "k", 7) + WriteLn(out, "%s", "done\n") + WriteLn(out, "%s", ""),
              10);
    EXPECT_EQ(out.str(), "k=7\ndone\n\n");
}

TEST(CDataFileTest, Save_WritesWholeAndOnlyWhenAsked) {
    TempDir dir;
    std::string lines; // more than a save holds before it writes
    for (int i = 0; i < 30000; ++i)
        lines += "x=" + std::to_string(i) + "\n";
    const std::string path =
        dir.write("a.ini", "\xEF\xBB\xBF[s]\r\nk=v\n" + lines + "; kept at the end\n");
    const std::string saved =
        "\xEF\xBB\xBF[s]\r\nk=w\n" + lines + "\n[n]\na=1\n; kept at the end\n";
    { // without auto-save, the modified document is not written when it is destroyed
        Document doc;
        EXPECT_FALSE(doc.Save()); // no file name
        doc.Load(path, false);
        doc.SetValue("k", "w", "", "s");
        doc.SetValue("a", "1", "", "n");
        EXPECT_TRUE(doc.Save());
        EXPECT_FALSE(doc.Dirty());
        doc.SetValue("k", "x", "", "s");
    }
    EXPECT_TRUE(TempDir::read(path) == saved);
}

// Each row: the file name, whether the document is emptied first, and what a save that writes
// nothing reports.
TEST(CDataFileTest, Save_ReportsWhyItWroteNothing) {
    TempDir dir;
    const std::tuple<std::string, bool, std::string> rows[] = {
        {"", false, "<error> [CDataFile::Save] No filename has been set."},
        {dir.file("no-such-dir/a.ini"), false, "<error> [CDataFile::Save] Unable to save file."},
        {dir.file("a.ini"), true, "<info> [CDataFile::Save] Nothing to save."}};
    const bool reporting = CDataFile::m_bReport;
    CDataFile::m_bReport = true;
    for (const auto& [path, emptied, said] : rows) {
        Document doc;
        if (emptied)
            doc.Clear();
        doc.SetFileName(path);
        testing::internal::CaptureStdout();
        const bool saved = doc.Save();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), said) << path;
        EXPECT_FALSE(saved) << path;
    }
    CDataFile::m_bReport = reporting;
}

// Random texts from pieces of the grammar, each with a random change.
TEST(CDataFileTest, Rewrites_KeepEveryLineTheChangeDoesNotTouchAndReadBackTheSame) {
    using namespace reader_properties;
    std::mt19937 random(11);
    std::vector<std::string> pieces = {
        "[a]", "[A]", "[]", "[b", "k=1",  " K:2",  "j=3", "k=",           "j=",    "=x",    "; c",
        "# d", "\n",  "\r", " ",  "bare", "a=b=c", "x:",  "\xEF\xBB\xBF", "[a] x", "  cont"};
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

// Each row: an edit of "abcdefgh" after [2, 5) was replaced by "X", whether it is taken, and the
// text then written.
TEST(EditListTest, Add_TakesEditsBesideAnotherAndRefusesThoseOverIt) {
    const std::tuple<std::size_t, std::size_t, bool, const char*> rows[] = {
        {3, 3, false, "abXfgh"}, {1, 3, false, "abXfgh"}, {4, 6, false, "abXfgh"},
        {2, 2, true, "abYXfgh"}, {5, 5, true, "abXYfgh"}, {0, 2, true, "YXfgh"}};
    for (const auto& [begin, end, taken, written] : rows) {
        EditList edits;
        edits.Add(2, 5, "X");
        EXPECT_EQ(edits.Add(begin, end, "Y"), taken) << begin << "-" << end;
        std::string out;
        edits.Write("abcdefgh", false,
                    [&out](std::string_view piece) { return out += piece, true; });
        EXPECT_EQ(out, written) << begin << "-" << end;
    }
}
