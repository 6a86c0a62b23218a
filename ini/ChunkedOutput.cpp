#include "ini/ChunkedOutput.h"

#include <algorithm>

void ChunkedOutput::PutFilling(std::string_view text) {
    while (!text.empty()) {
        const std::size_t room = std::min(text.size(), kChunk - m_nHeld);
        std::copy_n(text.begin(), room, m_vecHeld.begin() + static_cast<std::ptrdiff_t>(m_nHeld));
        m_nHeld += room;
        text.remove_prefix(room);
        if (m_nHeld == kChunk)
            HandOn();
    }
}

// A sink that refused a chunk is given no more.
bool ChunkedOutput::HandOn() {
    m_bTaken = m_bTaken && m_sink(std::string_view(m_vecHeld.data(), m_nHeld));
    m_nHeld = 0;
    return m_bTaken;
}

bool ChunkedOutput::Finish() {
    return m_nHeld == 0 ? m_bTaken : HandOn();
}
