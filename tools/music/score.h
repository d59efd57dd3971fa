#pragma once

#include "arranger.h"

// The track, written against the show's clock (seconds from the first frame). Key of D minor
// at 120 beats a minute, with sections that change where the show changes; it ends in D major.

// 0 to 29.1 s: the box waiting, its light and the gears, the bubbles and the box's fall.
void WriteOpening(Arranger& arranger);
// 29.1 to 74.1 s: the projectors, the comet swarm, the cameras flying in, hovering and away.
void WriteMiddle(Arranger& arranger);
// 74.1 s to the end: the explosion, the plume, the crescents' chase and the closing chord.
void WriteFinale(Arranger& arranger);
