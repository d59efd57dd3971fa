#include "tools/capture/pcm_feeder.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "tools/capture/ffmpeg_process.h"

namespace {

constexpr uint64_t ChunkFrames = 8192;

}  // namespace

PcmFeeder::PcmFeeder(int fd, std::span<const uint8_t> samples, uint64_t first)
    : Fd(fd), Samples(samples), Next(first), Limit(first), Writer([this] { Feed(); }) {}

PcmFeeder::~PcmFeeder() {
    std::string ignored;
    Finish(0, &ignored);
}

void PcmFeeder::Allow(uint64_t end) {
    {
        std::lock_guard<std::mutex> guard(Lock);
        Limit = std::max(Limit, end);
    }
    Changed.notify_one();
}

bool PcmFeeder::Finish(uint64_t end, std::string* error) {
    if (!Writer.joinable()) {
        return !Broken;
    }
    {
        std::lock_guard<std::mutex> guard(Lock);
        Limit = std::max(Limit, end);
        Last = true;
    }
    Changed.notify_one();
    Writer.join();
    close(Fd);
    if (Broken) {
        *error = "ffmpeg stopped reading the music";
    }
    return !Broken;
}

void PcmFeeder::Feed() {
    for (;;) {
        uint64_t limit = 0;
        bool last = false;
        {
            std::unique_lock<std::mutex> guard(Lock);
            Changed.wait(guard, [this] { return Last || Limit > Next; });
            limit = Limit;
            last = Last;
        }
        if (!WriteUpTo(limit)) {
            Broken = true;
            return;
        }
        if (last) {
            return;
        }
    }
}

bool PcmFeeder::WriteUpTo(uint64_t end) {
    const uint64_t available = Samples.size() / FrameBytes;
    std::vector<uint8_t> silence;
    while (Next < end) {
        const uint64_t count = std::min(end - Next, ChunkFrames);
        const uint8_t* data = nullptr;
        uint64_t frames = count;
        if (Next < available) {
            frames = std::min(count, available - Next);
            data = Samples.data() + Next * FrameBytes;
        } else {
            silence.resize(count * FrameBytes, 0);
            data = silence.data();
        }
        if (!FfmpegProcess::WriteAll(Fd, data, frames * FrameBytes)) {
            return false;
        }
        Next += frames;
    }
    return true;
}
