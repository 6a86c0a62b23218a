#include "TempDir.h"
#include "host/FileIO.h"
#include "host/FileLock.h"
#include "host/UnixDep.h"

#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

class HostTest : public ::testing::Test {
protected:
    void SetUp() override { m_strError.clear(); }
    TempDir m_dir;
};

} // namespace

TEST_F(HostTest, ShellQuoteKeepsAnyPathOneLiteralWord) {
    EXPECT_EQ(shell_quote("/tmp/a b"), "'/tmp/a b'");
    EXPECT_EQ(shell_quote("x'y"), "'x'\\''y'");
    EXPECT_EQ(shell_quote(""), "''");
}

TEST_F(HostTest, ProbesAnswerForFilesAndDirectories) {
    const std::string file = m_dir.write("a b$x*;\"'q.ini", "x");
    EXPECT_TRUE(file_exist(file));
    EXPECT_TRUE(has_write_perm(file));
    EXPECT_FALSE(has_exec_perm(file));
    EXPECT_FALSE(dir_exist(file));
    EXPECT_TRUE(dir_exist(m_dir.path()));
    EXPECT_FALSE(file_exist(""));
    EXPECT_FALSE(has_write_perm(m_dir.file("none")));
    EXPECT_FALSE(has_exec_perm(m_dir.file("none")));
}

TEST_F(HostTest, DeleteFileRemovesOnlyAnExistingFileAsItself) {
    const std::string victim = m_dir.write("victim", "x");
    const std::string tricky = m_dir.write("x'; rm -f victim; '", "y");
    ASSERT_EQ(::chdir(m_dir.path().c_str()), 0);
    EXPECT_TRUE(delete_file(tricky));
    EXPECT_FALSE(file_exist(tricky));
    EXPECT_TRUE(file_exist(victim));
    EXPECT_FALSE(delete_file(m_dir.file("none")));
    EXPECT_FALSE(delete_file(""));
    EXPECT_FALSE(delete_file(m_dir.path())); // rm -f refuses a directory
    EXPECT_TRUE(dir_exist(m_dir.path()));
    ASSERT_EQ(::chdir("/"), 0);
}

TEST_F(HostTest, IsCommandOkAppendsOneTextPerRefusal) {
    const std::string script = m_dir.write("run.sh", "#!/bin/sh\n");
    EXPECT_FALSE(is_command_ok(script));
    EXPECT_EQ(m_strError, "ERROR:\n\tCommand '" + script + "' not executable!\n");
    ::chmod(script.c_str(), 0755);
    m_strError.clear();
    EXPECT_TRUE(is_command_ok(script));
    EXPECT_FALSE(is_command_ok(m_dir.file("none")));
    EXPECT_EQ(m_strError, "ERROR:\n\tCommand '" + m_dir.file("none") + "' not found!\n");
}

TEST_F(HostTest, ReplaceFileCreatesWithTheUsualModeAndWritesDevicesInPlace) {
    const mode_t mask = ::umask(022);
    const std::string fresh = m_dir.file("fresh.ini");
    EXPECT_TRUE(replace_file(fresh, "text\n"));
    struct stat info;
    ::stat(fresh.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    ::umask(mask);

    const std::string device = m_dir.file("null");
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    EXPECT_TRUE(replace_file(device, "gone\n"));
    ::stat(device.c_str(), &info);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    FileText text;
    EXPECT_FALSE(read_regular_file(device, text));

    const std::string fifo = m_dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    EXPECT_FALSE(read_regular_file(fifo, text)); // refused, never blocks
    EXPECT_FALSE(replace_file(fifo, "x"));       // no reader: refused, never blocks
    EXPECT_FALSE(replace_file(m_dir.path(), "x"));
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

TEST_F(HostTest, DirectoryLockExcludesASecondHolderUntilReleased) {
    const std::string path = m_dir.file("a.ini");
    {
        DirectoryLock first;
        EXPECT_EQ(first.Acquire(path, 0), DirectoryLock::e_Locked);
        DirectoryLock second;
        EXPECT_EQ(second.Acquire(path, 20), DirectoryLock::e_TimedOut);
    }
    DirectoryLock again;
    EXPECT_EQ(again.Acquire(path, 0), DirectoryLock::e_Locked);
    DirectoryLock nowhere;
    EXPECT_EQ(nowhere.Acquire("/nonexistent-dir/a.ini", 0), DirectoryLock::e_Unavailable);
}
