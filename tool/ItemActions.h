// The file stage of a run: the path test, the opening of the file and the one item action.
#ifndef VORNEL_TOOL_ITEMACTIONS_H
#define VORNEL_TOOL_ITEMACTIONS_H

#include "tool/ToolOptions.h"

// Performs the run on the file: tests the path, takes the directory lock for a run that may
// change the file, loads it, performs the one item action (saving a change at once), and ends
// the run through finalize; returns the exit code.
int file_stage(const st_RunOptions& options);

#endif
