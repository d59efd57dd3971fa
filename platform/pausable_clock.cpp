#include "platform/pausable_clock.h"

#include <cmath>

namespace platform {

double PausableClock::Elapsed() const {
    return IsPaused ? Banked : Banked + (Source() - RunningSince) * Rate;
}

// Whole milliseconds run, wrapping as the 32-bit reading does.
uint32_t PausableClock::Reading(double elapsed) const {
    return Start + static_cast<uint32_t>(static_cast<uint64_t>(std::floor(elapsed)) & 0xFFFFFFFFu);
}

uint32_t PausableClock::Milliseconds() { return Reading(Elapsed()); }

double PausableClock::SourceUntil(uint32_t reading) const {
    const double elapsed = Elapsed();
    const uint32_t ahead = reading - Reading(elapsed);
    if (ahead == 0 || ahead >= 0x80000000u) {
        return 0.0;
    }
    return (static_cast<double>(ahead) - (elapsed - std::floor(elapsed))) / Rate;
}

void PausableClock::Pause() {
    if (!IsPaused) {
        Banked = Elapsed();
        IsPaused = true;
    }
}

void PausableClock::SetRate(double rate) {
    if (rate <= 0.0) {
        return;
    }
    Banked = Elapsed();
    RunningSince = Source();
    Rate = rate;
}

void PausableClock::Resume() {
    if (IsPaused) {
        RunningSince = Source();
        IsPaused = false;
    }
}

}  // namespace platform
