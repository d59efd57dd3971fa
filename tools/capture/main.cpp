#include <cstdio>
#include <string>

#include "geometry/build_constants.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/capture_session.h"
#ifndef _WIN32
#include "tools/capture/video_export.h"
#endif

// The tool renders either program's show; it picks the set before anything is built.
const BuildConstants* ProgramConstants = &BannerConstants;

int main(int argc, char** argv) {
    CaptureOptions options;
    std::string error;
    if (!ParseCaptureOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "banner_capture: %s\n", error.c_str());
        return 2;
    }
    if (options.Help) {
        std::fputs(CaptureUsage().c_str(), stdout);
        return 0;
    }
    if (options.Version) {
        std::fputs(CaptureVersion().c_str(), stdout);
        return 0;
    }
    if (options.Alt) {
        ProgramConstants = &BannerAltConstants;
    }
    if (!options.VideoPath.empty()) {
#ifdef _WIN32
        std::fputs(
            "banner_capture: the Windows build writes PNG frames only; export videos with "
            "the Linux build\n",
            stderr);
        return 1;
#else
        return VideoExport(options).Run();
#endif
    }
    return CaptureSession(options).Run();
}
