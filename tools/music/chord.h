#pragma once

#include <string_view>
#include <vector>

// A chord from its symbol: root, quality and an optional bass ("Bbmaj7", "F#m", "Dm/A",
// "C#dim7", "Asus4"). Pitch classes count semitones from C.
class Chord {
public:
    static Chord Parse(std::string_view symbol);

    int Root() const { return root_; }
    int Bass() const { return bass_; }
    // Pitch classes, root first, then upwards through the chord's intervals.
    const std::vector<int>& PitchClasses() const { return classes_; }
    bool Contains(int pitch) const;

    // The lowest pitch at or above `floor` with the pitch class of chord tone `index`
    // (wrapping round the chord, an octave higher each time round).
    int ToneAbove(int floor, int index) const;

    // A close-position voicing within [low, high] that moves as little as possible from
    // `previous` (smooth voice leading); any close voicing in range if `previous` is empty.
    std::vector<int> Voice(int low, int high, const std::vector<int>& previous) const;

private:
    int root_ = 0;
    int bass_ = 0;
    std::vector<int> classes_;
};
