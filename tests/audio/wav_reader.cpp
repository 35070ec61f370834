#include "tests/audio/wav_reader.h"

#include <cstring>
#include <string_view>

#include "shared/byte_reader.h"

namespace velmora::audio {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

struct Format {
    std::uint16_t tag = 0;  // the subformat's, for the extensible form
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
};

// The "fmt " chunk's body. The extensible form names its real format in
// the first two bytes of its subformat GUID.
bool ReadFormat(ByteReader body, Format& f, std::string& error) {
    std::uint32_t byteRate = 0;
    if (!body.u16(f.tag) || !body.u16(f.channels) || !body.u32(f.sampleRate) || !body.u32(byteRate) ||
        !body.u16(f.blockAlign) || !body.u16(f.bits)) {
        error = "format chunk shorter than 16 bytes";
        return false;
    }
    if (f.tag == kFormatExtensible) {
        std::uint16_t extraSize = 0, validBits = 0, subformat = 0;
        std::uint32_t channelMask = 0;
        if (!body.u16(extraSize) || extraSize < 22 || !body.u16(validBits) || !body.u32(channelMask) ||
            !body.u16(subformat)) {
            error = "extensible format chunk without its subformat";
            return false;
        }
        f.tag = subformat;
    }
    return true;
}

bool Supported(const Format& f) {
    if (f.tag == kFormatPcm) {
        return f.bits == 16 || f.bits == 24 || f.bits == 32;
    }
    return f.tag == kFormatFloat && f.bits == 32;
}

float SampleAt(const std::uint8_t* p, const Format& f) {
    switch (f.bits) {
        case 16: {
            const auto v = static_cast<std::int16_t>(p[0] | (p[1] << 8));
            return static_cast<float>(v) / 32768.0f;
        }
        case 24: {
            // Sign-extended from the third byte.
            std::int32_t v = p[0] | (p[1] << 8) | (p[2] << 16);
            if ((v & 0x800000) != 0) {
                v -= 0x1000000;
            }
            return static_cast<float>(v) / 8388608.0f;
        }
        default: {
            const std::uint32_t u = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                    (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
            if (f.tag == kFormatFloat) {
                float v = 0.0f;
                std::memcpy(&v, &u, sizeof(v));
                return v;
            }
            return static_cast<float>(static_cast<std::int32_t>(u)) / 2147483648.0f;
        }
    }
}

}  // namespace

std::optional<WavAudio> ReadWav(std::span<const std::uint8_t> bytes, std::string& error) {
    ByteReader r(bytes.data(), bytes.size(), ByteOrder::Little);
    std::uint32_t riffSize = 0;
    if (r.view(4) != "RIFF" || !r.u32(riffSize) || r.view(4) != "WAVE") {
        error = "not a RIFF/WAVE file";
        return std::nullopt;
    }
    std::optional<Format> format;
    std::optional<std::span<const std::uint8_t>> data;
    // Chunks in any order; unknown ones (fact, LIST, PEAK) are skipped.
    while (r.remaining() >= 8) {
        const std::string_view id = r.view(4);
        std::uint32_t size = 0;
        r.u32(size);
        if (size > r.remaining()) {
            error = "chunk \"" + std::string(id) + "\" runs past the end of the file";
            return std::nullopt;
        }
        const std::size_t start = r.position();
        if (id == "fmt ") {
            Format f;
            if (!ReadFormat(ByteReader(bytes.data() + start, size, ByteOrder::Little), f, error)) {
                return std::nullopt;
            }
            format = f;
        } else if (id == "data") {
            data = bytes.subspan(start, size);
        }
        r.skip(size);
        if ((size & 1) != 0 && r.remaining() > 0) {
            r.skip(1);  // chunks start on even offsets
        }
    }
    if (!format) {
        error = "no format chunk";
        return std::nullopt;
    }
    if (!data) {
        error = "no data chunk";
        return std::nullopt;
    }
    const Format& f = *format;
    if (!Supported(f)) {
        error = "unsupported sample format " + std::to_string(f.tag) + " of " + std::to_string(f.bits) + " bits";
        return std::nullopt;
    }
    if (f.channels == 0 || f.sampleRate == 0) {
        error = "no channels or no sample rate";
        return std::nullopt;
    }
    const std::size_t sampleBytes = f.bits / 8u;
    if (f.blockAlign != f.channels * sampleBytes) {
        error = "block size " + std::to_string(f.blockAlign) + " does not fit " + std::to_string(f.channels) +
                " channels of " + std::to_string(f.bits) + " bits";
        return std::nullopt;
    }
    WavAudio audio;
    audio.channels = f.channels;
    audio.sampleRate = static_cast<int>(f.sampleRate);
    audio.bitsPerSample = f.bits;
    audio.isFloat = f.tag == kFormatFloat;
    const std::size_t frames = data->size() / f.blockAlign;
    audio.samples.resize(frames * f.channels);
    for (std::size_t i = 0; i < audio.samples.size(); ++i) {
        audio.samples[i] = SampleAt(data->data() + i * sampleBytes, f);
    }
    return audio;
}

}  // namespace velmora::audio
