#include "ini/IniFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

class Facade : public ct_IniFile {
public:
    using ct_IniFile::ct_IniFile;
    std::int64_t Flags() const { return m_lFlags; }
    bool Dirty() const { return m_bDirty; }
};

const char* const kExample = "; top\n[S1]\na=1\n; about b\nb=2\n[S2]\nc=3\n";

class IniFileTest : public ::testing::Test {
protected:
    void TearDown() override { CDataFile::m_bReport = true; }

    time_t ModificationTime(const std::string& path) {
        struct stat info;
        ::stat(path.c_str(), &info);
        return info.st_mtime;
    }

    TempDir m_dir;
};

} // namespace

TEST_F(IniFileTest, MissingFileWithoutCreateIsNeverWritten) {
    const std::string path = m_dir.file("none.ini");
    {
        ct_IniFile ini(path, false);
        EXPECT_FALSE(ini.IsOk());
        EXPECT_FALSE(CDataFile::m_bReport);
        EXPECT_FALSE(ini.ExistsSection(""));
        EXPECT_EQ(ini.GetValue("k", "s"), "");
        EXPECT_FALSE(ini.SetValue("k", "v", "", "s", false, true));
        EXPECT_FALSE(ini.SetValue("k", "v", "", "s", true, true));
    }
    EXPECT_FALSE(std::ifstream(path).good());
}

TEST_F(IniFileTest, MissingFileWithCreateIsMadeByTheFirstSet) {
    const std::string path = m_dir.file("new.ini");
    ct_IniFile ini(path, true);
    EXPECT_FALSE(ini.IsOk());
    EXPECT_TRUE(ini.SetValue("port", "81", "", "net", true, true));
    EXPECT_EQ(TempDir::read(path), "\n[net]\nport=81\n");
    EXPECT_FALSE(ini.IsOk());
}

TEST_F(IniFileTest, LoadingAndReadingNeverWriteTheFile) {
    const std::string text = "k=\n[s]\n  key = v  \n[s]\nkey=w\n; trailing comment\n";
    const std::string path = m_dir.write("a.ini", text);
    const struct utimbuf past = {1000000, 1000000};
    ::utime(path.c_str(), &past);
    {
        Facade ini(path, false);
        EXPECT_TRUE(ini.IsOk());
        EXPECT_FALSE(ini.Dirty());
        EXPECT_EQ(ini.GetValue("KEY", "S"), "w");
        ini.GetContentStr("", "", true);
        EXPECT_TRUE(ini.SetValue("key", "w", "other comment", "s", true, true)); // same value
        EXPECT_FALSE(ini.SetValue("new", "x", "", "s", false, true));
        EXPECT_FALSE(ini.SetValue("new", "x", "", "elsewhere", false, true));
        EXPECT_FALSE(ini.SetValue("bad=key", "x", "", "s", true, true));
        EXPECT_FALSE(ini.DeleteKey("none", "s"));
        EXPECT_FALSE(ini.DeleteSection("none"));
        EXPECT_FALSE(ini.IsSectionExist("elsewhere"));
    }
    EXPECT_EQ(TempDir::read(path), text);
    EXPECT_EQ(ModificationTime(path), 1000000);
}

TEST_F(IniFileTest, SetValueKeepsOrReplacesTheCommentAndSavesAtOnce) {
    const std::string path = m_dir.write("a.ini", "[s]\n; old\nbare\nk=1\n");
    Facade ini(path, false);
    EXPECT_TRUE(ini.SetValue("K", "2", "", "S", false, true));
    EXPECT_EQ(TempDir::read(path), "\n[s]\n\n; old\nbare\nk=2\n");
    EXPECT_TRUE(ini.SetValue("K", "3", "new\n\n  two ", "S", false, true));
    EXPECT_EQ(TempDir::read(path), "\n[s]\n\nbare\n; new\n; two\nk=3\n");
    EXPECT_TRUE(ini.SetValue("n", "3", "new one", "t", true, true));
    EXPECT_EQ(TempDir::read(path), "\n[s]\n\nbare\n; new\n; two\nk=3\n\n[t]\n\n; new one\nn=3\n");
    EXPECT_TRUE(ini.Flags() & FLAG_CREATE_KEYS);
    EXPECT_FALSE(ini.Dirty());
    ini.SetAutoCreate(false);
    EXPECT_FALSE(ini.Flags() & FLAG_CREATE_KEYS);
    EXPECT_TRUE(ini.Flags() & FLAG_CREATE_SECTIONS);
}

TEST_F(IniFileTest, DeletionsAreSavedAtOnce) {
    const std::string path = m_dir.write("a.ini", kExample);
    ct_IniFile ini(path, false);
    EXPECT_TRUE(ini.DeleteKey("A", "s1"));
    EXPECT_EQ(TempDir::read(path), "\n; top\n[S1]\n\n; about b\nb=2\n\n[S2]\nc=3\n");
    EXPECT_TRUE(ini.DeleteSection("s2"));
    EXPECT_EQ(TempDir::read(path), "\n; top\n[S1]\n\n; about b\nb=2\n");
    EXPECT_TRUE(ini.ExistsKey("b", "S1"));
    EXPECT_FALSE(ini.ExistsKey("c", "S2"));
}

TEST_F(IniFileTest, FailedSaveIsNotRetriedWhenTheFacadeIsDestroyed) {
    const std::string path = m_dir.write("a.ini", "[s]\nk=1\n");
    {
        ct_IniFile ini(path, false);
        ::unlink(path.c_str());
        ::mkdir(path.c_str(), 0755); // the path is now a directory: saving fails
        EXPECT_FALSE(ini.SetValue("k", "2", "", "s", false, true));
        ::rmdir(path.c_str());
    }
    EXPECT_FALSE(std::ifstream(path).good());
}

TEST_F(IniFileTest, ListingsOfTheWorkedExample) {
    ct_IniFile ini(m_dir.write("a.ini", kExample), false);
    EXPECT_EQ(ini.GetSectionsStr(false), "[S1]\n[S2]\n");
    EXPECT_EQ(ini.GetSectionsStr(true), "; top\n[S1]\n[S2]\n");
    EXPECT_EQ(ini.GetContentStr("", "", false), "[S1]\na=1\nb=2\n[S2]\nc=3\n");
    EXPECT_EQ(ini.GetContentStr("", "", true), "; top\n[S1]\na=1\n; about b#b=2\n[S2]\nc=3\n");
    EXPECT_EQ(ini.GetKeysStr("S1", false), "a=1\nb=2\n");
    EXPECT_EQ(ini.GetKeysStr("s1", false), "");
    EXPECT_TRUE(ini.ExistsSection("s1"));
    EXPECT_EQ(ini.GetContentStr("S1", "b", true), "; about b#b=2\n");
    EXPECT_EQ(ini.GetContentStr("", "c", false), "c=3\n");
}

TEST_F(IniFileTest, ListingsLeaveOutEmptyValuesAndShowUnnamedKeysFirst) {
    ct_IniFile ini(m_dir.write("a.ini", "top=1\n[empty]\n"), false);
    ini.SetValue("blank", "", "", "empty", true, false);
    EXPECT_EQ(ini.GetContentStr("", "", false), "top=1\n[empty]\n");
    ct_IniFile none(m_dir.file("none.ini"), false);
    EXPECT_EQ(none.GetSectionsStr(true), "");
    EXPECT_EQ(none.GetContentStr("", "", true), "");
}

TEST_F(IniFileTest, ListingMarksEveryCommentLineAndJoinsBlankCommentsWithHash) {
    ct_IniFile ini(m_dir.file("none.ini"), true);
    ini.SetValue("k", "v", "one\ntwo", "s", true, false);
    ini.SetValue("j", "w", "", "s", true, false);
    ini.SetKeyComment("j", "   ", "s");
    EXPECT_EQ(ini.GetKeysStr("s", true), "; one\n; two#k=v\n#j=w\n");
    EXPECT_EQ(ini.GetKeysStr("s", false), "k=v\nj=w\n");
}
