#include <array>

#include "score.h"

namespace {

// The box alone in the dark: a slow swell, a low drone and the theme on soft bells.
void Waiting(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section intro{0.0};
    arranger.Chords(band.Swell(), intro, "Dm:12 Bb:4 Gm:4 A:4 Dm:4 Bbmaj7:4 A7sus4:2 A7:2", 0.5f);
    band.Swell().Play({0.0, 6.0, 38, 0.6f, 0.0f}, band.Bus());
    arranger.Melody(band.Glass(), intro, 3.0, "A5:3 E6:1 D6:4", 0.4f, 0.5f);
    arranger.Melody(band.Bell(), intro, 8.0, kTheme, 0.5f, -0.2f);
    arranger.Melody(band.Bell(), intro, 24.0, "F5:2 E5:1 D5:1 D5:2 C5:1 A4:1", 0.45f, -0.2f);
    arranger.Melody(band.Glass(), intro, 32.0,
                    "A4:0.5 D5:0.5 E5:0.5 G5:0.5 A5:0.5 C#6:0.5 E6:0.5 G6:0.5", 0.5f, 0.3f);
    band.Drums().Riser(16.0, 2.0, 0.45f);
}

// The box's light comes on and the gears sweep past: bass, a ticking arpeggio, a pulse.
void Lift(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section lift{18.0};
    band.Drums().Crash(18.0, 0.6f);
    const Progression chords = arranger.Chords(band.Pad(), lift, "Dm:4 Bb:4 C:2", 0.6f);
    arranger.BassLine(lift, chords, 0.5, "R-RRO-R5", 0.8f);
    arranger.Arpeggio(band.Pluck(), lift, chords, 0.25, {0, 1, 2, 3, 2, 1}, 57, 0.55f, 0.35f);
    arranger.Drums(lift, 0.0, 2, {"X.......x.......", "", "x.x.x.x.x.x.x.x."}, 0.6f);
    band.Drums().Kick(lift.At(8.0), 0.5f);
    arranger.Melody(band.Lead(), lift, 0.0,
                    "A4:1 D5:1 E5:0.5 F5:1.5 F5:0.5 G5:0.5 F5:1 D5:1 Bb4:1 E5:1 G5:1", 0.7f, 0.0f);
}

// The light goes out for a breath; then it comes back and the bubbles rise.
void Breath(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section dark{23.0};
    arranger.Chords(band.Pad(), dark, "Gm:2", 0.4f);
    arranger.Melody(band.Keys(), dark, 0.0, "D5:1 Bb4:1", 0.5f, -0.3f);
    band.Bass().Play({23.0, 0.9, 31, 0.5f, 0.0f}, band.Bus());
    const Section rising{24.0};
    arranger.Chords(band.Pad(), rising, "A7:2", 0.5f);
    arranger.Melody(band.Glass(), rising, 0.0,
                    "A4:0.25 C#5:0.25 E5:0.25 G5:0.25 A5:0.25 C#6:0.25 E6:0.25 G6:0.25", 0.55f,
                    -0.4f);
    band.Bass().Play({24.0, 0.9, 33, 0.6f, 0.0f}, band.Bus());
}

// A bubble bursts: a pop and three glassy notes from the chord, falling.
void Burst(Arranger& arranger, double time, float pan, const std::array<int, 3>& fall) {
    Band& band = arranger.Players();
    band.Drums().Pop(time, 0.8f, pan);
    for (size_t i = 0; i < fall.size(); ++i) {
        band.Glass().Play({time + 0.01 + 0.07 * static_cast<double>(i), 0.3, fall[i],
                           0.55f - 0.1f * static_cast<float>(i), pan},
                          band.Bus());
    }
}

// The bubbles float and burst over a light pulse.
void Bubbles(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section bubbles{25.0};
    const Progression chords = arranger.Chords(band.Pad(), bubbles, "Dmadd9:4 Bb:0.8", 0.5f);
    arranger.BassLine(bubbles, chords, 1.0, "R-5-", 0.6f);
    arranger.Arpeggio(band.Pluck(), bubbles, chords, 0.5, {1, 2, 3, 2}, 62, 0.4f, 0.4f);
    arranger.Drums(bubbles, 0.0, 1, {"x.......", "", "..x...x...x...x."}, 0.4f);
    Burst(arranger, 25.0, -0.6f, {86, 81, 77});  // D6 A5 F5
    Burst(arranger, 25.2, 0.5f, {88, 86, 81});   // E6 D6 A5
    Burst(arranger, 26.1, -0.2f, {89, 88, 86});  // F6 E6 D6
    Burst(arranger, 27.0, 0.7f, {86, 82, 77});   // D6 Bb5 F5, over the Bb
}

// The box tumbles and falls: a run down the harmonic minor over falling toms.
void Fall(Arranger& arranger) {
    Band& band = arranger.Players();
    const Section fall{27.4};
    arranger.Chords(band.Pad(), fall, "Gm:1.7 A7:1.7", 0.55f);
    const std::array<int, 10> run = {86, 85, 82, 81, 79, 77, 76, 74, 73, 69};
    for (size_t i = 0; i < run.size(); ++i) {
        band.Bell().Play(
            {27.4 + 0.14 * static_cast<double>(i), 0.3, run[i],
             0.6f - 0.03f * static_cast<float>(i), 0.6f - 0.12f * static_cast<float>(i)},
            band.Bus());
    }
    const std::array<int, 4> toms = {50, 47, 43, 40};
    for (size_t i = 0; i < toms.size(); ++i) {
        band.Drums().Tom(27.4 + 0.45 * static_cast<double>(i), toms[i],
                         0.5f + 0.1f * static_cast<float>(i), 0.4f - 0.25f * static_cast<float>(i));
    }
    band.Bass().Play({28.25, 0.8, 33, 0.7f, 0.0f}, band.Bus());
    band.Drums().Riser(28.3, 0.8, 0.5f);
    Burst(arranger, 29.0, 0.0f, {93, 88, 85});  // A6 E6 C#6, over the A7
}

}  // namespace

void WriteOpening(Arranger& arranger) {
    Waiting(arranger);
    Lift(arranger);
    Breath(arranger);
    Bubbles(arranger);
    Fall(arranger);
}
