// Writing a folder or a set of files so that no reader ever meets a half-written
// one and a failure leaves what was there: everything goes into a temporary
// folder next to the target first, synced, and is moved into place only when all
// of it has been written; what it replaces is kept until everything is in place.
// Replacing a folder is journalled beside it (".OUT.export-journal": the names of
// the new folder and of the one holding the old), so that the next run puts the
// old folder back or keeps the new one whole after a kill between the renames.
#pragma once

#include <string>

// Whether an existing folder may be replaced; false with the reason, which names
// no folder (the folder is checked where it was moved aside).
typedef bool (*ReplaceCheck)(const std::string &folder, std::string &reason);

// A new empty folder beside `target` (same file system, so that renames work),
// ".LEAF.partial-XXXXXX", held by this process (synced_files.h) until it is
// discarded or put in place; false with `problem` when it cannot be made.
bool makeStagingFolder(const std::string &target, std::string &staging, std::string &problem);

// Removes a staging folder and everything in it.
void discardStagingFolder(const std::string &staging);

// Lets go of a staging folder that was moved or removed, or must stay for the
// next run (it holds files a failed import could not put back).
void releaseStagingFolder(const std::string &staging);

// Puts the staged folder in place of `target`: at once when target is missing or
// an empty folder, else only when `mayReplace` (nullptr: never) accepts the old
// folder, which is then removed. On failure target is as it was.
bool replaceFolder(const std::string &staging, const std::string &target, ReplaceCheck mayReplace,
                   std::string &problem);

// Before anything reads or writes `target`: a replace of it that a kill
// interrupted is settled by its journal (the old folder back unless the new one
// was already in place), and the temporary folders that killed runs left beside
// it are removed, unless another run holds them. True with `done` saying what was
// settled (empty when nothing was); false with `problem`, everything left as it is.
bool finishInterruptedReplace(const std::string &target, std::string &done, std::string &problem);

// Size in bytes and number of the files under a folder.
void folderSize(const std::string &folder, long long &bytes, int &files);
