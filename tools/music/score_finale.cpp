#include <array>

#include "score.h"

namespace {

// The explosion: an impact on a full D minor chord, debris falling as glass, then a heavy
// half-time groove under the theme an octave down.
void Explosion(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section impact{74.1};
    band.Drums().Boom(74.1, 1.0f);
    band.Drums().Crash(74.1, 1.0f);
    band.Drums().Kick(74.1, 1.0f);
    for (int pitch : {50, 57, 62, 65, 69, 74}) {
        band.Keys().Play({74.1, 2.0, pitch, 0.85f, (pitch - 62) / 24.0f}, band.Bus());
    }
    const Progression chords = arranger.Chords(band.Pad(), impact, "Dm:4 Bb:4 Gm:4 A:4 A7:4", 0.8f);
    arranger.BassLine(impact, chords, 0.5, "R-----R5", 0.9f);
    const std::array<int, 12> debris = {98, 93, 89, 86, 81, 77, 74, 69, 65, 62, 57, 53};
    for (size_t i = 0; i < debris.size(); ++i) {
        const float fade = 1.0f - 0.06f * static_cast<float>(i);
        band.Glass().Play({74.25 + 0.11 * static_cast<double>(i), 0.25, debris[i], 0.5f * fade,
                           i % 2 == 0 ? -0.6f : 0.6f},
                          band.Bus());
    }
    arranger.Drums(impact, 4.0, 4, {"X.........x.....", "........X.......", "x.x.x.x.x.x.x.x."},
                   0.8f);
    arranger.Melody(band.Lead(), impact, 0.0, kTheme, 0.8f, 0.0f, -12);
    arranger.Melody(band.Lead(), impact, 16.0, "A4:2 G4:1 E4:1", 0.75f, 0.0f);
}

// The plume drifts: no drums, open chords and bells echoing away.
void Plume(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section plume{84.1};
    const Progression chords =
        arranger.Chords(band.Pad(), plume, "Bbmaj7:4 Gm9:4 A7sus4:2 A7:2", 0.55f);
    arranger.BassLine(plume, chords, 0.5, "R-------", 0.5f);
    arranger.Arpeggio(band.Keys(), plume, chords, 0.5, {0, 2, 4, 3, 1, 3}, 62, 0.35f, -0.4f);
    arranger.Melody(band.Bell(), plume, 0.0, "A5:1.5 F5:0.5 D5:2 G5:1.5 D5:0.5 Bb4:2 E5:2 C#5:2",
                    0.5f, 0.3f);
}

// The two crescents chase each other: one plucked voice climbs on the left, the other answers
// falling on the right, two beats each, over a fast groove.
void Chasers(Band& band, const Section& section, const Progression& chords) {
    const int halves = static_cast<int>(chords.Beats() / 2.0);
    for (int half = 0; half < halves; ++half) {
        const Chord& chord = chords.At(half * 2.0);
        const bool left = half % 2 == 0;
        for (int i = 0; i < 8; ++i) {
            const int index = left ? i : 7 - i;
            band.Pluck().Play({section.At(half * 2.0 + 0.25 * i), 0.12, chord.ToneAbove(62, index),
                               i == 0 ? 0.7f : 0.55f, left ? -0.75f : 0.75f},
                              band.Bus());
        }
    }
}

void Chase(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section chase{90.1};
    band.Drums().Crash(90.1, 0.8f);
    band.Drums().Crash(98.1, 0.7f);
    const Progression chords =
        arranger.Chords(band.Pad(), chase, "Dm:4 C:4 Bb:4 A:4 Dm:4 C:4 Gm:4 A:2", 0.65f);
    arranger.BassLine(chase, chords, 0.5, "ROROR5RO", 0.85f);
    Chasers(band, chase, chords);
    arranger.Drums(chase, 0.0, 7, {"X.....x...X.....", "....X.......X..x", "xxxxxxxxxxxxxxxx"},
                   0.8f);
    for (int i = 0; i < 8; ++i) {
        band.Drums().Snare(chase.At(28.0 + 0.25 * i), 0.4f + 0.07f * i, 0.0f);
    }
    arranger.Melody(band.Lead(), chase, 0.0, kAnswer, 0.8f, 0.0f);
    arranger.Melody(band.Lead(), chase, 16.0,
                    "D6:1 A5:1 F5:1 A5:1 G5:1 E5:1 C5:1 E5:1 D5:1 G5:1 Bb5:1 A5:0.5 G5:0.5 "
                    "A5:1 C#6:1",
                    0.8f, 0.0f);

    const Section second{105.1};
    const Progression build = arranger.Chords(band.Pad(), second, "Gm:4 A7:4", 0.75f);
    arranger.BassLine(second, build, 0.5, "RRRRRRRR", 0.9f);
    Chasers(band, second, build);
    arranger.Drums(second, 0.0, 1, {"X...X...X...X...", "....X.......X...", "xxxxxxxxxxxxxxxx"},
                   0.85f);
    arranger.Drums(second, 4.0, 1, {"X...X...X...X...", "x.x.x.x.xxxxxxxX", "xxxxxxxxxxxxxxxx"},
                   0.8f);
    band.Drums().Riser(107.1, 2.0, 0.55f);
    arranger.Melody(band.Lead(), second, 0.0, "Bb5:2 A5:1 G5:1 A5:2 C#6:1 E6:1", 0.85f, 0.0f);
}

// The colour gradient: the theme turned to D major swells to a last chord that dies away
// with the show.
void Close(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section close{109.1};
    band.Drums().Crash(109.1, 0.9f);
    band.Drums().Boom(109.1, 0.45f);
    const Progression chords = arranger.Chords(band.Pad(), close, "D:4 G:4 Asus4:2 A:2", 0.9f);
    arranger.Chords(band.Swell(), close, "D:4 G:4 A:4", 0.7f, 62, 81);
    arranger.BassLine(close, chords, 0.5, "R---5---", 0.85f);
    arranger.Drums(close, 0.0, 3, {"X.......x.......", "", "x...x...x...x..."}, 0.6f);
    for (int i = 0; i < 16; ++i) {
        band.Drums().Tom(close.At(8.0 + 0.25 * i), i < 8 ? 45 : 43, 0.3f + 0.04f * i,
                         i % 2 == 0 ? -0.3f : 0.3f);
    }
    arranger.Melody(band.Lead(), close, 0.0,
                    "A4:1 D5:1 E5:0.5 F#5:1.5 G5:1 F#5:0.5 E5:0.5 D5:1 B4:1 A4:1.5 B4:0.5 "
                    "C#5:1 E5:1",
                    0.8f, 0.0f);
    arranger.Melody(band.Bell(), close, 0.0, "F#5:4 D5:4 E5:2 C#5:2", 0.35f, 0.4f, 12);

    // The last chord, at 115.1 s.
    constexpr double kEnd = 115.1;
    band.Drums().Crash(kEnd, 0.7f);
    band.Drums().Kick(kEnd, 0.9f);
    band.Drums().Boom(kEnd, 0.4f);
    arranger.Chords(band.Pad(), Section{kEnd}, "D:5", 0.75f);
    for (int pitch : {50, 57, 62, 66, 69, 74, 78}) {
        band.Keys().Play({kEnd, 4.0, pitch, 0.8f, (pitch - 64) / 20.0f}, band.Bus());
    }
    band.Lead().Play({kEnd, 2.2, 74, 0.75f, 0.0f}, band.Bus());
    band.Bell().Play({kEnd, 3.0, 86, 0.4f, 0.3f}, band.Bus());
    band.Bass().Play({kEnd, 2.5, 38, 0.9f, 0.0f}, band.Bus());
    const std::array<int, 6> sparkle = {93, 90, 86, 81, 78, 74};
    for (size_t i = 0; i < sparkle.size(); ++i) {
        band.Glass().Play({kEnd + 0.3 + 0.18 * static_cast<double>(i), 0.3, sparkle[i],
                           0.4f - 0.05f * static_cast<float>(i), i % 2 == 0 ? -0.5f : 0.5f},
                          band.Bus());
    }
}

}  // namespace

void WriteFinale(Arranger& arranger) {
    Explosion(arranger);
    Plume(arranger);
    Chase(arranger);
    Close(arranger);
}
