#include "Support.h"
#include "host/FileIO.h"
#include "host/UnixDep.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(HostTest, CommandCheckFileCreationModeAndReadingAFileThatGrew) {
    TempDir m_dir;
    const std::string script = m_dir.write("run.sh", "#!/bin/sh\n");
    EXPECT_TRUE(AllHold({!is_command_ok(script), !is_command_ok(m_dir.file("none"))}));
    ::chmod(script.c_str(), 0755);
    EXPECT_TRUE(is_command_ok(script));
    const mode_t mask = ::umask(027);
    EXPECT_TRUE(replace_file(m_dir.file("fresh.ini"), "text\n"));
    ::umask(mask);
    EXPECT_EQ(std::filesystem::status(m_dir.file("fresh.ini")).permissions(),
              std::filesystem::perms(0640));
    const std::string text(3000000, 'g');
    const int fd = ::open(m_dir.write("grown.ini", text).c_str(), O_RDONLY);
    FileText read;
    EXPECT_TRUE(AllHold({read.ReadFrom(fd, 10), ::close(fd) == 0})); // measured at 10 bytes
    EXPECT_TRUE(read.View() == text);
    EXPECT_EQ(read_regular_file(m_dir.file("none/x.ini"), read), e_ReadMissing);
}
