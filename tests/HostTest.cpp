#include "Support.h"
#include "host/FileText.h"
#include "host/UnixDep.h"
#include "host/UnixDepExtras.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(HostTest, IsCommandOk_AcceptsOnlyAnExecutableFile) {
    TempDir dir;
    const std::string script = dir.write("run.sh", "#!/bin/sh\n");
    m_strError.clear();
    EXPECT_FALSE(is_command_ok(script) || is_command_ok(dir.file("none")));
    EXPECT_EQ(m_strError, "ERROR:\n\tCommand '" + script +
                              "' not executable!\nERROR:\n\tCommand '" + dir.file("none") +
                              "' not found!\n");
    ASSERT_EQ(::chmod(script.c_str(), 0755), 0);
    EXPECT_TRUE(is_command_ok(script));
}

TEST(HostTest, ReadFrom_ReadsAFileThatGrewBeyondItsSizeWhole) {
    TempDir dir;
    const std::string text(3000000, 'g');
    const int fd = ::open(dir.write("grown.ini", text).c_str(), O_RDONLY);
    FileText read;
    EXPECT_TRUE(fd >= 0 && read.ReadFrom(fd, 10)); // measured at 10 bytes
    ::close(fd);
    EXPECT_TRUE(read.View() == text);
    EXPECT_EQ(read_regular_file(dir.file("grown.ini/x.ini"), read), e_ReadMissing);
}
