#include "platform/clock.h"

#include <chrono>

namespace platform {
namespace {
SystemClock TheSystemClock;
Clock* ActiveClock = &TheSystemClock;
}  // namespace

uint32_t SystemClock::Milliseconds() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart);
    return static_cast<uint32_t>(milliseconds.count());
}

Clock* UseClock(Clock* clock) {
    Clock* previous = ActiveClock;
    ActiveClock = clock != nullptr ? clock : &TheSystemClock;
    return previous == &TheSystemClock ? nullptr : previous;
}

}  // namespace platform

uint32_t timeGetTime() { return platform::ActiveClock->Milliseconds(); }
