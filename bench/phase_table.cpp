#include "bench/phase_table.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsHeavy(int phase) {
    return phase == 1 || (phase >= 3 && phase <= 5) || (phase >= 8 && phase <= 10);
}

const PhaseTable::Row* Find(const PhaseTable& table, const std::string& label) {
    for (const auto& row : table.Rows()) {
        if (row.Label == label) return &row;
    }
    return nullptr;
}

double Ratio(double numerator, double denominator) {
    return denominator > 0.0 ? numerator / denominator : 0.0;
}

}  // namespace

Spread SpreadOf(std::vector<double> values) {
    Spread spread;
    spread.Count = values.size();
    if (values.empty()) return spread;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    spread.Median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    size_t rank = static_cast<size_t>(std::ceil(0.95 * static_cast<double>(n)));
    spread.P95 = values[std::max<size_t>(rank, 1) - 1];
    spread.Max = values.back();
    return spread;
}

PhaseTable::PhaseTable(const std::vector<PassRecord>& rounds) : Rounds(rounds.size()) {
    std::map<int, std::vector<FrameSample>> byPhase;
    std::vector<FrameSample> heavy;
    std::vector<FrameSample> all;
    std::vector<double> startups;
    std::vector<double> milestones[3];
    for (const PassRecord& record : rounds) {
        PassName = record.Pass;
        startups.push_back(record.StartupMs);
        milestones[0].push_back(record.MainMs);
        milestones[1].push_back(record.SceneMs);
        milestones[2].push_back(record.ResourcesMs);
        PeakRss = std::max(PeakRss, record.PeakRssKb);
        for (const FrameSample& frame : record.Frames) {
            byPhase[frame.Phase].push_back(frame);
            if (IsHeavy(frame.Phase)) heavy.push_back(frame);
            all.push_back(frame);
        }
    }
    Startup = SpreadOf(startups).Median;
    for (int i = 0; i < 3; ++i) {
        Milestones[i] = SpreadOf(milestones[i]).Median;
    }
    for (const auto& [phase, frames] : byPhase) {
        AddRow(std::to_string(phase), frames);
    }
    AddRow("heavy", heavy);
    AddRow("all", all);
}

void PhaseTable::AddRow(const std::string& label, const std::vector<FrameSample>& frames) {
    std::vector<double> wall;
    std::vector<double> cpu;
    for (const FrameSample& frame : frames) {
        wall.push_back(frame.WallMs);
        cpu.push_back(frame.CpuMs);
    }
    Lines.push_back({label, SpreadOf(wall), SpreadOf(cpu)});
}

void PhaseTable::Print(std::FILE* out) const {
    std::fprintf(out, "%s pass (%zu round%s): start-up %.0f ms, peak RSS %.1f MB\n",
                 PassName.c_str(), Rounds, Rounds == 1 ? "" : "s", Startup, PeakRss / 1024.0);
    std::fprintf(out,
                 "start-up from process start: main %.0f ms, scene built %.0f ms, device and "
                 "resources %.0f ms, first frame %.0f ms\n",
                 Milestones[0], Milestones[1], Milestones[2], Startup);
    std::fprintf(out, "%-6s %6s | %-24s | %-24s\n", "phase", "frames", "wall ms: median  p95  max",
                 "cpu ms: median  p95  max");
    for (const Row& row : Lines) {
        std::fprintf(out, "%-6s %6zu | %8.1f %7.1f %7.1f | %8.1f %7.1f %7.1f\n", row.Label.c_str(),
                     row.Wall.Count, row.Wall.Median, row.Wall.P95, row.Wall.Max, row.Cpu.Median,
                     row.Cpu.P95, row.Cpu.Max);
    }
}

void PhaseTable::PrintRatios(std::FILE* out, const PhaseTable& first, const PhaseTable& second) {
    std::fprintf(out, "%s over %s (x times faster)\n", second.Pass().c_str(), first.Pass().c_str());
    std::fprintf(out, "%-6s | %-21s | %s\n", "phase", "wall: median   p95", "cpu: median   p95");
    for (const Row& row : first.Rows()) {
        const Row* other = Find(second, row.Label);
        if (other == nullptr) continue;
        std::fprintf(out, "%-6s | %12.2f %7.2f | %11.2f %7.2f\n", row.Label.c_str(),
                     Ratio(other->Wall.Median, row.Wall.Median),
                     Ratio(other->Wall.P95, row.Wall.P95), Ratio(other->Cpu.Median, row.Cpu.Median),
                     Ratio(other->Cpu.P95, row.Cpu.P95));
    }
    std::fprintf(
        out, "start-up %.2f, peak RSS %.2f\n", Ratio(second.StartupMs(), first.StartupMs()),
        Ratio(static_cast<double>(second.PeakRssKb()), static_cast<double>(first.PeakRssKb())));
}
