#pragma once
// RIFF/WAVE files as audio renderers write them: integer PCM of 16, 24 or 32
// bits and 32-bit float, plain or in the extensible form. Reads bytes, never
// trusts them: every size is checked against what the bytes hold.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora::audio {

struct WavAudio {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    bool isFloat = false;
    std::vector<float> samples;  // interleaved, full scale at ±1

    std::size_t frames() const { return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0; }
    double seconds() const { return sampleRate > 0 ? static_cast<double>(frames()) / sampleRate : 0.0; }
};

// nullopt and the reason, in one line, for bytes that are not a WAVE file
// of a supported sample format. A partial last frame is left out.
std::optional<WavAudio> ReadWav(std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace velmora::audio
