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
        EXPECT_TRUE(ini.SetValue("K", "3", "new\n\n  two ", "S", false, true));
        EXPECT_EQ(TempDir::read(path), "\n[s]\n\nbare\n; new\n; two\nk=3\n");
        EXPECT_TRUE(ini.ExistsKey("k", "s"));
        ASSERT_TRUE(AllHold({::unlink(path.c_str()) == 0, ::mkdir(path.c_str(), 0755) == 0}));
        EXPECT_FALSE(ini.SetValue("k", "4", "", "s", false, true)); // no save onto a directory
        ::rmdir(path.c_str());
    }
    ct_IniFile missing(dir.file("none.ini"), false);
    EXPECT_TRUE(AllHold({!missing.ExistsKey("k", "s"), !missing.ExistsSection("")}));
    ct_IniFile ini(dir.file("none.ini"), true); // a set without a save; a blank comment listed
    ini.SetValue("j", "w", "", "s", true, false);
    ini.SetKeyComment("j", "   ", "s");
    EXPECT_EQ(ini.GetKeysStr("s", true), "#j=w\n");
}
