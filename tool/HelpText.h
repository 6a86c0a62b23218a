// The usage text and the version text that the tool writes to standard error.
#ifndef VORNEL_TOOL_HELPTEXT_H
#define VORNEL_TOOL_HELPTEXT_H

extern const char* const lpsz_CurrentVersion;

// Write the usage text, or the version text, to standard error.
void show_help();
void show_version();

#endif
