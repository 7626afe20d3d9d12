#include "1-app/config/command_line.h"

#include <cstdlib>
#include <cstring>
#include <getopt.h>
#include <string>
#include <vector>

#include "1-app/input/key_bindings.h"
#include "1-app/config/setting_table.h"
#include "1-app/config/settings.h"
#include "4-data/shown_text.h"

namespace {

typedef CommandLineAction (*ApplyOption)(CommandLine &line, const char *value);

// One option as getopt_long and --help see it: one of the program's own, which
// apply handles, or a form of a setting's option.
struct OptionEntry {
    const char *longName;
    char shortName;        // 0: long form only
    const char *valueName; // nullptr: the option takes no value
    const char *help;      // nullptr: an alias left out of --help
    ApplyOption apply;     // nullptr: the option gives row's setting
    const SettingRow *row;
    bool negated; // the negated form of row's option: gives 0
};

CommandLineAction complain(const std::string &problem) {
    fprintf(stderr, "varnok: %s\nTry 'varnok --help'.\n", shownText(problem).c_str());
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

CommandLineAction askHelp(CommandLine &, const char *) {
    return showHelp;
}

CommandLineAction askVersion(CommandLine &, const char *) {
    return showVersion;
}

CommandLineAction askSaves(CommandLine &, const char *) {
    return listSaves;
}

// The options that are no setting, in the order of --help; the settings' options
// stand in the place of the empty entry.
const OptionEntry programOptions[] = {
    {"data", 'd', "DIR", "read the game's data files from DIR (as directory=)", setData, nullptr,
     false},
    {"config", 'c', "FILE", "read the settings from FILE, not the settings.ini files", setConfig,
     nullptr, false},
    {nullptr, 0, nullptr, nullptr, nullptr, nullptr, false},
    {"saves", 0, nullptr, "list the saves of this world, newest first, and exit", askSaves,
     nullptr, false},
    {"help", 'h', nullptr, "show this help and exit", askHelp, nullptr, false},
    {"version", 'V', nullptr, "show the version and exit", askVersion, nullptr, false},
};

void addSettingOption(std::vector<OptionEntry> &all, const SettingOption &option,
                      const SettingRow &row, bool negated) {
    if (option.longName == nullptr) {
        return;
    }
    const char *valueName = negated ? nullptr : row.takes.name;
    all.push_back(
        {option.longName, option.shortName, valueName, option.help, nullptr, &row, negated});
    if (option.alias != nullptr) {
        all.push_back({option.alias, 0, valueName, nullptr, nullptr, &row, negated});
    }
}

// Every option, in the order of --help (aliases right after theirs); an entry's
// place in it is its getopt_long code when it has no letter.
const std::vector<OptionEntry> &options() {
    static std::vector<OptionEntry> all;
    if (!all.empty()) {
        return all;
    }
    for (const OptionEntry &entry : programOptions) {
        if (entry.longName != nullptr) {
            all.push_back(entry);
            continue;
        }
        for (const SettingRow &row : settingTable()) {
            addSettingOption(all, row.option, row, false);
            addSettingOption(all, row.negated, row, true);
        }
    }
    return all;
}

// A setting's option whose value may be left out.
bool optionalValue(const OptionEntry &entry) {
    return entry.row != nullptr && !entry.negated && entry.row->takes.optional;
}

// What a value of row's option may be, for its refusal: "4 or 16", "0 to 4".
std::string wantedValues(const SettingRow &row) {
    const OptionWord *words = row.takes.words;
    if (words[0].word == nullptr) {
        return "0 to " + std::to_string(row.value.highest);
    }
    std::string wanted = words[0].word;
    for (int i = 1; i < optionWordCount && words[i].word != nullptr; i++) {
        bool last = i + 1 == optionWordCount || words[i + 1].word == nullptr;
        wanted += std::string(last ? " or " : ", ") + words[i].word;
    }
    return wanted;
}

// The number an option's value stands for: one of row's words, else the number
// written in plain digits (no sign, no leading zero) in 0..highest.
bool readOptionNumber(const SettingRow &row, const char *value, int32_t &number) {
    const OptionWord *words = row.takes.words;
    if (words[0].word != nullptr) {
        for (int i = 0; i < optionWordCount && words[i].word != nullptr; i++) {
            if (strcmp(value, words[i].word) == 0) {
                number = words[i].number;
                return true;
            }
        }
        return false;
    }
    size_t length = strlen(value);
    if (length == 0 || length > 9 || strspn(value, "0123456789") != length ||
        (value[0] == '0' && length > 1)) {
        return false;
    }
    number = atoi(value);
    return number <= row.value.highest;
}

// A setting's option: a switch gives 1 (its negated form 0), a text option its
// value, a number option the number its value stands for.
CommandLineAction giveSetting(CommandLine &line, const OptionEntry &entry, const char *value) {
    const SettingRow &row = *entry.row;
    GivenSetting given = {&row, entry.negated ? 0 : 1, value};
    if (value != nullptr && row.value.kind == numberKind &&
        !readOptionNumber(row, value, given.number)) {
        return complain(std::string("--") + row.option.longName + " takes " + wantedValues(row) +
                        ", not '" + value + "'");
    }
    line.settings.push_back(given);
    return runTheGame;
}

// getopt_long's code for entry i: its letter, or a number past every letter.
int optionCode(int i) {
    return options()[i].shortName != 0 ? options()[i].shortName : 256 + i;
}

int entryOfCode(int code) {
    for (int i = 0; i < (int)options().size(); i++) {
        if (optionCode(i) == code) {
            return i;
        }
    }
    return -1;
}

// The option word as the user wrote it, without any "=value".
std::string writtenOption(const char *word) {
    const char *equals = strchr(word, '=');
    return equals != nullptr ? std::string(word, equals - word) : std::string(word);
}

// The name of entry i as it was written: "--name" or "-x".
std::string entryName(int i, const char *word) {
    const OptionEntry &entry = options()[i];
    if (strncmp(word, "--", 2) == 0 || entry.shortName == 0) {
        return std::string("--") + entry.longName;
    }
    return std::string("-") + entry.shortName;
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
    for (const OptionEntry &option : options()) {
        matches += strncmp(option.longName, written.c_str() + 2, written.size() - 2) == 0;
    }
    return complain((matches > 1 ? "ambiguous option '" : "unknown option '") + written + "'");
}

} // namespace

CommandLineAction parseCommandLine(int argc, char **argv, CommandLine &line) {
    line = CommandLine{nullptr, nullptr, {}};
    // ':' first: a missing value is told apart from an unknown option; opterr 0:
    // the messages are this program's own.
    std::string shortOptions = ":";
    std::vector<struct option> longOptions;
    for (int i = 0; i < (int)options().size(); i++) {
        const OptionEntry &entry = options()[i];
        int hasValue = entry.valueName == nullptr ? no_argument
                       : optionalValue(entry)     ? optional_argument
                                                  : required_argument;
        longOptions.push_back({entry.longName, hasValue, nullptr, optionCode(i)});
        if (entry.shortName != 0) {
            shortOptions += entry.shortName;
            shortOptions += hasValue ? ":" : "";
        }
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});
    opterr = 0;
    optind = 0; // a fresh scan, also when called again
    CommandLineAction action = runTheGame;
    int code;
    while ((code = getopt_long(argc, argv, shortOptions.c_str(), longOptions.data(), nullptr)) !=
           -1) {
        if (code == '?') {
            return complainAboutOption(argv);
        }
        int entry = entryOfCode(code == ':' ? optopt : code);
        if (code == ':' || (optarg != nullptr && optarg[0] == '\0')) {
            return complain("option '" + entryName(entry, argv[optind - 1]) + "' needs a value");
        }
        const OptionEntry &given = options()[entry];
        const char *value = optarg;
        // "--load 2": the next argument is the value when it is a number.
        if (value == nullptr && optionalValue(given) && optind < argc && argv[optind][0] != '\0' &&
            strspn(argv[optind], "0123456789") == strlen(argv[optind])) {
            value = argv[optind++];
        }
        CommandLineAction result =
            given.apply != nullptr ? given.apply(line, value) : giveSetting(line, given, value);
        if (result == badCommandLine) {
            return result;
        }
        // --help and --version win over whatever else is given, help first;
        // --saves over playing.
        if (result == showHelp || (result == showVersion && action != showHelp) ||
            (result == listSaves && action == runTheGame)) {
            action = result;
        }
    }
    if (action == showHelp || action == showVersion) {
        return action;
    }
    for (int i = optind; i < argc; i++) {
        if (line.dataDirectory != nullptr) {
            return complain(std::string("unexpected argument '") + argv[i] +
                            "': the data directory is already '" + line.dataDirectory + "'");
        }
        line.dataDirectory = argv[i];
    }
    return action;
}

void printUsage(FILE *out) {
    fprintf(out, "Usage: varnok [OPTIONS] [DATA_DIR]\n"
                 "Plays the game from its data files in DATA_DIR, or in the data directory "
                 "found.\n\nOptions:\n");
    for (const OptionEntry &option : options()) {
        if (option.help == nullptr) {
            continue;
        }
        std::string names = option.shortName != 0 ? std::string("-") + option.shortName + ", "
                                                  : std::string("    ");
        names += std::string("--") + option.longName;
        if (option.valueName != nullptr) {
            bool optional = optionalValue(option);
            names += std::string(optional ? " [" : " ") + option.valueName + (optional ? "]" : "");
        }
        fprintf(out, "  %-22s %s\n", names.c_str(), option.help);
    }
    fprintf(out, "\nOptions override the settings files: $XDG_CONFIG_HOME/varnok/settings.ini\n"
                 "(~/.config/varnok/settings.ini), then settings.ini in the current directory,\n"
                 "whose lines win for the keys they set; FILE of --config is read instead.\n"
                 "Without DATA_DIR, --data or directory=, the data are looked for in the current\n"
                 "directory (when it holds data.ovl), then in $XDG_DATA_HOME/varnok/data\n"
                 "(~/.local/share/varnok/data), then in the demo world installed with the game.\n");
    printKeysInForce(out);
}

void printVersion(FILE *out) {
    fprintf(out, "varnok %s\n", VARNOK_VERSION);
}

void applyCommandLine(const CommandLine &line) {
    if (line.dataDirectory != nullptr) {
        free(startUpSettings().directory);
        startUpSettings().directory = strdup(line.dataDirectory);
    }
    for (const GivenSetting &given : line.settings) {
        setSetting(*given.row, given.number, given.text);
    }
}
