#include "DocumentProbe.h"
#include "TempDir.h"
#include "ini/CDataFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class CDataFileIOTest : public ::testing::Test {
protected:
    void SetUp() override { CDataFile::m_bReport = false; }
    void TearDown() override { CDataFile::m_bReport = true; }

    // Reads the text as a file and writes it back in the tool's layout.
    std::string Rewrite(const std::string& text) {
        Document doc;
        EXPECT_TRUE(doc.Load(m_dir.write("in.ini", text), false));
        return doc.ToText();
    }

    TempDir m_dir;
};

} // namespace

TEST_F(CDataFileIOTest, TrimAndGetNextWord) {
    std::string text = " \t=:a b=:\r\n";
    Trim(text);
    EXPECT_EQ(text, "a b");
    text = "=:= ";
    Trim(text);
    EXPECT_EQ(text, "");
    std::string line = " k : v=w";
    EXPECT_EQ(GetNextWord(line), "k");
    EXPECT_EQ(line, " v=w");
    line = "word";
    EXPECT_EQ(GetNextWord(line), "word");
    EXPECT_EQ(line, "");
}

TEST_F(CDataFileIOTest, Load_EmptyFileIsReadWithoutAChange) {
    Document doc;
    EXPECT_TRUE(doc.Load(m_dir.write("e.ini", ""), false));
    EXPECT_EQ(doc.SectionCount(), 1);
    EXPECT_FALSE(doc.Dirty());
}

TEST_F(CDataFileIOTest, Load_MissingFileAdoptsTheNameOnlyWhenAsked) {
    CDataFile::m_bReport = true;
    Document adopt;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(adopt.Load(m_dir.file("none.ini"), true));
    EXPECT_EQ(adopt.FileName(), m_dir.file("none.ini"));
    Document refuse;
    EXPECT_FALSE(refuse.Load(m_dir.file("none.ini"), false));
    EXPECT_EQ(refuse.FileName(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "<info> [CDataFile::Load] Unable to open file. Does it exist?");
    CDataFile::m_bReport = false;
    EXPECT_FALSE(refuse.Load(m_dir.path(), false)); // a directory is no INI file
}

TEST_F(CDataFileIOTest, Load_ClassifiesLinesLikeTheFormatSays) {
    Document doc;
    doc.Load(m_dir.write("a.ini", "k=v\n  [Sec]  \n[ Sp ]\n[a] x\nk : v\na:b=c\nn=v ; note\n"
                                  "=v\n:v\nempty=\nbare\n[open\nx=1\n"),
             false);
    EXPECT_EQ(doc.GetValue("k", ""), "v");
    EXPECT_TRUE(doc.IsSectionExist("Sec"));
    EXPECT_TRUE(doc.IsSectionExist(" Sp "));
    EXPECT_EQ(doc.GetValue("k", "a x"), " v");
    EXPECT_EQ(doc.GetValue("a", "a x"), "b=c");
    EXPECT_EQ(doc.GetValue("n", "a x"), "v ; note");
    // "empty=" stands for its key, without a value; "=v", ":v" and "bare" store nothing.
    EXPECT_EQ(doc.GetSection("a x")->m_vecKeys.size(), 4u);
    EXPECT_TRUE(doc.IsKeyExist("empty", "a x"));
    EXPECT_EQ(doc.GetValue("empty", "a x"), "");
    EXPECT_EQ(doc.GetValue("x", "open"), "1");
    EXPECT_EQ(doc.KeyCount(), 6);
}

TEST_F(CDataFileIOTest, Load_KeepsEqualsAndColonAtTheEndOfAValue) {
    Document doc;
    doc.Load(m_dir.write("a.ini", "token=YWJj=\ndrive=C:\nk==\n"), false);
    EXPECT_EQ(doc.GetValue("token", ""), "YWJj=");
    EXPECT_EQ(doc.GetValue("drive", ""), "C:");
    EXPECT_EQ(doc.GetValue("k", ""), "=");
}

TEST_F(CDataFileIOTest, Load_AttachesCommentsToTheNextStoredKeyOrCreatedSection) {
    Document doc;
    doc.Load(m_dir.write("a.ini",
                         "; top\n# two\n\n[S]\n; lost? no\nk=\nj=1\n[s]\n; gone\n[s]\nz=1\n"
                         "; trailing\n"),
             false);
    EXPECT_EQ(doc.GetSection("S")->m_strComment, "\n; top\n# two");
    EXPECT_EQ(doc.GetKey("k", "S")->m_strComment, "\n; lost? no");
    EXPECT_EQ(doc.GetKey("j", "S")->m_strComment, "");
    EXPECT_EQ(doc.GetKey("z", "S")->m_strComment, "\n; gone");
    EXPECT_EQ(doc.SectionCount(), 2);
    EXPECT_EQ(doc.ToText(), "\n; top\n# two\n[S]\n\n; lost? no\nk=\nj=1\n\n; gone\nz=1\n\n; trailing\n");
}

TEST_F(CDataFileIOTest, Load_MergesRepeatedKeysIntoTheFirstWithTheLastValueAndComment) {
    Document doc;
    doc.Load(m_dir.write("a.ini", "[s]\n; first\nK=1\nj=2\n[S]\nk=3\n"), false);
    const t_Section section = doc.GetSection("s");
    ASSERT_EQ(section->m_vecKeys.size(), 2u);
    EXPECT_EQ(section->m_vecKeys[0]->m_strName, "K");
    EXPECT_EQ(section->m_vecKeys[0]->m_strValue, "3");
    EXPECT_EQ(section->m_vecKeys[0]->m_strComment, "");
}

TEST_F(CDataFileIOTest, Load_ReadsCrLfLikeLfAndTheLastLineWithoutLineFeed) {
    EXPECT_EQ(Rewrite("; c\r\n[s]\r\nk=v\r\nj=w"), Rewrite("; c\n[s]\nk=v\nj=w\n"));
    EXPECT_EQ(Rewrite("[s]\nk=v"), "\n[s]\nk=v\n");
}

TEST_F(CDataFileIOTest, Load_TakesALineUpToItsFirstNulAndLongLinesWhole) {
    const std::string longValue(5000, 'x');
    Document doc;
    doc.Load(m_dir.write("a.ini", std::string("a=1\0tail\nlong=", 14) + longValue + "\nb=2\n"),
             false);
    EXPECT_EQ(doc.GetValue("a", ""), "1");
    EXPECT_TRUE(doc.GetValue("long", "") == longValue);
    EXPECT_EQ(doc.GetValue("b", ""), "2");
}

TEST_F(CDataFileIOTest, Load_AfterClearFilesLeadingKeysUnderTheEmptyName) {
    Document doc;
    doc.Clear();
    EXPECT_TRUE(doc.Load(m_dir.write("a.ini", "k=v\n[]\nj=w\n"), false));
    EXPECT_EQ(doc.SectionCount(), 1);
    EXPECT_EQ(doc.GetValue("j", ""), "w");
}

TEST_F(CDataFileIOTest, Load_MergesIntoExistingContentAndMarksTheChange) {
    Document doc;
    doc.SetValue("keep", "1", "", "s");
    doc.Load(m_dir.write("a.ini", "[S]\nnew=2\n"), false);
    EXPECT_EQ(doc.GetValue("keep", "s"), "1");
    EXPECT_EQ(doc.GetValue("new", "s"), "2");
    EXPECT_TRUE(doc.Dirty());
}

TEST_F(CDataFileIOTest, ToText_FollowsTheLayoutByteForByte) {
    Document doc;
    doc.SetValue("a", "1", "", "");
    doc.SetValue("k", "v", "", "s");
    doc.CreateSection("empty", "");
    doc.SetValue("c", "1", "note", "t");
    doc.SetValue("h", "2", "# x", "t");
    doc.SetValue("b", "3", "   ", "t");
    doc.SetValue("gone", "x", "", "t");
    doc.SetValue("gone", "", "", "t");
    doc.SetSectionComment("t", "about t");
    EXPECT_EQ(doc.ToText(),
              "a=1\n\n[s]\nk=v\n\n[empty]\n\n; about t\n[t]\n\n; note\nc=1\n\n# x\nh=2\n"
              "\n\nb=3\ngone=\n");
}

TEST_F(CDataFileIOTest, ToText_MarksEveryLineOfAMultiLineComment) {
    Document doc;
    doc.SetValue("k", "v", "first\n[admin]\n  # kept\nroot=1\n \nlast", "s");
    EXPECT_EQ(doc.ToText(), "\n[s]\n\n; first\n; [admin]\n  # kept\n; root=1\n \n; last\nk=v\n");
    Document reread;
    reread.Load(m_dir.write("c.ini", doc.ToText()), false);
    EXPECT_EQ(reread.KeyCount(), 1);
    EXPECT_EQ(reread.SectionCount(), 2);
}

TEST_F(CDataFileIOTest, CommentStrAndRemoveCommentIndicators) {
    Document doc;
    EXPECT_EQ(doc.CommentStr("  ; a  ", false), "; a");
    EXPECT_EQ(doc.CommentStr("a", false), "; a");
    EXPECT_EQ(doc.CommentStr("", false), "");
    EXPECT_EQ(doc.CommentStr("; a ;", true), "a");
    std::string text = "#;  a b ;#";
    RemoveCommentIndicators(text);
    EXPECT_EQ(text, "a b");
    text = "; ;";
    RemoveCommentIndicators(text);
    EXPECT_EQ(text, "");
}

TEST_F(CDataFileIOTest, WriteLnEndsEveryLineOnceAndWritesLongLinesWhole) {
    std::ostringstream out;
    EXPECT_EQ(WriteLn(out, "%s=%d", "k", 7), 4);
    EXPECT_EQ(WriteLn(out, "%s", "done\n"), 5);
    const std::string longText(2000, 'y');
    EXPECT_EQ(WriteLn(out, "%s", longText.c_str()), 2001);
    EXPECT_EQ(out.str(), "k=7\ndone\n" + longText + "\n");
}

TEST_F(CDataFileIOTest, Save_RefusesWithoutNameOrContent) {
    CDataFile::m_bReport = true;
    Document doc;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(doc.Save());
    doc.Clear();
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "<error> [CDataFile::Save] No filename has been set.<info> [CDataFile::Save] Nothing "
              "to save.");
}

TEST_F(CDataFileIOTest, Save_WritesTheFileAndClearsTheModifiedFlag) {
    const std::string path = m_dir.write("a.ini", "[s]\nk=v\n; kept at the end\n");
    Document doc;
    doc.Load(path, false);
    EXPECT_TRUE(doc.Save());
    EXPECT_FALSE(doc.Dirty());
    EXPECT_EQ(TempDir::read(path), "\n[s]\nk=v\n\n; kept at the end\n");
    EXPECT_TRUE(doc.DeleteKey("k", "s"));
    EXPECT_FALSE(doc.Dirty());
}

TEST_F(CDataFileIOTest, Save_KeepsPermissionsAndReplacesTheTargetOfALink) {
    const std::string path = m_dir.write("real.ini", "[s]\nk=v\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_EQ(::symlink("real.ini", m_dir.file("link.ini").c_str()), 0);
    Document doc;
    doc.Load(m_dir.file("link.ini"), false);
    doc.SetValue("k", "w", "", "s");
    EXPECT_TRUE(doc.Save());
    struct stat info;
    ASSERT_EQ(::lstat(m_dir.file("link.ini").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(TempDir::read(path), "\n[s]\nk=w\n");
}

TEST_F(CDataFileIOTest, Save_FailedWriteLeavesTheOldBytesAndNoTemporaryFile) {
    const std::string old = "[s]\nk=" + std::string(100, 'o') + "\n";
    const std::string path = m_dir.write("a.ini", old);
    Document doc;
    doc.Load(path, false);
    doc.SetValue("k", std::string(100000, 'n'), "", "s");
    struct rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved_ok = doc.Save();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved_ok);
    EXPECT_TRUE(doc.Dirty());
    EXPECT_EQ(TempDir::read(path), old);
    EXPECT_EQ(std::system(("test $(ls -A '" + m_dir.path() + "' | wc -l) -eq 1").c_str()), 0)
        << "a temporary file was left behind";
}

TEST_F(CDataFileIOTest, WritingWhatWasReadIsAFixedPoint) {
    std::mt19937 random(7);
    const std::string alphabet = "ab=:;#[] \t\r\nK";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 80);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        const std::string once = Rewrite(text);
        EXPECT_EQ(Rewrite(once), once) << "input: " << ::testing::PrintToString(text);
    }
}

TEST_F(CDataFileIOTest, ValuesOfUnparsedTextMatchTheParsedDocument) {
    std::mt19937 random(11);
    const std::vector<std::string> pieces = {"[a]", "[A]",  "[]", "[b",    "k=1",
                                             "K:2", "j=3",  "k=", "=x",    "; c",
                                             "\n",  "\r\n", " ",  "a=b=c", "\0"};
    const std::vector<std::string> names = {"", "a", "A", "b", "k", "K", "j", "x", "a=b"};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 30); i > 0; --i)
            text += pieces[random() % pieces.size()] + (random() % 2 ? "\n" : "");
        Document lazy;
        lazy.SetValue("k", "before", "", "a");
        lazy.SetValue("x", "kept", "", "");
        lazy.ReadText(text);
        Document parsed;
        parsed.SetValue("k", "before", "", "a");
        parsed.SetValue("x", "kept", "", "");
        parsed.ReadText(text);
        parsed.KeyCount();
        for (const std::string& section : names) {
            for (const std::string& key : names)
                EXPECT_EQ(lazy.GetValue(key, section), parsed.GetValue(key, section))
                    << ::testing::PrintToString(text) << " [" << section << "] " << key;
        }
        EXPECT_EQ(lazy.Dirty(), parsed.Dirty());
        EXPECT_EQ(lazy.ToText(), parsed.ToText());
    }
}

TEST_F(CDataFileIOTest, LoadsAHundredThousandKeysInOneSection) {
    std::string text = "[big]\n";
    for (int i = 0; i < 100000; ++i)
        text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    Document doc;
    doc.Load(m_dir.write("big.ini", text), false);
    EXPECT_EQ(doc.KeyCount(), 100000);
    EXPECT_EQ(doc.GetValue("KEY99999", "BIG"), "99999");
    EXPECT_EQ(doc.ToText(), "\n" + text);
}

TEST_F(CDataFileIOTest, TypedValuesUseTheirFixedTextForms) {
    Document doc;
    EXPECT_TRUE(doc.SetInt("i", -7, "c", "s"));
    EXPECT_EQ(doc.GetValue("i", "s"), "-7");
    EXPECT_EQ(doc.GetInt("i", "s"), -7);
    EXPECT_TRUE(doc.SetInt("i", 3, "", "s"));
    EXPECT_EQ(doc.GetKey("i", "s")->m_strComment, "");
    EXPECT_EQ(doc.GetInt("missing", "s"), -2147483648);
    doc.SetValue("t", "12abc", "", "s");
    doc.SetValue("b", " 42", "", "s");
    EXPECT_EQ(doc.GetInt("t", "s"), 12);
    EXPECT_EQ(doc.GetInt("b", "s"), 42);
    EXPECT_TRUE(doc.SetFloat("f", 2.0f, "", "s"));
    EXPECT_EQ(doc.GetValue("f", "s"), "2.000000");
    EXPECT_FLOAT_EQ(doc.GetFloat("f", "s"), 2.0f);
    EXPECT_EQ(doc.GetFloat("missing", "s"), 1.17549435e-38f);
    EXPECT_TRUE(doc.SetBool("y", true, "", "s"));
    EXPECT_EQ(doc.GetValue("y", "s"), "True");
    for (const char* text : {"True", "TRUE", "yes", "Yes", "1", "10", "0.1", "-1"}) {
        doc.SetValue("x", text, "", "s");
        EXPECT_TRUE(doc.GetBool("x", "s")) << text;
    }
    for (const char* text : {"False", "no", "on", "0"}) {
        doc.SetValue("x", text, "", "s");
        EXPECT_FALSE(doc.GetBool("x", "s")) << text;
    }
    EXPECT_FALSE(doc.GetBool("missing", "s"));
}
