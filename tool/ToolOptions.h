// The tool's twelve option letters, in the order the run reads them.
#ifndef VORNEL_TOOL_TOOLOPTIONS_H
#define VORNEL_TOOL_TOOLOPTIONS_H

#include <string>
#include <vector>

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

extern const char* const strIniFileToolOption[13];

std::vector<std::string> valid_option_keys();

// The text for an option value that is missing or cannot be used.
std::string invalid_option_text(int option, const std::string& value);

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

#endif
