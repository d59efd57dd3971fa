#include "headless/key_press_schedule.h"

#include <algorithm>

#include "headless/show_timing.h"
#include "platform/shell_event.h"

KeyPressSchedule::KeyPressSchedule(const std::vector<double>& lightSeconds, double escapeSeconds) {
    for (double seconds : lightSeconds) {
        Presses.push_back({seconds, shell::VkL, false});
    }
    if (escapeSeconds >= 0) {
        Presses.push_back({escapeSeconds, shell::VkEscape, false});
    }
    std::stable_sort(Presses.begin(), Presses.end(),
                     [](const Press& a, const Press& b) { return a.Seconds < b.Seconds; });
}

std::vector<uint32_t> KeyPressSchedule::Due(uint32_t showTime) {
    std::vector<uint32_t> keys;
    for (Press& press : Presses) {
        if (!press.Done && showTime + ShowFrameStep > press.Seconds * 1000.0) {
            press.Done = true;
            keys.push_back(press.Key);
        }
    }
    return keys;
}
