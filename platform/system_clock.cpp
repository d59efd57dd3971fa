#include <chrono>

#include "platform/clock.h"

namespace platform {

uint32_t SystemClock::Milliseconds() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart);
    return static_cast<uint32_t>(milliseconds.count());
}

}  // namespace platform
