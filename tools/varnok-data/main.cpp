// varnok-data: the companion tool that writes the demo world, checks a data
// directory, draws the program's icon, packs and unpacks the LZW container, and
// exports a world to PNG pictures and text and imports it back.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data_check.h"
#include "demo_world.h"
#include "hero_icon.h"
#include "lzw_commands.h"
#include "world_commands.h"

namespace {

typedef int (*CommandFunction)(int argc, char **argv);

struct Command {
    const char *name;
    const char *usage;
    int arguments; // required arguments after the command name
    CommandFunction run;
};

int runDemo(int, char **argv) {
    std::string problem;
    if (!writeDemoWorld(argv[2], problem)) {
        fprintf(stderr, "varnok-data: %s\n", problem.c_str());
        return 1;
    }
    return 0;
}

int runCheck(int argc, char **argv) {
    int mode = 0;
    if (argc == 5 && strcmp(argv[3], "--mode") == 0 &&
        (strcmp(argv[4], "4") == 0 || strcmp(argv[4], "16") == 0)) {
        mode = atoi(argv[4]);
    } else if (argc != 3) {
        fprintf(stderr, "varnok-data: check DIR [--mode 4|16]\n");
        return 2;
    }
    CheckReport report = checkDataDirectory(argv[2], mode);
    for (const std::string &line : report.warnings) {
        printf("warning: %s\n", line.c_str());
    }
    for (const std::string &line : report.problems) {
        printf("%s\n", line.c_str());
    }
    if (report.problems.empty()) {
        printf("%s: sound\n", argv[2]);
        return 0;
    }
    return 1;
}

int runIcon(int, char **argv) {
    char *end = nullptr;
    long size = strtol(argv[2], &end, 10);
    if (end == argv[2] || *end != '\0' || !isIconSize(size)) {
        fprintf(stderr, "varnok-data: icon size '%s': use 16, 32, 64, 128 or 256\n", argv[2]);
        return 2;
    }
    std::string problem;
    if (!writeHeroIcon(argv[3], (int)size, problem)) {
        fprintf(stderr, "varnok-data: %s\n", problem.c_str());
        return 1;
    }
    return 0;
}

int runUnpack(int, char **argv) {
    return unpackFile(argv[2], argv[3]);
}

int runPack(int, char **argv) {
    return packFile(argv[2], argv[3]);
}

int runExport(int argc, char **argv) {
    int mode = 0;
    if (argc == 6 && strcmp(argv[4], "--mode") == 0 &&
        (strcmp(argv[5], "4") == 0 || strcmp(argv[5], "16") == 0)) {
        mode = atoi(argv[5]);
    } else if (argc != 4) {
        fprintf(stderr, "varnok-data: export DIR OUT [--mode 4|16]\n");
        return 2;
    }
    return exportWorld(argv[2], argv[3], mode);
}

int runImport(int, char **argv) {
    return importWorld(argv[2], argv[3]);
}

const Command commands[] = {
    {"demo", "demo DIR                 write the demo world (both colour modes, music) into DIR", 1,
     runDemo},
    {"check", "check DIR [--mode 4|16]  check the files the engine reads; exit 1 on problems", 1,
     runCheck},
    {"icon", "icon SIZE FILE           draw the program's icon, SIZE x SIZE pixels, as a PNG", 2,
     runIcon},
    {"unpack", "unpack IN OUT            LZW container IN to raw bytes OUT", 2, runUnpack},
    {"pack", "pack IN OUT              raw bytes IN to LZW container OUT", 2, runPack},
    {"export", "export DIR OUT [--mode 4|16]  data files of DIR to PNG pictures and text in OUT", 2,
     runExport},
    {"import", "import IN DIR            a folder made by export back to the data files of DIR", 2,
     runImport},
};

void printUsage(FILE *out) {
    fprintf(out, "usage: varnok-data COMMAND ...\n");
    for (const Command &command : commands) {
        fprintf(out, "  varnok-data %s\n", command.usage);
    }
}

} // namespace

int main(int argc, char **argv) {
    if (argc >= 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0)) {
        printUsage(stdout);
        return 0;
    }
    for (const Command &command : commands) {
        if (argc >= 2 && strcmp(argv[1], command.name) == 0) {
            if (argc < 2 + command.arguments ||
                (command.run != runCheck && command.run != runExport &&
                 argc != 2 + command.arguments)) {
                fprintf(stderr, "usage: varnok-data %s\n", command.usage);
                return 2;
            }
            return command.run(argc, argv);
        }
    }
    printUsage(stderr);
    return 2;
}
