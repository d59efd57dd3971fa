#include "tools/capture/video_format.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

void Append(std::vector<std::string>* arguments, std::initializer_list<std::string> more) {
    arguments->insert(arguments->end(), more);
}

// H.264 and VP9 are stored as BT.709 4:2:0 and say so, so players convert them back alike.
std::string Yuv420Filter(int height, int storedHeight) {
    const std::string pad =
        storedHeight != height ? "pad=iw:" + std::to_string(storedHeight) + ":0:0:black," : "";
    return pad + "scale=out_color_matrix=bt709:out_range=tv,format=yuv420p";
}

void AppendColourTags(std::vector<std::string>* arguments) {
    Append(arguments, {"-colorspace", "bt709", "-color_primaries", "bt709", "-color_trc", "bt709",
                       "-color_range", "tv"});
}

void AppendEncoders(VideoFormat format, int height, std::vector<std::string>* arguments) {
    const std::string yuv420 = Yuv420Filter(height, VideoFormatStoredHeight(format, height));
    switch (format) {
        case VideoFormat::Mp4:
            Append(arguments, {"-vf", yuv420, "-c:v", "libx264", "-preset", "slow", "-crf", "18"});
            AppendColourTags(arguments);
            // AAC has no 37.8 kHz rate.
            Append(arguments, {"-c:a", "aac", "-b:a", "160k", "-ar", "48000", "-movflags",
                               "+faststart", "-f", "mp4"});
            break;
        case VideoFormat::WebM:
            Append(arguments, {"-vf", yuv420, "-c:v", "libvpx-vp9", "-crf", "30", "-b:v", "0",
                               "-deadline", "good", "-cpu-used", "2", "-row-mt", "1"});
            AppendColourTags(arguments);
            // Opus runs at 48 kHz only.
            Append(arguments, {"-c:a", "libopus", "-b:a", "128k", "-ar", "48000", "-f", "webm"});
            break;
        case VideoFormat::Gif:
            // A palette per frame keeps the filter streaming; one palette for the whole show
            // would hold every frame in memory until the end.
            Append(arguments, {"-vf",
                               "split[a][b];[a]palettegen=stats_mode=single[p];"
                               "[b][p]paletteuse=new=1",
                               "-loop", "0", "-f", "gif"});
            break;
        case VideoFormat::WebP:
            Append(arguments, {"-c:v", "libwebp_anim", "-pix_fmt", "yuv420p", "-quality", "80",
                               "-loop", "0", "-f", "webp"});
            break;
        case VideoFormat::None:
            break;
    }
}

}  // namespace

VideoFormat VideoFormatNamed(std::string_view name) {
    const std::string lower = Lower(name);
    for (VideoFormat format :
         {VideoFormat::Mp4, VideoFormat::WebM, VideoFormat::Gif, VideoFormat::WebP}) {
        if (lower == VideoFormatName(format)) {
            return format;
        }
    }
    return VideoFormat::None;
}

VideoFormat VideoFormatOfPath(std::string_view path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return VideoFormat::None;
    }
    return VideoFormatNamed(path.substr(dot + 1));
}

const char* VideoFormatName(VideoFormat format) {
    switch (format) {
        case VideoFormat::Mp4:
            return "mp4";
        case VideoFormat::WebM:
            return "webm";
        case VideoFormat::Gif:
            return "gif";
        case VideoFormat::WebP:
            return "webp";
        case VideoFormat::None:
            break;
    }
    return "none";
}

int VideoFormatStoredHeight(VideoFormat format, int height) {
    return format == VideoFormat::Mp4 ? (height + 1) / 2 * 2 : height;
}

bool VideoFormatHasSound(VideoFormat format) {
    return format == VideoFormat::Mp4 || format == VideoFormat::WebM;
}

std::vector<std::string> FfmpegArguments(VideoFormat format, int width, int height, int musicRate,
                                         const std::string& path) {
    std::vector<std::string> arguments = {"-hide_banner", "-loglevel", "error", "-nostats"};
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    Append(&arguments, {"-f", "rawvideo", "-pix_fmt", "rgba", "-s", size, "-framerate",
                        std::to_string(VideoFramesPerSecond), "-i", "pipe:0"});
    if (VideoFormatHasSound(format)) {
        // Opening an input, ffmpeg reads ahead to learn what it holds (5 s by default) before it
        // reads the other one; raw PCM needs no looking at.
        Append(&arguments,
               {"-f", "s16le", "-ar", std::to_string(musicRate), "-ac", "2", "-probesize", "32",
                "-analyzeduration", "0", "-i", "pipe:3", "-map", "0:v", "-map", "1:a"});
    }
    AppendEncoders(format, height, &arguments);
    // "file:" keeps a name that starts with '-' or looks like a protocol a plain file name.
    Append(&arguments, {"-y", "file:" + path});
    return arguments;
}
