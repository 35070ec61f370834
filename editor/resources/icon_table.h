#pragma once
// The articulation icons, one row each: the icon's number in the strip, the
// playing technique it stands for (empty for plain notation) and how the
// generator draws it. The icon template shipped with the plugin names icons
// by these techniques, so a technique named here is the icon that shows it.
//
// Drawings are commands separated by ';' in a 27 x 27 box (y down):
//   n VALUE X Y u|d|n [STEM] [HEAD]  note (1 2 4 8 16 32 64, '.' dotted), head centred on X Y
//   bn VALUE u|d YB1 YB2 X Y X Y...  quarter heads whose stems meet straight beams
//   sn X Y                           slashed grace note
//   g NAME X Y [SIZE]                notation glyph centred on its ink (size 22 = the notes' size)
//   go NAME X Y [SIZE]               glyph placed by its origin
//   gf NAME X Y W H                  glyph fitted into W x H around X Y
//   t FACE SIZE X Y WORDS            text centred (i italic, bi bold italic, r serif, s sans,
//                                    sb sans bold, c condensed); '|' breaks the line
//   dyn SIZE X Y LETTERS             dynamics letters; num SIZE X Y DIGITS  time-signature figures
//   l / bar X1 Y1 X2 Y2 [W]          line with round / square ends
//   slur X1 Y1 X2 Y2 BULGE           (positive arches up); wave X1 Y1 X2 Y2 AMP HALFPERIOD [W]
//   tline X1 X2 Y [SIZE]             trill line; hp X1 X2 Y OPENING < or >  hairpin; c / d X Y R circle / disc; arc X Y R FROM TO
//   curve X1 Y1 C1X C1Y C2X C2Y X2 Y2 [W]; arrow X1 Y1 X2 Y2; rect / box X Y W H
//   tup X1 X2 Y FIGURE [SIZE]        tuplet bracket; staff X1 X2 TOP SPACING COUNT; list
// A leading '*' draws in the accent colour, '~' in faint ink.

#include <iterator>

#include "editor/resources/skin_images.h"

namespace velmora::editor::skin {

struct IconRecipe {
    int number;
    const char* technique;
    const char* drawing;
};

// The icon of an articulation that has none chosen.
inline constexpr int kDefaultIcon = 55;

inline constexpr IconRecipe kIcons[] = {
    // Playing techniques, in the order of the icon template.
    {0, "Legato", "n 4 7.5 17 u 13; n 4 20 11 u 13; *slur 5.5 21 21.5 15.5 -2.5"},
    {1, "Sustain", "n 1 7 13.5 n; *bar 12.5 13.5 25 13.5 2.4"},
    {2, "Staccato", "n 4 13.5 12 d 13; *g scripts.staccato 13.5 5 30"},
    {3, "Staccatissimo", "n 4 13.5 13 d 12; *g scripts.ustaccatissimo 13.5 5.5 30"},
    {4, "Spiccato", "bn 8 u 3.5 3.5 7.5 16.5 19 16.5; *g scripts.staccato 7.5 23 28; *g scripts.staccato 19 23 28"},
    {5, "Marcato", "n 4 13.5 15 d 10; *g scripts.umarcato 13.5 6 26"},
    {6, "Tenuto", "n 4 13.5 12 d 13; *g scripts.tenuto 13.5 5 30"},
    {7, "Portato", "n 4 13.5 13.5 d 12; *g scripts.uportato 13.5 5.5 28"},
    {8, "Pizzicato", "t i 10.5 13.5 13.5 pizz."},
    {9, "Bartok pizzicato", "n 4 13.5 15 d 10; *g scripts.snappizzicato 13.5 6 24"},
    {10, "Col legno", "t i 9 13.5 13.5 col|legno"},
    {11, "Tremolo", "n 4 10.5 20 u 18; *bar 10.5 6.5 17.5 4 1.7; *bar 10.5 10 17.5 7.5 1.7; *bar 10.5 13.5 17.5 11 1.7"},
    {12, "Trill", "*g scripts.trill 7 13 22; tline 14.5 26 14 24"},
    {13, "Harmonics", "n 4 13.5 15 d 10; *g scripts.flageolet 13.5 6 28"},
    {14, "Sul ponticello", "t i 9 13.5 13.5 sul|pont."},
    {15, "Sul tasto", "t i 9 13.5 13.5 sul|tasto"},
    {16, "Con sordino", "t i 9 13.5 13.5 con|sord."},
    {17, "Flautando", "t i 9.5 13.5 13.5 flaut."},
    {18, "Detache", "n 4 7.5 15 d 10; n 4 19.5 15 d 10; *g scripts.downbow 7.5 6.5 20; *g scripts.upbow 19.5 6.5 18"},
    {19, "Sforzando", "*dyn 20 13.5 13.5 sfz"},
    {20, "Accent", "n 4 13.5 13 d 12; *g scripts.sforzato 13.5 5 28"},
    {21, "Glissando", "n 1 5.5 20.5 n; n 1 21.5 6.5 n; *wave 9.5 18 17.5 9 1.2 1.7"},
    {22, "Portamento", "n 1 5.5 20.5 n; n 1 21.5 6.5 n; *curve 9.5 20 15 20 12 6.5 17.5 6.5 1.3"},
    {23, "Flutter tongue", "t i 11 13.5 13.5 flz."},
    {24, "Muted", "n 4 13.5 15 d 10; *g scripts.stopped 13.5 6 26"},
    {25, "Swell", "*hp 1.5 12 13.5 9 <; *hp 15 25.5 13.5 9 >"},
    {26, "Fall", "n 4 8 9 d 14; *curve 12.5 9 18 9 21 13 23.5 21 1.3"},
    {27, "Rip", "n 4 19 9 d 14; *curve 3 22 8 21 11 13 14.5 9.5 1.3"},
    {28, "Long", "n 1 13.5 16 n; *g scripts.tenuto 13.5 9 34"},
    {29, "Short", "n 8 10.5 16 u 14; *g scripts.staccato 10.5 23 28"},
    // Further techniques the template names.
    {30, "Trill major", "*g scripts.trill 7 9 22; tline 14.5 26 10 24; t sb 8 13.5 21.5 M2"},
    {31, "Trill minor", "*g scripts.trill 7 9 22; tline 14.5 26 10 24; t sb 8 13.5 21.5 m2"},
    {32, "Fortepiano", "*dyn 22 13.5 13.5 fp"},
    {33, "Crescendo", "*hp 3 24 13.5 11 <"},
    {34, "Diminuendo", "*hp 3 24 13.5 11 >"},
    {35, "Sforzando piano", "*dyn 18 13.5 13.5 sfp"},
    {36, "Up bow", "*g scripts.upbow 13.5 13.5 30"},
    {37, "Down bow", "*g scripts.downbow 13.5 13.5 30"},
    {38, "Fermata", "*g scripts.ufermata 13.5 13.5 30"},
    {39, "Mordent", "*g scripts.mordent 13.5 13.5 30"},
    {40, "Turn", "*g scripts.turn 13.5 13.5 30"},
    {41, "Grace note", "*sn 7 16; n 4 18 18 u 15"},
    {42, "Arpeggio", "n 4 17 21 u 18; n 4 17 15 n; n 4 17 9 n; *wave 8.5 24 8.5 5 1.3 1.8"},
    {43, "Ricochet", "zoom 0.85; bn 16 u 4 4 4 19 13.5 19 23 19; *g scripts.staccato 4 25 26; *g scripts.staccato 13.5 25 26; *g scripts.staccato 23 25 26; *slur 2 27.5 25 27.5 -2"},
    {44, "Measured tremolo", "n 4 10.5 20 u 18; *bar 10.5 8 17.5 5.5 1.7; *bar 10.5 11.5 17.5 9 1.7"},
    {45, "Artificial harmonics", "n 4 12 20 u 17; n 4 12 10.5 n 0 noteheads.s1diamond"},
    {46, "Doit", "n 4 8 17 u 13; *curve 12.5 17 18 17 21 13 23.5 5 1.3"},
    {47, "Shake", "n 4 13.5 18 u 14; *wave 4 5 23 5 1.8 2.6 1.3"},
    {48, "Vibrato", "t i 10 13.5 9 vib.; *wave 4 19 23 19 2 3 1.3"},
    {49, "Non vibrato", "t i 9 13.5 13.5 non|vib."},
    {50, "Ghost note", "n 4 13.5 18 u 14; *g accidentals.leftparen 7.5 18 24; *g accidentals.rightparen 20 18 24"},
    {51, "Dead note", "n 4 13.5 18 u 14 noteheads.s2cross"},
    {52, "Bend", "n 4 7.5 19 u 14; *curve 12 19 18 19 20.5 15 20.5 9 1.3; *arrow 20.5 10 20.5 4 1.3"},
    {53, "Breath", "n 4 9 18 u 14; *g scripts.rcomma 20 6 30"},
    {54, "Pedal", "*gf pedal.Ped 13.5 13.5 26 17"},
    {55, "", "list"},
    // Notes and rhythms.
    {56, "", "n 1 13.5 13.5 n"},
    {57, "", "n 2 11 19 u 16"},
    {58, "", "n 4 11 19 u 16"},
    {59, "", "n 8 10 19 u 16"},
    {60, "", "n 16 10 20 u 17"},
    {61, "", "n 32 10 21 u 19"},
    {62, "", "n 64 10 22 u 21"},
    {63, "", "n 2. 10 19 u 16"},
    {64, "", "n 4. 10 19 u 16"},
    {65, "", "n 8. 9 19 u 16"},
    {66, "", "g noteheads.sM1 13.5 13.5"},
    {67, "", "bn 8 u 5 5 7 20 19 20"},
    {68, "", "bn 16 u 4 4 4.5 21 13.5 21 22.5 21"},
    {69, "", "bn 8 u 9 9 4.5 22 13.5 22 22.5 22; tup 2 26 3.5 3 14"},
    {70, "", "n 2 6.5 16 u 12; n 2 20.5 16 u 12; slur 6.5 20.5 20.5 20.5 -2.5"},
    {71, "", "n 4 13.5 21 u 18; n 4 13.5 15 n; n 4 13.5 9 n"},
    {72, "", "n 2 13.5 20 u 16; n 2 13.5 9 n"},
    {73, "", "n 4 12 21 u 18; n 4 12 6 n; box 8.4 6 7.3 15"},
    {74, "", "n 4 16 7.5 d 17"},
    {75, "", "n 1 5 19.5 n; n 1 22 7.5 n; bar 9.5 16.5 17.5 12.5 1.8; bar 9.5 20 17.5 16 1.8"},
    {76, "", "bn 32 u 3 3 7 21 19 21"},
    {77, "", "bn 8 u 5 5 6 20 19 20; bar 18 9 23 9 2; d 11.7 20 1.2"},
    {78, "", "bn 8 u 5 5 6 20 19 20; bar 9 9 14 9 2; d 24.7 20 1.2"},
    {79, "", "n 4 4.5 22 u 12; n 4 13.5 22 u 12; n 4 22.5 22 u 12; tup 2 26 3.5 3 14"},
    {80, "", "*sn 7 15 0; n 4 18 18 u 15; *slur 6.5 19.5 16.5 22 -1.5"},
    // Rests.
    {81, "", "g rests.0o 13.5 12 26"},
    {82, "", "g rests.1o 13.5 15 26"},
    {83, "", "g rests.2 13.5 13.5 26"},
    {84, "", "g rests.3 13.5 13.5 26"},
    {85, "", "g rests.4 13.5 13.5 26"},
    {86, "", "g rests.5 13.5 13.5 22"},
    {87, "", "g rests.6 13.5 13.5 19"},
    {88, "", "g rests.7 13.5 13.5 16.5"},
    {89, "", "~staff 6 21 8 5.5 3; g rests.M1 13.5 10.75 24"},
    {90, "", "~staff 6 21 5 5.5 4; g rests.M2 13.5 13.5 24"},
    {91, "", "g rests.2classical 13.5 13.5 26"},
    {92, "", "bar 5 16 22 16 4.5; bar 5 11 5 21 1.1; bar 22 11 22 21 1.1; num 16 13.5 6.5 4"},
    // Accidentals.
    {93, "", "gf accidentals.sharp 13.5 13.5 10 22"},
    {94, "", "gf accidentals.flat 13.5 13.5 10 22"},
    {95, "", "gf accidentals.natural 13.5 13.5 10 22"},
    {96, "", "gf accidentals.doublesharp 13.5 13.5 12 12"},
    {97, "", "gf accidentals.flatflat 13.5 13.5 18 22"},
    {98, "", "gf accidentals.sharp.arrowup 13.5 13.5 12 24"},
    {99, "", "gf accidentals.sharp.arrowdown 13.5 13.5 12 24"},
    {100, "", "gf accidentals.flat.arrowdown 13.5 13.5 12 24"},
    {101, "", "gf accidentals.natural.arrowup 13.5 13.5 12 24"},
    {102, "", "gf accidentals.sharp.slashslash.stem 13.5 13.5 10 22"},
    {103, "", "gf accidentals.sharp.slashslashslash.stemstem 13.5 13.5 14 22"},
    {104, "", "gf accidentals.mirroredflat 13.5 13.5 10 22"},
    {105, "", "gf accidentals.mirroredflat.flat 13.5 13.5 18 22"},
    {106, "", "gf accidentals.flat.slash 13.5 13.5 12 22"},
    {107, "", "gf accidentals.sharp.sori 13.5 13.5 14 20"},
    {108, "", "gf accidentals.flat.koron 13.5 13.5 14 20"},
    // Clefs.
    {109, "", "gf clefs.G 13.5 13.5 20 25"},
    {110, "", "gf clefs.F 13.5 13 20 17"},
    {111, "", "gf clefs.C 13.5 13.5 18 22"},
    {112, "", "gf clefs.percussion 13.5 13.5 14 14"},
    {113, "", "gf clefs.tab 13.5 13.5 14 24"},
    {114, "", "gf clefs.GG 13.5 13.5 24 24"},
    {115, "", "gf clefs.tenorG 13.5 13.5 20 24"},
    {116, "", "gf clefs.varC 13.5 13.5 18 22"},
    {117, "", "gf clefs.varpercussion 13.5 13.5 14 14"},
    {118, "", "gf clefs.G 13.5 10.5 14 19; num 11 13.5 24 8"},
    {119, "", "gf clefs.G 13.5 16.5 14 19; num 11 13.5 3.5 8"},
    {120, "", "gf clefs.F 12 10.5 17 14; num 12 12 22.5 8"},
    {121, "", "gf clefs.mensural.g 13.5 13.5 18 22"},
    {122, "", "gf clefs.mensural.f 13.5 13.5 18 18"},
    // Dynamics.
    {123, "", "dyn 17 13.5 13.5 ppp"},
    {124, "", "dyn 20 13.5 13.5 pp"},
    {125, "", "dyn 24 13.5 13.5 p"},
    {126, "", "dyn 20 13.5 13.5 mp"},
    {127, "", "dyn 20 13.5 13.5 mf"},
    {128, "", "dyn 24 13.5 13.5 f"},
    {129, "", "dyn 21 13.5 13.5 ff"},
    {130, "", "dyn 18 13.5 13.5 fff"},
    {131, "", "dyn 22 13.5 13.5 sf"},
    {132, "", "dyn 18 13.5 13.5 sff"},
    {133, "", "dyn 16 13.5 13.5 sffz"},
    {134, "", "dyn 22 13.5 13.5 fz"},
    {135, "", "dyn 22 13.5 13.5 rf"},
    {136, "", "dyn 18 13.5 13.5 rfz"},
    {137, "", "dyn 22 13.5 13.5 sp"},
    {138, "", "dyn 24 13.5 13.5 n"},
    {139, "", "dyn 18 5.5 13.5 n; *hp 11 25 13.5 10 <"},
    {140, "", "*hp 2 16 13.5 10 >; dyn 18 21.5 13.5 n"},
    // Ornaments.
    {141, "", "g scripts.reverseturn 13.5 13.5 30"},
    {142, "", "g scripts.slashturn 13.5 13.5 30"},
    {143, "", "g scripts.haydnturn 13.5 13.5 30"},
    {144, "", "g scripts.prall 13.5 13.5 30"},
    {145, "", "g scripts.prallprall 13.5 13.5 26"},
    {146, "", "g scripts.prallmordent 13.5 13.5 26"},
    {147, "", "g scripts.upprall 13.5 13.5 26"},
    {148, "", "g scripts.upmordent 13.5 13.5 26"},
    {149, "", "g scripts.prallup 13.5 13.5 26"},
    {150, "", "g scripts.downprall 13.5 13.5 26"},
    {151, "", "g scripts.downmordent 13.5 13.5 26"},
    {152, "", "g scripts.pralldown 13.5 13.5 26"},
    {153, "", "g scripts.lineprall 13.5 13.5 26"},
    // Fermatas.
    {154, "", "g scripts.dfermata 13.5 13.5 30"},
    {155, "", "g scripts.ushortfermata 13.5 13.5 30"},
    {156, "", "g scripts.ulongfermata 13.5 13.5 30"},
    {157, "", "g scripts.uverylongfermata 13.5 13.5 30"},
    {158, "", "g scripts.uhenzeshortfermata 13.5 13.5 30"},
    {159, "", "g scripts.uhenzelongfermata 13.5 13.5 30"},
    // Signs of the road map.
    {160, "", "gf scripts.segno 13.5 13.5 20 22"},
    {161, "", "gf scripts.varsegno 13.5 13.5 20 22"},
    {162, "", "gf scripts.coda 13.5 13.5 22 22"},
    {163, "", "gf scripts.varcoda 13.5 13.5 22 22"},
    // Breaths and cuts.
    {164, "", "gf scripts.rvarcomma 13.5 13.5 10 14"},
    {165, "", "gf scripts.raltcomma 13.5 13.5 10 14"},
    {166, "", "gf scripts.caesura.curved 13.5 13.5 14 18"},
    {167, "", "gf scripts.caesura.straight 13.5 13.5 14 18"},
    // Other marks.
    {168, "", "gf scripts.tickmark 13.5 13.5 10 14"},
    {169, "", "g scripts.thumb 13.5 13.5 34"},
    {170, "", "gf scripts.espr 13.5 13.5 22 10"},
    {171, "", "g scripts.open 13.5 13.5 34"},
    {172, "", "g scripts.halfopen 13.5 13.5 34"},
    {173, "", "g scripts.halfopenvertical 13.5 13.5 34"},
    {174, "", "g scripts.upedalheel 13.5 13.5 30"},
    {175, "", "n 4 8 18 u 14; slur 9.5 21.5 23 21.5 -2.2"},
    {176, "", "n 4 17 21 u 18; n 4 17 15 n; n 4 17 9 n; wave 8.5 24 8.5 9 1.3 1.8; arrow 8.5 9 8.5 3"},
    {177, "", "n 4 17 21 u 18; n 4 17 15 n; n 4 17 9 n; wave 8.5 3 8.5 18 1.3 1.8; arrow 8.5 18 8.5 24"},
    // Piano pedals.
    {178, "", "gf pedal.* 13.5 13.5 16 16"},
    {179, "", "gf pedal.Ped 9 11 15 10; gf pedal.* 21 17.5 8 8"},
    {180, "", "l 3 8 3 20; l 3 20 11 20; l 11 20 14 15; l 14 15 17 20; l 17 20 24 20; l 24 20 24 8"},
    // Time signatures.
    {181, "", "gf timesig.C44 13.5 13.5 16 18"},
    {182, "", "gf timesig.C22 13.5 13.5 16 22"},
    {183, "", "num 22 13.5 8 2; num 22 13.5 19 4"},
    {184, "", "num 22 13.5 8 3; num 22 13.5 19 4"},
    {185, "", "num 22 13.5 8 5; num 22 13.5 19 4"},
    {186, "", "num 22 13.5 8 3; num 22 13.5 19 8"},
    {187, "", "num 22 13.5 8 6; num 22 13.5 19 8"},
    {188, "", "num 22 13.5 8 7; num 22 13.5 19 8"},
    {189, "", "num 22 13.5 8 9; num 22 13.5 19 8"},
    {190, "", "num 20 13.5 8 12; num 20 13.5 19 8"},
    {191, "", "num 22 13.5 8 5; num 22 13.5 19 8"},
    {192, "", "num 22 13.5 8 3; num 22 13.5 19 2"},
    {193, "", "num 22 13.5 8 7; num 22 13.5 19 4"},
    // Articulations combined.
    {194, "", "n 4 13.5 16 d 9; g scripts.staccato 13.5 10 28; *g scripts.sforzato 13.5 4 26"},
    {195, "", "n 4 13.5 16 d 9; g scripts.tenuto 13.5 10 28; *g scripts.sforzato 13.5 4 26"},
    {196, "", "n 4 13.5 17 d 8; g scripts.staccato 13.5 11 28; *g scripts.umarcato 13.5 4.5 22"},
    {197, "", "n 4 13.5 17 d 8; g scripts.tenuto 13.5 11 28; *g scripts.umarcato 13.5 4.5 22"},
    // Noteheads.
    {198, "", "n 4 11 19 u 16 noteheads.s2diamond"},
    {199, "", "n 4 11 19 u 16 noteheads.s2triangle"},
    {200, "", "n 4 11 19 u 16 noteheads.s2slash"},
    {201, "", "n 4 11 19 u 16 noteheads.s2xcircle"},
    {202, "", "n 2 11 19 u 16 noteheads.s1cross"},
    {203, "", "gf noteheads.s0harmonic 13.5 13.5 11 11"},
    {204, "", "n 1 13.5 13.5 n 0 noteheads.s0slash"},
    {205, "", "n 1 13.5 13.5 n 0 noteheads.s0diamond"},
    {206, "", "n 4 11 19 u 16 noteheads.s2do"},
    {207, "", "n 4 11 19 u 16 noteheads.s2re"},
    {208, "", "n 4 11 19 u 16 noteheads.s2miMirror"},
    {209, "", "n 4 11 19 u 16 noteheads.u2fa"},
    {210, "", "n 4 11 19 u 16 noteheads.s2la"},
    {211, "", "n 4 11 19 u 16 noteheads.s2ti"},
    // Tuplets.
    {212, "", "tup 3 24 10 2 24"},
    {213, "", "tup 3 24 10 4 24"},
    {214, "", "tup 3 24 10 5 24"},
    {215, "", "tup 3 24 10 6 24"},
    {216, "", "tup 3 24 10 7 24"},
    {217, "", "tup 3 24 10 9 24"},
    // Octave signs.
    {218, "", "t bi 10 9.5 10 8va; dash 4 18 22 18; l 22 18 22 22 1"},
    {219, "", "t bi 10 9.5 17 8vb; dash 4 8 22 8; l 22 8 22 4 1"},
    {220, "", "t bi 9 12.5 10 15ma; dash 4 18 22 18; l 22 18 22 22 1"},
    {221, "", "t bi 9 12.5 17 15mb; dash 4 8 22 8; l 22 8 22 4 1"},
    // Bar lines and repeats.
    {222, "", "bar 15 4 15 23 1; bar 20 4 20 23 3"},
    {223, "", "bar 7 4 7 23 3; bar 11.5 4 11.5 23 1; d 16 10.5 1.5; d 16 16.5 1.5"},
    {224, "", "d 11 10.5 1.5; d 11 16.5 1.5; bar 15.5 4 15.5 23 1; bar 20 4 20 23 3"},
    {225, "", "l 7 20 20 7 3; d 8 9 2; d 19 18 2"},
    // Playing directions.
    {226, "", "t i 11 13.5 13.5 arco"},
    {227, "", "t i 11 13.5 13.5 ord."},
    {228, "", "t i 11 13.5 13.5 div."},
    {229, "", "t i 11 13.5 13.5 unis."},
    {230, "", "t i 11 13.5 13.5 solo"},
};

// The strip's numbering is the row order.
constexpr bool IconNumbersAreRowOrder() {
    int k = 0;
    for (const IconRecipe& icon : kIcons) {
        if (icon.number != k++) {
            return false;
        }
    }
    return true;
}
static_assert(IconNumbersAreRowOrder());
static_assert(std::size(kIcons) == kIconCount, "one recipe per icon of the strip");

}  // namespace velmora::editor::skin
