#include "platform/windows/multimedia_timer.h"

#include "platform/windows/win32.h"

#include <mmsystem.h>

MultimediaTimer::MultimediaTimer() : PeriodSet(timeBeginPeriod(1) == TIMERR_NOERROR) {}

MultimediaTimer::~MultimediaTimer() {
    if (PeriodSet) {
        timeEndPeriod(1);
    }
}

uint32_t MultimediaTimer::Milliseconds() { return timeGetTime(); }
