#include "tools/capture/capture_options.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "headless/show_timing.h"

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

// A comma-separated list, each item read by parse.
template <typename T, typename Parse>
bool ParseItems(const char* text, std::vector<T>* values, Parse parse) {
    std::stringstream stream(text);
    std::string item;
    bool any = false;
    while (std::getline(stream, item, ',')) {
        T value{};
        if (!parse(item.c_str(), &value)) {
            return false;
        }
        values->push_back(value);
        any = true;
    }
    return any;
}

// Non-negative numbers.
bool ParseList(const char* text, std::vector<double>* values) {
    return ParseItems(text, values, ParseNumber);
}

// Frame numbers: whole, and below 2^32.
bool ParseFrameList(const char* text, std::vector<uint32_t>* frames) {
    return ParseItems(text, frames, ParseCount);
}

std::string ShowLengthText() {
    char text[96];
    std::snprintf(text, sizeof text, "%.2f s long: frames 0 to %u, the last at %.2f s",
                  ShowEndTime / 1000.0, ShowFrames - 1, LastFrameTime / 1000.0);
    return text;
}

// A moment is in the show when a frame is drawn at or after it; a hair of slack absorbs decimal
// input.
bool InShow(double seconds) { return seconds * 1000.0 <= LastFrameTime + 1e-3; }

bool AllInShow(const std::vector<double>& moments) {
    return std::all_of(moments.begin(), moments.end(), InShow);
}

bool AllInShow(const std::vector<uint32_t>& frames) {
    return std::all_of(frames.begin(), frames.end(), [](uint32_t f) { return f < ShowFrames; });
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

// Also the source of the manual page, through help2man: "Word:" lines start its sections.
std::string CaptureUsage() {
    return "Usage: banner_capture [OPTION]...\n"
           "Plays the show offscreen with a virtual clock that advances 40 ms per frame, with\n"
           "silent audio, and writes the frames asked for as PNG files, or the whole show (or a\n"
           "part of it) as a video with its music.\n"
           "\n"
           "Options:\n"
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
#ifdef _WIN32
           "  --bilinear          sample textures bilinearly, as the Linux build does, instead\n"
           "                      of Direct3D's nearest texel\n"
#endif
           "  --sheet FILE        also write all captured frames into one PNG\n"
           "  --columns N         frames side by side on the sheet (default 1)\n"
           "  --video FILE        write the show as a video, through ffmpeg, at 25 frames/s:\n"
           "                      .mp4 (H.264 + AAC), .webm (VP9 + Opus), .gif or .webp (no\n"
           "                      sound); banner_alt's 89-row picture gets a black 90th row in\n"
           "                      MP4\n"
           "  --format F          mp4, webm, gif or webp, whatever FILE's extension is\n"
           "  --from S            the video starts with the first frame at or after S seconds\n"
           "                      (with --until, the video ends before the frame at S)\n"
           "  --help              show this text and exit\n"
           "  --version           show the version and exit\n"
           "\n"
           "Frame n is drawn at show time 40 n ms; files are named <program>_<frame>_<time>s.png.\n"
           "The show is " +
           ShowLengthText() +
           ";\n"
           "a moment after its last frame is refused.\n"
           "\n"
           "Exit status:\n"
           "  0                   the show, or the part asked for, was played and written\n"
           "  1                   it could not be: no offscreen OpenGL 3.3, a file that cannot\n"
           "                      be written, ffmpeg missing or failing\n"
           "  2                   a bad option, or a moment after the show's end\n"
           "\n"
           "Examples:\n"
           "  banner_capture --at 10,21,35 --out frames\n"
           "                      three frames, by show time, into ./frames\n"
           "  banner_capture --every 250 --columns 2 --sheet show.png\n"
           "                      one labelled sheet of the show, a frame every 10 s\n"
           "  banner_capture --press-l 2 --at 10 --alt\n"
           "                      banner_alt's frame at 10 s, with 'L' pressed at 2 s\n"
           "  banner_capture --video gears.gif --from 18 --until 21\n"
           "                      three seconds of the show as an animated GIF\n";
}

std::string CaptureVersion() { return "banner_capture " BANNER_VERSION "\n"; }

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
        // A moment the show never reaches would silently capture or press nothing.
        const auto inShow = [&](bool ok) {
            if (!ok) {
                *error = std::string(option) + " " + value +
                         " is after the show's end: the show is " + ShowLengthText();
            }
            return ok;
        };
        bool ok = true;
        if (std::strcmp(option, "--help") == 0) {
            options->Help = true;
        } else if (std::strcmp(option, "--version") == 0) {
            options->Version = true;
        } else if (std::strcmp(option, "--alt") == 0) {
            options->Alt = true;
        } else if (std::strcmp(option, "--at") == 0) {
            ok = needs(value && ParseList(value, &options->AtSeconds)) &&
                 inShow(AllInShow(options->AtSeconds));
        } else if (std::strcmp(option, "--frame") == 0) {
            ok = needs(value && ParseFrameList(value, &options->Frames)) &&
                 inShow(AllInShow(options->Frames));
        } else if (std::strcmp(option, "--every") == 0) {
            ok = needs(value && ParseCount(value, &options->Every) && options->Every > 0);
        } else if (std::strcmp(option, "--until") == 0) {
            ok = needs(value && ParseNumber(value, &options->UntilSeconds));
        } else if (std::strcmp(option, "--press-l") == 0) {
            ok = needs(value && ParseList(value, &options->PressSeconds)) &&
                 inShow(AllInShow(options->PressSeconds));
        } else if (std::strcmp(option, "--press-escape") == 0) {
            ok = needs(value && ParseNumber(value, &options->EscapeSeconds)) &&
                 inShow(InShow(options->EscapeSeconds));
        } else if (std::strcmp(option, "--start-time") == 0) {
            ok = needs(value && ParseCount(value, &options->StartTime));
        } else if (std::strcmp(option, "--draw-saved-only") == 0) {
            options->DrawSavedOnly = true;
#ifdef _WIN32
        } else if (std::strcmp(option, "--bilinear") == 0) {
            options->Bilinear = true;
#endif
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
            ok = needs(value && ParseNumber(value, &options->FromSeconds)) &&
                 inShow(InShow(options->FromSeconds));
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
