// The program in the page: what the page's script calls to play the show, a fixed frame or the
// benchmark on the canvas #banner.
#include <emscripten/emscripten.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/web/fixed_frame_run.h"
#include "app/web/page_benchmark.h"
#include "app/web/web_show.h"
#include "geometry/build_constants.h"
#include "platform/pausable_clock.h"
#include "platform/web/web_message_box.h"

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
std::unique_ptr<FixedFrameRun> Fixed;
std::unique_ptr<PageBenchmark> Bench;

const BuildConstants& Constants(int alt) { return alt != 0 ? BannerAltConstants : BannerConstants; }

// Show times in seconds, separated by commas; false at anything else.
bool ParseSeconds(const char* list, std::vector<double>* seconds) {
    std::stringstream items(list != nullptr ? list : "");
    std::string item;
    while (std::getline(items, item, ',')) {
        char* end = nullptr;
        const double value = std::strtod(item.c_str(), &end);
        if (item.empty() || *end != '\0' || !(value >= 0.0)) {
            return false;
        }
        seconds->push_back(value);
    }
    return true;
}

}  // namespace

extern "C" {

// Builds the show and starts it up with the clock paused; the exit status on failure, -1 when it
// is ready for its first turn.
EMSCRIPTEN_KEEPALIVE int banner_open(int alt) {
    platform::UseMessageBoxSink(&Boxes);
    Live.reset();
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
EMSCRIPTEN_KEEPALIVE void banner_close() { Live.reset(); }

EMSCRIPTEN_KEEPALIVE void banner_set_paused(int paused) {
    if (paused != 0) {
        PageClock.Pause();
    } else {
        PageClock.Resume();
    }
}

// Trims the show's clock to keep it with the music: rate milliseconds per millisecond.
EMSCRIPTEN_KEEPALIVE void banner_set_clock_rate(double rate) { PageClock.SetRate(rate); }

EMSCRIPTEN_KEEPALIVE int banner_until_next_frame() {
    return Live ? static_cast<int>(Live->UntilNextFrame()) : 0;
}

EMSCRIPTEN_KEEPALIVE double banner_show_time() { return Live ? Live->ShowTime() : 0.0; }

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

// The fixed frame: presses lists show times in seconds, separated by commas. The exit status on
// failure, -1 when ready to play.
EMSCRIPTEN_KEEPALIVE int banner_frame_open(int alt, int frame, const char* presses) {
    platform::UseMessageBoxSink(&Boxes);
    std::vector<double> seconds;
    if (frame < 0 || !ParseSeconds(presses, &seconds)) {
        std::fprintf(stderr, "banner: frame %d, presses '%s': not a frame and show times\n", frame,
                     presses != nullptr ? presses : "");
        return 1;
    }
    Fixed = std::make_unique<FixedFrameRun>(Constants(alt), static_cast<uint32_t>(frame), seconds,
                                            Canvas);
    if (const std::optional<int> failed = Fixed->StartUp()) {
        return *failed;
    }
    return Waiting;
}

// Plays for about the given time: 0 still playing, 1 the frame is drawn, 2 the show ended before
// it, 3 a frame failed.
EMSCRIPTEN_KEEPALIVE int banner_frame_play(double milliseconds) {
    return Fixed ? static_cast<int>(Fixed->Play(milliseconds)) : 3;
}

// The benchmark, to the show's end or to untilSeconds of show time when that is not negative.
EMSCRIPTEN_KEEPALIVE int banner_bench_open(int alt, double untilSeconds) {
    platform::UseMessageBoxSink(&Boxes);
    Bench = std::make_unique<PageBenchmark>(Constants(alt), Canvas, untilSeconds);
    if (const std::optional<int> failed = Bench->StartUp()) {
        return *failed;
    }
    return Waiting;
}

// Plays and times one frame; 0 once the show is over.
EMSCRIPTEN_KEEPALIVE int banner_bench_frame() { return Bench && Bench->PlayFrame() ? 1 : 0; }

// Prints the benchmark's table on the console and gives it to the page.
EMSCRIPTEN_KEEPALIVE const char* banner_bench_table(double transferBytes) {
    static std::string table;
    table = Bench ? Bench->Table(transferBytes) : std::string();
    std::printf("%s", table.c_str());
    std::fflush(stdout);
    return table.c_str();
}
}
