#include "tool/HelpText.h"

#include "tool/ToolOptions.h"

#include <cstdio>
#include <string>

const char* const lpsz_CurrentVersion = "vornel 1.1\nBramwold 2012";

namespace {

// Before the options.
constexpr const char* kUsageStart =
    "Usage: vornel [OPTIONS]\n"
    "Management of inifiles.\n"
    "\n"
    "The following options and corresponding values are available:\n"
    "\n";

// After the options.
constexpr const char* kUsageEnd =
    "\n"
    "Return values:\n"
    "\t 0: Success\n"
    "\t 1: Unknown error\n"
    "\t20: Item not found\n"
    "\t25: Item action error\n"
    "\t30: File not found\n"
    "\n"
    "Examples:\n"
    "\t1. Setup a value. If section and/or key not present their creation will be forced.\n"
    "\t    vornel -i='/usr/local/MyIniFile.ini' -s='MySection' -k='MyKey' -v='MyValue' -f\n"
    "\t2. Modify an existing value. If section and/or key not present their creation will be "
    "forced.\n"
    "\t    vornel -i='/usr/local/MyIniFile.ini' -s='MySection' -k='MyKey' -v='MyValue' -f\n"
    "\t3. Print value of a named key to stdout, redirect it to an environment variable and "
    "display it with 'echo'.\n"
    "\t    MYVAR=`vornel -i='/usr/local/MyIniFile.ini' -s='MySection' -k='MyKey'` ; echo $MYVAR\n"
    "\t4. Print all key/value pairs of a section to stdout and redirect it to an environment "
    "variable.\n"
    "\t    MYVAR=`vornel -i='/usr/local/MyIniFile.ini' -s='MySection'`\n"
    "\t5. Print all sections and their key/value pairs to stdout (including comments).\n"
    "\t    vornel -i='/usr/local/MyIniFile.ini' -P -C\n"
    "\t6. Print all sections to stdout (without key/value pairs).\n"
    "\t    vornel -i='/usr/local/MyIniFile.ini'\n"
    "\t7. Delete key/value pair from a section.\n"
    "\t    vornel -i='/usr/local/MyIniFile.ini' -s='MySection' -k='MyKey' -d\n"
    "\t8. Delete whole section.\n"
    "\t    vornel -i='/usr/local/MyIniFile.ini' -s='MySection' -d\n"
    "\t9. Delete inifile.\n"
    "\t    vornel -i='/usr/local/MyIniFile.ini' -d\n"
    "\n";

} // namespace

void show_help() {
    std::fputs("\n", stderr);
    std::fflush(stderr);
    std::fputs((kUsageStart + options_usage() + kUsageEnd).c_str(), stderr);
}

void show_version() {
    std::fprintf(stderr, "%s\n", lpsz_CurrentVersion);
    std::fflush(stderr);
}
