#pragma once

#include <cstdint>
#include <vector>

#include "tools/capture/capture_options.h"
#include "tools/capture/offscreen_show.h"

// Key presses at given show times ('L' as often as asked, Escape once), handed to the window
// procedure between frames as the program would get them: each one before the first frame drawn
// at or after its time.
class KeyPressSchedule {
public:
    explicit KeyPressSchedule(const CaptureOptions& options);

    // Presses the keys that fall due before the frame after showTime.
    void PressDue(OffscreenShow& show, uint32_t showTime);

private:
    struct Press {
        double Seconds;
        uint32_t Key;  // virtual-key code
        bool Done;
    };
    std::vector<Press> Presses;
};
