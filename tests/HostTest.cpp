#include "Support.h"
#include "host/FileIO.h"
#include "host/UnixDep.h"

#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class HostTest : public ::testing::Test {
protected:
    TempDir m_dir;
};

} // namespace

TEST_F(HostTest, ProbesAndRemovalTakeAnyPathAsItself) {
    EXPECT_EQ(shell_quote("x'y"), "'x'\\''y'");
    const std::string file = m_dir.write("a b$x*;\"'q.ini", "x");
    EXPECT_TRUE(file_exist(file) && has_write_perm(file) && dir_exist(m_dir.path()));
    EXPECT_FALSE(has_exec_perm(file) || dir_exist(file) || file_exist(""));
    EXPECT_FALSE(has_write_perm(m_dir.file("none")) || has_exec_perm(m_dir.file("none")));
    EXPECT_TRUE(delete_file(file));
    EXPECT_FALSE(file_exist(file));
    EXPECT_FALSE(delete_file(m_dir.file("none")));
    EXPECT_FALSE(delete_file(m_dir.path())); // rm -f refuses a directory
}

TEST_F(HostTest, IsCommandOkAppendsOneTextPerRefusal) {
    const std::string script = m_dir.write("run.sh", "#!/bin/sh\n");
    m_strError.clear();
    EXPECT_FALSE(is_command_ok(script) || is_command_ok(m_dir.file("none")));
    ::chmod(script.c_str(), 0755);
    EXPECT_TRUE(is_command_ok(script));
    EXPECT_EQ(m_strError, "ERROR:\n\tCommand '" + script + "' not executable!\nERROR:\n\tCommand '" +
                              m_dir.file("none") + "' not found!\n");
}

TEST_F(HostTest, ReplaceFileCreatesWithTheUsualModeAndReadFromTakesAFileThatGrew) {
    const mode_t mask = ::umask(027);
    EXPECT_TRUE(replace_file(m_dir.file("fresh.ini"), "text\n"));
    ::umask(mask);
    struct stat info;
    ::stat(m_dir.file("fresh.ini").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_TRUE(regular_file_exists(m_dir.file("fresh.ini")));
    EXPECT_FALSE(regular_file_exists(m_dir.path()) || replace_file(m_dir.path(), "x"));
    const std::string text(3000000, 'g'); // large enough for huge pages
    const int fd = ::open(m_dir.write("grown.ini", text).c_str(), O_RDONLY);
    FileText read;
    EXPECT_TRUE(read.ReadFrom(fd, 10)); // measured at 10 bytes
    ::close(fd);
    EXPECT_TRUE(read.View() == text);
}

TEST_F(HostTest, ContainingDirectoryFollowsLinks) {
    ::mkdir(m_dir.file("real").c_str(), 0755);
    const std::string target = m_dir.write("real/a.ini", "");
    ASSERT_EQ(::symlink(target.c_str(), m_dir.file("link.ini").c_str()), 0);
    char real[PATH_MAX];
    ASSERT_NE(::realpath(m_dir.file("real").c_str(), real), nullptr);
    EXPECT_EQ(containing_directory(m_dir.file("link.ini")), real);
    EXPECT_EQ(containing_directory("plain.ini"), ".");
    EXPECT_EQ(containing_directory("/nonexistent-top.ini"), "/");
}
