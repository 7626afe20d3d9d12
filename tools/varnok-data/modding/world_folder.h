// The modding folder that export writes and import reads: which data files go
// into it, the names of its pieces, and the bytes of the data files held in memory
// while a folder is made or read.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "formats/formats.h"
#include "inside_folder.h"

// The data files of a world by name ("data.ovl", "tiles.16", ...), as read; the
// music as "music.ini" and "music/<file>".
typedef std::map<std::string, Bytes> FileSet;

// What an export or import found wrong, one line each naming file and place.
typedef std::vector<std::string> Problems;

// The settlement families (0-3 for map kinds 2-5) as their files are named:
// "towne" for "towne.dat" and "towne.npc".
const int familyCount = 4;
std::string familyName(int family);

// The files of one colour mode (4 or 16): the tile file, then the 25 picture files.
std::vector<std::string> modeFileNames(int mode);

// Pieces of the folder.
const char rawFolder[] = "raw";
const char locationsPiece[] = "locations.csv";
const char tileNamesPiece[] = "tile-names.txt";
const char chunkLayoutPiece[] = "chunk-layout.txt";
std::string peoplePiece(int family);                     // "people/towne.csv"
std::string tileSheetPiece(int mode);                    // "tiles-16.png"
std::string fontSheetPiece(int font);                    // "fonts/text.png", "fonts/runes.png"
std::string picturePiece(int mode, int file, int index); // "pictures-16/mon0/03.png"
std::string mapPiece(int kind, int level, const char *extension); // "maps/towne-03.txt"

// Where the data files of a world are read from: `folder`, or its subfolder
// `inside` ("raw/" in an export, "" for a world folder), and whether links below
// `folder` are followed.
struct WorldPlace {
    std::string folder;
    std::string inside;
    LinkRule links;
};

// A file of the music folder: copied a block at a time when a folder is written,
// never held whole, so that the memory an export or import takes does not grow
// with the music.
struct StreamedFile {
    std::string name;     // "music/town.wav"
    std::string relative; // where it is read, below the place's folder
};
typedef std::vector<StreamedFile> StreamedFiles;

// Reads every file a folder of the given modes needs from a place, each found in
// any case of its name as the game finds it, and music.ini; lists the regular
// files of the music folder in `music`. The settlement maps and the music are
// optional. Each data file is read as the engine reads it: a regular file, only
// what its format can use, with a warning on standard error for the rest
// (readDataFileOf). False with a line in `problems` for every file that cannot
// be read.
bool readWorldFiles(const WorldPlace &place, const std::vector<int> &modes, FileSet &files,
                    StreamedFiles &music, Problems &problems);

// Copies a listed music file of place into a new file at path (folders made as
// needed), a block at a time; a block of zero bytes is skipped over, so that a
// sparse file stays sparse. False with `problem` naming the file read, or
// `shownAs` (the name to show for path) when the copy cannot be written.
bool copyStreamedFile(const WorldPlace &place, const StreamedFile &file, const std::string &path,
                      const std::string &shownAs, std::string &problem);

// Whether directory holds the data file `name` as a regular file, in any case.
bool holdsDataFile(const std::string &directory, const std::string &name);

// `name` (folders separated by '/') as it is spelled inside directory: each part
// that is there in another case takes that case; a part that is not there keeps
// its own. Import writes a file under this name, never a second spelling beside
// the one a copy of the game has.
std::string spelledAsIn(const std::string &directory, const std::string &name);

// One data file of a place, read as above; anything but fileAccepted comes with
// `problem` naming it.
FileRefusal readDataFileOf(const WorldPlace &place, const std::string &name, Bytes &bytes,
                           std::string &problem);

// The decoded contents of an LZW container; `problem` names what is wrong.
bool unpackContainer(const Bytes &packed, Bytes &raw, std::string &problem);

// Writes piece bytes over a file at offset. The file grows only when the part
// beyond its end differs from `fill`, the value the engine reads there.
void placeBytes(Bytes &file, size_t offset, const uint8_t *piece, size_t size, uint8_t fill);

// Writes whole files; make parent folders as needed.
bool makeParentFolders(const std::string &path);
bool writeFileMakingFolders(const std::string &path, const Bytes &bytes, std::string &problem);
