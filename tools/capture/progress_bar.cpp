#include "tools/capture/progress_bar.h"

#include <unistd.h>

#include <algorithm>

namespace {

constexpr int BarWidth = 30;
constexpr auto RedrawInterval = std::chrono::milliseconds(200);

}  // namespace

ProgressBar::ProgressBar(FILE* stream, uint32_t expected)
    : Stream(stream),
      Shown(isatty(fileno(stream)) != 0),
      Expected(expected),
      Started(Clock::now()),
      LastDrawn(Started - RedrawInterval) {}

void ProgressBar::Update(uint32_t done) {
    const Clock::time_point now = Clock::now();
    if (done <= 1) {
        FirstDone = now;
    }
    if (!Shown || now - LastDrawn < RedrawInterval) {
        return;
    }
    LastDrawn = now;
    // The pace is taken from the first frame on: start-up is not part of it.
    double left = -1.0;
    if (done > 1) {
        const double pace = std::chrono::duration<double>(now - FirstDone).count() / (done - 1);
        left = pace * (std::max(Expected, done) - done);
    }
    std::fprintf(Stream, "\r%s", Line(done, Expected, Seconds(), left).c_str());
    std::fflush(Stream);
}

void ProgressBar::Finish() {
    if (Shown) {
        std::fputs("\r\033[K", Stream);
        std::fflush(Stream);
    }
}

double ProgressBar::Seconds() const {
    return std::chrono::duration<double>(Clock::now() - Started).count();
}

std::string ProgressBar::Line(uint32_t done, uint32_t expected, double elapsed, double left) {
    // The show's length is only estimated up front: never claim more than all of it.
    expected = std::max({expected, done, 1u});
    const int filled = static_cast<int>(static_cast<uint64_t>(done) * BarWidth / expected);
    return "[" + std::string(filled, '#') + std::string(BarWidth - filled, '-') + "] " +
           std::to_string(done) + "/" + std::to_string(expected) + " frames  " +
           MinutesAndSeconds(elapsed) + " elapsed  " +
           (left >= 0 ? MinutesAndSeconds(left) : std::string("?:??")) + " left";
}

std::string MinutesAndSeconds(double seconds) {
    const long whole = std::max(0L, static_cast<long>(seconds + 0.5));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}
