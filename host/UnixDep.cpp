#include "host/UnixDep.h"

#include <cstdlib>

std::string m_strError;
std::string m_strWarning;

// The hooks are where a build that wants the collected texts on a stream would print them;
// scripts learn the outcome from the exit code alone.
void print_errors() {}
void print_warnings() {}
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

bool run_ok(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

bool probe(char option, const std::string& path) {
    return run_ok(std::string("test -") + option + " " + shell_quote(path));
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

bool delete_file(const std::string& path) {
    return file_exist(path) && run_ok("rm -f " + shell_quote(path));
}

bool is_command_ok(const std::string& path) {
    if (!file_exist(path)) {
        m_strError += "ERROR:\n\tCommand '" + path + "' not found!\n";
        return false;
    }
    if (has_exec_perm(path))
        return true;
    m_strError += "ERROR:\n\tCommand '" + path + "' not executable!\n";
    return false;
}
