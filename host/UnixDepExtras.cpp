// Host checks the tool itself never makes; built into vornel_extras, which the vornel
// binary does not link.
#include "host/UnixDepExtras.h"

#include "host/UnixDep.h"

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
