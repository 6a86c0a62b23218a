#include "tool/RunResult.h"
#include "TempDir.h"
#include "host/UnixDep.h"
#include "ini/IniFile.h"

#include <gtest/gtest.h>

TEST(RunResult, ResultsMapToTheirExitCodes) {
    const int expected[] = {1, 0, 0, 1, 1, 1, 1, 30, 25, 20};
    for (int result = 0; result < 10; ++result)
        EXPECT_EQ(return_value(result), expected[result]) << strRetVal[result];
    EXPECT_EQ(return_value(10), 1);
    EXPECT_EQ(return_value(-1), 1);
    EXPECT_EQ(return_value(1000), 1);
    EXPECT_STREQ(strRetVal[8], "Item action error");
    EXPECT_STREQ(strRetVal[10], "");
}

TEST(RunResult, FinalizeDestroysTheFacadeOnceAndWritesHelpOnlyWhenAsked) {
    TempDir dir;
    const std::string path = dir.write("a.ini", "[s]\nk=v\n");
    pco_IniFile = new ct_IniFile(path, false);
    ASSERT_TRUE(pco_IniFile->SetValue("k", "w", "", "s", false, false));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(finalize(e_RetItemNotFound, false), 20);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(pco_IniFile, nullptr);
    EXPECT_EQ(TempDir::read(path), "\n[s]\nk=w\n"); // an unsaved change is written on destruction

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(finalize(e_RetSuccess, true), 0);
    const std::string help = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(help.rfind("\nUsage: vornel [OPTIONS]\n", 0), 0u);
}
