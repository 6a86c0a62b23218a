#include "ini/IniFile.h"
#include "Support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(IniFileTest, SetValue_WithACommentReplacesTheCommentLinesAboveTheKeyAndSaves) {
    TempDir dir;
    const std::string path = dir.write("a.ini", "[s]\n; old\nbare\nk=1\n");
    ct_IniFile ini(path, false);
    EXPECT_TRUE(ini.SetValue("K", "3", "new\n\n  two ", "S", false, true));
    EXPECT_EQ(TempDir::read(path), "[s]\nbare\n\n; new\n; two\nk=3\n");
}

TEST(IniFileTest, SetValue_ThatCannotSaveFailsAndIsNotRetriedOnDestruction) {
    TempDir dir;
    const std::string path = dir.write("a.ini", "[s]\nk=1\n");
    {
        ct_IniFile ini(path, false);
        ASSERT_EQ(::unlink(path.c_str()), 0);
        ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
        EXPECT_FALSE(ini.SetValue("k", "4", "", "s", false, true)); // no save onto a directory
        ASSERT_EQ(::rmdir(path.c_str()), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(IniFileTest, Listing_MarksTheEndOfABlankCommentWithTheKey) {
    TempDir dir;
    ct_IniFile ini(dir.file("none.ini"), true);
    ini.SetValue("j", "w", "", "s", true, false);
    ini.SetKeyComment("j", "   ", "s");
    EXPECT_EQ(ini.GetKeysStr("s", true), "#j=w\n");
}
