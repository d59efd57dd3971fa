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
    if (!Shown || now - LastDrawn < RedrawInterval) {
        return;
    }
    LastDrawn = now;
    std::fprintf(Stream, "\r%s", Line(done, Expected, Seconds()).c_str());
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

std::string ProgressBar::Line(uint32_t done, uint32_t expected, double elapsed) {
    // The show's length is only estimated up front: never claim more than all of it.
    expected = std::max({expected, done, 1u});
    const int filled = static_cast<int>(static_cast<uint64_t>(done) * BarWidth / expected);
    const double left = done > 0 ? elapsed * (expected - done) / done : 0.0;
    return "[" + std::string(filled, '#') + std::string(BarWidth - filled, '-') + "] " +
           std::to_string(done) + "/" + std::to_string(expected) + " frames  " +
           MinutesAndSeconds(elapsed) + " elapsed  " +
           (done > 0 ? MinutesAndSeconds(left) : std::string("?:??")) + " left";
}

std::string MinutesAndSeconds(double seconds) {
    const long whole = std::max(0L, static_cast<long>(seconds + 0.5));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}
