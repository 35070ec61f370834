// The WAV reader over files written here byte by byte: the forms renderers
// write, and damaged or unsupported ones refused with a reason.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tests/audio/wav_levels.h"
#include "tests/audio/wav_reader.h"

namespace velmora::audio {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutChunk(Bytes& out, const char* id, const Bytes& body, bool pad = true) {
    out.insert(out.end(), id, id + 4);
    Put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (pad && (body.size() & 1) != 0) {
        out.push_back(0);
    }
}

struct Fmt {
    std::uint16_t tag = 1;
    std::uint16_t channels = 2;
    std::uint32_t rate = 44100;
    std::uint16_t bits = 16;
    std::uint16_t subformat = 0;  // for tag 0xFFFE
    int blockAlign = -1;          // -1: channels × bytes per sample
};

Bytes FmtBody(const Fmt& f) {
    const std::uint16_t align =
        static_cast<std::uint16_t>(f.blockAlign >= 0 ? f.blockAlign : f.channels * (f.bits / 8));
    Bytes body;
    Put16(body, f.tag);
    Put16(body, f.channels);
    Put32(body, f.rate);
    Put32(body, f.rate * align);
    Put16(body, align);
    Put16(body, f.bits);
    if (f.tag == 0xFFFE) {
        Put16(body, 22);
        Put16(body, f.bits);
        Put32(body, 3);  // front left and right
        Put16(body, f.subformat);
        const std::uint8_t guidRest[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
        body.insert(body.end(), guidRest, guidRest + 14);
    }
    return body;
}

Bytes Wav(const std::vector<std::pair<const char*, Bytes>>& chunks) {
    Bytes inner = {'W', 'A', 'V', 'E'};
    for (const auto& [id, body] : chunks) {
        PutChunk(inner, id, body);
    }
    Bytes out = {'R', 'I', 'F', 'F'};
    Put32(out, static_cast<std::uint32_t>(inner.size()));
    out.insert(out.end(), inner.begin(), inner.end());
    return out;
}

Bytes Pcm16(std::initializer_list<int> samples) {
    Bytes out;
    for (const int s : samples) {
        Put16(out, static_cast<std::uint16_t>(s));
    }
    return out;
}

Bytes Pcm24(std::initializer_list<int> samples) {
    Bytes out;
    for (const int s : samples) {
        const auto u = static_cast<std::uint32_t>(s);
        out.push_back(static_cast<std::uint8_t>(u));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
        out.push_back(static_cast<std::uint8_t>(u >> 16));
    }
    return out;
}

Bytes Float32(std::initializer_list<float> samples) {
    Bytes out;
    for (const float s : samples) {
        std::uint32_t u = 0;
        std::memcpy(&u, &s, sizeof(u));
        Put32(out, u);
    }
    return out;
}

TEST(WavReader, ReadsTheFormsRenderersWrite) {
    struct Row {
        const char* what;
        Bytes file;
        int channels;
        int rate;
        int bits;
        bool isFloat;
        std::vector<float> samples;
    };
    const Row rows[] = {
        {"16-bit stereo, full scale both ways", Wav({{"fmt ", FmtBody({})}, {"data", Pcm16({-32768, 16384, 32767, 0})}}),
         2, 44100, 16, false, {-1.0f, 0.5f, 32767.0f / 32768.0f, 0.0f}},
        {"float mono after a fact chunk and an odd-sized chunk with its pad byte",
         Wav({{"fmt ", FmtBody({.tag = 3, .channels = 1, .rate = 48000, .bits = 32})},
              {"fact", {3, 0, 0, 0}},
              {"LIST", {'I', 'N', 'F'}},
              {"data", Float32({0.25f, -0.75f, 1.5f})}}),
         1, 48000, 32, true, {0.25f, -0.75f, 1.5f}},
        {"extensible 24-bit: negative samples sign-extended",
         Wav({{"fmt ", FmtBody({.tag = 0xFFFE, .bits = 24, .subformat = 1})},
              {"data", Pcm24({-8388608, 4194304, -1, 8388607})}}),
         2, 44100, 24, false, {-1.0f, 0.5f, -1.0f / 8388608.0f, 8388607.0f / 8388608.0f}},
        {"extensible float", Wav({{"fmt ", FmtBody({.tag = 0xFFFE, .bits = 32, .subformat = 3})},
                                  {"data", Float32({-0.5f, 0.5f})}}),
         2, 44100, 32, true, {-0.5f, 0.5f}},
        {"data before format, and a partial last frame left out",
         Wav({{"data", Pcm16({100, -100, 7})}, {"fmt ", FmtBody({})}}), 2, 44100, 16, false,
         {100.0f / 32768.0f, -100.0f / 32768.0f}},
    };
    for (const Row& r : rows) {
        std::string error;
        const auto audio = ReadWav(r.file, error);
        ASSERT_TRUE(audio.has_value()) << r.what << ": " << error;
        EXPECT_EQ(audio->channels, r.channels) << r.what;
        EXPECT_EQ(audio->sampleRate, r.rate) << r.what;
        EXPECT_EQ(audio->bitsPerSample, r.bits) << r.what;
        EXPECT_EQ(audio->isFloat, r.isFloat) << r.what;
        EXPECT_EQ(audio->samples, r.samples) << r.what;
    }
}

TEST(WavReader, RefusesDamagedAndUnsupportedFiles) {
    Bytes cut = Wav({{"fmt ", FmtBody({})}, {"data", Pcm16({1, 2, 3, 4})}});
    cut.resize(cut.size() - 2);
    struct Row {
        const char* what;
        Bytes file;
        const char* error;
    };
    const Row rows[] = {
        {"empty", {}, "not a RIFF/WAVE file"},
        {"another RIFF form", [] {
             Bytes b = Wav({});
             std::memcpy(b.data() + 8, "AVI ", 4);
             return b;
         }(),
         "not a RIFF/WAVE file"},
        {"no format", Wav({{"data", Pcm16({1, 2})}}), "no format chunk"},
        {"no data", Wav({{"fmt ", FmtBody({})}}), "no data chunk"},
        {"data cut off", cut, "chunk \"data\" runs past the end of the file"},
        {"short format", Wav({{"fmt ", {1, 0, 2, 0}}, {"data", {}}}), "format chunk shorter than 16 bytes"},
        {"8-bit", Wav({{"fmt ", FmtBody({.bits = 8})}, {"data", {1, 2}}}), "unsupported sample format 1 of 8 bits"},
        {"64-bit float", Wav({{"fmt ", FmtBody({.tag = 3, .bits = 64})}, {"data", {}}}),
         "unsupported sample format 3 of 64 bits"},
        {"compressed", Wav({{"fmt ", FmtBody({.tag = 2, .bits = 4})}, {"data", {}}}),
         "unsupported sample format 2 of 4 bits"},
        {"extensible without its subformat", Wav({{"fmt ", [] {
                                                       Bytes b = FmtBody({.tag = 0xFFFE});
                                                       b.resize(24);  // cut before the subformat
                                                       return b;
                                                   }()},
                                                  {"data", {}}}),
         "extensible format chunk without its subformat"},
        {"no channels", Wav({{"fmt ", FmtBody({.channels = 0})}, {"data", {}}}), "no channels or no sample rate"},
        {"block size that does not fit", Wav({{"fmt ", FmtBody({.blockAlign = 6})}, {"data", Pcm16({1, 2, 3})}}),
         "block size 6 does not fit 2 channels of 16 bits"},
    };
    for (const Row& r : rows) {
        std::string error;
        EXPECT_FALSE(ReadWav(r.file, error).has_value()) << r.what;
        EXPECT_EQ(error, r.error) << r.what;
    }
}

TEST(WavLevels, RmsCoversTheStretchAcrossChannelsAndClampsToTheAudio) {
    WavAudio audio;
    audio.channels = 2;
    audio.sampleRate = 4;
    // Two seconds: the first silent, the second at ±0.5 and ±0.25.
    audio.samples = {0, 0, 0, 0, 0, 0, 0, 0, 0.5f, -0.25f, -0.5f, 0.25f, 0.5f, -0.25f, -0.5f, 0.25f};
    const double second = std::sqrt((0.25 + 0.0625) / 2);
    EXPECT_DOUBLE_EQ(Rms(audio, 0.0, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(Rms(audio, 1.0, 2.0), second);
    EXPECT_DOUBLE_EQ(Rms(audio, 1.0, 9.0), second);
    EXPECT_DOUBLE_EQ(Rms(audio, 0.0, 2.0), second / std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(Rms(audio, -3.0, 0.5), 0.0);
    EXPECT_DOUBLE_EQ(Rms(audio, 1.5, 1.5), 0.0);
}

}  // namespace
}  // namespace velmora::audio
