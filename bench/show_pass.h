#pragma once

#include <string>

#include "bench/benchmark_options.h"
#include "bench/pass_record.h"

// One pass of the benchmark, in the child process: the show played from start-up to its end
// with every frame timed from the start of its turn until the driver has finished it.
class ShowPass {
public:
    explicit ShowPass(const BenchmarkOptions& options) : Options(options) {}

    // False, with the reason, when the show cannot start or a frame fails.
    bool Play(PassRecord* record, std::string* error);

private:
    void SelectPath() const;
    double StartupMs() const;

    const BenchmarkOptions& Options;
};
