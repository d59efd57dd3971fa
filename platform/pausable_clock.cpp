#include "platform/pausable_clock.h"

#include <cmath>

namespace platform {

double PausableClock::Elapsed() const {
    return IsPaused ? Banked : Banked + (Source() - RunningSince) * Rate;
}

uint32_t PausableClock::Milliseconds() {
    // Whole milliseconds run, wrapping as the 32-bit reading does.
    const double whole = std::floor(Elapsed());
    return Start + static_cast<uint32_t>(static_cast<uint64_t>(whole) & 0xFFFFFFFFu);
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
