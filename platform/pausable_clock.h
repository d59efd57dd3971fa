#pragma once

#include <cstdint>
#include <functional>

#include "platform/clock.h"

namespace platform {

// A millisecond clock that stands still while paused and, resumed, goes on from where it stopped:
// whoever reads it sees no time pass while the page that owns it is hidden. It reads a precise
// time source (milliseconds as a double) and starts paused, at the given reading. Its rate can be
// trimmed a little, without a jump, to keep it with another clock (the music's).
class PausableClock final : public Clock {
public:
    using TimeSource = std::function<double()>;

    PausableClock(TimeSource source, uint32_t start) : Source(std::move(source)), Start(start) {}

    uint32_t Milliseconds() override;
    void Pause();
    void Resume();
    bool Paused() const { return IsPaused; }
    // Milliseconds the clock moves per millisecond of its source from now on (1 at first).
    void SetRate(double rate);
    // Milliseconds of the source, to the fraction, until the clock reads `reading` once it runs
    // on at its rate; 0 once it does (a reading up to 2^31 ms behind counts as reached). The page
    // sleeps on this instead of polling the clock.
    double SourceUntil(uint32_t reading) const;

private:
    double Elapsed() const;
    uint32_t Reading(double elapsed) const;

    TimeSource Source;
    uint32_t Start;
    bool IsPaused = true;
    double Banked = 0.0;        // time run before the last pause
    double RunningSince = 0.0;  // the source's reading when the clock last resumed or was trimmed
    double Rate = 1.0;
};

}  // namespace platform
