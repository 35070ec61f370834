#include "tests/audio/wav_levels.h"

#include <algorithm>
#include <cmath>

namespace velmora::audio {

double Rms(const WavAudio& audio, double from, double to) {
    const auto frameAt = [&](double seconds) {
        const double frame = std::floor(seconds * audio.sampleRate);
        return static_cast<std::size_t>(std::clamp(frame, 0.0, static_cast<double>(audio.frames())));
    };
    const std::size_t first = frameAt(from) * static_cast<std::size_t>(audio.channels);
    const std::size_t last = frameAt(to) * static_cast<std::size_t>(audio.channels);
    if (last <= first) {
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t i = first; i < last; ++i) {
        sum += static_cast<double>(audio.samples[i]) * audio.samples[i];
    }
    return std::sqrt(sum / static_cast<double>(last - first));
}

}  // namespace velmora::audio
