#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "geometry/build_constants.h"
#include "headless/draw_switch_device.h"
#include "headless/key_press_schedule.h"
#include "platform/clock.h"
#include "shell/web/web_show.h"

// The page's fixed frame: the show played as the capture tool plays it (silent, on a virtual
// clock that starts at the tool's reading and moves 40 ms a turn, 'L' pressed at the given show
// times the way the tool presses it) up to the frame wanted, which is drawn and left on the
// canvas. The frames before it are played without being drawn.
//
// A show whose WebGL context was lost is built again this way too, its clock started so that
// the frame wanted is where the lost show stood; the show then goes on live from there.
class FixedFrameRun {
public:
    enum class Progress { Playing, Ready, ShowOver, Failed };

    // startTime: the clock's reading at start-up (the headless runs' VirtualClockStart, for the
    // capture tool's frames).
    FixedFrameRun(const BuildConstants& constants, uint32_t frame,
                  const std::vector<double>& presses, const std::string& canvas,
                  uint32_t startTime);

    // The program's start-up; on failure, the exit status.
    std::optional<int> StartUp();
    // Plays turns for about the given time, or until the frame is drawn or the show is over
    // before reaching it.
    Progress Play(double milliseconds);
    // The show, once Ready, to go on with: drawing stays on, and its clock is still this run's
    // until the caller gives timeGetTime another.
    std::unique_ptr<WebShow> TakeShow() { return std::move(Show); }

private:
    Progress Step();

    platform::VirtualClock Clock;
    std::unique_ptr<WebShow> Show;
    DrawSwitchDevice* Device = nullptr;
    uint32_t Wanted;
    KeyPressSchedule Presses;
    uint32_t Drawn = 0;
    Progress State = Progress::Playing;
};
