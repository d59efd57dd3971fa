#include "tools/capture/capture_session.h"

#include <cstdio>
#include <filesystem>

#include "geometry/build_constants.h"
#include "headless/show_timing.h"

namespace {

int Fail(const std::string& what) {
    std::fprintf(stderr, "banner_capture: %s\n", what.c_str());
    return 1;
}

std::string TimeText(uint32_t milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", milliseconds / 1000.0);
    return text;
}

// The checks of the options assume the show's known length; a show that ended elsewhere makes
// them wrong, which must not pass unnoticed.
int CheckLength(const OffscreenShow::Frame& last) {
    if (last.Drawn && last.Number == ShowFrames - 1 && last.ShowTime == LastFrameTime) {
        return 0;
    }
    char text[160];
    std::snprintf(text, sizeof text,
                  "the show ended with frame %u at %.2f s, not with frame %u at %.2f s as this "
                  "tool assumes",
                  last.Number, last.ShowTime / 1000.0, ShowFrames - 1, LastFrameTime / 1000.0);
    return Fail(text);
}

}  // namespace

CaptureSession::CaptureSession(const CaptureOptions& options)
    : Options(options),
      AtDone(options.AtSeconds.size(), false),
      Presses(options.PressSeconds, options.EscapeSeconds),
      Sheet(static_cast<int>(options.SheetColumns)) {}

int CaptureSession::Run() {
    std::error_code ignored;
    std::filesystem::create_directories(Options.OutputDirectory, ignored);
    OffscreenShow show(Options.StartTime);
    if (Options.Bilinear) {
        show.SampleBilinearly();
    }
    std::string reason;
    if (!show.StartUp(&reason)) {
        return Fail(reason);
    }
    uint32_t showTime = 0;
    for (bool first = true;; first = false) {
        for (uint32_t key : Presses.Due(showTime)) {
            show.PressKey(key);
        }
        if (show.QuitRequested()) {
            return Finish(0);
        }
        if (Options.DrawSavedOnly) {
            const uint32_t next = first ? 0 : showTime + ShowFrameStep;
            show.SetDrawing(Wants(show.DrawnFrames(), next));
        }
        const OffscreenShow::Frame frame = show.Advance();
        showTime = frame.ShowTime;
        if (frame.Drawn && Wanted(frame) && !SaveFrame(show, frame)) {
            return Finish(1);
        }
        if (Failed(frame.Result)) {
            return Finish(show.Finished() ? CheckLength(frame) : Fail("a frame failed"));
        }
        if (Options.UntilSeconds >= 0 && frame.ShowTime >= Options.UntilSeconds * 1000.0) {
            return Finish(0);
        }
    }
}

bool CaptureSession::Reached(uint32_t showTime, size_t at) const {
    // A hair of slack: 16.12 s is 16120.000000000002 ms in binary.
    return showTime + 1e-3 >= Options.AtSeconds[at] * 1000.0;
}

bool CaptureSession::Wants(uint32_t number, uint32_t showTime) const {
    bool wanted = Options.Every > 0 && number % Options.Every == 0;
    for (uint32_t picked : Options.Frames) {
        wanted = wanted || picked == number;
    }
    for (size_t i = 0; i < Options.AtSeconds.size(); ++i) {
        wanted = wanted || (!AtDone[i] && Reached(showTime, i));
    }
    return wanted;
}

bool CaptureSession::Wanted(const OffscreenShow::Frame& frame) {
    const bool wanted = Wants(frame.Number, frame.ShowTime);
    for (size_t i = 0; i < Options.AtSeconds.size(); ++i) {
        AtDone[i] = AtDone[i] || Reached(frame.ShowTime, i);
    }
    return wanted;
}

bool CaptureSession::SaveFrame(const OffscreenShow& show, const OffscreenShow::Frame& frame) {
    RgbaImage image;
    if (!show.ReadFrame(&image)) {
        Fail("cannot read the frame back");
        return false;
    }
    char name[96];
    std::snprintf(name, sizeof name, "%s_%05u_%07.2fs.png", ProgramConstants->ProgramName,
                  frame.Number, frame.ShowTime / 1000.0);
    const std::string path = (std::filesystem::path(Options.OutputDirectory) / name).string();
    std::string error;
    if (!WritePng(path, image, &error)) {
        Fail(error);
        return false;
    }
    ++Saved;
    if (!Options.SheetPath.empty()) {
        Sheet.Add(image, "f" + std::to_string(frame.Number) + " " + TimeText(frame.ShowTime) + "s");
    }
    return true;
}

int CaptureSession::Finish(int status) {
    if (status == 0 && !Options.SheetPath.empty() && !Sheet.Empty()) {
        std::string error;
        if (!WritePng(Options.SheetPath, Sheet.Compose(), &error)) {
            return Fail(error);
        }
    }
    std::fprintf(stderr, "banner_capture: %u frames written to %s\n", Saved,
                 Options.OutputDirectory.c_str());
    return status;
}
