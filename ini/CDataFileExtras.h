// String helpers of the document that the tool never calls, built into vornel_extras with
// ini/CDataFileExtras.cpp and ini/CDataFileTyped.cpp.
#ifndef VORNEL_INI_CDATAFILEEXTRAS_H
#define VORNEL_INI_CDATAFILEEXTRAS_H

#include <iosfwd>
#include <string>

// Returns 0 when the names are equal without regard to ASCII letter case, else 1.
int CompareNoCase(const std::string& a, const std::string& b);
// Returns the trimmed text before the first separator and leaves the rest after it in line.
std::string GetNextWord(std::string& line);
// Writes the formatted text and a line feed unless it ends a line; returns the bytes written.
int WriteLn(std::ostream& stream, const char* format, ...);

#endif
