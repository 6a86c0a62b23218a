// What the argument map offers beyond what the tool asks of it; built into vornel_extras,
// which the vornel binary does not link.
#include "args/AppArgs.h"

bool CAppArgs::HasValue(const std::string& key, const std::string& value) const {
    if (key.empty() || value.empty())
        return false;
    std::string found;
    return GetValue(found, key, true) && found == value;
}

bool CAppArgs::AddPair(const std::string& key, const std::string& value) {
    m_mapArgs[Fold(key)] = value;
    return true;
}

std::map<std::string, std::string> CAppArgs::GetArgMap() const {
    return m_mapArgs;
}
