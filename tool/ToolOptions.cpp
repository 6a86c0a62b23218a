#include "tool/ToolOptions.h"

const char* const strIniFileToolOption[13] = {"i", "s", "k", "v", "c", "h", "V",
                                              "d", "f", "P", "C", "E", ""};

std::vector<std::string> valid_option_keys() {
    return std::vector<std::string>(strIniFileToolOption, strIniFileToolOption + 12);
}

std::string invalid_option_text(int option, const std::string& value) {
    return std::string("ERROR:\n\tInvalid or missing option ['-<KEY>=<VALUE>']:\t'-") +
           strIniFileToolOption[option] + "=" + value + "'\n";
}
