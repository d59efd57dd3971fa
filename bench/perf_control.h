#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Switches perf's sampling on for the frames of chosen phases through perf record's control
// FIFO. Does nothing when no FIFO was given.
class PerfControl {
public:
    PerfControl(const std::string& fifo, std::vector<int> phases);
    ~PerfControl();
    PerfControl(const PerfControl&) = delete;
    PerfControl& operator=(const PerfControl&) = delete;

    // Called before each frame with the phase it starts in.
    void BeforeFrame(int phase);

private:
    void Send(const char* command);

    std::FILE* Fifo = nullptr;
    std::vector<int> Phases;
    bool Enabled = false;
};
