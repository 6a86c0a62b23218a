// Cuts a text into fragments at separator characters, optionally leaving separators inside
// quote pairs alone, and finds, fetches and joins the fragments again.
#ifndef VORNEL_TEXT_STLSTRSPLITTER_H
#define VORNEL_TEXT_STLSTRSPLITTER_H

#include <cstddef>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

template <class TString, class TChar, class TSize> class CStlStrSplitterTempl {
public:
    static constexpr TSize npos = std::numeric_limits<TSize>::max();

    // A splitter that puts the fragments into the vector, empty ones only with keepEmpty.
    CStlStrSplitterTempl(std::vector<TString>& fragments, bool keepEmpty)
        : m_pFragments(&fragments), m_bKeepEmpty(keepEmpty), m_nFragments(0) {}

    // Splits the text anew in place of the fragments held: at each separator character that no
    // quote pair (two characters each) protects. A null separator set splits nothing.
    void Init(const TChar* separators, const TString& text, const TChar* quotePairs) {
        m_pFragments->clear();
        m_mapLowerToIndex.clear();
        m_mapOrdinalToIndex.clear();
        m_nFragments = 0;
        const std::vector<std::pair<TChar, TChar>> pairs = ReadPairs(quotePairs);
        m_strLower = Lower(text);
        const TString separatorSet = separators ? TString(separators) : TString();
        const TString lowerSet = Lower(separatorSet);
        TSize start = 0;
        TSize search = 0;
        while (search < text.size()) {
            const TSize found = Find(text, separatorSet, search);
            if (Find(m_strLower, lowerSet, search) != found || found == npos)
                break;
            const TSize protectedUpTo = ClosingMark(pairs, found, search);
            if (protectedUpTo != npos) {
                search = protectedUpTo + 1;
                continue;
            }
            Record(text, start, found - start);
            start = search = found + 1;
        }
        Record(text, start, text.size() - start);
    }

    // Counts one more fragment and keeps it (its lower-cased form for lookups) unless it is an
    // empty one that is not kept.
    void AddFragment(const TString& fragment, const TString& lower) {
        ++m_nFragments;
        if (fragment.empty() && !m_bKeepEmpty)
            return;
        m_pFragments->push_back(fragment);
        const TSize index = m_pFragments->size() - 1;
        m_mapOrdinalToIndex[m_nFragments - 1] = index;
        if (!fragment.empty())
            m_mapLowerToIndex.emplace(lower, index);
    }

    // Returns the index in the vector of the first fragment equal to the text, or -1.
    int FindFragmentIndex(const TChar* text, bool caseSensitive) const noexcept {
        if (!text)
            return -1;
        const auto entry = m_mapLowerToIndex.find(Lower(TString(text)));
        if (entry == m_mapLowerToIndex.end())
            return -1;
        if (!caseSensitive)
            return static_cast<int>(entry->second);
        for (TSize i = entry->second; i < m_pFragments->size(); ++i) {
            if ((*m_pFragments)[i] == text)
                return static_cast<int>(i);
        }
        return -1;
    }

    // Returns the fragment counted at the ordinal, or null where it was not kept.
    const TChar* operator[](TSize ordinal) const {
        const auto entry = m_mapOrdinalToIndex.find(ordinal);
        return entry == m_mapOrdinalToIndex.end() ? nullptr
                                                  : (*m_pFragments)[entry->second].c_str();
    }

    // Returns the number of fragments counted, empty ones included.
    TSize size() const { return m_nFragments; }

    // Joins the fragments counted from first to last (npos: to the end) into result with the
    // separator between them, an empty or missing one with skipGaps left out; returns result.
    const TChar* join(const TChar* separator, TString& result, TSize first, TSize last,
                      bool skipGaps) const {
        result.clear();
        const TSize end = last == npos ? m_nFragments : last + 1;
        for (TSize i = first; i < end; ++i) {
            const TChar* fragment = Present(i);
            if (fragment)
                result += fragment;
            if (separator && i + 1 < end && (fragment || !skipGaps))
                result += separator;
        }
        return result.c_str();
    }

    const TChar* join(char separator, TString& result, TSize first, TSize last,
                      bool skipGaps) const {
        const TString text(1, static_cast<TChar>(separator));
        return join(text.c_str(), result, first, last, skipGaps);
    }

protected:
    std::vector<TString>* m_pFragments;
    bool m_bKeepEmpty;
    TString m_strLower;
    std::map<TString, TSize> m_mapLowerToIndex;
    TSize m_nFragments;
    std::map<TSize, TSize> m_mapOrdinalToIndex;

private:
    static TString Lower(TString text) {
        for (TChar& c : text) {
            if (c >= TChar('A') && c <= TChar('Z'))
                c = static_cast<TChar>(c - TChar('A') + TChar('a'));
        }
        return text;
    }

    static TSize Find(const TString& text, const TString& set, TSize from) {
        return set.empty() ? npos : static_cast<TSize>(text.find_first_of(set, from));
    }

    static std::vector<std::pair<TChar, TChar>> ReadPairs(const TChar* quotePairs) {
        std::vector<std::pair<TChar, TChar>> pairs;
        for (const TChar* p = quotePairs; p && p[0] != TChar(0) && p[1] != TChar(0); p += 2)
            pairs.emplace_back(p[0], p[1]);
        return pairs;
    }

    // The closing quote that protects the separator at the position, or npos. A closing
    // character after the separator protects it even without an opening one before it.
    TSize ClosingMark(const std::vector<std::pair<TChar, TChar>>& pairs, TSize separator,
                      TSize search) const {
        TSize opening = separator;
        TSize closing = separator;
        bool found = false;
        for (const auto& pair : pairs) {
            const TSize open = static_cast<TSize>(m_strLower.find(pair.first, search));
            if (open != npos && open > opening)
                continue;
            const TSize close = static_cast<TSize>(m_strLower.find(pair.second, search));
            if (close != npos && close > closing) {
                opening = open;
                closing = close;
                found = true;
            }
        }
        return found ? closing : npos;
    }

    void Record(const TString& text, TSize start, TSize length) {
        AddFragment(text.substr(start, length), m_strLower.substr(start, length));
    }

    // A stored fragment's C string, or null where none is stored or it is empty.
    const TChar* Present(TSize ordinal) const {
        const TChar* fragment = (*this)[ordinal];
        return fragment && fragment[0] != TChar(0) ? fragment : nullptr;
    }
};

template <class TString, class TChar, class TSize>
constexpr TSize CStlStrSplitterTempl<TString, TChar, TSize>::npos;

typedef CStlStrSplitterTempl<std::string, char, std::size_t> t_NarrowSplitter;
typedef CStlStrSplitterTempl<std::wstring, wchar_t, std::size_t> t_WideSplitter;

// Splitters that split the text into the fragments when made, at one separator or any of a set.
class CStlStrSplitterA : public t_NarrowSplitter {
public:
    CStlStrSplitterA(char separator, const std::string& text, std::vector<std::string>& fragments,
                     const char* quotePairs = nullptr, bool keepEmpty = false);
    CStlStrSplitterA(const char* separators, const std::string& text,
                     std::vector<std::string>& fragments, const char* quotePairs = nullptr,
                     bool keepEmpty = false);
};

class CStlStrSplitter : public t_WideSplitter {
public:
    CStlStrSplitter(char separator, const std::wstring& text, std::vector<std::wstring>& fragments,
                    const wchar_t* quotePairs = nullptr, bool keepEmpty = false);
    CStlStrSplitter(const wchar_t* separators, const std::wstring& text,
                    std::vector<std::wstring>& fragments, const wchar_t* quotePairs = nullptr,
                    bool keepEmpty = false);
};

#endif
