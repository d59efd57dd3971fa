#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The time one frame took to render and present, and the phase it was drawn in.
struct FrameSample {
    int Phase = 0;
    double WallMs = 0.0;
    double CpuMs = 0.0;  // the whole process: the GL driver rasterises on threads of its own
};

// What a child reports of the pass it played, as lines of text on its standard output.
struct PassRecord {
    std::string Pass;
    std::string Renderer;    // the GL renderer string
    double StartupMs = 0.0;  // process start to the first frame presented
    // Milestones of the start-up, also from process start: main entered, the scene built (the
    // programs build it before main), the device and every resource made.
    double MainMs = 0.0;
    double SceneMs = 0.0;
    double ResourcesMs = 0.0;
    long PeakRssKb = 0;
    std::vector<FrameSample> Frames;

    void Write(std::FILE* out) const;
    // False when text is not a whole record.
    static bool Parse(const std::string& text, PassRecord* record);
};
