// The journal files of import and export: the few lines, written and synced
// before the first file is moved, by which the next run finishes or undoes moves
// that a kill interrupted. Text: the first line names the kind of journal, then
// one "key value" line each; in a value every byte below 33, 127 and '%' is
// written as %HH, so that any file name fits on its line.
#pragma once

#include <string>
#include <vector>

struct JournalLine {
    std::string key;
    std::string value;
};
typedef std::vector<JournalLine> Journal;

// Writes the journal at path durably: into path + ".new", synced, renamed over
// path, and the folder synced. False with `problem` naming the file.
bool writeJournal(const std::string &path, const std::string &kind, const Journal &lines,
                  std::string &problem);

// Reads a journal written by writeJournal; false with `problem` naming the file
// (and the line) when it is not one of this kind. A journal is small: a larger
// file is refused unread.
bool readJournal(const std::string &path, const std::string &kind, Journal &lines,
                 std::string &problem);

// Removes the journal (and a ".new" one a kill left) and syncs its folder.
void removeJournal(const std::string &path);

// The values of the lines with this key, in their order.
std::vector<std::string> journalValues(const Journal &lines, const std::string &key);
