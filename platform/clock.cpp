#include "platform/clock.h"

namespace platform {
namespace {
SystemClock TheSystemClock;
Clock* ActiveClock = &TheSystemClock;
}  // namespace

Clock* UseClock(Clock* clock) {
    Clock* previous = ActiveClock;
    ActiveClock = clock != nullptr ? clock : &TheSystemClock;
    return previous == &TheSystemClock ? nullptr : previous;
}

}  // namespace platform

uint32_t timeGetTime() { return platform::ActiveClock->Milliseconds(); }
