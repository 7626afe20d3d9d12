// Writing a folder or a set of files so that no reader ever meets a half-written
// one: everything goes into a temporary folder next to the target first and is
// moved into place only when all of it has been written.
#pragma once

#include <string>
#include <vector>

// A new empty folder beside `target` (same file system, so that renames work);
// false with `problem` when it cannot be made.
bool makeStagingFolder(const std::string &target, std::string &staging, std::string &problem);

// Removes a staging folder and everything in it.
void discardStagingFolder(const std::string &staging);

// True when `target` may be replaced by a new export: it does not exist, is an
// empty folder, or holds a folder made by export (a "raw" folder inside).
bool replaceableExport(const std::string &target);

// Puts the staged folder in place of target (the old one is removed).
bool replaceFolder(const std::string &staging, const std::string &target, std::string &problem);

// Moves each named file from the staging folder into target, then removes the
// staging folder.
bool moveFilesInto(const std::string &staging, const std::vector<std::string> &names,
                   const std::string &target, std::string &problem);

// Size in bytes and number of the files under a folder.
void folderSize(const std::string &folder, long long &bytes, int &files);
