#include "tools/capture/video_export.h"

#include <signal.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "assets/embedded_assets.h"
#include "geometry/build_constants.h"
#include "headless/key_press_schedule.h"
#include "headless/show_timing.h"
#include "tools/capture/video_format.h"

namespace {

constexpr uint64_t MusicRate = 37800;  // the embedded track's
static_assert(MusicRate * ShowFrameStep % 1000 == 0,
              "every frame must begin on a whole sample frame");

// The first frame at or after the given moment; a hair of slack absorbs decimal input.
uint32_t FrameAtOrAfter(double seconds) {
    return static_cast<uint32_t>(std::ceil(seconds * VideoFramesPerSecond - 1e-6));
}

uint32_t FirstFrameOf(const CaptureOptions& options) {
    return options.FromSeconds > 0 ? FrameAtOrAfter(options.FromSeconds) : 0;
}

uint32_t EndFrameOf(const CaptureOptions& options) {
    return options.UntilSeconds >= 0 ? FrameAtOrAfter(options.UntilSeconds) : UINT32_MAX;
}

int Fail(const std::string& reason) {
    std::fprintf(stderr, "banner_capture: %s\n", reason.c_str());
    return 1;
}

}  // namespace

VideoExport::VideoExport(const CaptureOptions& options)
    : Options(options),
      PartPath(options.VideoPath + ".part"),
      FirstFrame(FirstFrameOf(options)),
      EndFrame(EndFrameOf(options)),
      Progress(stderr, ExpectedFrames()) {}

uint64_t VideoExport::SampleAt(uint32_t frame) {
    return uint64_t{frame} * ShowFrameStep * MusicRate / 1000;
}

int VideoExport::Run() {
    const std::string ffmpegPath = FfmpegProcess::FindOnPath("ffmpeg");
    if (ffmpegPath.empty()) {
        return Fail("cannot find ffmpeg; install it with: sudo apt-get install ffmpeg");
    }
    if (FirstFrame >= EndFrame) {
        return Fail("no frame lies between --from and --until");
    }
    // A write to a pipe whose reader has gone must fail, not end this process.
    signal(SIGPIPE, SIG_IGN);
    std::string error;
    if (!Encode(ffmpegPath, &error)) {
        std::error_code ignored;
        std::filesystem::remove(PartPath, ignored);
        return Fail(error);
    }
    std::error_code renamed;
    std::filesystem::rename(PartPath, Options.VideoPath, renamed);
    if (renamed) {
        return Fail("cannot move " + PartPath + " to " + Options.VideoPath + ": " +
                    renamed.message());
    }
    Summarise();
    return 0;
}

// Writes the file under a temporary name, so a failed export leaves no half file behind.
bool VideoExport::Encode(const std::string& ffmpegPath, std::string* error) {
    OffscreenShow show(Options.StartTime);
    if (!show.StartUp(error)) {
        return false;
    }
    const bool sound = VideoFormatHasSound(Options.Format);
    const auto arguments = FfmpegArguments(Options.Format, WindowWidth,
                                           ProgramConstants->WindowHeight, MusicRate, PartPath);
    if (!Ffmpeg.Start(ffmpegPath, arguments, sound, error)) {
        return false;
    }
    if (sound) {
        Feeder.emplace(Ffmpeg.TakeFd3Pipe(), assets::MusicSamples(), SampleAt(FirstFrame));
        Feeder->Allow(HeadStart());
    }
    const bool rendered = Render(show, error);
    Progress.Finish();
    return Close(rendered, error);
}

bool VideoExport::Render(OffscreenShow& show, std::string* error) {
    KeyPressSchedule presses(Options.PressSeconds, Options.EscapeSeconds);
    RgbaImage picture;
    uint32_t showTime = 0;
    for (;;) {
        for (uint32_t key : presses.Due(showTime)) {
            show.PressKey(key);
        }
        // Escape ends the program, and the video with it.
        if (show.QuitRequested()) {
            return Sent > 0;
        }
        const OffscreenShow::Frame frame = show.Advance();
        showTime = frame.ShowTime;
        // The clock moves 40 ms a step, so every step is a frame of the video; one the scene
        // did not draw would leave the last picture on the screen.
        const uint32_t number = frame.ShowTime / ShowFrameStep;
        if (number >= EndFrame) {
            return true;
        }
        if (number >= FirstFrame) {
            if (frame.Drawn && !show.ReadFrame(&picture)) {
                *error = "cannot read the frame back";
                return false;
            }
            if (!Send(picture, number, error)) {
                return false;
            }
        }
        if (Failed(frame.Result)) {
            if (!show.Finished()) {
                *error = "a frame failed";
            } else if (Sent == 0) {
                *error = "the show is over before --from";
            }
            return show.Finished() && Sent > 0;
        }
    }
}

bool VideoExport::Send(const RgbaImage& picture, uint32_t frame, std::string* error) {
    if (picture.Width != WindowWidth || picture.Height != ProgramConstants->WindowHeight) {
        *error = "the frame read back has the wrong size";
        return false;
    }
    if (!FfmpegProcess::WriteAll(Ffmpeg.StdinPipe(), picture.Pixels.data(),
                                 picture.Pixels.size())) {
        *error = "ffmpeg stopped reading the frames";
        EncoderStopped = true;
        return false;
    }
    if (Feeder) {
        Feeder->Allow(SampleAt(frame + 1));
    }
    ++Sent;
    Progress.Update(Sent);
    return true;
}

// After the last frame the music is written up to its end too; then ffmpeg finishes the file.
bool VideoExport::Close(bool rendered, std::string* error) {
    if (!rendered && !EncoderStopped) {
        Ffmpeg.Kill();
        return false;
    }
    Ffmpeg.CloseStdin();
    std::string feedError;
    const bool fed = !Feeder || Feeder->Finish(SampleAt(FirstFrame + Sent), &feedError);
    // When ffmpeg gave up, its own words explain best.
    std::string encodeError;
    if (!Ffmpeg.Wait(&encodeError)) {
        *error = encodeError;
        return false;
    }
    if (rendered && !fed) {
        *error = feedError;
    }
    return rendered && fed;
}

// ffmpeg opens its inputs one after the other and wants a little of each before it reads on, so
// the music may run a second ahead of the frames, but never past where it is known to stop. (Only
// a show that ended within that second, before the music did, would get too much of it.)
uint64_t VideoExport::HeadStart() const {
    const uint64_t musicEnd = assets::MusicSamples().size() / PcmFeeder::FrameBytes;
    return std::min({SampleAt(FirstFrame) + MusicRate, SampleAt(EndFrame), musicEnd});
}

uint32_t VideoExport::ExpectedFrames() const {
    // Until the show is over its length is not known; the music's is close to it.
    const uint64_t musicFrames = assets::MusicSamples().size() / PcmFeeder::FrameBytes;
    const uint64_t musicEnd = (musicFrames + SampleAt(1) - 1) / SampleAt(1);
    const uint64_t end = std::min<uint64_t>(EndFrame, musicEnd);
    return end > FirstFrame ? static_cast<uint32_t>(end - FirstFrame) : 1;
}

void VideoExport::Summarise() const {
    std::error_code ignored;
    const uintmax_t bytes = std::filesystem::file_size(Options.VideoPath, ignored);
    std::fprintf(stderr,
                 "banner_capture: wrote %s (%s, %d x %d, 25 frames/s%s): %u frames, %.2f s, "
                 "%.2f MB, in %s\n",
                 Options.VideoPath.c_str(), VideoFormatName(Options.Format), WindowWidth,
                 VideoFormatStoredHeight(Options.Format, ProgramConstants->WindowHeight),
                 VideoFormatHasSound(Options.Format) ? ", with the music" : ", silent", Sent,
                 Sent / static_cast<double>(VideoFramesPerSecond), bytes / 1e6,
                 MinutesAndSeconds(Progress.Seconds()).c_str());
}
