#include "tools/capture/capture_options.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

bool ParseNumber(const char* text, double* value) {
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0' && *value >= 0.0;
}

bool ParseCount(const char* text, uint32_t* value) {
    double number = 0.0;
    if (!ParseNumber(text, &number) || number > 4294967295.0 ||
        number != static_cast<uint32_t>(number)) {
        return false;
    }
    *value = static_cast<uint32_t>(number);
    return true;
}

// A comma-separated list of non-negative numbers.
bool ParseList(const char* text, std::vector<double>* values) {
    std::stringstream stream(text);
    std::string item;
    bool any = false;
    while (std::getline(stream, item, ',')) {
        double value = 0.0;
        if (!ParseNumber(item.c_str(), &value)) {
            return false;
        }
        values->push_back(value);
        any = true;
    }
    return any;
}

bool PicksFrames(const CaptureOptions& options) {
    return !options.AtSeconds.empty() || !options.Frames.empty() || options.Every > 0 ||
           !options.SheetPath.empty();
}

// The video options make sense only together, and not with those that pick PNG frames.
bool CheckVideoOptions(CaptureOptions* options, std::string* error) {
    if (options->VideoPath.empty()) {
        if (options->Format != VideoFormat::None || options->FromSeconds >= 0) {
            *error = "--format and --from need --video";
            return false;
        }
        return true;
    }
    if (PicksFrames(*options)) {
        *error = "--video writes every frame: it goes with no --at, --frame, --every or --sheet";
        return false;
    }
    if (options->Format == VideoFormat::None) {
        options->Format = VideoFormatOfPath(options->VideoPath);
    }
    if (options->Format == VideoFormat::None) {
        *error = "cannot tell the video format of " + options->VideoPath +
                 ": name it .mp4, .webm, .gif or .webp, or give --format";
        return false;
    }
    const double from = std::max(0.0, options->FromSeconds);
    if (options->UntilSeconds >= 0 && options->UntilSeconds <= from) {
        *error = "--until must come after --from";
        return false;
    }
    return true;
}

}  // namespace

std::string CaptureUsage() {
    return "usage: banner_capture [options]\n"
           "Plays the show offscreen with a virtual clock that advances 40 ms per frame, with\n"
           "silent audio, and writes the frames asked for as PNG files, or the whole show (or a\n"
           "part of it) as a video with its music.\n"
           "\n"
           "  --alt               use banner_alt's constants (960 x 89, other framing)\n"
           "  --at S[,S...]       capture the frames at these show times, in seconds\n"
           "  --frame N[,N...]    capture these frames (0 is the first drawn frame)\n"
           "  --every N           capture every Nth frame\n"
           "  --until S           stop at this show time instead of the end of the show\n"
           "  --press-l S[,S...]  press and release 'L' at these show times\n"
           "  --press-escape S    press Escape at this show time, which ends the program\n"
           "  --start-time MS     the clock's reading at start-up (default 100000; near\n"
           "                      4294967295 the clock wraps during the show)\n"
           "  --out DIR           where the PNG files go (default ./capture)\n"
           "  --draw-saved-only   draw only the frames written: every other frame still runs\n"
           "                      all but the drawing, so the pictures are the same, sooner\n"
           "  --sheet FILE        also write all captured frames into one PNG\n"
           "  --columns N         frames side by side on the sheet (default 1)\n"
           "  --video FILE        write the show as a video, through ffmpeg, at 25 frames/s:\n"
           "                      .mp4 (H.264 + AAC), .webm (VP9 + Opus), .gif or .webp (no\n"
           "                      sound); banner_alt's 89-row picture gets a black 90th row in\n"
           "                      MP4\n"
           "  --format F          mp4, webm, gif or webp, whatever FILE's extension is\n"
           "  --from S            the video starts with the first frame at or after S seconds\n"
           "                      (with --until, the video ends before the frame at S)\n"
           "  --help              this text\n"
           "\n"
           "Frame n is drawn at show time 40 n ms; files are named <program>_<frame>_<time>s.png.\n"
           "Exit status 0 when the show (or the requested part) played, 1 on failure.\n";
}

bool ParseCaptureOptions(int argc, const char* const* argv, CaptureOptions* options,
                         std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        const auto needs = [&](bool ok) {
            if (!ok) {
                *error = std::string("bad or missing value for ") + option;
            }
            ++i;
            return ok;
        };
        bool ok = true;
        if (std::strcmp(option, "--help") == 0) {
            options->Help = true;
        } else if (std::strcmp(option, "--alt") == 0) {
            options->Alt = true;
        } else if (std::strcmp(option, "--at") == 0) {
            ok = needs(value && ParseList(value, &options->AtSeconds));
        } else if (std::strcmp(option, "--frame") == 0) {
            std::vector<double> frames;
            ok = needs(value && ParseList(value, &frames));
            for (double frame : frames) {
                options->Frames.push_back(static_cast<uint32_t>(frame));
            }
        } else if (std::strcmp(option, "--every") == 0) {
            ok = needs(value && ParseCount(value, &options->Every) && options->Every > 0);
        } else if (std::strcmp(option, "--until") == 0) {
            ok = needs(value && ParseNumber(value, &options->UntilSeconds));
        } else if (std::strcmp(option, "--press-l") == 0) {
            ok = needs(value && ParseList(value, &options->PressSeconds));
        } else if (std::strcmp(option, "--press-escape") == 0) {
            ok = needs(value && ParseNumber(value, &options->EscapeSeconds));
        } else if (std::strcmp(option, "--start-time") == 0) {
            ok = needs(value && ParseCount(value, &options->StartTime));
        } else if (std::strcmp(option, "--draw-saved-only") == 0) {
            options->DrawSavedOnly = true;
        } else if (std::strcmp(option, "--out") == 0) {
            ok = needs(value && *value != '\0');
            if (ok) options->OutputDirectory = value;
        } else if (std::strcmp(option, "--sheet") == 0) {
            ok = needs(value && *value != '\0');
            if (ok) options->SheetPath = value;
        } else if (std::strcmp(option, "--columns") == 0) {
            ok = needs(value && ParseCount(value, &options->SheetColumns) &&
                       options->SheetColumns > 0);
        } else if (std::strcmp(option, "--video") == 0) {
            ok = needs(value && *value != '\0');
            if (ok) options->VideoPath = value;
        } else if (std::strcmp(option, "--format") == 0) {
            ok = needs(value && (options->Format = VideoFormatNamed(value)) != VideoFormat::None);
        } else if (std::strcmp(option, "--from") == 0) {
            ok = needs(value && ParseNumber(value, &options->FromSeconds));
        } else {
            *error = std::string("unknown option ") + option + " (see --help)";
            return false;
        }
        if (!ok) {
            return false;
        }
    }
    return CheckVideoOptions(options, error);
}
