#pragma once
// Loudness of stretches of decoded audio, for checks on rendered files.
#include "tests/audio/wav_reader.h"

namespace velmora::audio {

// Root mean square over every channel of the frames from `from` up to `to`
// seconds, clamped to the audio; 0 for an empty stretch.
double Rms(const WavAudio& audio, double from, double to);

}  // namespace velmora::audio
