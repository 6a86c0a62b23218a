// The outcome of a run, its exit code, and the common end of every run.
#ifndef VORNEL_TOOL_RUNRESULT_H
#define VORNEL_TOOL_RUNRESULT_H

class ct_IniFile;

enum et_RetVal {
    e_RetUnknownError,
    e_RetSuccess,
    e_RetNothingToDo,
    e_RetWrongNumberOfOptions,
    e_RetOptionsContentError,
    e_RetInvalidOption,
    e_RetMissingOption,
    e_RetFileNotFound,
    e_RetItemActionError,
    e_RetItemNotFound,
};

extern const char* const strRetVal[11];

extern ct_IniFile* pco_IniFile;
extern bool m_bErrorTraceModeOn;

// Returns the exit code of the outcome (an et_RetVal): 1 for one it does not know.
int return_value(int result);
// Ends the run: closes the file, writes the collected texts (in error trace mode, the warnings
// too) and, with showHelp, the usage text; returns the outcome's exit code.
int finalize(int result, bool showHelp);

#endif
