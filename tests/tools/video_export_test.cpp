#include "tools/capture/video_export.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "assets/embedded_assets.h"
#include "platform/png_image.h"
#include "program_run.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/ffmpeg_process.h"
#include "tools/capture/pcm_feeder.h"

namespace {

const std::string kCapture = BANNER_CAPTURE;

CaptureOptions Parse(std::vector<const char*> arguments, std::string* error) {
    arguments.insert(arguments.begin(), "banner_capture");
    CaptureOptions options;
    if (!ParseCaptureOptions(static_cast<int>(arguments.size()), arguments.data(), &options,
                             error)) {
        options.Format = VideoFormat::None;
    }
    return options;
}

TEST(VideoOptions, FormatComesFromTheExtensionUnlessNamed) {
    std::string error;
    EXPECT_EQ(Parse({"--video", "out/Show.MP4"}, &error).Format, VideoFormat::Mp4);
    EXPECT_EQ(Parse({"--video", "a.webm", "--format", "gif"}, &error).Format, VideoFormat::Gif);
    EXPECT_EQ(Parse({"--format", "webp", "--video", "a"}, &error).Format, VideoFormat::WebP);
    EXPECT_EQ(Parse({"--video", "clips.v1/show"}, &error).Format, VideoFormat::None);
    EXPECT_NE(error.find(".mp4, .webm, .gif or .webp"), std::string::npos) << error;
}

TEST(VideoOptions, RefusesRangesAndFramePicksThatMakeNoSense) {
    const std::vector<std::vector<const char*>> refused = {
        {"--video", "a.mp4", "--at", "3"},
        {"--video", "a.mp4", "--every", "2"},
        {"--from", "5"},
        {"--format", "mp4"},
        {"--video", "a.mp4", "--from", "5", "--until", "5"},
        {"--video", "a.mp4", "--until", "0"},
        {"--video", "a.mp4", "--format", "avi"},
    };
    for (const auto& arguments : refused) {
        std::string error;
        Parse(arguments, &error);
        EXPECT_FALSE(error.empty()) << arguments[0] << " " << arguments[1];
    }
}

std::vector<uint8_t> ReadAll(int fd) {
    std::vector<uint8_t> bytes;
    uint8_t buffer[256];
    ssize_t read = 0;
    while ((read = ::read(fd, buffer, sizeof buffer)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + read);
    }
    return bytes;
}

// Frame i of the fake track holds the bytes 4i to 4i + 3.
TEST(PcmFeeder, WritesFromItsFirstFrameNeverPastItsLimitThenPadsWithSilence) {
    std::vector<uint8_t> samples(40);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i);
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    PcmFeeder feeder(ends[1], samples, 7);
    feeder.Allow(9);
    usleep(100000);
    fcntl(ends[0], F_SETFL, O_NONBLOCK);
    EXPECT_EQ(ReadAll(ends[0]), std::vector<uint8_t>(samples.begin() + 28, samples.begin() + 36));

    std::string error;
    ASSERT_TRUE(feeder.Finish(13, &error)) << error;
    fcntl(ends[0], F_SETFL, 0);
    std::vector<uint8_t> expected(samples.begin() + 36, samples.end());
    expected.resize(expected.size() + 12, 0);
    EXPECT_EQ(ReadAll(ends[0]), expected);
    close(ends[0]);
}

TEST(PcmFeeder, ReportsAReaderThatWentAway) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    signal(SIGPIPE, SIG_IGN);
    std::vector<uint8_t> samples(4000);
    PcmFeeder feeder(ends[1], samples, 0);
    std::string error;
    EXPECT_FALSE(feeder.Finish(1000, &error));
    EXPECT_FALSE(error.empty());
}

// 37,800 samples a second and 25 frames: frame n starts at sample frame 1512 n.
TEST(VideoExport, FramesStartOnTheirOwnSample) {
    EXPECT_EQ(VideoExport::SampleAt(0), 0u);
    EXPECT_EQ(VideoExport::SampleAt(450), static_cast<uint64_t>(std::lround(18.0 * 37800)));
    EXPECT_EQ(VideoExport::SampleAt(2988), 2988u * 1512u);
}

TEST(VideoExport, WithoutFfmpegSaysHowToInstallIt) {
    const std::string directory = testing::TempDir() + "video_no_ffmpeg";
    std::filesystem::create_directories(directory);
    const std::string file = directory + "/show.mp4";
    const ProgramRun run = RunProgram(kCapture, {"--video", file}, directory);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Output.find("cannot find ffmpeg; install it with: sudo apt-get install ffmpeg"),
              std::string::npos)
        << run.Output;
    EXPECT_FALSE(std::filesystem::exists(file));
}

class VideoFile : public testing::Test {
protected:
    void SetUp() override {
        Ffmpeg = FfmpegProcess::FindOnPath("ffmpeg");
        Ffprobe = FfmpegProcess::FindOnPath("ffprobe");
        if (Ffmpeg.empty() || Ffprobe.empty()) {
            GTEST_SKIP() << "ffmpeg or ffprobe is not installed (sudo apt-get install ffmpeg)";
        }
        Directory = testing::TempDir() + "video_" +
                    testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(Directory);
        std::filesystem::create_directories(Directory);
    }

    std::string Export(const std::string& name, std::vector<std::string> arguments) {
        const std::string file = Directory + "/" + name;
        arguments.insert(arguments.begin(), {"--video", file});
        const ProgramRun run = RunProgram(kCapture, arguments);
        EXPECT_EQ(run.Status, 0) << run.Output;
        EXPECT_NE(run.Output.find("wrote " + file), std::string::npos) << run.Output;
        return file;
    }

    // ffprobe's key=value answers for the streams it selects, and the container's duration.
    std::map<std::string, std::string> Probe(const std::string& file, const std::string& streams) {
        const ProgramRun run = RunProgram(
            Ffprobe, {"-v", "error", "-select_streams", streams, "-show_entries",
                      "stream=codec_name,width,height,r_frame_rate,nb_frames:format=duration",
                      "-of", "default=noprint_wrappers=1", file});
        EXPECT_EQ(run.Status, 0) << run.Output;
        std::map<std::string, std::string> fields;
        std::istringstream lines(run.Output);
        std::string line;
        while (std::getline(lines, line)) {
            const size_t equals = line.find('=');
            if (equals != std::string::npos) {
                fields[line.substr(0, equals)] = line.substr(equals + 1);
            }
        }
        return fields;
    }

    gfx::PngImage DecodeFrame(const std::string& file, int frame) {
        const std::string png = Directory + "/frame" + std::to_string(frame) + ".png";
        const ProgramRun run = RunProgram(
            Ffmpeg, {"-hide_banner", "-loglevel", "error", "-i", file, "-vf",
                     "select=eq(n\\," + std::to_string(frame) + ")", "-frames:v", "1", "-y", png});
        EXPECT_EQ(run.Status, 0) << run.Output;
        return ReadPng(png);
    }

    // The file's sound as 16-bit stereo at the music's own rate.
    std::vector<int16_t> DecodeSound(const std::string& file) {
        const std::string pcm = Directory + "/sound.pcm";
        const ProgramRun run =
            RunProgram(Ffmpeg, {"-hide_banner", "-loglevel", "error", "-i", file, "-vn", "-f",
                                "s16le", "-ar", "37800", "-ac", "2", "-y", pcm});
        EXPECT_EQ(run.Status, 0) << run.Output;
        std::ifstream in(pcm, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    static gfx::PngImage ReadPng(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
        gfx::PngImage image;
        std::string error;
        EXPECT_TRUE(gfx::PngImage::Decode(bytes.data(), bytes.size(), &image, &error)) << path;
        return image;
    }

    std::string Ffmpeg;
    std::string Ffprobe;
    std::string Directory;
};

struct Difference {
    double Mean = 255.0;    // over all pixels and colour channels
    double OnShow = 255.0;  // over the pixels where either picture is not near black
    int ShowPixels = 0;
};

Difference Compare(const gfx::PngImage& a, const gfx::PngImage& b) {
    Difference difference;
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return difference;
    }
    double all = 0.0;
    double shown = 0.0;
    for (size_t i = 0; i < a.Texels().size(); ++i) {
        int sum = 0;
        int brightest = 0;
        for (int shift : {0, 8, 16}) {
            const int x = (a.Texels()[i] >> shift) & 0xFF;
            const int y = (b.Texels()[i] >> shift) & 0xFF;
            sum += std::abs(x - y);
            brightest = std::max({brightest, x, y});
        }
        all += sum / 3.0;
        if (brightest > 24) {
            shown += sum / 3.0;
            ++difference.ShowPixels;
        }
    }
    difference.Mean = all / a.Texels().size();
    difference.OnShow = difference.ShowPixels > 0 ? shown / difference.ShowPixels : 255.0;
    return difference;
}

// Signal to error in dB of the decoded sound against the music from sample frame first on.
double MatchDb(const std::vector<int16_t>& sound, uint64_t first) {
    const std::span<const uint8_t> music = assets::MusicSamples();
    const size_t count = std::min(sound.size(), music.size() / 2 - first * 2);
    double signal = 0.0;
    double error = 0.0;
    for (size_t i = 0; i < count; ++i) {
        int16_t sample = 0;
        std::memcpy(&sample, &music[(first * 2 + i) * 2], 2);
        const double wrong = static_cast<double>(sound[i]) - sample;
        signal += static_cast<double>(sample) * sample;
        error += wrong * wrong;
    }
    return 10.0 * std::log10(signal / std::max(error, 1.0));
}

// From 18 s to 21 s the gears turn: a frame off in either direction shows.
TEST_F(VideoFile, Mp4StretchHasTheShowsSizeRateLengthMusicAndPictures) {
    const std::string file = Export("gears.mp4", {"--from", "18", "--until", "21"});
    std::map<std::string, std::string> video = Probe(file, "v");
    EXPECT_EQ(video["codec_name"], "h264");
    EXPECT_EQ(video["width"], "960");
    EXPECT_EQ(video["height"], "92");
    EXPECT_EQ(video["r_frame_rate"], "25/1");
    EXPECT_EQ(video["nb_frames"], "75");
    EXPECT_NEAR(std::stod(video["duration"]), 3.0, 0.05);
    EXPECT_EQ(Probe(file, "a")["codec_name"], "aac");

    // AAC is lossy, but the cut is sample-exact: one sample either way matches worse.
    const std::vector<int16_t> sound = DecodeSound(file);
    const uint64_t first = 18 * 37800;
    const double match = MatchDb(sound, first);
    EXPECT_GT(match, 6.0);
    for (uint64_t other : {first - 1512, first - 1, first + 1, first + 1512}) {
        EXPECT_GT(match, MatchDb(sound, other) + 2.0) << "the music matches from " << other;
    }

    const ProgramRun png =
        RunProgram(kCapture, {"--at", "20", "--until", "20", "--out", Directory + "/png"});
    ASSERT_EQ(png.Status, 0) << png.Output;
    const gfx::PngImage shown = ReadPng(Directory + "/png/banner_00500_0020.00s.png");
    const Difference same = Compare(DecodeFrame(file, 50), shown);
    EXPECT_GT(same.ShowPixels, 2000) << "the frame is black";
    EXPECT_LT(same.Mean, 2.0);
    EXPECT_LT(same.OnShow, 10.0);
    for (int neighbour : {49, 51}) {
        EXPECT_LT(same.OnShow + 5.0, Compare(DecodeFrame(file, neighbour), shown).OnShow)
            << "frame " << neighbour << " is as close to the show at 20 s as frame 50";
    }
}

TEST_F(VideoFile, WebMCarriesVp9AndOpus) {
    const std::string file = Export("start.webm", {"--until", "1"});
    std::map<std::string, std::string> video = Probe(file, "v");
    EXPECT_EQ(video["codec_name"], "vp9");
    EXPECT_EQ(video["width"], "960");
    EXPECT_EQ(video["height"], "92");
    EXPECT_EQ(video["r_frame_rate"], "25/1");
    EXPECT_NEAR(std::stod(video["duration"]), 1.0, 0.05);
    EXPECT_EQ(Probe(file, "a")["codec_name"], "opus");
}

TEST_F(VideoFile, GifIsSilentAndFrameExact) {
    const std::string file = Export("start.gif", {"--until", "1"});
    std::map<std::string, std::string> video = Probe(file, "v");
    EXPECT_EQ(video["codec_name"], "gif");
    EXPECT_EQ(video["width"], "960");
    EXPECT_EQ(video["height"], "92");
    EXPECT_EQ(video["nb_frames"], "25");
    EXPECT_TRUE(Probe(file, "a").count("codec_name") == 0);
}

uint32_t Little(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    }
    return value;
}

// ffprobe cannot read animated WebP: its RIFF chunks are read here instead.
TEST_F(VideoFile, WebPIsAnAnimationOf40MillisecondFrames) {
    const std::string file = Export("start.webp", {"--until", "1"});
    std::ifstream in(file, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    ASSERT_GT(bytes.size(), 30u);
    ASSERT_EQ(bytes.substr(0, 4) + bytes.substr(8, 8), "RIFFWEBPVP8X");
    EXPECT_TRUE(bytes[20] & 0x02) << "no animation flag";
    EXPECT_EQ(Little(bytes, 24, 3) + 1, 960u);
    EXPECT_EQ(Little(bytes, 27, 3) + 1, 92u);
    std::vector<uint32_t> durations;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = Little(bytes, at + 4, 4);
        if (bytes.compare(at, 4, "ANMF") == 0 && at + 24 <= bytes.size()) {
            durations.push_back(Little(bytes, at + 20, 3));
        }
        at += 8 + size + (size & 1);
    }
    EXPECT_EQ(durations, std::vector<uint32_t>(25, 40));
}

// banner_alt's 89 rows: H.264 gets a black 90th row; VP9 keeps the height.
TEST_F(VideoFile, OddHeightIsPaddedForH264Only) {
    const std::string mp4 = Export("alt.mp4", {"--alt", "--until", "1"});
    EXPECT_EQ(Probe(mp4, "v")["height"], "90");
    const gfx::PngImage frame = DecodeFrame(mp4, 12);
    int bright = 0;
    for (uint32_t x = 0; x < frame.Width(); ++x) {
        bright += (frame.Texel(x, 89) & 0xFFFFFF) > 0x101010;
    }
    EXPECT_EQ(bright, 0);
    EXPECT_EQ(Probe(Export("alt.webm", {"--alt", "--until", "1"}), "v")["height"], "89");
}

}  // namespace
