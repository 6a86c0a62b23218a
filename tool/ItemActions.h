// The file stage of a run: the path test, the opening of the file and the one item action.
#ifndef VORNEL_TOOL_ITEMACTIONS_H
#define VORNEL_TOOL_ITEMACTIONS_H

#include "tool/ToolOptions.h"

// Ends the run through finalize and returns its exit code.
int file_stage(const st_RunOptions& options);

#endif
