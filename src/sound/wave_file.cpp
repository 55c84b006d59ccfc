#include "sound/wave_file.h"

namespace {

constexpr uint64_t kFormatLengthAt = 16;

uint32_t ReadU32(const std::vector<uint8_t>& file, uint64_t at) {
    return uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 |
           uint32_t(file[at + 3]) << 24;
}

}  // namespace

std::optional<WaveSamples> FindWaveSamples(const std::vector<uint8_t>& file) {
    const uint64_t size = file.size();
    if (size < kFormatLengthAt + 4) return std::nullopt;
    const uint64_t formatLength = ReadU32(file, kFormatLengthAt);
    // The format body, the data chunk's tag and its length.
    const uint64_t dataLengthAt = kFormatLengthAt + 4 + formatLength + 4;
    if (dataLengthAt + 4 > size) return std::nullopt;
    const uint64_t samplesAt = dataLengthAt + 4;
    uint64_t bytes = ReadU32(file, dataLengthAt);
    if (bytes > size - samplesAt) bytes = size - samplesAt;
    if (bytes == 0) return std::nullopt;
    return WaveSamples{uint32_t(samplesAt), uint32_t(bytes)};
}
