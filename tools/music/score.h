#pragma once

#include "arranger.h"

// The track, written against the show's clock (seconds from the first frame). Key of D minor
// at 120 beats a minute, with sections that change where the show changes; it ends in D major.

// The main theme, four bars over Dm | Bb | Gm | A.
inline constexpr const char* kTheme =
    "A4:1 D5:1 E5:0.5 F5:1.5 F5:0.5 G5:0.5 F5:1 D5:1 Bb4:1 D5:1.5 C5:0.5 Bb4:1 G4:1 A4:2 C#5:1 "
    "E5:1";
// Its answer, four bars over Dm | C | Bb | A.
inline constexpr const char* kAnswer =
    "F5:1 A5:1 G5:0.5 F5:0.5 E5:1 E5:1.5 D5:0.5 C5:1 G4:1 D5:1 F5:1 Bb5:1 A5:0.5 G5:0.5 A5:2 "
    "E5:1 C#5:1";

// 0 to 29.1 s: the box waiting, its light and the gears, the bubbles and the box's fall.
void WriteOpening(Arranger& arranger);
// 29.1 to 74.1 s: the projectors, the comet swarm, the cameras flying in, hovering and away.
void WriteMiddle(Arranger& arranger);
// 74.1 s to the end: the explosion, the plume, the crescents' chase and the closing chord.
void WriteFinale(Arranger& arranger);
