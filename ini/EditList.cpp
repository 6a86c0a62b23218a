#include "ini/EditList.h"

#include "ini/ChunkedOutput.h"
#include "ini/IniReader.h"

#include <algorithm>
#include <utility>

namespace {

// A first line that starts with the mark's bytes would lose them on reading without one before.
std::string text_start(std::string_view written, bool mark) {
    if (mark)
        return std::string(kByteOrderMark);
    return StartsWithByteOrderMark(written) ? "\n" : "";
}

} // namespace

bool EditList::Add(std::size_t begin, std::size_t end, std::string text) {
    const auto place = std::upper_bound(
        m_vecEdits.begin(), m_vecEdits.end(), st_Edit{begin, end, ""},
        [](const st_Edit& a, const st_Edit& b) {
            return a.m_nBegin != b.m_nBegin ? a.m_nBegin < b.m_nBegin : a.m_nEnd < b.m_nEnd;
        });
    const bool overlapsBefore = place != m_vecEdits.begin() && std::prev(place)->m_nEnd > begin;
    const bool overlapsAfter = place != m_vecEdits.end() && place->m_nBegin < end;
    if (overlapsBefore || overlapsAfter)
        return false;
    m_vecEdits.insert(place, st_Edit{begin, end, std::move(text)});
    return true;
}

bool EditList::Write(std::string_view lines, bool mark, const TextSink& sink) const {
    ChunkedOutput out(sink);
    bool started = false;
    const auto put = [&](std::string_view piece) {
        if (!started && !piece.empty()) {
            started = true;
            out.Put(text_start(piece, mark));
        }
        out.Put(piece);
    };
    std::size_t copied = 0;
    for (const st_Edit& edit : m_vecEdits) {
        if (edit.m_nBegin > copied)
            put(lines.substr(copied, edit.m_nBegin - copied));
        put(edit.m_strText);
        copied = std::max(copied, edit.m_nEnd);
    }
    put(lines.substr(std::min(copied, lines.size())));
    if (!started)
        out.Put(text_start("", mark));
    return out.Finish();
}
