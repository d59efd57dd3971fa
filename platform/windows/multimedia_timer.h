#pragma once

#include <cstdint>

// The multimedia timer, asked for 1 ms resolution while an instance exists. Kept apart from the
// Win32 headers so that it can meet the scene clock's own timeGetTime in one file.
class MultimediaTimer {
public:
    MultimediaTimer();
    ~MultimediaTimer();
    MultimediaTimer(const MultimediaTimer&) = delete;
    MultimediaTimer& operator=(const MultimediaTimer&) = delete;

    // Milliseconds since Windows started, wrapping after about 49.7 days.
    static uint32_t Milliseconds();

private:
    bool PeriodSet = false;
};
