// The names of the saves of a world, the same in every store: "save-0001.txt",
// "save-0002.txt" ... numbered in sequence (not by the clock: two saves in one
// second are two saves), and the two names of the versions that kept one save
// and its backup, "save.txt" and "backup.txt", which are older than every
// numbered save, the backup older than the save.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SaveEntry;

// How many numbered saves a world keeps: a save beyond them, the oldest first,
// goes when a new one is made. The two of earlier versions are never removed.
const int keptSaves = 10;

std::string numberedSaveName(int64_t number);

// The number of a numbered save's name; 0 for save.txt and backup.txt; -1 for
// a name that is no save's.
int64_t saveNumberOf(const std::string &name);

// The number after every numbered name among entries.
int64_t nextSaveNumber(const std::vector<SaveEntry> &entries);

// The entries that bear a save's name, newest first.
std::vector<SaveEntry> newestFirst(const std::vector<SaveEntry> &entries);
