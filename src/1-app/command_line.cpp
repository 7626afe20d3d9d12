#include "1-app/command_line.h"

#include <cstdlib>
#include <cstring>
#include <getopt.h>
#include <string>

#include "1-app/settings.h"

namespace {

typedef CommandLineAction (*ApplyOption)(CommandLine &line, const char *value);

struct OptionEntry {
    const char *longName;
    char shortName;        // 0: long form only
    const char *valueName; // nullptr: the option takes no value
    const char *help;      // nullptr: an alias left out of --help
    ApplyOption apply;
};

// A value the option refuses: one line naming both, then the hint.
CommandLineAction refuse(const char *option, const char *wanted, const char *value) {
    fprintf(stderr, "varnok: --%s takes %s, not '%s'\n", option, wanted, value);
    fprintf(stderr, "Try 'varnok --help'.\n");
    return badCommandLine;
}

CommandLineAction setData(CommandLine &line, const char *value) {
    line.dataDirectory = value;
    return runTheGame;
}

CommandLineAction setConfig(CommandLine &line, const char *value) {
    line.configFile = value;
    return runTheGame;
}

CommandLineAction setFullscreen(CommandLine &line, const char *) {
    line.fullscreen = 1;
    return runTheGame;
}

CommandLineAction setWindow(CommandLine &line, const char *) {
    line.fullscreen = 0;
    return runTheGame;
}

CommandLineAction setColours(CommandLine &line, const char *value) {
    if (strcmp(value, "4") == 0) {
        line.video = 1;
    } else if (strcmp(value, "16") == 0) {
        line.video = 0;
    } else {
        return refuse("colours", "4 or 16", value);
    }
    return runTheGame;
}

CommandLineAction setMusic(CommandLine &line, const char *) {
    line.music = 1;
    return runTheGame;
}

CommandLineAction setNoMusic(CommandLine &line, const char *) {
    line.music = 0;
    return runTheGame;
}

CommandLineAction setScale(CommandLine &line, const char *value) {
    if (strlen(value) != 1 || value[0] < '0' || value[0] > '4') {
        return refuse("scale", "0 to 4", value);
    }
    line.scale = value[0] - '0';
    return runTheGame;
}

CommandLineAction setAspect(CommandLine &line, const char *) {
    line.aspect = 1;
    return runTheGame;
}

CommandLineAction setNoAspect(CommandLine &line, const char *) {
    line.aspect = 0;
    return runTheGame;
}

CommandLineAction setScreenshots(CommandLine &line, const char *value) {
    line.screenshots = value;
    return runTheGame;
}

CommandLineAction askHelp(CommandLine &, const char *) {
    return showHelp;
}

CommandLineAction askVersion(CommandLine &, const char *) {
    return showVersion;
}

const OptionEntry options[] = {
    {"data", 'd', "DIR", "read the game's data files from DIR (as directory=)", setData},
    {"config", 'c', "FILE", "read the settings from FILE instead of settings.ini", setConfig},
    {"fullscreen", 'f', nullptr, "play full screen (as fullscreen=1)", setFullscreen},
    {"window", 'w', nullptr, "play in a window (as fullscreen=0)", setWindow},
    {"colours", 0, "4|16", "4-colour or 16-colour graphics (as video=1 or video=0)", setColours},
    {"colors", 0, "4|16", nullptr, setColours},
    {"music", 0, nullptr, "play music (as music=1)", setMusic},
    {"no-music", 0, nullptr, "no music (as music=0)", setNoMusic},
    {"scale", 0, "N", "N times 640x400, 0 fits the desktop (as scale=N)", setScale},
    {"aspect", 0, nullptr, "stretch the picture to 4:3 (as aspect=1)", setAspect},
    {"no-aspect", 0, nullptr, "square pixels (as aspect=0)", setNoAspect},
    {"screenshots", 0, "DIR", "save screenshots (F12) into DIR (as screenshots=)", setScreenshots},
    {"help", 'h', nullptr, "show this help and exit", askHelp},
    {"version", 'V', nullptr, "show the version and exit", askVersion},
};

const int optionCount = sizeof options / sizeof options[0];

// getopt_long's code for entry i: its letter, or a number past every letter.
int optionCode(int i) {
    return options[i].shortName != 0 ? options[i].shortName : 256 + i;
}

int entryOfCode(int code) {
    for (int i = 0; i < optionCount; i++) {
        if (optionCode(i) == code) {
            return i;
        }
    }
    return -1;
}

CommandLineAction complain(const std::string &problem) {
    fprintf(stderr, "varnok: %s\nTry 'varnok --help'.\n", problem.c_str());
    return badCommandLine;
}

// The option word as the user wrote it, without any "=value".
std::string writtenOption(const char *word) {
    const char *equals = strchr(word, '=');
    return equals != nullptr ? std::string(word, equals - word) : std::string(word);
}

// The name of entry i as it was written: "--name" or "-x".
std::string entryName(int i, const char *word) {
    if (strncmp(word, "--", 2) == 0 || options[i].shortName == 0) {
        return std::string("--") + options[i].longName;
    }
    return std::string("-") + options[i].shortName;
}

// getopt_long's '?': an unknown or ambiguous option, or a value given to an
// option that takes none.
CommandLineAction complainAboutOption(char **argv) {
    const char *word = argv[optind - 1];
    int entry = entryOfCode(optopt);
    if (entry >= 0 && strncmp(word, "--", 2) == 0) {
        return complain("option '" + writtenOption(word) + "' takes no value");
    }
    if (optopt != 0) {
        return complain(std::string("unknown option '-") + (char)optopt + "'");
    }
    std::string written = writtenOption(word);
    int matches = 0;
    for (const OptionEntry &option : options) {
        matches += strncmp(option.longName, written.c_str() + 2, written.size() - 2) == 0;
    }
    return complain((matches > 1 ? "ambiguous option '" : "unknown option '") + written + "'");
}

} // namespace

CommandLineAction parseCommandLine(int argc, char **argv, CommandLine &line) {
    line = CommandLine{nullptr, nullptr, notGiven, notGiven, notGiven, notGiven, notGiven, nullptr};
    // ':' first: a missing value is told apart from an unknown option; opterr 0:
    // the messages are this program's own.
    std::string shortOptions = ":";
    struct option longOptions[optionCount + 1];
    for (int i = 0; i < optionCount; i++) {
        int hasValue = options[i].valueName != nullptr ? required_argument : no_argument;
        longOptions[i] = {options[i].longName, hasValue, nullptr, optionCode(i)};
        if (options[i].shortName != 0) {
            shortOptions += options[i].shortName;
            shortOptions += hasValue ? ":" : "";
        }
    }
    longOptions[optionCount] = {nullptr, 0, nullptr, 0};
    opterr = 0;
    optind = 0; // a fresh scan, also when called again
    CommandLineAction action = runTheGame;
    int code;
    while ((code = getopt_long(argc, argv, shortOptions.c_str(), longOptions, nullptr)) != -1) {
        if (code == '?') {
            return complainAboutOption(argv);
        }
        int entry = entryOfCode(code == ':' ? optopt : code);
        if (code == ':' || (optarg != nullptr && optarg[0] == '\0')) {
            return complain("option '" + entryName(entry, argv[optind - 1]) + "' needs a value");
        }
        CommandLineAction result = options[entry].apply(line, optarg);
        if (result == badCommandLine) {
            return result;
        }
        // --help and --version win over whatever else is given, help first.
        if (result == showHelp || (result == showVersion && action == runTheGame)) {
            action = result;
        }
    }
    if (action != runTheGame) {
        return action;
    }
    for (int i = optind; i < argc; i++) {
        if (line.dataDirectory != nullptr) {
            return complain(std::string("unexpected argument '") + argv[i] +
                            "': the data directory is already '" + line.dataDirectory + "'");
        }
        line.dataDirectory = argv[i];
    }
    return runTheGame;
}

void printUsage(FILE *out) {
    fprintf(out, "Usage: varnok [OPTIONS] [DATA_DIR]\n"
                 "Plays the game from its data files in DATA_DIR, or in the data directory "
                 "found.\n\nOptions:\n");
    for (const OptionEntry &option : options) {
        if (option.help == nullptr) {
            continue;
        }
        std::string names = option.shortName != 0 ? std::string("-") + option.shortName + ", "
                                                  : std::string("    ");
        names += std::string("--") + option.longName;
        if (option.valueName != nullptr) {
            names += std::string(" ") + option.valueName;
        }
        fprintf(out, "  %-22s %s\n", names.c_str(), option.help);
    }
    fprintf(out,
            "\nOptions override the settings file: FILE of --config, else settings.ini in the\n"
            "current directory, else $XDG_CONFIG_HOME/varnok/settings.ini\n"
            "(~/.config/varnok/settings.ini).\n"
            "Without DATA_DIR, --data or directory=, the data are looked for in the current\n"
            "directory (when it holds data.ovl), then in $XDG_DATA_HOME/varnok/data\n"
            "(~/.local/share/varnok/data), then in the demo world installed with the game.\n");
}

void printVersion(FILE *out) {
    fprintf(out, "varnok %s\n", VARNOK_VERSION);
}

void applyCommandLine(const CommandLine &line) {
    if (line.dataDirectory != nullptr) {
        free(settings.directory);
        settings.directory = strdup(line.dataDirectory);
    }
    if (line.fullscreen != notGiven) {
        settings.fullscreen = line.fullscreen;
    }
    if (line.music != notGiven) {
        settings.music = line.music;
    }
    if (line.video != notGiven) {
        settings.video = line.video;
    }
    if (line.scale != notGiven) {
        settings.scale = line.scale;
    }
    if (line.aspect != notGiven) {
        settings.aspect = line.aspect;
    }
    if (line.screenshots != nullptr) {
        free(settings.screenshots);
        settings.screenshots = strdup(line.screenshots);
    }
}
