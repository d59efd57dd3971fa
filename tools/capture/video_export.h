#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "headless/offscreen_show.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/ffmpeg_process.h"
#include "tools/capture/pcm_feeder.h"
#include "tools/capture/progress_bar.h"

// The show written as one video file by ffmpeg: the frames at exact 40 ms steps from the
// music's start, raw on ffmpeg's stdin, and beside them the same stretch of the music, cut to
// the sample, on a second pipe.
class VideoExport {
public:
    explicit VideoExport(const CaptureOptions& options);

    // The process's exit status: 0 when the file was written.
    int Run();

    // Frame n is shown from 40 n ms on; the first sample frame it covers.
    static uint64_t SampleAt(uint32_t frame);

private:
    bool Encode(const std::string& ffmpegPath, std::string* error);
    bool Render(OffscreenShow& show, std::string* error);
    bool Send(const RgbaImage& picture, uint32_t frame, std::string* error);
    bool Close(bool rendered, std::string* error);
    uint64_t HeadStart() const;
    uint32_t ExpectedFrames() const;
    void Summarise() const;

    const CaptureOptions& Options;
    const std::string PartPath;
    const uint32_t FirstFrame;
    const uint32_t EndFrame;  // the first frame not wanted
    uint32_t Sent = 0;
    bool EncoderStopped = false;
    ProgressBar Progress;
    // Declared before the process, so the process is ended before the feeder's thread joins.
    std::optional<PcmFeeder> Feeder;
    FfmpegProcess Ffmpeg;
};
