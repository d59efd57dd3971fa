#include "platform/clock.h"
#include "platform/windows/multimedia_timer.h"

namespace platform {

uint32_t SystemClock::Milliseconds() { return MultimediaTimer::Milliseconds(); }

}  // namespace platform
