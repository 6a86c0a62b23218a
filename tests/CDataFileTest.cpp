#include "ini/CDataFile.h"
#include "DocumentProbe.h"

#include <gtest/gtest.h>

namespace {

class CDataFileTest : public ::testing::Test {
protected:
    void SetUp() override { CDataFile::m_bReport = false; }
    void TearDown() override { CDataFile::m_bReport = true; }
};

} // namespace

TEST_F(CDataFileTest, NewDocumentHoldsOnlyTheUnnamedSection) {
    Document doc;
    EXPECT_EQ(doc.SectionCount(), 1);
    EXPECT_EQ(doc.KeyCount(), 0);
    EXPECT_TRUE(doc.IsSectionExist(""));
    EXPECT_FALSE(doc.Dirty());
    EXPECT_EQ(doc.Flags(), FLAG_CREATE_SECTIONS | FLAG_CREATE_KEYS);
}

TEST_F(CDataFileTest, SetValue_StoresInTheUnnamedSectionAndCreatesMissingSections) {
    Document doc;
    EXPECT_TRUE(doc.SetValue("a", "1", "", ""));
    EXPECT_TRUE(doc.SetValue("k", "v", "note", "Net"));
    EXPECT_TRUE(doc.Dirty());
    EXPECT_EQ(doc.GetValue("A", ""), "1");
    EXPECT_EQ(doc.GetValue("K", "NET"), "v");
    EXPECT_EQ(doc.GetKey("k", "net")->m_strComment, "note");
    EXPECT_EQ(doc.GetSection("NET")->m_strName, "Net");
    EXPECT_EQ(doc.KeyCount(), 2);
    EXPECT_EQ(doc.SectionCount(), 2);
}

TEST_F(CDataFileTest, SetValue_ChangesAnExistingKeyAndReplacesItsComment) {
    Document doc;
    doc.SetValue("Key", "1", "old", "s");
    EXPECT_TRUE(doc.SetValue("KEY", "", "", "S"));
    t_Key key = doc.GetKey("key", "s");
    EXPECT_EQ(key->m_strName, "Key");
    EXPECT_EQ(key->m_strValue, "");
    EXPECT_EQ(key->m_strComment, "");
    EXPECT_EQ(doc.KeyCount(), 1);
}

TEST_F(CDataFileTest, SetValue_RefusesNewKeyWithEmptyValueButKeepsTheNewSection) {
    Document doc;
    EXPECT_FALSE(doc.SetValue("k", "", "", "fresh"));
    EXPECT_FALSE(doc.IsKeyExist("k", "fresh"));
    EXPECT_TRUE(doc.IsSectionExist("fresh"));
}

TEST_F(CDataFileTest, SetValue_RefusesNewKeyWithoutCreateFlagWhileCreateKeyStoresIt) {
    Document doc;
    doc.SetFlags(FLAG_CREATE_SECTIONS);
    EXPECT_FALSE(doc.SetValue("k", "v", "", ""));
    EXPECT_TRUE(doc.CreateKey("k", "v", "", ""));
    EXPECT_EQ(doc.Flags(), FLAG_CREATE_SECTIONS);
    doc.SetFlags(0);
    EXPECT_FALSE(doc.SetValue("k", "v", "", "missing"));
    EXPECT_FALSE(doc.IsSectionExist("missing"));
}

TEST_F(CDataFileTest, SetValue_RefusesItemsThatWouldNotReadBackAsThemselves) {
    Document doc;
    for (const std::string key : {"a=b", "a:b", ";k", "#k", "[k", " k", "k ", "k\t", "a\nb"})
        EXPECT_FALSE(doc.SetValue(key, "v", "", "s")) << key;
    EXPECT_FALSE(doc.SetValue("k", "x\n[admin]\nroot=1", "", "s"));
    EXPECT_FALSE(doc.SetValue("k", "x\ry", "", "s"));
    for (const std::string value : {"v ", "v\t", " ", "  "})
        EXPECT_FALSE(doc.SetValue("k", value, "", "s")) << value;
    EXPECT_FALSE(doc.SetValue("k", "v", "", "s\n[t]"));
    EXPECT_FALSE(doc.CreateSection("a\rb", ""));
    EXPECT_FALSE(doc.IsSectionExist("s"));
    EXPECT_TRUE(doc.SetValue("k;#[ x]", " v = :", "any\ncomment", "s ] x"));
}

TEST_F(CDataFileTest, AfterClearSetValueCreatesAnUnnamedSectionAtTheEnd) {
    Document doc;
    doc.SetValue("k", "v", "", "s");
    doc.Clear();
    EXPECT_FALSE(doc.Dirty());
    EXPECT_EQ(doc.SectionCount(), 0);
    EXPECT_FALSE(doc.IsSectionExist(""));
    EXPECT_TRUE(doc.SetValue("a", "1", "", ""));
    EXPECT_EQ(doc.SectionCount(), 1);
    EXPECT_EQ(doc.GetValue("a", ""), "1");
}

TEST_F(CDataFileTest, CreateSection_RefusesAnExistingNameInAnyCase) {
    Document doc;
    EXPECT_TRUE(doc.CreateSection("Section", "c"));
    CDataFile::m_bReport = true;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(doc.CreateSection("section", ""));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "<info> [CDataFile::CreateSection] Section <section> allready exists. Aborting.");
    EXPECT_EQ(doc.GetSection("SECTION")->m_strComment, "c");
}

TEST_F(CDataFileTest, CreateSection_CopiesTheGivenKeysIntoANewSectionAtTheEnd) {
    Document doc;
    doc.SetValue("k", "1", "c", "src");
    KeyList keys = doc.GetSection("src")->m_vecKeys;
    keys.push_back(keys.front()); // duplicates are copied as they are
    EXPECT_TRUE(doc.CreateSection("dst", "", keys));
    EXPECT_FALSE(doc.CreateSection("DST", "", keys));
    t_Section copy = doc.GetSection("dst");
    ASSERT_EQ(copy->m_vecKeys.size(), 2u);
    EXPECT_NE(copy->m_vecKeys[0], keys[0]);
    copy->m_vecKeys[0]->m_strValue = "changed";
    EXPECT_EQ(doc.GetValue("k", "src"), "1");
    EXPECT_EQ(doc.GetValue("K", "dst"), "changed");
    EXPECT_EQ(doc.SectionCount(), 3);
}

TEST_F(CDataFileTest, DeletionsRemoveTheFirstMatchAndLeaveTheModifiedFlag) {
    Document doc;
    doc.SetValue("k", "1", "", "s");
    doc.SetValue("j", "2", "", "s");
    doc.CreateSection("t", "");
    KeyList twice = {doc.GetKey("k", "s"), doc.GetKey("k", "s")};
    doc.CreateSection("u", "", twice);
    CDataFile clean(false);
    EXPECT_FALSE(clean.DeleteKey("k", ""));
    EXPECT_TRUE(doc.DeleteKey("K", "S"));
    EXPECT_FALSE(doc.IsKeyExist("k", "s"));
    EXPECT_EQ(doc.GetValue("j", "s"), "2");
    // both copies of the key in u are found in turn
    EXPECT_TRUE(doc.DeleteKey("k", "u"));
    EXPECT_TRUE(doc.IsKeyExist("k", "u"));
    EXPECT_TRUE(doc.DeleteKey("k", "u"));
    EXPECT_FALSE(doc.IsKeyExist("k", "u"));
    EXPECT_TRUE(doc.DeleteSection("T"));
    EXPECT_FALSE(doc.DeleteSection("t"));
    EXPECT_FALSE(doc.DeleteKey("x", "s"));
    EXPECT_FALSE(doc.DeleteKey("k", "nowhere"));
    EXPECT_EQ(doc.SectionCount(), 3);
}

TEST_F(CDataFileTest, CommentsAreSetOnFoundTargetsOnly) {
    Document doc;
    doc.SetValue("k", "v", "", "s");
    EXPECT_TRUE(doc.SetKeyComment("K", "kc", "S"));
    EXPECT_TRUE(doc.SetSectionComment("S", "sc"));
    EXPECT_FALSE(doc.SetKeyComment("x", "c", "s"));
    EXPECT_FALSE(doc.SetSectionComment("x", "c"));
    EXPECT_EQ(doc.GetKey("k", "s")->m_strComment, "kc");
    EXPECT_EQ(doc.GetSection("s")->m_strComment, "sc");
}

TEST_F(CDataFileTest, SetFileName_MarksAndReportsOnlyARealChange) {
    Document doc;
    CDataFile::m_bReport = true;
    ::testing::internal::CaptureStdout();
    doc.SetFileName("a.ini");
    EXPECT_FALSE(doc.Dirty());
    doc.SetFileName("A.INI");
    EXPECT_FALSE(doc.Dirty());
    doc.SetFileName("b.ini");
    EXPECT_TRUE(doc.Dirty());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "<warn> [CDataFile::SetFileName] The filename has changed from <A.INI> to <b.ini>.");
}

TEST_F(CDataFileTest, ReportPrintsPrefixedMessagesOnlyWhileEnabled) {
    CDataFile::m_bReport = true;
    ::testing::internal::CaptureStdout();
    Report(e_Debug, "a");
    Report(e_Critical, "b");
    Report(static_cast<e_DebugLevel>(6), "c");
    CDataFile::m_bReport = false;
    Report(e_Error, "d");
    CDataFile::m_bReport = true;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "<debug> a<critical> bc");
}

TEST_F(CDataFileTest, CompareNoCaseIsEqualityIgnoringAsciiCase) {
    EXPECT_EQ(CompareNoCase("Name", "nAME"), 0);
    EXPECT_EQ(CompareNoCase("name", "name "), 1);
    EXPECT_EQ(CompareNoCase("\xC4", "\xE4"), 1);
    EXPECT_EQ(CompareNoCase("", ""), 0);
}

TEST_F(CDataFileTest, LookupsStayRightOverManyKeysAndDeletions) {
    Document doc;
    for (int i = 0; i < 2000; ++i)
        doc.SetValue("Key" + std::to_string(i), std::to_string(i), "", "s" + std::to_string(i % 7));
    for (int i = 0; i < 2000; i += 3)
        EXPECT_TRUE(doc.DeleteKey("KEY" + std::to_string(i), "S" + std::to_string(i % 7)));
    for (int i = 0; i < 2000; ++i) {
        const std::string value =
            doc.GetValue("key" + std::to_string(i), "s" + std::to_string(i % 7));
        EXPECT_EQ(value, i % 3 == 0 ? "" : std::to_string(i));
    }
    EXPECT_TRUE(doc.DeleteSection("s3"));
    EXPECT_EQ(doc.GetValue("key3", "s3"), "");
    EXPECT_TRUE(doc.SetValue("key3", "again", "", "s3"));
    EXPECT_EQ(doc.GetSection("s3"), doc.Last());
}
