#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "headless/key_press_schedule.h"
#include "headless/offscreen_show.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/contact_sheet.h"

// One offscreen run of the show: the program's own start-up on SDL's offscreen driver and dummy
// audio, then frames 40 ms apart on a virtual clock, writing the frames the options ask for.
class CaptureSession {
public:
    explicit CaptureSession(const CaptureOptions& options);

    // The process's exit status: 0 when the show (or the part asked for) played.
    int Run();

private:
    // Whether the frame with this number and show time is to be written; Wanted also notes
    // the --at moments it takes.
    bool Wants(uint32_t number, uint32_t showTime) const;
    bool Reached(uint32_t showTime, size_t at) const;
    bool Wanted(const OffscreenShow::Frame& frame);
    bool SaveFrame(const OffscreenShow& show, const OffscreenShow::Frame& frame);
    int Finish(int status);

    const CaptureOptions& Options;
    std::vector<bool> AtDone;
    KeyPressSchedule Presses;
    ContactSheet Sheet;
    uint32_t Saved = 0;
};
