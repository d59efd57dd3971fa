#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/benchmark_options.h"
#include "bench/child_pass.h"
#include "bench/phase_table.h"
#include "bench/show_pass.h"
#include "bench/system_facts.h"
#include "geometry/build_constants.h"

const BuildConstants* ProgramConstants = &BannerConstants;

namespace {

int Fail(const std::string& what) {
    std::fprintf(stderr, "banner_benchmark: %s\n", what.c_str());
    return 1;
}

int RunChild(const BenchmarkOptions& options) {
    PassRecord record;
    std::string error;
    if (!ShowPass(options).Play(&record, &error)) {
        return Fail(error);
    }
    record.Write(stdout);
    return 0;
}

int RunParent(const BenchmarkOptions& options) {
    std::map<std::string, std::vector<PassRecord>> records;
    for (int round = 0; round < options.Rounds; ++round) {
        for (const std::string& pass : options.Passes) {
            std::fprintf(stderr, "banner_benchmark: round %d, %s pass\n", round + 1, pass.c_str());
            PassRecord record;
            std::string error;
            if (!RunChildPass(options, pass, &record, &error)) {
                return Fail(error);
            }
            records[pass].push_back(record);
        }
    }
    std::printf("%s show, 40 ms of show time per frame, frame capture off\n",
                ProgramConstants->ProgramName);
    std::printf("machine: %s\n", system_facts::MachineDescription().c_str());
    std::printf("renderer: %s\n\n", records.begin()->second.front().Renderer.c_str());
    std::vector<PhaseTable> tables;
    for (const std::string& pass : options.Passes) {
        if (tables.empty() || tables.back().Pass() != pass) {
            tables.emplace_back(records[pass]);
            tables.back().Print(stdout);
            std::printf("\n");
        }
    }
    if (tables.size() == 2) {
        PhaseTable::PrintRatios(stdout, tables[0], tables[1]);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    BenchmarkOptions options;
    std::string error;
    if (!ParseBenchmarkOptions(argc, argv, &options, &error)) {
        return Fail(error);
    }
    if (options.Help) {
        std::fputs(BenchmarkUsage().c_str(), stdout);
        return 0;
    }
    if (options.Alt) {
        ProgramConstants = &BannerAltConstants;
    }
    return options.ChildPass.empty() ? RunParent(options) : RunChild(options);
}
