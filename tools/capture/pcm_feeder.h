#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <thread>

// Writes a stretch of 16-bit stereo PCM into a pipe from a thread of its own, so that a reader
// who wants both this pipe and another one in turn can never stall the writer of either. It
// stays behind the limit it is given, because where the stretch ends is only known at the end.
// Frames past the end of the samples are written as silence.
class PcmFeeder {
public:
    static constexpr size_t FrameBytes = 4;

    // Takes the pipe's write end and closes it when done; sample frame first comes first.
    PcmFeeder(int fd, std::span<const uint8_t> samples, uint64_t first);
    ~PcmFeeder();
    PcmFeeder(const PcmFeeder&) = delete;
    PcmFeeder& operator=(const PcmFeeder&) = delete;

    // Lets the thread write the frames before end.
    void Allow(uint64_t end);
    // Writes the frames before end, closes the pipe and waits for the thread; false with the
    // reason if the reader went away first.
    bool Finish(uint64_t end, std::string* error);

private:
    void Feed();
    bool WriteUpTo(uint64_t end);

    const int Fd;
    const std::span<const uint8_t> Samples;
    uint64_t Next;
    std::mutex Lock;
    std::condition_variable Changed;
    uint64_t Limit;
    bool Last = false;
    bool Broken = false;
    std::thread Writer;
};
