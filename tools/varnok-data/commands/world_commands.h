// The export and import commands: a data directory to a folder of PNG pictures
// and plain text that ordinary editors open, and such a folder back to the data
// files. Both print one progress line per group of files and a summary on
// standard output; a refusal is one line on standard error, status 1, and leaves
// the target as it was.
#pragma once

#include <string>

// mode: 4 or 16 for one colour mode, 0 for every mode whose tile file is there.
// Writes into a new or empty folder only; `replace` (--replace) also lets it
// replace an earlier export that nobody changed since (see export_target.h).
int exportWorld(const std::string &directory, const std::string &out, int mode, bool replace);

// All or nothing: the files replace those of `directory` only when every one is
// ready, and a failure while they go in puts back what they replaced; a kill
// while they go in is settled by the next run (finishInterrupted).
int importWorld(const std::string &in, const std::string &directory);

// Settles what a killed import into `folder` (importedInto) or a killed replace of
// it left (import_journal.h, staged_folder.h), saying so on standard error; false
// after a line naming what stands in the way.
bool finishInterrupted(const std::string &folder, bool importedInto);
