#pragma once

// An attack-decay-sustain-release contour evaluated from the time since the note began, so a
// voice needs no state for it. Every stage is continuous, and the release reaches exactly zero:
// notes start and stop without clicks.
class Envelope {
public:
    // attack, decay (time constant of the fall to sustain) and release in seconds.
    Envelope(double attack, double decay, double sustain, double release);

    // Level 0..1 at time t of a note held for `length` seconds.
    float Level(double t, double length) const;
    // How long a note of that length sounds, release included.
    double Duration(double length) const { return length + release_; }

private:
    float Held(double t) const;

    double attack_;
    double decay_;
    double sustain_;
    double release_;
};
