#include "tools/capture/key_press_schedule.h"

#include <algorithm>

KeyPressSchedule::KeyPressSchedule(const CaptureOptions& options) {
    for (double seconds : options.PressSeconds) {
        Presses.push_back({seconds, shell::VkL, false});
    }
    if (options.EscapeSeconds >= 0) {
        Presses.push_back({options.EscapeSeconds, shell::VkEscape, false});
    }
    std::stable_sort(Presses.begin(), Presses.end(),
                     [](const Press& a, const Press& b) { return a.Seconds < b.Seconds; });
}

void KeyPressSchedule::PressDue(OffscreenShow& show, uint32_t showTime) {
    for (Press& press : Presses) {
        if (!press.Done && showTime + OffscreenShow::FrameStep > press.Seconds * 1000.0) {
            press.Done = true;
            show.PressKey(press.Key);
        }
    }
}
