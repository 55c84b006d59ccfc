#pragma once
// Where the samples of a sound effect file lie. The file is read as the
// canonical RIFF WAVE layout without comparing its tags: 16 bytes (the RIFF
// tag and size, the WAVE form type, the first chunk's tag), the format chunk's
// length L, L bytes of format and the next chunk's tag, the data length D and
// then the samples. Every length is checked against the file: a format chunk
// that runs past the end or a data length of 0 gives no samples; a data
// length past the end is cut to the bytes that are there.

#include <cstdint>
#include <optional>
#include <vector>

struct WaveSamples {
    uint32_t offset = 0;  // from the start of the file
    uint32_t bytes = 0;
};

std::optional<WaveSamples> FindWaveSamples(const std::vector<uint8_t>& file);
