#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

// One line on a terminal that shows how far a long job has come: frames done of those expected,
// time taken and time left. Silent when the stream is not a terminal.
class ProgressBar {
public:
    using Clock = std::chrono::steady_clock;

    ProgressBar(FILE* stream, uint32_t expected);

    // Redraws at most a few times a second.
    void Update(uint32_t done);
    // Clears the line for what comes after.
    void Finish();
    double Seconds() const;

    // The line for done frames of expected after elapsed seconds, with left seconds to go
    // (negative while unknown).
    static std::string Line(uint32_t done, uint32_t expected, double elapsed, double left);

private:
    FILE* Stream;
    bool Shown;
    uint32_t Expected;
    Clock::time_point Started;
    Clock::time_point LastDrawn;
    Clock::time_point FirstDone;
};

// "1:05", "0:07": whole seconds as minutes and seconds.
std::string MinutesAndSeconds(double seconds);
