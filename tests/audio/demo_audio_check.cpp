// Checks the WAV that scripts/demo-audio.sh renders from the GM strings demo
// against the demo's session: the format asked for, a length that covers the
// score and fluidsynth's tail, sound wherever a note is held, quiet at the
// end, and the articulations heard as different sounds (sustained chords
// hold their level, pizzicato notes die away).
//
//   velmora-demo-audio-check SESSION.json FILE.wav
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "host/session.h"
#include "tests/audio/wav_levels.h"
#include "tests/audio/wav_reader.h"

namespace {

using velmora::audio::Rms;
using velmora::audio::WavAudio;

// What the script asks fluidsynth for.
constexpr int kRenderRate = 44100;
// fluidsynth renders until its last voice has died away: the longest
// releases of the General MIDI set, with the reverb, take a few seconds
// (about four after this demo's last note).
constexpr double kTailAllowance = 8.0;
// About -50 dBFS; a held note of the demo reads ten times that or more at
// fluidsynth's default gain, and a missing volume or program is far below.
constexpr double kAudible = 0.003;
constexpr double kHeldWindow = 0.1;
// The colours of the demo's articulation file.
constexpr int kSustainedColour = 0;
constexpr int kPizzicatoColour = 2;

struct Note {
    double start = 0.0;
    double end = 0.0;
    int colour = 0;
};

struct Score {
    std::vector<Note> notes;
    double lastNoteEnd = 0.0;  // where the last sound is released
    double end = 0.0;          // the last note end or event
};

Score ScoreOf(const velmora::host::Session& session) {
    const double secondsPerTick = 60.0 / (session.bpm * session.ppq);
    Score score;
    for (const auto& e : session.events) {
        double end = static_cast<double>(e.tick) * secondsPerTick;
        if (e.kind == velmora::host::EventKind::Note) {
            const Note n{static_cast<double>(e.tick) * secondsPerTick,
                         static_cast<double>(e.tick + e.length) * secondsPerTick, e.colour};
            score.notes.push_back(n);
            score.lastNoteEnd = std::max(score.lastNoteEnd, n.end);
            end = n.end;
        }
        score.end = std::max(score.end, end);
    }
    return score;
}

class Checks {
public:
    void expect(bool ok, const std::string& what) {
        std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
        failed_ = failed_ || !ok;
    }
    bool failed() const { return failed_; }

private:
    bool failed_ = false;
};

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0) {
    char text[256];
    std::snprintf(text, sizeof(text), format, a, b, c);
    return text;
}

void PrintLevelsPerSecond(const WavAudio& audio) {
    std::printf("RMS per second:\n");
    for (int s = 0; s < static_cast<int>(audio.seconds() + 0.999); ++s) {
        std::printf("  %3d s  %.4f\n", s, Rms(audio, s, s + 1.0));
    }
}

void CheckFormatAndLength(const WavAudio& audio, const Score& score, Checks& checks) {
    checks.expect(audio.sampleRate == kRenderRate && audio.channels == 2,
                  Format("format: %.0f Hz, %.0f channels, %.0f bits", audio.sampleRate, audio.channels,
                         audio.bitsPerSample));
    checks.expect(audio.seconds() >= score.lastNoteEnd && audio.seconds() <= score.end + kTailAllowance,
                  Format("length %.2f s within the score's %.2f s and %.2f s with the tail", audio.seconds(),
                         score.lastNoteEnd, score.end + kTailAllowance));
}

// Every stretch in which a note is held sounds, from the first note to the
// last: not a blip at the start or the end with silence in between.
void CheckHeldNotesSound(const WavAudio& audio, const Score& score, Checks& checks) {
    int windows = 0;
    int quiet = 0;
    double quietest = 1.0;
    double at = 0.0;
    for (const Note& n : score.notes) {
        for (double t = n.start; t + kHeldWindow <= n.end; t += kHeldWindow) {
            const double level = Rms(audio, t, t + kHeldWindow);
            ++windows;
            quiet += level < kAudible ? 1 : 0;
            if (level < quietest) {
                quietest = level;
                at = t;
            }
        }
    }
    checks.expect(windows > 0 && quiet == 0, Format("%.0f held-note windows, %.0f of them silent; quietest %.4f",
                                                    windows, quiet, quietest) +
                                                 Format(" at %.2f s", at));
}

// The render ends once the sound has died away: the last stretch is far
// below the loudest second, so the sound is not just everywhere.
void CheckQuietEnd(const WavAudio& audio, Checks& checks) {
    double loudest = 0.0;
    for (double t = 0.0; t < audio.seconds(); t += 1.0) {
        loudest = std::max(loudest, Rms(audio, t, t + 1.0));
    }
    const double end = Rms(audio, audio.seconds() - 0.2, audio.seconds());
    checks.expect(loudest >= kAudible && end < loudest / 100.0,
                  Format("the last 0.2 s (%.5f) 40 dB below the loudest second (%.4f)", end, loudest));
}

std::set<double> Onsets(const Score& score) {
    std::set<double> onsets;
    for (const Note& n : score.notes) {
        onsets.insert(n.start);
    }
    return onsets;
}

// A pizzicato note with room after it has lost most of its level 0.4 s
// after its start; a bowed sound in its place would still be there.
void CheckPizzicatoDecays(const WavAudio& audio, const Score& score, Checks& checks) {
    const std::set<double> onsets = Onsets(score);
    int checked = 0;
    for (const Note& n : score.notes) {
        const auto next = onsets.upper_bound(n.start);
        if (n.colour != kPizzicatoColour || (next != onsets.end() && *next < n.start + 0.45)) {
            continue;
        }
        double peak = 0.0;
        for (double t = n.start; t < n.start + 0.15; t += 0.02) {
            peak = std::max(peak, Rms(audio, t, t + 0.02));
        }
        const double later = Rms(audio, n.start + 0.35, n.start + 0.45);
        checks.expect(later < 0.35 * peak,
                      Format("pizzicato at %.2f s dies away: %.4f after 0.4 s from %.4f", n.start, later, peak));
        ++checked;
    }
    checks.expect(checked > 0, Format("%.0f pizzicato notes with room to die away", checked));
}

// A sustained chord held for long keeps its level: no window of its middle
// drops below 40 % of its loudest, as a plucked or struck sound would.
void CheckSustainedHolds(const WavAudio& audio, const Score& score, Checks& checks) {
    std::set<double> checkedOnsets;
    for (const Note& n : score.notes) {
        if (n.colour != kSustainedColour || n.end - n.start < 1.5 || !checkedOnsets.insert(n.start).second) {
            continue;
        }
        double lowest = 1.0;
        double highest = 0.0;
        for (double t = n.start + 0.3; t + 0.05 <= n.end - 0.1; t += 0.05) {
            const double level = Rms(audio, t, t + 0.05);
            lowest = std::min(lowest, level);
            highest = std::max(highest, level);
        }
        checks.expect(highest > 0.0 && lowest >= 0.4 * highest,
                      Format("sustained chord at %.2f s holds: %.4f to %.4f", n.start, lowest, highest));
    }
    checks.expect(!checkedOnsets.empty(), Format("%.0f sustained chords held long enough to check",
                                                 static_cast<double>(checkedOnsets.size())));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmora-demo-audio-check SESSION.json FILE.wav\n");
        return 2;
    }
    std::string error;
    const auto session = velmora::host::LoadSession(argv[1], error);
    if (!session) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto audio = velmora::audio::ReadWav(bytes, error);
    if (!audio) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 1;
    }
    const Score score = ScoreOf(*session);
    PrintLevelsPerSecond(*audio);
    Checks checks;
    CheckFormatAndLength(*audio, score, checks);
    CheckHeldNotesSound(*audio, score, checks);
    CheckQuietEnd(*audio, checks);
    CheckPizzicatoDecays(*audio, score, checks);
    CheckSustainedHolds(*audio, score, checks);
    return checks.failed() ? 1 : 0;
}
