#include "tool/ToolOptions.h"

#include <algorithm>

namespace {

constexpr std::array<const char*, kToolOptionCount + 1> letters() {
    std::array<const char*, kToolOptionCount + 1> table{};
    for (std::size_t i = 0; i < kToolOptionCount; ++i)
        table[i] = kToolOptions[i].m_strLetter;
    table[kToolOptionCount] = "";
    return table;
}

// The usage lines of the options with values, or of the flags, in their order there.
std::string usage_of(bool withValues) {
    std::vector<const st_ToolOption*> rows;
    for (const st_ToolOption& option : kToolOptions) {
        if ((option.m_pValue != nullptr) == withValues)
            rows.push_back(&option);
    }
    std::sort(rows.begin(), rows.end(), [](const st_ToolOption* a, const st_ToolOption* b) {
        return a->m_nUsageRank < b->m_nUsageRank;
    });
    std::string lines;
    for (const st_ToolOption* option : rows)
        lines += std::string("\t-") + option->m_strLetter + "  " + option->m_strUsage + "\n";
    return lines;
}

} // namespace

const std::array<const char*, kToolOptionCount + 1> strIniFileToolOption = letters();

std::vector<std::string> valid_option_keys() {
    return std::vector<std::string>(strIniFileToolOption.begin(), strIniFileToolOption.end() - 1);
}

std::string invalid_option_text(int option, const std::string& value) {
    return std::string("ERROR:\n\tInvalid or missing option ['-<KEY>=<VALUE>']:\t'-") +
           strIniFileToolOption[static_cast<std::size_t>(option)] + "=" + value + "'\n";
}

std::string options_usage() {
    return "Options with values:\n" + usage_of(true) +
           "\n\t(n=integer | s=string | [n]=default | any_other=predefined_value)\n\n"
           "Options without values:\n" +
           usage_of(false);
}
