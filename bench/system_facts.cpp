#include "bench/system_facts.h"

#include <sys/resource.h>
#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace system_facts {
namespace {

long long NsOf(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

std::string CpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("model name", 0) == 0) {
            size_t colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    }
    return "unknown processor";
}

}  // namespace

long long MonotonicNs() { return NsOf(CLOCK_MONOTONIC); }

double ProcessCpuMs() { return static_cast<double>(NsOf(CLOCK_PROCESS_CPUTIME_ID)) / 1e6; }

double MsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name may hold spaces; the fields after its closing parenthesis do not.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 22 && fields >> field; ++i) {
    }
    unsigned long long startTicks = 0;
    fields >> startTicks;
    double startMs = static_cast<double>(startTicks) * 1000.0 / sysconf(_SC_CLK_TCK);
    return static_cast<double>(NsOf(CLOCK_BOOTTIME)) / 1e6 - startMs;
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string MachineDescription() {
    utsname name{};
    uname(&name);
    std::ostringstream text;
    text << CpuModel() << ", " << std::thread::hardware_concurrency() << " processors, "
         << name.sysname << " " << name.release;
    return text.str();
}

}  // namespace system_facts
