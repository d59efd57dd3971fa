#include "bench/web/page_benchmark.h"

#include <emscripten/emscripten.h>

#include <cstdio>

#include "bench/phase_table.h"
#include "headless/show_timing.h"
#include "platform/gl/gl_api.h"

namespace {

std::string Line(const char* format, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

}  // namespace

PageBenchmark::PageBenchmark(const BuildConstants& constants, const std::string& canvas,
                             double untilSeconds)
    : Clock(VirtualClockStart), Show(constants, Clock, canvas), UntilSeconds(untilSeconds) {
    Record.Pass = "page";
}

bool PageBenchmark::PlayFrame() {
    if (Over) {
        return false;
    }
    FrameSample sample;
    sample.Phase = Show.Scene().GetPhase();
    const double start = emscripten_get_now();
    Clock.Advance(ShowFrameStep);
    const HRESULT result = Show.RenderFrame();
    // The commands are only queued, and WebGL's glFinish does not wait for them: reading a
    // pixel back does, so the frame is timed until it has been drawn.
    uint8_t pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    const double end = emscripten_get_now();
    sample.WallMs = end - start;
    if (Show.Scene().DrewFrame()) {
        if (Record.Frames.empty()) {
            Record.StartupMs = end;
        }
        Record.Frames.push_back(sample);
    }
    Over = Failed(result) || (UntilSeconds >= 0 && Show.ShowTime() >= UntilSeconds * 1000.0);
    return !Over;
}

std::string PageBenchmark::Table(double transferBytes) const {
    const PhaseTable table({Record});
    std::string text = Line("page: first frame %.0f ms after navigation, %.2f MB transferred\n",
                            Record.StartupMs, transferBytes / 1e6);
    text += Line("%-6s %6s | %s\n", "phase", "frames", "ms to render: median  p95  max");
    for (const PhaseTable::Row& row : table.Rows()) {
        text += Line("%-6s %6zu | %21.1f %7.1f %7.1f\n", row.Label.c_str(), row.Wall.Count,
                     row.Wall.Median, row.Wall.P95, row.Wall.Max);
    }
    return text;
}
