#include "ini/IniFile.h"
#include "Support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(IniFileTest, SetValueKeepsOrReplacesTheCommentAndAFailedSaveIsNotRetried) {
    TempDir dir;
    const std::string path = dir.write("a.ini", "[s]\n; old\nbare\nk=1\n");
    {
        ct_IniFile ini(path, false);
        EXPECT_FALSE(CDataFile::m_bReport);
        EXPECT_TRUE(ini.SetValue("K", "2", "", "S", false, true));
        EXPECT_EQ(TempDir::read(path), "\n[s]\n\n; old\nbare\nk=2\n");
        EXPECT_TRUE(ini.SetValue("K", "3", "new\n\n  two ", "S", false, true));
        EXPECT_EQ(TempDir::read(path), "\n[s]\n\nbare\n; new\n; two\nk=3\n");
        EXPECT_TRUE(ini.ExistsKey("k", "s"));
        ::unlink(path.c_str());
        ::mkdir(path.c_str(), 0755); // the path is now a directory: saving fails
        EXPECT_FALSE(ini.SetValue("k", "4", "", "s", false, true));
        ::rmdir(path.c_str());
    }
    EXPECT_EQ(dir.entries(), 0);
    ct_IniFile missing(dir.file("none.ini"), false);
    EXPECT_FALSE(missing.ExistsKey("k", "s") || missing.ExistsSection(""));
}

TEST(IniFileTest, ListingMarksEveryCommentLineAndJoinsBlankCommentsWithHash) {
    TempDir dir;
    ct_IniFile ini(dir.file("none.ini"), true);
    ini.SetValue("k", "v", "one\ntwo", "s", true, false);
    ini.SetValue("j", "w", "", "s", true, false);
    ini.SetKeyComment("j", "   ", "s");
    ini.SetValue("e", "x", "", "s", true, false);
    ini.SetValue("e", "", "", "s", true, false);
    EXPECT_EQ(ini.GetKeysStr("s", true), "; one\n; two#k=v\n#j=w\n");
    EXPECT_EQ(ini.GetContentStr("", "", false), "[s]\nk=v\nj=w\n");
}
