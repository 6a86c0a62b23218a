// The tool's options in one table: their letters, their lines in the usage text, and where a
// run keeps what it was given. The count, the valid keys, the usage text and the lists that
// the shell completions read from the usage text all come from it.
#ifndef VORNEL_TOOL_TOOLOPTIONS_H
#define VORNEL_TOOL_TOOLOPTIONS_H

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// What a run was asked to do, as read from the command line.
struct st_RunOptions {
    std::string m_strPath;
    std::string m_strSection;
    std::string m_strKey;
    std::string m_strValue;
    std::string m_strComment;
    bool m_bDelete = false;
    bool m_bForce = false;
    bool m_bVerbose = false;
    bool m_bComments = false;
};

// One option. An option with a value has m_pValue; a flag that the run keeps has m_pFlag; -h,
// -V and -E have neither, they are asked for by name.
struct st_ToolOption {
    const char* m_strLetter;
    const char* m_strUsage; // its lines in the usage text, after "\t-x  "
    int m_nUsageRank;       // where they stand among the options of their kind
    std::string st_RunOptions::*m_pValue;
    bool st_RunOptions::*m_pFlag;
};

// The rows in the order of et_IniFileToolOption, which names the first twelve; a new option
// needs no name of its own.
constexpr st_ToolOption kToolOptions[] = {
    {"i", "Inifile\n \t\t   s: Any valid full path to a new or existing file", 0,
     &st_RunOptions::m_strPath, nullptr},
    {"s", "Section\n\t\t   s: Any", 1, &st_RunOptions::m_strSection, nullptr},
    {"k", "Key\n\t\t   s: Any", 2, &st_RunOptions::m_strKey, nullptr},
    {"v", "Value [\"\"]\n\t\t   s: Any (EMPTY: get value; ELSE: set value)", 3,
     &st_RunOptions::m_strValue, nullptr},
    {"c", "Comment for key/value [\"\"]\n\t\t   s: Any", 4, &st_RunOptions::m_strComment, nullptr},
    {"h", "This help text", 2, nullptr, nullptr},
    {"V", "Version number", 3, nullptr, nullptr},
    {"d", "Delete item (inifile | section | key)", 0, nullptr, &st_RunOptions::m_bDelete},
    {"f", "Force creation of missing items (inifile | section | key)", 1, nullptr,
     &st_RunOptions::m_bForce},
    {"P", "Print verbose (if available in current context)", 5, nullptr,
     &st_RunOptions::m_bVerbose},
    {"C", "Add comments to printout (if available)", 6, nullptr, &st_RunOptions::m_bComments},
    {"E", "Error trace mode", 4, nullptr, nullptr},
};
constexpr std::size_t kToolOptionCount = std::size(kToolOptions);

// Names for the table rows, which the run uses to ask for an option by its row.
enum et_IniFileToolOption {
    e_OptIniFile,
    e_OptSection,
    e_OptKey,
    e_OptValue,
    e_OptComment,
    e_OptHelp,
    e_OptVersion,
    e_OptDelete,
    e_OptForce,
    e_OptPrintVerbose,
    e_OptComments,
    e_OptErrorTrace,
};

// The option letters in table order, closed by an empty string.
extern const std::array<const char*, kToolOptionCount + 1> strIniFileToolOption;

// Returns the letters of the table, which the argument map checks the command line against.
std::vector<std::string> valid_option_keys();

// Returns the text for an option value that is missing or cannot be used.
std::string invalid_option_text(int option, const std::string& value);

// Returns the options part of the usage text: the options with values, a legend, the flags.
std::string options_usage();

#endif
