#pragma once

#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A child program fed through pipes: its stdin and, if asked for, its fd 3. What it says on
// stderr goes to a temporary file, shown only when it fails.
class FfmpegProcess {
public:
    FfmpegProcess() = default;
    // A child still running is killed: it only gets here when the export went wrong.
    ~FfmpegProcess();
    FfmpegProcess(const FfmpegProcess&) = delete;
    FfmpegProcess& operator=(const FfmpegProcess&) = delete;

    // The first executable file called name in $PATH, or an empty string.
    static std::string FindOnPath(const std::string& name);

    // Starts program with the arguments (argv[0] is added); false with the reason on failure.
    bool Start(const std::string& program, const std::vector<std::string>& arguments, bool withFd3,
               std::string* error);

    int StdinPipe() const { return StdinWrite; }
    // The write end of fd 3; whoever takes it closes it.
    int TakeFd3Pipe();
    void CloseStdin();

    // Waits for the child to end; false with its stderr unless it exited with status 0.
    bool Wait(std::string* error);
    // Ends the child at once and reaps it.
    void Kill();

    // Writes everything, retrying short writes; false (errno set) when the reader has gone.
    static bool WriteAll(int fd, const uint8_t* data, size_t size);

private:
    std::string Complaint() const;

    pid_t Child = -1;
    int StdinWrite = -1;
    int Fd3Write = -1;
    FILE* ErrorLog = nullptr;
};
