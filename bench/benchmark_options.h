#pragma once

#include <string>
#include <vector>

// What one run of the benchmark does. The parent plays each pass in a child process of its own,
// so the passes share nothing but the machine.
struct BenchmarkOptions {
    bool Help = false;
    bool Alt = false;
    // Passes in the order they run: "optimised", "unoptimised".
    std::vector<std::string> Passes = {"optimised", "unoptimised"};
    int Rounds = 1;              // each pass runs this many times, alternating
    double UntilSeconds = -1.0;  // stop early at this show time
    // While a frame of one of these phases is drawn, perf's events are enabled through its
    // control FIFO (perf record --control fifo:FILE -D -1), and disabled otherwise.
    std::vector<int> ProfilePhases;
    std::string PerfControl;
    // Set in the child: the pass to play, and when the parent started it (CLOCK_MONOTONIC ns).
    std::string ChildPass;
    long long SpawnedAtNs = -1;
};

bool ParseBenchmarkOptions(int argc, char** argv, BenchmarkOptions* options, std::string* error);
std::string BenchmarkUsage();
// The options a child needs to play pass the way the parent was asked to.
std::vector<std::string> ChildArguments(const BenchmarkOptions& options, const std::string& pass,
                                        long long spawnedAtNs);
