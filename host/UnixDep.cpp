#include "host/UnixDep.h"

#include "host/Paths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

std::string m_strError;
std::string m_strWarning;
bool m_bShowMessages = false;

static void show(const std::string& messages) {
    if (m_bShowMessages)
        std::fputs(messages.c_str(), stderr);
}

// Scripts learn the outcome from the exit code; a person asks for the texts with -E.
void print_errors() {
    show(m_strError);
}
void print_warnings() {
    show(m_strWarning);
}
void test_byte_order() {}

std::string shell_quote(const std::string& path) {
    std::string quoted = "'";
    for (char c : path) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

namespace {

// Where the wait for the shell failed, the command may still run: its end is waited for.
bool run_ok(const std::string& command) {
    const int status = std::system(command.c_str());
    if (status == -1) {
        while (::waitpid(-1, nullptr, 0) > 0 || errno == EINTR) {
        }
    }
    return status == 0;
}

// `test` takes no "--", so a relative path that starts with "-" is given as "./-...".
std::string operand(const std::string& path) {
    return shell_quote(!path.empty() && path.front() == '-' ? "./" + path : path);
}

bool probe(char option, const std::string& path) {
    return run_ok(std::string("test -") + option + " " + operand(path));
}

} // namespace

bool file_exist(const std::string& path) {
    return probe('e', path);
}
bool has_write_perm(const std::string& path) {
    return probe('w', path);
}
bool has_exec_perm(const std::string& path) {
    return probe('x', path);
}
bool dir_exist(const std::string& path) {
    return probe('d', path);
}

// Whether nothing stands at the path: 1 yes, 0 no, -1 when the check fails.
static int absent(const std::string& path) {
    struct stat info;
    int result;
    while ((result = ::lstat(path.c_str(), &info)) != 0 && errno == EINTR) {
    }
    if (result != 0 && errno != ENOENT) // a second opinion from another call
        while ((result = ::faccessat(AT_FDCWD, path.c_str(), F_OK, AT_SYMLINK_NOFOLLOW)) != 0 &&
               errno == EINTR) {
        }
    return result == 0 ? 0 : errno == ENOENT ? 1 : -1;
}

// Whether the file is gone counts, not what rm or the wait said; the shell execs rm, so no wait
// of the shell's own can end before rm has. The removal reaches the disk with its directory.
bool delete_file(const std::string& path) {
    if (!file_exist(path))
        return false;
    const std::string directory = containing_directory(path);
    run_ok("exec rm -f -- " + operand(path));
    const int gone = absent(path);
    if (gone < 0)
        m_strError += "ERROR:\n\tThe file may be gone: checking it failed!\t['" + path + "']\n";
    if (gone == 1 && !sync_directory(directory)) {
        m_strError += "ERROR:\n\tThe removal may not survive a crash: syncing its directory "
                      "failed!\t['" +
                      path + "']\n";
        return false;
    }
    return gone == 1;
}
