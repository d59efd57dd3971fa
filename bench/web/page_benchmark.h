#pragma once

#include <optional>
#include <string>

#include "bench/pass_record.h"
#include "geometry/build_constants.h"
#include "platform/clock.h"
#include "shell/web/web_show.h"

// The benchmark in the page: the whole show played on the capture tool's virtual clock, as the
// desktop benchmark plays it, each frame timed from the start of its turn until WebGL has drawn
// it, summed up by phase in the desktop benchmark's table.
class PageBenchmark {
public:
    // Plays until the show's end, or until the given show time when it is not negative.
    PageBenchmark(const BuildConstants& constants, const std::string& canvas, double untilSeconds);

    // The program's start-up; on failure, the exit status.
    std::optional<int> StartUp() { return Show.StartUp(); }
    // Plays and times one turn; false once the show is over (or failed).
    bool PlayFrame();
    // Milliseconds from the page's start to the end of the first frame drawn.
    double FirstFrameAt() const { return Record.StartupMs; }
    // The table, from the page's own figures: start-up and bytes transferred.
    std::string Table(double transferBytes) const;

private:
    platform::VirtualClock Clock;
    WebShow Show;
    PassRecord Record;
    double UntilSeconds;
    bool Over = false;
};
