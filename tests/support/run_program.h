#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;
};

// Runs a program to its end with the arguments (UTF-8) and the bytes on its standard
// input, in the folder given (else the current one), and collects what it printed.
Outcome RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::string& input = {}, const std::filesystem::path& folder = {});

// Sets an environment variable for the programs run, or removes it (nullptr).
void SetVariable(const char* name, const char* value);

} // namespace testing_support
