#pragma once

#include <string_view>
#include <vector>

#include "band.h"
#include "progression.h"
#include "section.h"

// Writes musical figures for the band: chords, bass lines, arpeggios, melodies and drum
// grooves, placed in a section's beats. Keeps the pad's last voicing so that chords lead
// smoothly into each other across sections.
class Arranger {
public:
    explicit Arranger(Band& band) : band_(band) {}

    Band& Players() { return band_; }

    // Sustained chords on `pad`, one per span, voiced between `low` and `high`.
    Progression Chords(const Instrument& pad, const Section& section, std::string_view chords,
                       float velocity, int low = 52, int high = 74);

    // Bass notes every `step` beats following `pattern`, one character per step, repeated
    // through each chord: R root, 5 fifth, O octave, - continue the previous note, . rest.
    void BassLine(const Section& section, const Progression& progression, double step,
                  std::string_view pattern, float velocity);

    // Chord tones every `step` beats, taking tone indices from `order` (0 root, 1 next tone
    // up, ...; indices past the chord's size climb octaves) above `floor`.
    void Arpeggio(const Instrument& instrument, const Section& section,
                  const Progression& progression, double step, const std::vector<int>& order,
                  int floor, float velocity, float pan);

    void Melody(const Instrument& instrument, const Section& section, double beat,
                std::string_view phrase, float velocity, float pan, int transpose = 0);

    // A bar of sixteenths per string: x a hit, X an accent, . nothing; hats: o for open.
    struct Groove {
        std::string_view kick;
        std::string_view snare;
        std::string_view hat;
    };
    void Drums(const Section& section, double beat, int bars, const Groove& groove, float velocity);

private:
    Band& band_;
    std::vector<int> padVoicing_;
};
