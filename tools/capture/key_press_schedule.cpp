#include "tools/capture/key_press_schedule.h"

KeyPressSchedule::KeyPressSchedule(const std::vector<double>& seconds)
    : Seconds(seconds), Done(seconds.size(), false) {}

void KeyPressSchedule::PressDue(OffscreenShow& show, uint32_t showTime) {
    for (size_t i = 0; i < Seconds.size(); ++i) {
        if (!Done[i] && showTime + OffscreenShow::FrameStep > Seconds[i] * 1000.0) {
            Done[i] = true;
            show.PressKey(SDLK_l);
        }
    }
}
