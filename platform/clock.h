#pragma once

#include <cstdint>

// The scene clock: unsigned 32-bit milliseconds that wrap. Every use is a difference of two
// readings or a remainder of one, so the origin does not matter.
namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t Milliseconds() = 0;
};

// The system's millisecond clock, truncated to 32 bits: the multimedia timer on Windows, the
// monotonic clock elsewhere.
class SystemClock final : public Clock {
public:
    uint32_t Milliseconds() override;
};

// A clock that only moves when told to: tests and the capture tool drive the show with it.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(uint32_t start = 0) : Now(start) {}
    uint32_t Milliseconds() override { return Now; }
    void Set(uint32_t milliseconds) { Now = milliseconds; }
    void Advance(uint32_t milliseconds) { Now += milliseconds; }

private:
    uint32_t Now;
};

// Replaces the clock that timeGetTime reads; null restores the system clock. Returns the previous
// clock.
Clock* UseClock(Clock* clock);

}  // namespace platform

// The current reading of the active clock.
uint32_t timeGetTime();
