// Whether an option value may be used, asked before any file is opened.
#ifndef VORNEL_TOOL_OPTIONVALIDATION_H
#define VORNEL_TOOL_OPTIONVALIDATION_H

#include "tool/ToolOptions.h"

#include <string>

bool is_valid(const std::string& value, int option);

#endif
