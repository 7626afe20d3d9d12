// Which folder export may write into, and the manifest by which it knows its own
// work again. Export writes only into a new or empty folder, or, with --replace,
// over an earlier export whose files are all still as export wrote them; never
// into the world folder, inside it, or over a folder that holds it. A player's
// notes, an edited piece or anything else export did not write is never removed.
#pragma once

#include <string>

// The file export adds to every folder it writes: the size and a digest of each
// file it wrote there.
extern const char manifestPiece[];

// Checks that `out` may receive an export of the world folder `directory`, before
// anything is read or written; false with one line naming the folder and the
// reason. `replace` is the --replace option.
bool exportTargetAllowed(const std::string &directory, const std::string &out, bool replace,
                         std::string &problem);

// True when `folder` holds exactly what its manifest lists, each file with the
// bytes export wrote; else `reason` names one file that was changed, removed or
// not written by export (without the folder, which may stand elsewhere by now).
bool unchangedExport(const std::string &folder, std::string &reason);

// Writes the manifest of every file under `folder`.
bool writeManifest(const std::string &folder, std::string &problem);
