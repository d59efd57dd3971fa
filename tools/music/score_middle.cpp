#include "score.h"

namespace {

// A snare roll that doubles its speed halfway and grows louder.
void Roll(const DrumKit& kit, double start, double seconds, float from, float to) {
    const int hits = 12;
    for (int i = 0; i < hits; ++i) {
        const double x = i < 4 ? i / 8.0 : 0.5 + (i - 4) / 16.0;
        kit.Snare(start + x * seconds, from + (to - from) * static_cast<float>(i) / hits, 0.0f);
    }
}

// The projectors sway: a broad hymn in the relative major with stately drums.
void Projectors(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section broad{29.1};
    band.Drums().Crash(29.1, 0.8f);
    const Progression chords =
        arranger.Chords(band.Pad(), broad, "Bb:4 F:4 Gm:4 Dm:4 Bb:4 C:4 A7:2", 0.75f);
    arranger.BassLine(broad, chords, 0.5, "R---R-5-", 0.8f);
    arranger.Arpeggio(band.Keys(), broad, chords, 0.5, {0, 1, 2, 3, 2, 1}, 55, 0.5f, -0.35f);
    arranger.Melody(band.Lead(), broad, 0.0,
                    "D5:1.5 C5:0.5 D5:1 F5:1 C5:3 A4:1 Bb4:1.5 A4:0.5 Bb4:1 D5:1 A4:3 F4:1 "
                    "F5:1.5 E5:0.5 D5:1 F5:1 G5:2 E5:1 C5:1 C#5:1 E5:1",
                    0.75f, 0.1f);
    arranger.Melody(band.Bell(), broad, 0.0, "D6:4 C6:4 Bb5:4 A5:4 F6:4 G6:4", 0.3f, 0.4f);
    arranger.Drums(broad, 0.0, 6, {"X.......x.......", "....x.......x...", "x.x.x.x.x.x.x.x."},
                   0.5f);
    // A fill of falling toms into the comets.
    for (int i = 0; i < 8; ++i) {
        band.Drums().Tom(broad.At(24.0 + 0.25 * i), 52 - 2 * i, 0.45f + 0.05f * i,
                         0.5f - 0.12f * i);
    }
}

// The comet swarm: the theme and its answer over a driving groove.
void Comets(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section drive{42.1};
    for (double beat : {0.0, 16.0, 32.0}) {
        band.Drums().Crash(drive.At(beat), 0.8f);
    }
    const Progression chords =
        arranger.Chords(band.Pad(), drive, "Dm:4 Bb:4 Gm:4 A:4 Dm:4 C:4 Bb:4 A:4 Dm:4 A7:4", 0.7f);
    arranger.BassLine(drive, chords, 0.5, "R-ORR-O5", 0.9f);
    arranger.Arpeggio(band.Pluck(), drive, chords, 0.25, {0, 1, 2, 1, 3, 2, 1, 2}, 57, 0.55f, 0.4f);
    arranger.Drums(drive, 0.0, 10, {"X...x...X...x...", "....X.......X...", "x.xxx.xxx.xxx.xo"},
                   0.8f);
    arranger.Melody(band.Lead(), drive, 0.0, kTheme, 0.8f, -0.1f);
    arranger.Melody(band.Lead(), drive, 16.0, kAnswer, 0.8f, -0.1f);
    arranger.Melody(band.Lead(), drive, 32.0, "D6:1 C6:0.5 A5:0.5 F5:1 A5:1 G5:1 E5:1 C#5:1 A4:1",
                    0.85f, -0.1f);
    arranger.Melody(band.Bell(), drive, 0.0, kTheme, 0.35f, 0.3f, 12);
    // Comets streak past: quick glassy runs, alternating sides.
    for (int bar = 0; bar < 10; ++bar) {
        const Chord& chord = chords.At(bar * 4.0);
        const float pan = bar % 2 == 0 ? -0.7f : 0.7f;
        for (int i = 0; i < 4; ++i) {
            band.Glass().Play({drive.At(bar * 4.0 + 3.0 + 0.125 * i), 0.2,
                               chord.ToneAbove(81, 3 - i), 0.35f, pan},
                              band.Bus());
        }
    }
}

// The cameras fly in (tension), hover blinking over a pedal, and fly back (a build).
void Cameras(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section in{62.1};
    arranger.Chords(band.Pad(), in, "C#dim7:2", 0.7f);
    band.Bass().Play({62.1, 0.95, 37, 0.7f, 0.0f}, band.Bus());
    Roll(band.Drums(), 62.1, 1.0, 0.3f, 0.8f);
    band.Drums().Riser(62.1, 1.0, 0.6f);

    const Section hover{63.1};
    const Progression held =
        arranger.Chords(band.Pad(), hover, "Dm/A:4 F/A:4 Gm/A:4 Dm/A:4 A7sus4:2 A7:2", 0.6f);
    arranger.BassLine(hover, held, 0.5, "R-------", 0.6f);
    arranger.Melody(band.Lead(), hover, 0.0, "A5:4 F5:4 G5:4 F5:2 E5:2 E5:2 C#5:2", 0.55f, 0.0f);
    for (int beat = 0; beat < 20; ++beat) {
        const bool left = beat % 2 == 0;
        band.Glass().Play({hover.At(beat), 0.15, left ? 81 : 88, 0.3f, left ? -0.7f : 0.7f},
                          band.Bus());
    }
    arranger.Drums(hover, 0.0, 5, {"x...............", "", "..x...x...x...x."}, 0.4f);

    const Section out{73.1};
    arranger.Chords(band.Pad(), out, "A7:2", 0.8f);
    band.Bass().Play({73.1, 0.9, 33, 0.8f, 0.0f}, band.Bus());
    Roll(band.Drums(), 73.1, 0.9, 0.4f, 1.0f);
    band.Drums().Riser(73.1, 0.95, 0.9f);
}

}  // namespace

void WriteMiddle(Arranger& arranger) {
    Projectors(arranger);
    Comets(arranger);
    Cameras(arranger);
}
