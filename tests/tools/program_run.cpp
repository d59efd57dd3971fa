#include "program_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

extern char** environ;

namespace {

std::vector<std::string> Environment(const std::string& path) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (path.empty() || std::strncmp(*variable, "PATH=", 5) != 0) {
            variables.emplace_back(*variable);
        }
    }
    if (!path.empty()) {
        variables.push_back("PATH=" + path);
    }
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& path) {
    ProgramRun run;
    FILE* output = std::tmpfile();
    if (output == nullptr) {
        return run;
    }
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = Environment(path);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fileno(output), 1);
    posix_spawn_file_actions_adddup2(&actions, fileno(output), 2);
    pid_t child = -1;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, Pointers(argv).data(),
                    Pointers(environment).data()) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    std::rewind(output);
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, output)) > 0) {
        run.Output.append(buffer, read);
    }
    std::fclose(output);
    return run;
}
