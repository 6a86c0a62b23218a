// vornel: manages INI files for shell scripts; one run does one thing on one file and
// reports its outcome by its exit code.
#include "args/AppArgs.h"
#include "host/Temporary.h"
#include "host/UnixDep.h"
#include "tool/HelpText.h"
#include "tool/ItemActions.h"
#include "tool/RunResult.h"
#include "tool/ToolOptions.h"

#include <csignal>
#include <new>

namespace {

std::string key_of(et_IniFileToolOption option) {
    return strIniFileToolOption[option];
}

void read_values(const CAppArgs& args, st_RunOptions& options) {
    for (std::size_t i = e_OptIniFile + 1; i < kToolOptionCount; ++i) {
        const st_ToolOption& option = kToolOptions[i];
        if (option.m_pValue)
            args.GetValue(options.*option.m_pValue, option.m_strLetter, false);
        else if (option.m_pFlag)
            options.*option.m_pFlag = args.HasKey(option.m_strLetter);
    }
}

int run(int argc, char** argv) {
    const std::vector<std::string> validKeys = valid_option_keys();
    const CAppArgs args(argc, argv, true);
    m_bErrorTraceModeOn = args.IsErrorTraceMode();
    m_bShowMessages = m_bErrorTraceModeOn;
    args.TraceArgs();
    test_byte_order();

    const std::string unknown = args.CheckArgsValid(validKeys);
    if (!unknown.empty()) {
        m_strError += "ERROR:\n\tUnknown option:\t['-" + unknown + "']\n";
        return finalize(e_RetInvalidOption, true);
    }
    if (args.NumArgs() < 1 || args.HasKey(key_of(e_OptHelp))) {
        show_help();
        return finalize(e_RetNothingToDo, false);
    }
    if (args.HasKey(key_of(e_OptVersion))) {
        show_version();
        return finalize(e_RetNothingToDo, false);
    }
    st_RunOptions options;
    if (!args.GetValue(options.m_strPath, key_of(e_OptIniFile), true)) {
        m_strError += invalid_option_text(e_OptIniFile, "");
        return finalize(e_RetMissingOption, true);
    }
    read_values(args, options);
    return file_stage(options);
}

// Running out of memory ends the run before anything half done is saved: the facade, which may
// hold a half-made change, is left undestroyed, so its destructor cannot write it.
int out_of_memory() {
    pco_IniFile = nullptr;
    m_strError += "ERROR:\n\tOut of memory!\n";
    return finalize(e_RetItemActionError, false);
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit must fail the write, not end the run before it can report; a parent
    // that ignores SIGCHLD must not take the status of the shell probes from the run.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGCHLD, SIG_DFL);
    remove_partial_file_on_signals();
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        return out_of_memory();
    }
}
