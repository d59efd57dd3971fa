#include "band.h"

Band::Band(int64_t frames)
    : bus_(frames),
      pad_(0.9, 1.4, 0.06f),
      swell_(2.6, 2.2, 0.06f),
      // Inharmonic ratio: a church-bell colour for the melody.
      bell_({3.5, 2.0, 0.35, 0.8, 0.19f, {0.4f, 0.3f}}),
      // Harmonic and short: glassy sparkles.
      glass_({4.0, 1.3, 0.12, 0.35, 0.19f, {0.5f, 0.45f}}),
      // Unison ratio: a soft electric-piano tone for chords and arpeggios.
      keys_({1.0, 1.6, 0.5, 1.1, 0.14f, {0.3f, 0.1f}}),
      pluck_(0.22, 0.19f, {0.2f, 0.15f}),
      bass_(0.18f),
      lead_(0.3f, {0.3f, 0.2f}),
      drums_(bus_) {}
