#include "demo_world.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <vector>

#include "4-data/file_formats.h"
#include "4-data/text_font.h"
#include "formats/formats.h"
#include "music_synth.h"
#include "overworld.h"
#include "picture_files.h"
#include "rune_font.h"
#include "settlement_levels.h"
#include "settlement_people.h"
#include "tile_set.h"
#include "underworld.h"
#include "world_places.h"

namespace {

struct Writer {
    std::string directory;
    std::string problem;
};

bool put(Writer &writer, const std::string &name, const Bytes &bytes) {
    std::string path = writer.directory + "/" + name;
    if (!writeBytes(path, bytes)) {
        writer.problem = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

bool makeDirectory(Writer &writer, const std::string &path) {
    if (mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) {
        writer.problem = "cannot create the directory '" + path + "': " + strerror(errno);
        return false;
    }
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        writer.problem = "cannot create the directory '" + path + "': something else is there";
        return false;
    }
    return true;
}

// The directory and every missing folder above it, as "mkdir -p" does.
bool makeDirectories(Writer &writer, const std::string &path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string parent = path.substr(0, slash);
        struct stat info;
        if (stat(parent.c_str(), &info) != 0 && !makeDirectory(writer, parent)) {
            return false;
        }
    }
    return makeDirectory(writer, path);
}

bool writeTables(Writer &writer) {
    std::vector<uint8_t> world = buildOverworld();
    uint8_t layout[256];
    std::vector<Chunk> chunks;
    if (!chunkWorld(world, layout, chunks)) {
        writer.problem = "the overworld needs more than 255 chunks";
        return false;
    }
    std::vector<LocationSpec> locations;
    for (const Place &place : places) {
        locations.push_back(LocationSpec{place.column, place.row, place.name});
    }
    return put(writer, tableFileName, buildTableFile(layout, locations)) &&
           put(writer, overworldFileName, buildChunkFile(chunks)) &&
           put(writer, underworldFileName, buildUnderworldFile(buildUnderworld())) &&
           put(writer, tileNameFileName, buildTileNameFile(tileNames()));
}

bool writeSettlements(Writer &writer) {
    for (uint8_t kind : {towne, castle, keep, dwelling}) {
        std::vector<uint8_t> levels = buildSettlementLevels(kind);
        if (!put(writer, settlementMapFileName(kind), buildSettlementFile(levels)) ||
            !put(writer, characterFileName(kind),
                 buildNpcFile(buildSettlementPeople(kind, levels)))) {
            return false;
        }
    }
    return true;
}

bool writeGraphics(Writer &writer) {
    std::vector<uint8_t> pixels16 = tilePixels16();
    if (!put(writer, tileFileName(false), packLzw(packTiles16(pixels16))) ||
        !put(writer, tileFileName(true), packLzw(packTiles4(tilePixels4(pixels16)))) ||
        !put(writer, textFontFileName, packFont(textFontBits())) ||
        !put(writer, runeFontFileName, packFont(runeFontBits()))) {
        return false;
    }
    for (int k = 0; k < pictureSetCount; ++k) {
        bool masked = k >= firstMaskedSet;
        std::vector<Picture> pictures = picturesOfFile(k);
        if (!put(writer, pictureFileName(k, false),
                 packLzw(buildPictureFile16(pictures, masked))) ||
            !put(writer, pictureFileName(k, true),
                 packLzw(buildPictureFile4(fourColourPictures(pictures), masked)))) {
            return false;
        }
    }
    return true;
}

bool writeMusic(Writer &writer) {
    if (!makeDirectory(writer, writer.directory + "/music")) {
        return false;
    }
    for (int p = 0; p < pieceCount; ++p) {
        if (!put(writer, std::string("music/") + pieceFileName(p), synthesisePiece(p))) {
            return false;
        }
    }
    std::string ini = musicIniText();
    return put(writer, musicTableFileName, Bytes(ini.begin(), ini.end()));
}

} // namespace

bool writeDemoWorld(const std::string &directory, std::string &problem) {
    Writer writer;
    writer.directory = directory;
    bool ok = makeDirectories(writer, directory) && writeTables(writer) &&
              writeSettlements(writer) && writeGraphics(writer) && writeMusic(writer);
    problem = writer.problem;
    return ok;
}
