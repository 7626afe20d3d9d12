// varnok-data: the companion tool that writes the demo world, checks a data
// directory, draws the program's icon, packs and unpacks the LZW container, and
// exports a world to PNG pictures and text and imports it back.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <getopt.h>
#include <string>
#include <sys/stat.h>

#include "4-data/shown_text.h"
#include "data_check.h"
#include "demo/demo_world.h"
#include "hero_icon.h"
#include "lzw_commands.h"
#include "world_commands.h"

namespace {

// What the options before, between or after the words gave.
struct ToolOptions {
    int mode;     // --mode: 4, 16, or 0 for both
    bool replace; // --replace: export may replace an earlier, unchanged export
};

typedef int (*CommandFunction)(char **words, const ToolOptions &options);

struct Command {
    const char *name;
    const char *usage;
    int arguments; // words after the command name
    bool takesMode;
    bool takesReplace;
    CommandFunction run;
};

int runDemo(char **words, const ToolOptions &) {
    std::string problem;
    if (!writeDemoWorld(words[0], problem)) {
        fprintf(stderr, "varnok-data: %s\n", shownText(problem).c_str());
        return 1;
    }
    return 0;
}

int runCheck(char **words, const ToolOptions &options) {
    const char *directory = words[0];
    struct stat info;
    std::string shown = shownText(directory);
    if (stat(directory, &info) != 0) {
        fprintf(stderr, "varnok-data: '%s' does not exist\n", shown.c_str());
        return 2;
    }
    if (!S_ISDIR(info.st_mode)) {
        fprintf(stderr, "varnok-data: '%s' is not a folder\n", shown.c_str());
        return 2;
    }
    // The world checked is the one the game would play: after an interrupted
    // import is settled, as the game's start settles it.
    finishInterrupted(directory, true);
    CheckReport report = checkDataDirectory(directory, options.mode);
    for (const std::string &line : report.warnings) {
        printf("warning: %s\n", shownText(line).c_str());
    }
    for (const std::string &line : report.problems) {
        printf("%s\n", shownText(line).c_str());
    }
    // "No problems" right under a warning would read as a contradiction.
    size_t warnings = report.warnings.size();
    if (report.problems.empty() && warnings == 0) {
        printf("%s: no problems found\n", shown.c_str());
    } else if (report.problems.empty()) {
        printf("%s: no errors; %zu warning%s\n", shown.c_str(), warnings, warnings == 1 ? "" : "s");
    }
    for (const std::string &line : report.modes) {
        printf("%s\n", line.c_str());
    }
    return report.problems.empty() ? 0 : 1;
}

int runIcon(char **words, const ToolOptions &) {
    char *end = nullptr;
    long size = strtol(words[0], &end, 10);
    if (end == words[0] || *end != '\0' || !isIconSize(size)) {
        fprintf(stderr, "varnok-data: icon size '%s': use %s\n", shownWord(words[0]).c_str(),
                iconSizeList);
        return 2;
    }
    std::string problem;
    if (!writeHeroIcon(words[1], (int)size, problem)) {
        fprintf(stderr, "varnok-data: %s\n", shownText(problem).c_str());
        return 1;
    }
    return 0;
}

int runUnpack(char **words, const ToolOptions &) {
    return unpackFile(words[0], words[1]);
}

int runPack(char **words, const ToolOptions &) {
    return packFile(words[0], words[1]);
}

int runExport(char **words, const ToolOptions &options) {
    return exportWorld(words[0], words[1], options.mode, options.replace);
}

int runImport(char **words, const ToolOptions &) {
    return importWorld(words[0], words[1]);
}

const Command commands[] = {
    {"demo", "demo DIR                 write the demo world (both colour modes, music) into DIR", 1,
     false, false, runDemo},
    {"check",
     "check DIR [--mode 4|16]  check the files the engine reads (both colour modes unless\n"
     "                                       --mode); exit 1 on problems",
     1, true, false, runCheck},
    {"icon", "icon SIZE FILE           draw the program's icon, SIZE x SIZE pixels, as a PNG", 2,
     false, false, runIcon},
    {"unpack", "unpack IN OUT            LZW container IN to raw bytes OUT", 2, false, false,
     runUnpack},
    {"pack", "pack IN OUT              raw bytes IN to LZW container OUT", 2, false, false,
     runPack},
    {"export",
     "export DIR OUT [--mode 4|16] [--replace]\n"
     "                                       data files of DIR to PNG pictures and text in OUT,\n"
     "                                       a new or empty folder (--replace: or an earlier\n"
     "                                       export left unchanged)",
     2, true, true, runExport},
    {"import", "import IN DIR            a folder made by export back to the data files of DIR", 2,
     false, false, runImport},
};

void printUsage(FILE *out) {
    fprintf(out, "usage: varnok-data COMMAND ...\n");
    for (const Command &command : commands) {
        fprintf(out, "  varnok-data %s\n", command.usage);
    }
    fprintf(out, "options: -h, --help     show this help and exit\n"
                 "         -V, --version  show the version and exit\n"
                 "exit status: 0 done, 1 failed, 2 bad command line\n");
}

int complain(const std::string &problem) {
    fprintf(stderr, "varnok-data: %s\nTry 'varnok-data --help'.\n", shownText(problem).c_str());
    return 2;
}

// The usage line of one command: its words, without the description.
std::string commandWords(const Command &command) {
    std::string usage = command.usage;
    size_t gap = std::min(usage.find("  "), usage.find('\n'));
    return usage.substr(0, gap);
}

} // namespace

int main(int argc, char **argv) {
    const struct option longOptions[] = {{"help", no_argument, nullptr, 'h'},
                                         {"version", no_argument, nullptr, 'V'},
                                         {"mode", required_argument, nullptr, 'm'},
                                         {"replace", no_argument, nullptr, 'r'},
                                         {nullptr, 0, nullptr, 0}};
    ToolOptions options = {0, false};
    bool modeGiven = false;
    opterr = 0;
    int code;
    while ((code = getopt_long(argc, argv, ":hV", longOptions, nullptr)) != -1) {
        switch (code) {
        case 'h':
            printUsage(stdout);
            return 0;
        case 'V':
            printf("varnok-data %s\n", VARNOK_VERSION);
            return 0;
        case 'm':
            if (strcmp(optarg, "4") != 0 && strcmp(optarg, "16") != 0) {
                return complain(std::string("--mode takes 4 or 16, not '") + optarg + "'");
            }
            options.mode = atoi(optarg);
            modeGiven = true;
            break;
        case 'r':
            options.replace = true;
            break;
        case ':':
            return complain("option '--mode' needs a value");
        default:
            return complain(
                "unknown option '" +
                (optopt != 0 ? std::string("-") + (char)optopt : std::string(argv[optind - 1])) +
                "'");
        }
    }
    if (optind >= argc) {
        printUsage(stderr);
        return 2;
    }
    const char *name = argv[optind];
    char **words = argv + optind + 1;
    int wordCount = argc - optind - 1;
    for (const Command &command : commands) {
        if (strcmp(name, command.name) != 0) {
            continue;
        }
        if (wordCount != command.arguments) {
            return complain("usage: varnok-data " + commandWords(command));
        }
        if (modeGiven && !command.takesMode) {
            return complain(std::string("--mode applies to check and export only"));
        }
        if (options.replace && !command.takesReplace) {
            return complain(std::string("--replace applies to export only"));
        }
        return command.run(words, options);
    }
    return complain(std::string("unknown command '") + name + "'");
}
