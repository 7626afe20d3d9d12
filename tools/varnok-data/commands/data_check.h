// The check command: looks at every file the engine reads from a data directory
// with the engine's own rules (regular files, the LZW header and decoder, the
// picture budget) and lists what would stop or hurt the engine, one line per
// problem, and what the engine repairs as warnings; then whether each colour mode
// is complete.
#pragma once

#include <string>
#include <vector>

struct CheckReport {
    std::vector<std::string> problems; // "<file>: <what is wrong>"
    std::vector<std::string> warnings; // things the engine tolerates
    // The closing lines: one per colour mode checked ("16 colours: complete"), and
    // the --colours 16 hint when only the 16-colour files are complete.
    std::vector<std::string> modes;
};

// Colour modes to check: 4, 16, or 0 for both.
CheckReport checkDataDirectory(const std::string &directory, int mode);
