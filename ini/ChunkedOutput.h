// Text handed on in chunks: a save or a listing of a large file goes out as it is made, without
// a copy of the whole in memory, and its sink is called once for each 64 KiB, not for each line.
#ifndef VORNEL_INI_CHUNKEDOUTPUT_H
#define VORNEL_INI_CHUNKEDOUTPUT_H

#include "host/FileText.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

class ChunkedOutput {
public:
    static constexpr std::size_t kChunk = 64 * 1024;

    explicit ChunkedOutput(const TextSink& sink) : m_sink(sink), m_vecHeld(kChunk) {}

    // Adds the text after what was put before; hands on each chunk that fills. A listing puts
    // four pieces a key, so the common case is a copy into the chunk and nothing else.
    void Put(std::string_view text) {
        if (text.size() >= kChunk - m_nHeld)
            return PutFilling(text);
        std::copy(text.begin(), text.end(),
                  m_vecHeld.begin() + static_cast<std::ptrdiff_t>(m_nHeld));
        m_nHeld += text.size();
    }
    // Hands on what is left; returns whether the sink took every chunk.
    bool Finish();

private:
    void PutFilling(std::string_view text);
    bool HandOn();

    const TextSink& m_sink;
    std::vector<char> m_vecHeld;
    std::size_t m_nHeld = 0;
    bool m_bTaken = true;
};

#endif
