// Host access for the tool: the run's message buffers and their hooks, and the file probes and
// the removal asked of the shell.
#ifndef VORNEL_HOST_UNIXDEP_H
#define VORNEL_HOST_UNIXDEP_H

#include <string>

extern std::string m_strError;
extern std::string m_strWarning;
// Whether the hooks write the collected texts to standard error (error trace mode).
extern bool m_bShowMessages;

// Write m_strError, and m_strWarning, to standard error while m_bShowMessages is set.
void print_errors();
void print_warnings();
// Does nothing: the tool runs the same on hosts of either byte order.
void test_byte_order();

// The path in single quotes for the shell, every single quote escaped as '\''.
std::string shell_quote(const std::string& path);

// Whether `test -e`, -w, -x or -d, run by the shell, holds for the path.
bool file_exist(const std::string& path);
bool has_write_perm(const std::string& path);
bool has_exec_perm(const std::string& path);
bool dir_exist(const std::string& path);
// Removes the file through the shell; true when it existed and is gone; false, with a text in
// m_strError that says it may be gone, when that cannot be checked.
bool delete_file(const std::string& path);

#endif
