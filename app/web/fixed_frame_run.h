#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/web/web_show.h"
#include "geometry/build_constants.h"
#include "headless/draw_switch_device.h"
#include "headless/key_press_schedule.h"
#include "platform/clock.h"

// The page's fixed frame: the show played as the capture tool plays it (silent, on a virtual
// clock that starts at the tool's reading and moves 40 ms a turn, 'L' pressed at the given show
// times the way the tool presses it) up to the frame wanted, which is drawn and left on the
// canvas. The frames before it are played without being drawn.
class FixedFrameRun {
public:
    enum class Progress { Playing, Ready, ShowOver, Failed };

    FixedFrameRun(const BuildConstants& constants, uint32_t frame,
                  const std::vector<double>& presses, const std::string& canvas);

    // The program's start-up; on failure, the exit status.
    std::optional<int> StartUp();
    // Plays turns for about the given time, or until the frame is drawn or the show is over
    // before reaching it.
    Progress Play(double milliseconds);

private:
    Progress Step();

    platform::VirtualClock Clock;
    WebShow Show;
    DrawSwitchDevice* Device = nullptr;
    uint32_t Wanted;
    KeyPressSchedule Presses;
    uint32_t Drawn = 0;
    Progress State = Progress::Playing;
};
