#include "Support.h"

#include <gtest/gtest.h>

#include <set>

TEST(CDataFileTest, SetValue_StoresCreatesAndChangesUnderTheCreationRules) {
    Document doc;
    EXPECT_EQ(doc.SectionCount(), 1); // the unnamed section
    EXPECT_EQ(doc.Flags(), 6);        // sections and keys may be created
    EXPECT_TRUE(doc.SetValue("a", "1", "", "") && doc.SetValue("k", "v", "note", "Net"));
    EXPECT_TRUE(doc.Dirty());
    EXPECT_EQ(doc.GetValue("A", ""), "1");
    EXPECT_EQ(doc.GetString("K", "NET"), "v");
    EXPECT_EQ(doc.GetKey("k", "net")->m_strComment, "note");
    EXPECT_EQ(doc.GetSection("NET")->m_strName, "Net");
    EXPECT_TRUE(doc.SetValue("K", "", "", "net")); // an existing key takes an empty value
    EXPECT_EQ(doc.GetKey("k", "Net")->m_strName, "k");
    EXPECT_EQ(doc.GetKey("k", "Net")->m_strComment, "");
    EXPECT_FALSE(doc.SetValue("n", "", "", "fresh")); // no new key without a value...
    EXPECT_TRUE(doc.IsSectionExist("fresh") && !doc.IsKeyExist("n", "fresh")); // ...new section
    doc.SetFlags(FLAG_CREATE_SECTIONS);
    EXPECT_FALSE(doc.SetValue("n", "v", "", ""));
    EXPECT_TRUE(doc.CreateKey("n", "v", "", ""));
    EXPECT_EQ(doc.Flags(), FLAG_CREATE_SECTIONS);
    doc.SetFlags(0);
    EXPECT_FALSE(doc.SetValue("n", "v", "", "missing") || doc.IsSectionExist("missing"));
    EXPECT_EQ(doc.KeyCount(), 3);
    EXPECT_EQ(doc.SectionCount(), 3);
    for (const std::string key : {"a=b", "a:b", ";k", "#k", "[k", " k", "k ", "k\t", "a\nb"})
        EXPECT_FALSE(doc.CreateKey(key, "v", "", "")) << key;
    for (const std::string value : {"x\n[admin]", "x\ry", "v ", "v\t", " "})
        EXPECT_FALSE(doc.CreateKey("k", value, "", "")) << value;
    EXPECT_FALSE(doc.CreateSection("a\rb", ""));
    EXPECT_TRUE(doc.CreateKey("k;#[ x]", " v = :", "any\ncomment", ""));
}

TEST(CDataFileTest, CreateSectionCopiesKeysAndDeletionsRemoveFirstMatchesLeavingTheFlag) {
    Document doc;
    doc.SetValue("k", "1", "c", "src");
    EXPECT_FALSE(doc.CreateSection("SRC", "other"));
    KeyList keys = doc.GetSection("src")->Keys();
    keys.push_back(keys.front()); // duplicates are copied as they are
    EXPECT_TRUE(doc.CreateSection("dst", "", keys));
    EXPECT_FALSE(doc.CreateSection("DST", "", keys));
    doc.Last()->Keys().at(0)->m_strValue = "changed";
    EXPECT_EQ(doc.GetValue("k", "src"), "1");
    EXPECT_EQ(doc.GetValue("K", "dst"), "changed");
    EXPECT_TRUE(doc.DeleteKey("k", "dst") && doc.DeleteKey("k", "dst")); // both copies in turn
    EXPECT_FALSE(doc.IsKeyExist("k", "dst"));
    EXPECT_EQ(doc.GetSection("src")->m_strComment, "");
    EXPECT_FALSE(Document().DeleteKey("k", ""));
    doc.ReadText("[s]\nk=1\nj=2\n[t]\n");
    doc.Clean();
    doc.ReadText("");
    doc.ReadText("[S]\n"); // neither text changes the document
    EXPECT_TRUE(doc.DeleteKey("K", "S") && !doc.IsKeyExist("k", "s"));
    EXPECT_EQ(doc.GetValue("j", "s"), "2");
    EXPECT_TRUE(doc.DeleteSection("T") && !doc.DeleteSection("t"));
    EXPECT_FALSE(doc.DeleteKey("x", "s") || doc.DeleteKey("j", "nowhere") || doc.Dirty());
    EXPECT_EQ(doc.SectionCount(), 4);
}

TEST(CDataFileTest, CommentsFileNamesAndClear) {
    Document doc;
    doc.SetValue("k", "v", "", "s");
    doc.Clean();
    EXPECT_TRUE(doc.SetKeyComment("K", "kc", "S") && doc.Dirty());
    doc.Clean();
    EXPECT_TRUE(doc.SetSectionComment("S", "sc") && doc.Dirty());
    EXPECT_FALSE(doc.SetKeyComment("x", "c", "s") || doc.SetSectionComment("x", "c"));
    EXPECT_EQ(doc.GetKey("k", "s")->m_strComment, "kc");
    EXPECT_EQ(doc.GetSection("s")->m_strComment, "sc");
    doc.Clear();
    EXPECT_FALSE(doc.Dirty() || doc.IsSectionExist("") || doc.Save());
    doc.ReadText("a=1\n"); // keys before a header, and a set, make a new unnamed section
    EXPECT_TRUE(doc.GetValue("a", "") == "1" && doc.DeleteSection("") &&
                doc.SetValue("b", "2", "", ""));
    EXPECT_EQ(doc.SectionCount(), 1);
    const TempDir dir;
    doc.SetFileName(dir.file("a.ini"));
    doc.SetFileName(dir.file("A.INI"));
    EXPECT_FALSE(doc.Save() && doc.Dirty());
    doc.Clean();
    doc.SetFileName("b.ini");
    EXPECT_TRUE(doc.Dirty() && doc.FileName() == "b.ini");
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
    EXPECT_TRUE(doc.DeleteSection("s3") && doc.SetValue("key3", "again", "", "s3"));
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
    EXPECT_TRUE(doc.SetInt("i", -7, "c", "s") && doc.SetFloat("f", 2.0f, "", "s"));
    EXPECT_TRUE(doc.SetBool("y", true, "", "s") && doc.SetBool("n", false, "", "s"));
    const std::pair<const char*, const char*> stored[] = {
        {"i", "-7"}, {"f", "2.000000"}, {"y", "True"}, {"n", "False"}};
    for (const auto& [key, text] : stored)
        EXPECT_EQ(doc.GetValue(key, "s"), text) << key;
    EXPECT_EQ(doc.GetKey("i", "s")->m_strComment, "c");
    EXPECT_EQ(doc.GetInt("missing", "s"), -2147483648);
    EXPECT_EQ(doc.GetFloat("missing", "s") * doc.GetFloat("f", "s"), 2 * 1.17549435e-38f);
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
