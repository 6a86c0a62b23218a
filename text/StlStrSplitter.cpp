#include "text/StlStrSplitter.h"

CStlStrSplitterA::CStlStrSplitterA(char separator, const std::string& text,
                                   std::vector<std::string>& fragments, const char* quotePairs,
                                   bool keepEmpty)
    : t_NarrowSplitter(fragments, keepEmpty) {
    const std::string separators(1, separator);
    Init(separators.c_str(), text, quotePairs);
}

CStlStrSplitterA::CStlStrSplitterA(const char* separators, const std::string& text,
                                   std::vector<std::string>& fragments, const char* quotePairs,
                                   bool keepEmpty)
    : t_NarrowSplitter(fragments, keepEmpty) {
    Init(separators, text, quotePairs);
}

CStlStrSplitter::CStlStrSplitter(char separator, const std::wstring& text,
                                 std::vector<std::wstring>& fragments, const wchar_t* quotePairs,
                                 bool keepEmpty)
    : t_WideSplitter(fragments, keepEmpty) {
    const std::wstring separators(1, static_cast<wchar_t>(separator));
    Init(separators.c_str(), text, quotePairs);
}

CStlStrSplitter::CStlStrSplitter(const wchar_t* separators, const std::wstring& text,
                                 std::vector<std::wstring>& fragments, const wchar_t* quotePairs,
                                 bool keepEmpty)
    : t_WideSplitter(fragments, keepEmpty) {
    Init(separators, text, quotePairs);
}
