// The program in the page: what the page's script calls to play the show on the canvas #banner,
// pause it, pass it keys, and build it again where it stood after its WebGL context was lost.
#include <emscripten/emscripten.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "geometry/build_constants.h"
#include "headless/show_timing.h"
#include "headless/web/fixed_frame_run.h"
#include "headless/web/show_times.h"
#include "platform/pausable_clock.h"
#include "platform/web/web_message_box.h"
#include "shell/web/web_show.h"

namespace {

constexpr const char* Canvas = "#banner";
// What banner_turn gives while the show goes on: a frame drawn, or nothing to do yet.
constexpr int DrewFrame = -2;
constexpr int Waiting = -1;

// Milliseconds of the calendar clock, wrapped to 32 bits: where the page's clock starts.
uint32_t WallClockMilliseconds() {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

WebMessageBox Boxes;
// The page's clock: it reads like a system clock and stands still while the page pauses.
platform::PausableClock PageClock(emscripten_get_now, WallClockMilliseconds());
std::unique_ptr<WebShow> Live;
std::unique_ptr<FixedFrameRun> Resuming;

const BuildConstants& Constants(int alt) { return alt != 0 ? BannerAltConstants : BannerConstants; }

}  // namespace

extern "C" {

// Builds the show and starts it up with the clock paused; the exit status on failure, -1 when it
// is ready for its first turn.
EMSCRIPTEN_KEEPALIVE int banner_open(int alt) {
    platform::UseMessageBoxSink(&Boxes);
    Live.reset();
    Resuming.reset();
    PageClock.Pause();
    Live = std::make_unique<WebShow>(Constants(alt), PageClock, Canvas);
    if (const std::optional<int> failed = Live->StartUp()) {
        Live.reset();
        return *failed;
    }
    return Waiting;
}

// One turn of the loop: DrewFrame, Waiting, or the exit status once the show is over.
EMSCRIPTEN_KEEPALIVE int banner_turn() {
    if (!Live) {
        return 0;
    }
    if (const std::optional<int> status = Live->Turn()) {
        return *status;
    }
    return Live->Scene().DrewFrame() ? DrewFrame : Waiting;
}

// Ends the show: the music stops and the graphics are released.
EMSCRIPTEN_KEEPALIVE void banner_close() {
    Resuming.reset();
    Live.reset();
}

EMSCRIPTEN_KEEPALIVE void banner_set_paused(int paused) {
    if (paused != 0) {
        PageClock.Pause();
    } else {
        PageClock.Resume();
    }
}

// Trims the show's clock to keep it with the music: rate milliseconds per millisecond.
EMSCRIPTEN_KEEPALIVE void banner_set_clock_rate(double rate) { PageClock.SetRate(rate); }

// Milliseconds of the page's clock, to the fraction, until the next frame is due; 0 when it is.
EMSCRIPTEN_KEEPALIVE double banner_until_next_frame() {
    return Live ? PageClock.SourceUntil(Live->NextFrameDue()) : 0.0;
}

EMSCRIPTEN_KEEPALIVE double banner_show_time() { return Live ? Live->ShowTime() : 0.0; }

// The scene's phase, for measurements that sum up by phase; -1 without a show.
EMSCRIPTEN_KEEPALIVE int banner_phase() { return Live ? Live->Scene().GetPhase() : -1; }

// A key as a Windows virtual-key code; system keys are those pressed with Alt, or F10.
EMSCRIPTEN_KEEPALIVE void banner_post_key(int key, int down, int system) {
    if (!Live) {
        return;
    }
    using shell::EventKind;
    const EventKind kind = system != 0
                               ? (down != 0 ? EventKind::SystemKeyDown : EventKind::SystemKeyUp)
                               : (down != 0 ? EventKind::KeyDown : EventKind::KeyUp);
    Live->Post({kind, static_cast<uint32_t>(key)});
}

// The show built again where it stood, show_ms into it with 'L' pressed at presses (show times
// in seconds, separated by commas), after its WebGL context was lost and came back. The exit
// status on failure, -1 when ready to catch up.
EMSCRIPTEN_KEEPALIVE int banner_open_at(int alt, double showMs, const char* presses) {
    platform::UseMessageBoxSink(&Boxes);
    Live.reset();
    Resuming.reset();
    PageClock.Pause();
    std::vector<double> seconds;
    if (!(showMs >= 0.0) || showMs > 1e7 || !ParseShowTimes(presses, &seconds)) {
        std::fprintf(stderr, "banner: show time %f, presses '%s': not a moment and show times\n",
                     showMs, presses != nullptr ? presses : "");
        return 1;
    }
    const auto moment = static_cast<uint32_t>(showMs);
    // The catch-up's first frame, where its music starts, is a frame step after its start; its
    // frame at the moment then reads what the page's clock reads.
    const uint32_t start = PageClock.Milliseconds() - moment - ShowFrameStep;
    Resuming = std::make_unique<FixedFrameRun>(Constants(alt), moment / ShowFrameStep, seconds,
                                               Canvas, start);
    if (const std::optional<int> failed = Resuming->StartUp()) {
        Resuming.reset();
        return *failed;
    }
    return Waiting;
}

// Catches up for about the given time: 0 still catching up, 1 the show is live again (its clock
// paused), 2 it could not be.
EMSCRIPTEN_KEEPALIVE int banner_catch_up(double milliseconds) {
    if (!Resuming) {
        return 2;
    }
    const FixedFrameRun::Progress progress = Resuming->Play(milliseconds);
    if (progress == FixedFrameRun::Progress::Playing) {
        return 0;
    }
    if (progress == FixedFrameRun::Progress::Ready) {
        Live = Resuming->TakeShow();
        platform::UseClock(&PageClock);
    }
    Resuming.reset();
    return Live ? 1 : 2;
}

// The canvas was given a drawing buffer of this size: frames from now on fill it.
EMSCRIPTEN_KEEPALIVE void banner_resize(int width, int height) {
    if (Live) {
        Live->ResizeBackBuffer(width, height);
    }
}
}
