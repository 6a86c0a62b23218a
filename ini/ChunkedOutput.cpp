#include "ini/ChunkedOutput.h"

#include <algorithm>

// A sink that refused a chunk is given no more. Most texts are a line's parts, which fit.
void ChunkedOutput::Put(std::string_view text) {
    if (m_strHeld.size() + text.size() < kChunk) {
        m_strHeld.append(text);
        return;
    }
    while (!text.empty()) {
        const std::size_t room = std::min(text.size(), kChunk - std::min(m_strHeld.size(), kChunk));
        m_strHeld.append(text.substr(0, room));
        text.remove_prefix(room);
        if (m_strHeld.size() >= kChunk) {
            m_bTaken = m_bTaken && m_sink(m_strHeld);
            m_strHeld.clear();
        }
    }
}

bool ChunkedOutput::Finish() {
    if (!m_strHeld.empty())
        m_bTaken = m_bTaken && m_sink(m_strHeld);
    m_strHeld.clear();
    return m_bTaken;
}
