// The page's program for the tests and the benchmark (banner-test.js, banner-test.wasm): what the
// page's script calls to draw one of the capture tool's frames, or to time every frame of the
// show, on the canvas #banner. Visitors load the lighter banner.js, which has neither.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/web/page_benchmark.h"
#include "geometry/build_constants.h"
#include "headless/show_timing.h"
#include "headless/web/fixed_frame_run.h"
#include "headless/web/show_times.h"
#include "platform/web/web_message_box.h"

namespace {

constexpr const char* Canvas = "#banner";
constexpr int Waiting = -1;

WebMessageBox Boxes;
std::unique_ptr<FixedFrameRun> Fixed;
std::unique_ptr<PageBenchmark> Bench;

const BuildConstants& Constants(int alt) { return alt != 0 ? BannerAltConstants : BannerConstants; }

}  // namespace

// Banner's framing unless a call asks for banner_alt's, which it picks before it builds a show.
const BuildConstants* ProgramConstants = &BannerConstants;

extern "C" {

// The fixed frame: presses lists show times in seconds, separated by commas. The exit status on
// failure, -1 when ready to play.
EMSCRIPTEN_KEEPALIVE int banner_frame_open(int alt, int frame, const char* presses) {
    platform::UseMessageBoxSink(&Boxes);
    std::vector<double> seconds;
    if (frame < 0 || !ParseShowTimes(presses, &seconds)) {
        std::fprintf(stderr, "banner: frame %d, presses '%s': not a frame and show times\n", frame,
                     presses != nullptr ? presses : "");
        return 1;
    }
    Fixed = std::make_unique<FixedFrameRun>(Constants(alt), static_cast<uint32_t>(frame), seconds,
                                            Canvas, VirtualClockStart);
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
