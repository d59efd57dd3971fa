#include "bench/pass_record.h"

#include <sstream>

void PassRecord::Write(std::FILE* out) const {
    std::fprintf(out, "pass %s\nrenderer %s\n", Pass.c_str(), Renderer.c_str());
    std::fprintf(out, "startup %.3f\nrss %ld\n", StartupMs, PeakRssKb);
    std::fprintf(out, "milestones %.3f %.3f %.3f\n", MainMs, SceneMs, ResourcesMs);
    for (const FrameSample& frame : Frames) {
        std::fprintf(out, "frame %d %.4f %.4f\n", frame.Phase, frame.WallMs, frame.CpuMs);
    }
    std::fprintf(out, "end\n");
    std::fflush(out);
}

bool PassRecord::Parse(const std::string& text, PassRecord* record) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        if (key == "pass") {
            fields >> record->Pass;
        } else if (key == "renderer") {
            std::getline(fields >> std::ws, record->Renderer);
        } else if (key == "startup") {
            fields >> record->StartupMs;
        } else if (key == "milestones") {
            fields >> record->MainMs >> record->SceneMs >> record->ResourcesMs;
        } else if (key == "rss") {
            fields >> record->PeakRssKb;
        } else if (key == "frame") {
            FrameSample frame;
            fields >> frame.Phase >> frame.WallMs >> frame.CpuMs;
            record->Frames.push_back(frame);
        } else if (key == "end") {
            return !record->Frames.empty();
        }
    }
    return false;
}
