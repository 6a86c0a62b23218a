// Text handed on in chunks: a save or a listing of a large file goes out as it is made, without
// a copy of the whole in memory, and its sink is called once for each 64 KiB, not for each line.
#ifndef VORNEL_INI_CHUNKEDOUTPUT_H
#define VORNEL_INI_CHUNKEDOUTPUT_H

#include "host/FileText.h"

#include <string>
#include <string_view>

class ChunkedOutput {
public:
    static constexpr std::size_t kChunk = 64 * 1024;

    explicit ChunkedOutput(const TextSink& sink) : m_sink(sink) { m_strHeld.reserve(kChunk); }

    // Adds the text after what was put before; hands on each chunk that fills.
    void Put(std::string_view text);
    // Hands on what is left; returns whether the sink took every chunk.
    bool Finish();

private:
    const TextSink& m_sink;
    std::string m_strHeld;
    bool m_bTaken = true;
};

#endif
