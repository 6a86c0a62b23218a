#include "ini/IniFile.h"
#include "Support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(IniFileTest, SetKeepsOrReplacesTheCommentAFailedSaveIsNotRetriedListingsMarkComments) {
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
        EXPECT_TRUE(::unlink(path.c_str()) == 0 && ::mkdir(path.c_str(), 0755) == 0); // no save
        EXPECT_FALSE(ini.SetValue("k", "4", "", "s", false, true));
        ::rmdir(path.c_str());
    }
    ct_IniFile missing(dir.file("none.ini"), false);
    EXPECT_FALSE(missing.ExistsKey("k", "s") || missing.ExistsSection(""));
    // listings: every comment line marked, a blank comment joined by "#", no empty values
    ct_IniFile ini(dir.file("none.ini"), true);
    ini.SetValue("k", "v", "one\ntwo", "s", true, false);
    ini.SetValue("j", "w", "", "s", true, false);
    ini.SetKeyComment("j", "   ", "s");
    EXPECT_EQ(ini.GetKeysStr("s", true), "; one\n; two#k=v\n#j=w\n");
}
