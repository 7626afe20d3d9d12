// Helpers shared by the unit tests: a scratch directory that becomes the current
// directory for the test's lifetime, and small file writers.
#pragma once

#include <string>
#include <vector>

// Creates a fresh directory under the system temp dir and changes into it;
// changes back and removes it when destroyed.
struct ScratchDir {
    ScratchDir();
    ~ScratchDir();
    std::string path;
    std::string previous;
};

void writeTextFile(const std::string &path, const std::string &text);
void writeBinaryFile(const std::string &path, const std::vector<unsigned char> &bytes);
