// The command line as an ordered map from a one-letter option key to its value. HasValue,
// AddPair and GetArgMap are not used by the tool (args/AppArgsExtras.cpp, vornel_extras).
#ifndef VORNEL_ARGS_APPARGS_H
#define VORNEL_ARGS_APPARGS_H

#include <map>
#include <string>
#include <vector>

class CAppArgs {
public:
    // Keeps the words after the program name that read "-x" or "-x=value", the first of a key;
    // without caseSensitive, keys are upper-cased.
    CAppArgs(int argc, char** argv, bool caseSensitive);
    ~CAppArgs() = default;

    // Whether the key was given, with or without a value.
    bool HasKey(const std::string& key) const;
    // Puts the key's value into out; false, leaving out as it was, when the key has no value.
    // In error trace mode the lookup, and whether a mandatory value is missing, is traced.
    bool GetValue(std::string& out, const std::string& key, bool mandatory) const;
    // Whether the key was given with exactly this value; false for an empty key or value.
    bool HasValue(const std::string& key, const std::string& value) const;
    // Sets the key's value, replacing one given; returns true.
    bool AddPair(const std::string& key, const std::string& value);
    // Returns the number of keys given.
    int NumArgs() const;
    // Returns the first key (in key order) that is not among the valid ones, or "".
    std::string CheckArgsValid(const std::vector<std::string>& validKeys) const;
    // Returns a copy of the keys and their values.
    std::map<std::string, std::string> GetArgMap() const;
    // With "-E" on the command line (error trace mode), prints every option to standard error.
    void TraceArgs() const;
    // Whether "-E" is on the command line: lookups are then traced to standard error.
    bool IsErrorTraceMode() const;

private:
    std::string Fold(const std::string& key) const;
    void AddArgument(const std::string& arg);

protected:
    std::map<std::string, std::string> m_mapArgs;
    bool m_bCaseSensitive;
    bool m_bErrorTraceMode;
};

#endif
