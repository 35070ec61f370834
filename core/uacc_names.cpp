#include "core/uacc_names.h"

namespace velmora {

namespace {
struct UaccEntry {
    int value;
    const char* name;
};

// Value 34 ends in U+FFFD, kept as its three UTF-8 bytes.
constexpr UaccEntry kUaccNames[] = {
    {1, "Long Generic"},
    {2, "Long Alternative"},
    {3, "Long Octave"},
    {4, "Long Octave muted"},
    {5, "Long Small (half)"},
    {6, "Long Small muted (half muted)"},
    {7, "Long Muted (cs/stopped)"},
    {8, "Long Soft (flautando/hollow)"},
    {9, "Long Hard (cuivre/overblown/nasty)"},
    {10, "Long Harmonic"},
    {11, "Long Trem (tremolando/flutter)"},
    {12, "Long Trem muted (tremolando/flutter cs/stopped)"},
    {13, "Long Trem soft (trem sul pont)"},
    {14, "Long Trem hard (flutter overblown)"},
    {15, "Long Trem muted lower (tremolando cs/stopped sul pont)"},
    {16, "Long Vibrato (molto or vib. only)"},
    {17, "Long Higher (bells up/sul tasto)"},
    {18, "Long Lower (sul pont)"},
    {19, "Long Muted Lower (cs/stopped sul pont)"},
    {20, "Legato Generic"},
    {21, "Legato Alternative"},
    {22, "Legato Octave"},
    {23, "Legato Octave muted"},
    {24, "Legato Small"},
    {25, "Legato Small muted"},
    {26, "Legato Muted"},
    {27, "Legato Soft"},
    {28, "Legato Hard"},
    {29, "Legato Harmonic"},
    {30, "Legato Trem"},
    {31, "Legato Slow (portamento/glissandi)"},
    {32, "Legato Fast"},
    {33, "Legato Slurred (legato runs)"},
    {34, "Legato Detach\xEF\xBF\xBD"},
    {35, "Legato Higher (sul tasto)"},
    {36, "Legato Lower (sul pont)"},
    {37, "Legato Single string (sul C/G/etc.)"},
    {38, "Legato Muted slow"},
    {39, "Legato Soft slow"},
    {40, "Short Generic"},
    {41, "Short Alternative"},
    {42, "Short Very short (spiccato/staccatissimo)"},
    {43, "Short Very short soft"},
    {44, "Short Leisurely (longer staccato)"},
    {45, "Short Octave"},
    {46, "Short Octave muted"},
    {47, "Short Muted (cs/stopped)"},
    {48, "Short Soft (brushed/feathered)"},
    {49, "Short Hard (dig)"},
    {50, "Short Tenuto"},
    {51, "Short Tenuto soft"},
    {52, "Short Marcato"},
    {53, "Short Marcato soft"},
    {54, "Short Marcato hard (bells up)"},
    {55, "Short Marcato longer"},
    {56, "Short Plucked (pizzicato)"},
    {57, "Short Plucked hard (Bartok)"},
    {58, "Short Struck (Col legno)"},
    {59, "Short Higher (bells up/sul tasto)"},
    {60, "Short Lower (sul pont)"},
    {61, "Short Harmonic"},
    {70, "Decorative Trill min 2nd"},
    {71, "Decorative Trill maj 2nd"},
    {72, "Decorative Trill min 3rd"},
    {73, "Decorative Trill maj 3rd"},
    {74, "Decorative Trill perf 4th"},
    {75, "Decorative Multitongue"},
    {76, "Decorative Multitongue muted"},
    {85, "Decorative Synced - 120bpm (trem/trill)"},
    {86, "Decorative Synced - 150bpm (trem/trill)"},
    {87, "Decorative Synced - 180bpm (trem/trill)"},
    {90, "Phrases & dynamics FX 1"},
    {91, "Phrases & dynamics FX 2"},
    {92, "Phrases & dynamics FX 3"},
    {93, "Phrases & dynamics FX 4"},
    {94, "Phrases & dynamics FX 5"},
    {95, "Phrases & dynamics FX 6"},
    {96, "Phrases & dynamics FX 7"},
    {97, "Phrases & dynamics FX 8"},
    {98, "Phrases & dynamics FX 9"},
    {99, "Phrases & dynamics FX 10"},
    {100, "Phrases & dynamics Upwards (rips and runs)"},
    {101, "Phrases & dynamics Downwards (falls and runs)"},
    {102, "Phrases & dynamics Crescendo"},
    {103, "Phrases & dynamics Diminuendo"},
    {104, "Phrases & dynamics Arc"},
    {105, "Phrases & dynamics Slides"},
    {110, "Disco upwards (rips)"},
    {111, "Disco downwards (falls)"},
    {112, "Longs Single string (sul G/C/etc.)"},
    {113, "Longs Lower Distorted"},
};
}  // namespace

const char* UaccName(int value) {
    for (const UaccEntry& e : kUaccNames) {
        if (e.value == value) {
            return e.name;
        }
    }
    return "Unspecified";
}

}  // namespace velmora
