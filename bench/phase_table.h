#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/pass_record.h"

struct Spread {
    size_t Count = 0;
    double Median = 0.0;
    double P95 = 0.0;  // nearest rank
    double Max = 0.0;
};
Spread SpreadOf(std::vector<double> values);

// The frames of one pass, pooled over its rounds, summed up by phase, for the heavy phases
// together (1, 3 to 5, 8 to 10: the ones with about 200,000 lit triangles) and for the show.
class PhaseTable {
public:
    explicit PhaseTable(const std::vector<PassRecord>& rounds);

    struct Row {
        std::string Label;
        Spread Wall;
        Spread Cpu;
    };
    const std::vector<Row>& Rows() const { return Lines; }
    const std::string& Pass() const { return PassName; }
    double StartupMs() const { return Startup; }
    long PeakRssKb() const { return PeakRss; }

    void Print(std::FILE* out) const;
    // Second's times over first's, row by row: how many times faster first is.
    static void PrintRatios(std::FILE* out, const PhaseTable& first, const PhaseTable& second);

private:
    void AddRow(const std::string& label, const std::vector<FrameSample>& frames);

    std::string PassName;
    size_t Rounds = 0;
    double Startup = 0.0;  // median over the rounds, as are the milestones
    double Milestones[3] = {};
    long PeakRss = 0;  // largest of the rounds
    std::vector<Row> Lines;
};
