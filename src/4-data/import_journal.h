// Moving the files of an import into a world folder all or nothing, even when
// the import is killed part-way. Import writes every new file into a temporary
// folder inside the world folder (".import.partial-XXXXXX") and syncs them; then
// it writes the journal (".varnok-import-journal", journal_file.h) naming that
// folder, the files and the folders it makes, and only then moves the files in,
// one rename each, every file they replace kept aside in the temporary folder.
// Whoever finds the journal afterwards (the data tool before it reads or writes
// the folder, the game at its start) finishes the moves, or, when the import was
// undoing them, puts every replaced file back: the folder holds the old world or
// the new one, byte for byte. Temporary folders no journal names and nobody
// holds (a kill before the journal was written) are removed.
#pragma once

#include <string>
#include <vector>

extern const char importJournalName[];   // ".varnok-import-journal"
extern const char importStagingPrefix[]; // ".import.partial-"

struct ImportMove {
    std::string staging;              // the temporary folder's name in the world folder
    std::vector<std::string> files;   // '/'-separated names in the world folder
    std::vector<std::string> folders; // folders the import makes there ("music")
    bool undoing;                     // the moves are being undone
};

// Writes the journal of `move` into the world folder `directory` and makes the
// moves; when one cannot be made, the journal turns to undoing and every move is
// undone. Then the journal and the temporary folder are removed. False with
// `problem` naming the file at fault; ending in "; nothing imported" when the
// world is as it was, else the journal and the temporary folder with the
// replaced files stay for the next run.
bool moveImportedFiles(const std::string &directory, const ImportMove &move, std::string &problem);

// Finishes or undoes an import into `directory` that a journal there says was
// interrupted, and removes the temporary folders left by killed imports. True
// when nothing was left to do or it was done, with `done` saying what (empty when
// there was nothing); false with `problem` naming the journal or the file at
// fault, the folder then left as it is. A journal whose temporary folder another
// running import holds is left to it.
bool finishInterruptedImport(const std::string &directory, std::string &done, std::string &problem);
