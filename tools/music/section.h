#pragma once

// A stretch of the track counted in beats from its own start.
struct Section {
    double start = 0.0;  // seconds
    double beat = 0.5;   // seconds per beat

    double At(double beats) const { return start + beats * beat; }
    double Seconds(double beats) const { return beats * beat; }
};
