#include "bench/benchmark_options.h"

#include <cstdlib>
#include <string_view>

namespace {

bool KnownPass(const std::string& pass) { return pass == "optimised" || pass == "unoptimised"; }

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return parts;
}

bool ParseNumber(const char* text, double* value) {
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

}  // namespace

bool ParseBenchmarkOptions(int argc, char** argv, BenchmarkOptions* options, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        bool hasValue = i + 1 < argc;
        double number = 0.0;
        if (arg == "--help") {
            options->Help = true;
        } else if (arg == "--alt") {
            options->Alt = true;
        } else if (arg == "--passes" && hasValue) {
            options->Passes = SplitCommas(argv[++i]);
            for (const auto& pass : options->Passes) {
                if (!KnownPass(pass)) {
                    *error = "unknown pass '" + pass + "'";
                    return false;
                }
            }
        } else if (arg == "--rounds" && hasValue && ParseNumber(argv[++i], &number) &&
                   number >= 1) {
            options->Rounds = static_cast<int>(number);
        } else if (arg == "--until" && hasValue && ParseNumber(argv[++i], &number) && number >= 0) {
            options->UntilSeconds = number;
        } else if (arg == "--profile" && i + 2 < argc) {
            for (const auto& phase : SplitCommas(argv[++i])) {
                options->ProfilePhases.push_back(std::atoi(phase.c_str()));
            }
            options->PerfControl = argv[++i];
        } else if (arg == "--child-pass" && hasValue && KnownPass(argv[i + 1])) {
            options->ChildPass = argv[++i];
        } else if (arg == "--spawned-at" && hasValue && ParseNumber(argv[++i], &number)) {
            options->SpawnedAtNs = static_cast<long long>(number);
        } else {
            *error = "bad argument '" + std::string(arg) + "' (try --help)";
            return false;
        }
    }
    return true;
}

std::string BenchmarkUsage() {
    return "usage: banner_benchmark [options]\n"
           "Plays the whole show offscreen, 40 ms of show time per frame, once per pass, each\n"
           "pass in a process of its own, and prints per phase the median, 95th percentile and\n"
           "maximum time to render and present a frame (wall and CPU), the start-up time and\n"
           "the peak memory, then the ratios of the passes.\n"
           "\n"
           "  --passes P[,P]   passes to run, in order (default optimised,unoptimised);\n"
           "                   unoptimised draws through the graphics layer's plain path\n"
           "  --rounds N       run the passes N times, alternating, and pool the frames\n"
           "  --until S        stop each pass at this show time (seconds)\n"
           "  --alt            use banner_alt's constants\n"
           "  --profile P[,P] FIFO\n"
           "                   enable perf's events only while frames of phases P are drawn:\n"
           "                   perf record -D -1 --control fifo:FIFO -- banner_benchmark ...\n"
           "  --help           this text\n";
}

std::vector<std::string> ChildArguments(const BenchmarkOptions& options, const std::string& pass,
                                        long long spawnedAtNs) {
    std::vector<std::string> arguments = {"--child-pass", pass, "--spawned-at",
                                          std::to_string(spawnedAtNs)};
    if (options.Alt) arguments.push_back("--alt");
    if (!options.PerfControl.empty()) {
        std::string phases;
        for (int phase : options.ProfilePhases) {
            phases += (phases.empty() ? "" : ",") + std::to_string(phase);
        }
        arguments.insert(arguments.end(), {"--profile", phases, options.PerfControl});
    }
    if (options.UntilSeconds >= 0) {
        arguments.push_back("--until");
        arguments.push_back(std::to_string(options.UntilSeconds));
    }
    return arguments;
}
