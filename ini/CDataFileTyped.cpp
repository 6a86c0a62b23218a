// Integers, floats and booleans stored in their fixed text forms.
#include "ini/CDataFile.h"
#include "ini/CDataFileExtras.h"

#include <cfloat>
#include <climits>
#include <cstdio>

bool CDataFile::SetInt(const std::string& key, int value, const std::string& comment,
                       const std::string& section) {
    char text[64];
    std::snprintf(text, sizeof text, "%d", value);
    return SetValue(key, text, comment, section);
}

bool CDataFile::SetFloat(const std::string& key, float value, const std::string& comment,
                         const std::string& section) {
    return SetValue(key, std::to_string(value), comment, section);
}

bool CDataFile::SetBool(const std::string& key, bool value, const std::string& comment,
                        const std::string& section) {
    return SetValue(key, value ? "True" : "False", comment, section);
}

int CDataFile::GetInt(const std::string& key, const std::string& section) const {
    const std::string text = GetValue(key, section);
    return text.empty() ? INT_MIN : std::stoi(text);
}

float CDataFile::GetFloat(const std::string& key, const std::string& section) const {
    const std::string text = GetValue(key, section);
    return text.empty() ? FLT_MIN : std::stof(text);
}

bool CDataFile::GetBool(const std::string& key, const std::string& section) const {
    const std::string text = GetValue(key, section);
    return text.find('1') != std::string::npos || CompareNoCase(text, "true") == 0 ||
           CompareNoCase(text, "yes") == 0;
}
