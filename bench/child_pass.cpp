#include "bench/child_pass.h"

#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "bench/system_facts.h"

namespace {

[[noreturn]] void BecomeChild(const std::vector<std::string>& arguments, int output) {
    dup2(output, STDOUT_FILENO);
    std::vector<char*> argv;
    static char self[] = "/proc/self/exe";
    argv.push_back(self);
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execv(self, argv.data());
    _exit(127);
}

std::string ReadAll(int input) {
    std::string text;
    char chunk[65536];
    ssize_t got = 0;
    while ((got = read(input, chunk, sizeof chunk)) > 0) {
        text.append(chunk, static_cast<size_t>(got));
    }
    return text;
}

}  // namespace

bool RunChildPass(const BenchmarkOptions& options, const std::string& pass, PassRecord* record,
                  std::string* error) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        *error = "no pipe";
        return false;
    }
    // Built before the fork: the child only execs.
    std::vector<std::string> arguments = ChildArguments(options, pass, system_facts::MonotonicNs());
    pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        BecomeChild(arguments, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    std::string text = child > 0 ? ReadAll(pipeEnds[0]) : "";
    close(pipeEnds[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        *error = "the " + pass + " pass failed";
        return false;
    }
    if (!PassRecord::Parse(text, record)) {
        *error = "the " + pass + " pass reported no frames";
        return false;
    }
    return true;
}
