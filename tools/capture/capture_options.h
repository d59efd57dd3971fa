#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "headless/show_timing.h"
#include "tools/capture/video_format.h"

// What the capture tool is asked to do.
struct CaptureOptions {
    bool Alt = false;                        // the second program's constant set
    uint32_t StartTime = VirtualClockStart;  // the virtual clock's reading at start-up, in ms
    std::vector<double> AtSeconds;           // frames wanted by show time
    std::vector<uint32_t> Frames;            // frames wanted by number (0 is the first drawn)
    uint32_t Every = 0;                      // and every Nth frame
    double UntilSeconds = -1.0;              // stop early at this show time; negative plays it all
    std::vector<double> PressSeconds;        // show times at which 'L' is pressed and released
    double EscapeSeconds = -1.0;  // show time at which Escape is pressed; negative: never
    std::string OutputDirectory = "capture";
    bool DrawSavedOnly = false;  // skip the draws of frames that are not written
    bool Bilinear = false;       // Windows: sample textures bilinearly, as the OpenGL device does
    std::string SheetPath;       // one PNG with all captured frames, if set
    uint32_t SheetColumns = 1;
    std::string VideoPath;  // write the show as a video instead of PNG files
    VideoFormat Format = VideoFormat::None;
    double FromSeconds = -1.0;  // the video's first moment; negative starts at 0
    bool Help = false;
    bool Version = false;
};

// Reads the command line; false with a one-line reason when it makes no sense.
bool ParseCaptureOptions(int argc, const char* const* argv, CaptureOptions* options,
                         std::string* error);

std::string CaptureUsage();
// The tool's name and the project's version, as --version prints them.
std::string CaptureVersion();
