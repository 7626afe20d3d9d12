#include "1-app/saves/save_names.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "1-app/saves/save_store.h"

namespace {

const char prefix[] = "save-";
const char suffix[] = ".txt";

// Newer first: the higher number, then save.txt before backup.txt.
int64_t age(const SaveEntry &entry) {
    int64_t number = saveNumberOf(entry.name);
    return number > 0 ? -number : (entry.name == "save.txt" ? 0 : 1);
}

} // namespace

std::string numberedSaveName(int64_t number) {
    char name[40];
    snprintf(name, sizeof name, "%s%04lld%s", prefix, (long long)number, suffix);
    return name;
}

int64_t saveNumberOf(const std::string &name) {
    if (name == "save.txt" || name == "backup.txt") {
        return 0;
    }
    size_t digits = name.size() - strlen(prefix) - strlen(suffix);
    if (name.size() <= strlen(prefix) + strlen(suffix) || name.compare(0, 5, prefix) != 0 ||
        name.compare(name.size() - 4, 4, suffix) != 0 || digits > 15) {
        return -1;
    }
    std::string number = name.substr(strlen(prefix), digits);
    if (number.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    int64_t value = std::stoll(number);
    // One spelling a number: save-0012.txt, not save-012.txt.
    return value > 0 && numberedSaveName(value) == name ? value : -1;
}

int64_t nextSaveNumber(const std::vector<SaveEntry> &entries) {
    int64_t highest = 0;
    for (const SaveEntry &entry : entries) {
        highest = std::max(highest, saveNumberOf(entry.name));
    }
    return highest + 1;
}

std::vector<SaveEntry> newestFirst(const std::vector<SaveEntry> &entries) {
    std::vector<SaveEntry> sorted;
    for (const SaveEntry &entry : entries) {
        if (saveNumberOf(entry.name) >= 0) {
            sorted.push_back(entry);
        }
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const SaveEntry &a, const SaveEntry &b) { return age(a) < age(b); });
    return sorted;
}
