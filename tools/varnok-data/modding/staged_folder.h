// Writing a folder or a set of files so that no reader ever meets a half-written
// one and a failure leaves what was there: everything goes into a temporary
// folder next to the target first and is moved into place only when all of it
// has been written; what it replaces is kept until everything is in place.
#pragma once

#include <string>
#include <vector>

// Whether an existing folder may be replaced; false with the reason, which names
// no folder (the folder is checked where it was moved aside).
typedef bool (*ReplaceCheck)(const std::string &folder, std::string &reason);

// A new empty folder beside `target` (same file system, so that renames work);
// false with `problem` when it cannot be made.
bool makeStagingFolder(const std::string &target, std::string &staging, std::string &problem);

// Removes a staging folder and everything in it.
void discardStagingFolder(const std::string &staging);

// Puts the staged folder in place of `target`: at once when target is missing or
// an empty folder, else only when `mayReplace` (nullptr: never) accepts the old
// folder, which is then removed. On failure target is as it was.
bool replaceFolder(const std::string &staging, const std::string &target, ReplaceCheck mayReplace,
                   std::string &problem);

// Moves each named file (which may lie in a folder: "music/town.wav", whose folder
// target must have) from the staging folder into target, all or nothing: the
// files they replace are kept aside until every one is in place, and put back
// when one cannot be placed (a folder standing where a file goes). The staging
// folder is removed unless it must keep a file that could not be put back.
bool moveFilesInto(const std::string &staging, const std::vector<std::string> &names,
                   const std::string &target, std::string &problem);

// Size in bytes and number of the files under a folder.
void folderSize(const std::string &folder, long long &bytes, int &files);
