#include "args/AppArgs.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr const char* kOptionLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Accepted shapes: "-x" and "-x=anything".
bool is_option_shape(const std::string& arg) {
    if (arg.size() < 2 || arg[0] != '-')
        return false;
    if (arg.size() >= 3 && arg[2] != '=')
        return false;
    return std::string(kOptionLetters).find(arg[1]) != std::string::npos;
}

// Trace lines end with a flush, so that they interleave with other output as written.
void trace_line(const std::string& text) {
    std::fputs((text + "\n").c_str(), stderr);
    std::fflush(stderr);
}

void trace(const std::string& text) {
    std::fputs(text.c_str(), stderr);
}

} // namespace

CAppArgs::CAppArgs(int argc, char** argv, bool caseSensitive)
    : m_bCaseSensitive(caseSensitive), m_bErrorTraceMode(false) {
    for (int i = 1; i < argc; ++i)
        AddArgument(argv[i]);
    m_bErrorTraceMode = HasKey("E");
}

// The value is taken verbatim: a script that passes "-v=-5" or a path ending in a
// backslash must get exactly that back.
void CAppArgs::AddArgument(const std::string& arg) {
    if (!is_option_shape(arg))
        return;
    std::string value = arg.size() > 2 ? arg.substr(3) : std::string();
    m_mapArgs.emplace(Fold(arg.substr(1, 1)), value);
}

std::string CAppArgs::Fold(const std::string& key) const {
    std::string folded = key;
    if (!m_bCaseSensitive)
        std::transform(folded.begin(), folded.end(), folded.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return folded;
}

bool CAppArgs::HasKey(const std::string& key) const {
    return m_mapArgs.count(Fold(key)) != 0;
}

bool CAppArgs::GetValue(std::string& out, const std::string& key, bool mandatory) const {
    const std::string folded = Fold(key);
    if (m_bErrorTraceMode)
        trace("value for key '" + folded + "'  ...  ");
    auto it = m_mapArgs.find(folded);
    if (it != m_mapArgs.end() && !it->second.empty()) {
        out = it->second;
        if (m_bErrorTraceMode)
            trace("found\n");
        return true;
    }
    if (m_bErrorTraceMode)
        trace(mandatory ? "MISSING! -> ERROR\n" : "missing -> taking default\n");
    return false;
}

int CAppArgs::NumArgs() const {
    return static_cast<int>(m_mapArgs.size());
}

std::string CAppArgs::CheckArgsValid(const std::vector<std::string>& validKeys) const {
    for (const auto& pair : m_mapArgs) {
        if (std::find(validKeys.begin(), validKeys.end(), pair.first) == validKeys.end())
            return pair.first;
    }
    return std::string();
}

void CAppArgs::TraceArgs() const {
    if (!m_bErrorTraceMode)
        return;
    const std::string rule = "------------------------";
    trace_line(rule);
    trace("Command line parameters:\n");
    trace_line(rule);
    for (const auto& pair : m_mapArgs)
        trace("Key: '" + pair.first + "'\tValue: '" + pair.second + "'\n");
    trace_line(rule);
    trace_line("");
}

bool CAppArgs::IsErrorTraceMode() const {
    return m_bErrorTraceMode;
}
