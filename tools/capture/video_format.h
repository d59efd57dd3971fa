#pragma once

#include <string>
#include <string_view>
#include <vector>

// The kinds of file the capture tool can write the show to, and how ffmpeg makes each.
enum class VideoFormat { None, Mp4, WebM, Gif, WebP };

// "mp4", "webm", "gif" or "webp", in any case; None for anything else.
VideoFormat VideoFormatNamed(std::string_view name);
// The format a file name's extension asks for; None when there is no known extension.
VideoFormat VideoFormatOfPath(std::string_view path);
const char* VideoFormatName(VideoFormat format);
// GIF and WebP carry no sound.
bool VideoFormatHasSound(VideoFormat format);

// The picture's height in the file: 4:2:0 H.264 needs an even one, so an odd picture gets a
// black row below it.
int VideoFormatStoredHeight(VideoFormat format, int height);

inline constexpr int VideoFramesPerSecond = 25;

// ffmpeg's arguments after the program name: raw RGBA frames of width x height on stdin and, for
// formats with sound, 16-bit stereo PCM at musicRate on fd 3; the file goes to path.
std::vector<std::string> FfmpegArguments(VideoFormat format, int width, int height, int musicRate,
                                         const std::string& path);
