#include "tool/RunResult.h"

#include "host/UnixDep.h"
#include "ini/IniFile.h"
#include "tool/HelpText.h"

const char* const strRetVal[11] = {"Unknown Error",
                                   "Success",
                                   "Nothing to do",
                                   "Wrong number of options",
                                   "Options content error",
                                   "Invalid Option",
                                   "Missing Option",
                                   "File not found",
                                   "Item action error",
                                   "Item not found",
                                   ""};

ct_IniFile* pco_IniFile = nullptr;
bool m_bErrorTraceModeOn = false;

namespace {
constexpr int kExitCodes[9] = {0, 0, 1, 1, 1, 1, 30, 25, 20};
}

int return_value(int result) {
    // Result 0 wraps to the largest index and so falls through to 1 with anything unknown.
    const unsigned index = static_cast<unsigned>(result) - 1u;
    return index <= 8u ? kExitCodes[index] : 1;
}

int finalize(int result, bool showHelp) {
    delete pco_IniFile;
    pco_IniFile = nullptr;
    print_errors();
    if (m_bErrorTraceModeOn)
        print_warnings();
    if (showHelp)
        show_help();
    return return_value(result);
}
