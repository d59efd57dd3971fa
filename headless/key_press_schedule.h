#pragma once

#include <cstdint>
#include <vector>

// Key presses at given show times ('L' as often as asked, Escape once), handed to the window
// procedure between frames as the program would get them: each one before the first frame drawn
// at or after its time.
class KeyPressSchedule {
public:
    // A negative escapeSeconds never presses Escape.
    KeyPressSchedule(const std::vector<double>& lightSeconds, double escapeSeconds);

    // The keys (virtual-key codes) that fall due before the frame after showTime, in order,
    // each handed out once.
    std::vector<uint32_t> Due(uint32_t showTime);

private:
    struct Press {
        double Seconds;
        uint32_t Key;
        bool Done;
    };
    std::vector<Press> Presses;
};
