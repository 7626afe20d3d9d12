// The program's command line: "varnok [OPTIONS] [DATA_DIR]", read before anything
// opens. What it gives overrides the settings file; what it leaves out leaves the
// settings as they are.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

struct SettingRow;

// A setting an option gave: a number, or a text that points into argv.
struct GivenSetting {
    const SettingRow *row;
    int32_t number;
    const char *text;
};

struct CommandLine {
    const char *configFile;             // --config FILE; nullptr: look for settings.ini
    const char *dataDirectory;          // DATA_DIR or --data DIR; nullptr: not given
    std::vector<GivenSetting> settings; // in the order given: a later one wins
};

enum CommandLineAction {
    runTheGame,
    showHelp,       // --help: usage on standard output, status 0
    showVersion,    // --version: "varnok X.Y.Z" on standard output, status 0
    listSaves,      // --saves: the saves of the world on standard output, status 0
    badCommandLine, // the problem and "Try 'varnok --help'." are on standard error; status 2
};

// Reads argv (which getopt_long may reorder). The texts in line point into argv.
CommandLineAction parseCommandLine(int argc, char **argv, CommandLine &line);

// The usage, the options and the keys in force (read from the settings).
void printUsage(FILE *out);
void printVersion(FILE *out);

// Puts what the command line gave over the settings read from the file.
void applyCommandLine(const CommandLine &line);
