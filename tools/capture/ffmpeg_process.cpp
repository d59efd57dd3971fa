#include "tools/capture/ffmpeg_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

extern char** environ;

namespace {

// The ends handed to the child sit above 9, so dup2 onto fd 0 or 3 is never a no-op that
// would keep close-on-exec set.
bool MakePipe(int* readEnd, int* writeEnd) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        return false;
    }
    *readEnd = fcntl(ends[0], F_DUPFD_CLOEXEC, 10);
    close(ends[0]);
    *writeEnd = ends[1];
    return *readEnd >= 0;
}

void CloseFd(int* fd) {
    if (*fd >= 0) {
        close(*fd);
        *fd = -1;
    }
}

}  // namespace

FfmpegProcess::~FfmpegProcess() {
    CloseStdin();
    CloseFd(&Fd3Write);
    Kill();
    if (ErrorLog != nullptr) {
        std::fclose(ErrorLog);
    }
}

std::string FfmpegProcess::FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream directories(path != nullptr ? path : "/usr/bin:/bin");
    std::string directory;
    while (std::getline(directories, directory, ':')) {
        const std::string candidate = (directory.empty() ? "." : directory) + "/" + name;
        struct stat status {};
        if (stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return "";
}

bool FfmpegProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                          bool withFd3, std::string* error) {
    int stdinRead = -1;
    int fd3Read = -1;
    ErrorLog = std::tmpfile();
    if (ErrorLog == nullptr || !MakePipe(&stdinRead, &StdinWrite) ||
        (withFd3 && !MakePipe(&fd3Read, &Fd3Write))) {
        *error = std::string("cannot set up the pipes to ffmpeg: ") + std::strerror(errno);
        CloseFd(&stdinRead);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, stdinRead, 0);
    posix_spawn_file_actions_adddup2(&actions, fileno(ErrorLog), 2);
    if (withFd3) {
        posix_spawn_file_actions_adddup2(&actions, fd3Read, 3);
    }
    // This process ignores SIGPIPE; the child gets the default back.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const int result =
        posix_spawn(&Child, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    CloseFd(&stdinRead);
    CloseFd(&fd3Read);
    if (result != 0) {
        Child = -1;
        *error = "cannot start " + program + ": " + std::strerror(result);
        return false;
    }
    return true;
}

int FfmpegProcess::TakeFd3Pipe() {
    const int fd = Fd3Write;
    Fd3Write = -1;
    return fd;
}

void FfmpegProcess::CloseStdin() { CloseFd(&StdinWrite); }

bool FfmpegProcess::Wait(std::string* error) {
    CloseStdin();
    CloseFd(&Fd3Write);
    if (Child <= 0) {
        *error = "ffmpeg was not started";
        return false;
    }
    int status = 0;
    while (waitpid(Child, &status, 0) < 0 && errno == EINTR) {
    }
    Child = -1;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return true;
    }
    std::ostringstream reason;
    if (WIFEXITED(status)) {
        reason << "ffmpeg failed with exit status " << WEXITSTATUS(status);
    } else {
        reason << "ffmpeg was ended by signal " << WTERMSIG(status);
    }
    const std::string said = Complaint();
    if (!said.empty()) {
        reason << ":\n" << said;
    }
    *error = reason.str();
    return false;
}

void FfmpegProcess::Kill() {
    if (Child > 0) {
        kill(Child, SIGKILL);
        while (waitpid(Child, nullptr, 0) < 0 && errno == EINTR) {
        }
        Child = -1;
    }
}

bool FfmpegProcess::WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

std::string FfmpegProcess::Complaint() const {
    std::string text;
    if (ErrorLog == nullptr) {
        return text;
    }
    std::rewind(ErrorLog);
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, ErrorLog)) > 0) {
        text.append(buffer, read);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}
