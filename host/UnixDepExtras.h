// Host checks that the tool itself never makes, built into vornel_extras.
#ifndef VORNEL_HOST_UNIXDEPEXTRAS_H
#define VORNEL_HOST_UNIXDEPEXTRAS_H

#include <string>

// Whether the path names an executable file, else appends why not to m_strError.
bool is_command_ok(const std::string& path);

#endif
