#pragma once

// A sine looked up in a table with linear interpolation: accurate to about 1e-6, and far
// cheaper than std::sin for the many partials of the track.
class SineTable {
public:
    // The sine of 2π·phase, for any phase (cycles).
    static float Sin(double phase);
};
