#pragma once

#include <string>
#include <vector>

// A program run to its end, for tests that drive the tools from outside.
struct ProgramRun {
    int Status = -1;     // the exit status, or -1 when it did not exit normally
    std::string Output;  // stdout and stderr together
};

// Runs program with the arguments and this process's environment, with PATH replaced by path
// when path is not empty.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& path = "");
