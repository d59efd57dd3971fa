#include "tools/capture/capture_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "program_run.h"

namespace {

const std::string kCapture = BANNER_CAPTURE;

bool Parse(std::vector<const char*> arguments, CaptureOptions* options, std::string* error) {
    arguments.insert(arguments.begin(), "banner_capture");
    return ParseCaptureOptions(static_cast<int>(arguments.size()), arguments.data(), options,
                               error);
}

// The last frame is 2988, drawn at 119.52 s; nothing can be captured or pressed after it.
TEST(CaptureOptions, RefusesMomentsAfterTheShowNamingItsLength) {
    const std::vector<std::vector<const char*>> refused = {
        {"--at", "200"},           {"--at", "1e400"},
        {"--at", "3,119.53"},      {"--frame", "99999"},
        {"--frame", "0,2989"},     {"--press-l", "130"},
        {"--press-escape", "inf"}, {"--video", "a.gif", "--from", "119.6"},
    };
    for (const auto& arguments : refused) {
        CaptureOptions options;
        std::string error;
        EXPECT_FALSE(Parse(arguments, &options, &error)) << arguments[1];
        EXPECT_NE(error.find(std::string(arguments[arguments.size() - 2]) + " " + arguments.back() +
                             " is after the show's end"),
                  std::string::npos)
            << error;
        EXPECT_NE(error.find("119.56 s long: frames 0 to 2988"), std::string::npos) << error;
    }
    const std::vector<std::vector<const char*>> accepted = {
        {"--at", "0,119.52"},
        {"--frame", "2988"},
        {"--press-l", "119.52"},
        {"--press-escape", "119.52"},
        {"--video", "a.gif", "--from", "119.52"},
        {"--until", "1e400"},
    };
    for (const auto& arguments : accepted) {
        CaptureOptions options;
        std::string error;
        EXPECT_TRUE(Parse(arguments, &options, &error)) << arguments[1] << ": " << error;
    }
}

TEST(CaptureOptions, FramesAreWholeNumbers) {
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--frame", "3,40", "--frame", "7"}, &options, &error)) << error;
    EXPECT_EQ(options.Frames, (std::vector<uint32_t>{3, 40, 7}));
    for (const char* bad : {"1.5", "-1", "1e400", "x"}) {
        CaptureOptions refused;
        EXPECT_FALSE(Parse({"--frame", bad}, &refused, &error)) << bad;
    }
}

TEST(CaptureTool, BadValuesExitWithStatus2AndVersionShowsTheProjects) {
    const ProgramRun late = RunProgram(kCapture, {"--frame", "99999"});
    EXPECT_EQ(late.Status, 2) << late.Output;
    EXPECT_NE(late.Output.find("119.56 s long"), std::string::npos) << late.Output;
    const ProgramRun version = RunProgram(kCapture, {"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Output, "banner_capture " BANNER_VERSION "\n");
}

// 16.12 s is a hair above 16120 ms in binary; it must still be frame 403's moment.
TEST(CaptureTool, ADecimalMomentCapturesItsOwnFrame) {
    const std::string directory = testing::TempDir() + "capture_decimal";
    std::filesystem::remove_all(directory);
    const ProgramRun run =
        RunProgram(kCapture, {"--at", "16.12", "--until", "16.12", "--out", directory});
    ASSERT_EQ(run.Status, 0) << run.Output;
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        written.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(written, std::vector<std::string>{"banner_00403_0016.12s.png"});
}

}  // namespace
