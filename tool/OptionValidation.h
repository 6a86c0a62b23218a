// Whether an option value may be used, asked before any file is opened.
#ifndef VORNEL_TOOL_OPTIONVALIDATION_H
#define VORNEL_TOOL_OPTIONVALIDATION_H

#include "tool/ToolOptions.h"

#include <string>

// Whether the value may be used for the option (an e_Opt index): for -i, a path whose file can
// be written or created, else appending why not to m_strError; for other options of the table,
// any value.
bool is_valid(const std::string& value, int option);

#endif
