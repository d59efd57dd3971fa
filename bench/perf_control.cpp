#include "bench/perf_control.h"

#include <algorithm>

PerfControl::PerfControl(const std::string& fifo, std::vector<int> phases)
    : Phases(std::move(phases)) {
    if (!fifo.empty()) {
        Fifo = std::fopen(fifo.c_str(), "w");
    }
}

PerfControl::~PerfControl() {
    if (Fifo != nullptr) {
        Send("disable");
        std::fclose(Fifo);
    }
}

void PerfControl::BeforeFrame(int phase) {
    bool wanted = std::find(Phases.begin(), Phases.end(), phase) != Phases.end();
    if (Fifo != nullptr && wanted != Enabled) {
        Send(wanted ? "enable" : "disable");
        Enabled = wanted;
    }
}

void PerfControl::Send(const char* command) {
    std::fprintf(Fifo, "%s\n", command);
    std::fflush(Fifo);
}
