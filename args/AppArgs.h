// The command line as an ordered map from a one-letter option key to its value. HasValue,
// AddPair and GetArgMap are not used by the tool (args/AppArgsExtras.cpp, vornel_extras).
#ifndef VORNEL_ARGS_APPARGS_H
#define VORNEL_ARGS_APPARGS_H

#include <map>
#include <string>
#include <vector>

class CAppArgs {
public:
    CAppArgs(int argc, char** argv, bool caseSensitive);
    ~CAppArgs() = default;

    bool HasKey(const std::string& key) const;
    bool GetValue(std::string& out, const std::string& key, bool mandatory) const;
    bool HasValue(const std::string& key, const std::string& value) const;
    bool AddPair(const std::string& key, const std::string& value);
    int NumArgs() const;
    std::string CheckArgsValid(const std::vector<std::string>& validKeys) const;
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
