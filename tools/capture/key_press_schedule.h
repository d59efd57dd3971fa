#pragma once

#include <cstdint>
#include <vector>

#include "tools/capture/offscreen_show.h"

// Presses of 'L' at given show times, handed to the window procedure between frames as the
// program would get them: each one before the first frame drawn at or after its time.
class KeyPressSchedule {
  public:
    explicit KeyPressSchedule(const std::vector<double>& seconds);

    // Presses the keys that fall due before the frame after showTime.
    void PressDue(OffscreenShow& show, uint32_t showTime);

  private:
    std::vector<double> Seconds;
    std::vector<bool> Done;
};
