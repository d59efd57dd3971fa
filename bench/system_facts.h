#pragma once

#include <string>

// Readings of the process and the machine that the benchmark reports.
namespace system_facts {

long long MonotonicNs();
// CPU time of the whole process, every thread included.
double ProcessCpuMs();
// Time since the kernel started this process (10 ms resolution: the kernel counts in ticks).
double MsSinceProcessStart();
long PeakRssKb();
// "AMD EPYC, 2 processors, Linux 6.1.0" or what of it can be found.
std::string MachineDescription();

}  // namespace system_facts
