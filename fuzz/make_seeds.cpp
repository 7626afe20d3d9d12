// Writes the seed corpora of the fuzz targets into a directory: the demo world's
// files, unpacked where a target takes raw bytes, each behind the selector bytes
// its target reads first, a few small files made with the format writers, and the
// pieces of an export of the demo world for import's readers.
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "2-play/save_text.h"
#include "4-data/maps.h"
#include "4-data/lzw.h"
#include "commands/world_commands.h"
#include "demo/demo_world.h"
#include "formats/formats.h"
#include "fuzz_support.h"

namespace {

// Larger seeds slow every run of a target down more than they add.
const size_t largestSeed = 48 * 1024;

std::string out;
std::string world;

void makeDirectory(const std::string &path) {
    mkdir(path.c_str(), 0755);
}

Bytes worldFile(const std::string &name) {
    Bytes bytes;
    if (!readBytes(world + "/" + name, bytes)) {
        fprintf(stderr, "make_seeds: cannot read %s\n", name.c_str());
    }
    return bytes;
}

void writeSeed(const char *target, const std::string &name, const Bytes &prefix, const Bytes &body,
               size_t largest = largestSeed) {
    if (body.size() > largest) {
        return;
    }
    Bytes seed = prefix;
    seed.insert(seed.end(), body.begin(), body.end());
    std::string dir = out + "/" + target;
    makeDirectory(dir);
    writeBytes(dir + "/" + name, seed);
}

// The decompressed bytes of a container: a 4-byte size, then codewords.
Bytes unpacked(const Bytes &packed) {
    if (packed.size() < 4) {
        return {};
    }
    uint32_t declared = packed[0] | packed[1] << 8 | packed[2] << 16 | (uint32_t)packed[3] << 24;
    Bytes raw(declared);
    LzwStream s = {packed.data() + 4, (int32_t)packed.size() - 4, 0};
    lzwDecode(s, raw.data(), (int32_t)raw.size());
    return raw;
}

const char *const pictureNames[] = {
    "create", "dng1",   "dng2",   "dng3",   "end1",   "end2", "endsc",  "startsc", "story1",
    "story2", "story3", "story4", "story5", "story6", "text", "varnok", "items",   "mon0",
    "mon1",   "mon2",   "mon3",   "mon4",   "mon5",   "mon6", "mon7"};

void pictureSeeds() {
    for (int k = 0; k < 25; k++) {
        bool masked = k >= 16;
        for (int mode = 0; mode < 2; mode++) {
            std::string name = std::string(pictureNames[k]) + (mode == 0 ? ".4" : ".16");
            Bytes packed = worldFile(name);
            writeSeed("lzw_file", name, {}, packed);
            writeSeed("lzw_decode", name, {}, packed);
            writeSeed("pictures", name, {(uint8_t)((masked ? 1 : 0) | (mode << 1))},
                      unpacked(packed));
        }
    }
    // Small sets of odd sizes, plain and masked, in both modes.
    std::vector<Picture> pictures;
    for (int i = 0; i < 3; i++) {
        Picture p = {3 + 2 * i, 2 + i, {}, {}};
        for (int j = 0; j < p.width * p.height; j++) {
            p.pixels.push_back((uint8_t)(j % 4));
            p.mask.push_back((uint8_t)(j % 3 == 0));
        }
        pictures.push_back(p);
    }
    for (int kind = 0; kind < 4; kind++) {
        bool masked = (kind & 1) != 0;
        Bytes raw =
            kind < 2 ? buildPictureFile4(pictures, masked) : buildPictureFile16(pictures, masked);
        writeSeed("pictures", "small" + std::to_string(kind), {(uint8_t)kind}, raw);
        writeSeed("lzw_file", "small" + std::to_string(kind), {}, packLzw(raw));
        writeSeed("lzw_decode", "small" + std::to_string(kind), {}, packLzw(raw));
    }
}

void graphicsSeeds() {
    writeSeed("tiles", "tiles.4", {0}, unpacked(worldFile("tiles.4")));
    // A whole 16-colour tile file is 64 KiB.
    writeSeed("tiles", "tiles.16", {1}, unpacked(worldFile("tiles.16")), 2 * largestSeed);
    writeSeed("tiles", "short", {0}, Bytes(100, 0x1b));
    Bytes text = worldFile("ibm.ch");
    Bytes runes = worldFile("runes.ch");
    Bytes both = text;
    both.insert(both.end(), runes.begin(), runes.end());
    for (uint8_t mode = 0; mode < 2; mode++) {
        Bytes prefix = {mode, (uint8_t)(text.size() & 255), (uint8_t)(text.size() >> 8)};
        writeSeed("fonts", "fonts" + std::to_string(mode), prefix, both);
    }
}

// Small surfaces: a checkerboard and diagonal stripes in both modes.
void scaleSeeds() {
    for (uint8_t mode = 0; mode < 2; mode++) {
        Bytes board = {mode, 8, 8, 1, 2};
        Bytes stripes = {(uint8_t)(mode | 2), 13, 7, 3, 4};
        for (int i = 0; i < 8 * 8; i++) {
            board.push_back((uint8_t)((i + i / 8) % 2 * (mode == 0 ? 3 : 15)));
        }
        for (int i = 0; i < 13 * 7; i++) {
            stripes.push_back((uint8_t)((i % 13 + i / 13) % 4));
        }
        writeSeed("scale", "board" + std::to_string(mode), {}, board);
        writeSeed("scale", "stripes" + std::to_string(mode), {}, stripes);
    }
}

void gameDataSeeds() {
    Bytes table = worldFile("data.ovl");
    writeSeed("game_data", "data.ovl", {0}, table);
    writeSeed("game_data", "look2.dat", {1}, worldFile("look2.dat"));
    writeSeed("game_data", "towne.npc", {2}, worldFile("towne.npc"));
    Bytes layout(256, 255);
    for (size_t i = 0; i < 256 && 14470 + i < table.size(); i++) {
        layout[i] = table[14470 + i];
    }
    Bytes arva = worldFile("arva.dat");
    arva.insert(arva.begin(), layout.begin(), layout.end());
    arva.resize(largestSeed < arva.size() ? largestSeed : arva.size());
    writeSeed("game_data", "arva.dat", {3}, arva);
    Bytes under = worldFile("under.dat");
    under.resize(largestSeed);
    writeSeed("game_data", "under.dat", {4}, under);
    writeSeed("game_data", "castle.dat", {5}, worldFile("castle.dat"));
}

// Each file of the start-up, unpacked where the target packs it, behind its number
// and a mode byte that reads it in its own colour mode.
void startupSeeds() {
    std::vector<StartupFile> files = startupFiles();
    for (size_t i = 0; i < files.size(); i++) {
        Bytes body = worldFile(files[i].name);
        if (files[i].compressed) {
            body = unpacked(body);
        }
        uint8_t mode = files[i].mode == 0 ? 1 : 0;
        writeSeed("startup", files[i].name, {(uint8_t)i, mode}, body);
    }
}

void iniSeeds() {
    const std::string settingsText =
        "; settings\r\ndirectory = data\nfullscreen=1\n\nmusic= 1 \nvideo=2\n=x\nkey=\n";
    writeSeed("ini", "settings.ini", {0}, Bytes(settingsText.begin(), settingsText.end()));
    writeSeed("ini", "music.ini", {1}, worldFile("music.ini"));
}

// The pieces of an export of the demo world, behind the reader byte and the
// variant byte of fuzz_import.
void importSeeds() {
    std::string folder = out + "/export";
    if (exportWorld(world, folder, 0, false) != 0) {
        return;
    }
    struct Piece {
        const char *name;
        uint8_t reader;
        uint8_t variant;
    };
    const Piece pieces[] = {
        {"locations.csv", 0, 0},
        {"people/keep.csv", 0, 0},
        {"chunk-layout.txt", 1, 15},
        {"maps/towne-03.txt", 1, 31},
        {"tile-names.txt", 2, 0},
        {"fonts/text.png", 4, 0},
        {"tiles-4.png", 4, 1},
        {"pictures-4/dng1/00.png", 4, 1},
        {"pictures-16/mon0/00.png", 4, 3},
    };
    for (const Piece &piece : pieces) {
        Bytes bytes;
        if (readBytes(folder + "/" + piece.name, bytes)) {
            std::string name = piece.name;
            for (char &c : name) {
                c = c == '/' ? '-' : c;
            }
            writeSeed("import", name, {piece.reader, piece.variant}, bytes);
        }
    }
}

// A short WAV and AIFF of 16-bit stereo at 22050 Hz, and the chunk orders that
// audio editors write; and saved games of each map family.
void musicAndSaveSeeds() {
    const uint8_t wav[] = {'R', 'I', 'F',  'F',  44, 0, 0, 0, 'W', 'A', 'V', 'E',  'f',
                           'm', 't', ' ',  16,   0,  0, 0, 1, 0,   2,   0,   0x22, 0x56,
                           0,   0,   0x88, 0x58, 1,  0, 4, 0, 16,  0,   'd', 'a',  't',
                           'a', 8,   0,    0,    0,  1, 2, 3, 4,   5,   6,   7,    8};
    writeSeed("music", "short.wav", {}, Bytes(wav, wav + sizeof wav));
    Bytes junkFirst = {'R', 'I', 'F', 'F', 56, 0, 0, 0, 'W', 'A', 'V', 'E',
                       'J', 'U', 'N', 'K', 4,  0, 0, 0, 0,   0,   0,   0};
    junkFirst.insert(junkFirst.end(), wav + 12, wav + sizeof wav);
    writeSeed("music", "junk-first.wav", {}, junkFirst);
    const uint8_t aiff[] = {'F', 'O', 'R',  'M',  0,    0,    0,  54, 'A', 'I', 'F', 'F', 'C',
                            'O', 'M', 'M',  0,    0,    0,    18, 0,  2,   0,   0,   0,   2,
                            0,   16,  0x40, 0x0d, 0xac, 0x44, 0,  0,  0,   0,   0,   0,   'S',
                            'S', 'N', 'D',  0,    0,    0,    16, 0,  0,   0,   0,   0,   0,
                            0,   0,   1,    2,    3,    4,    5,  6,  7,   8};
    writeSeed("music", "short.aiff", {}, Bytes(aiff, aiff + sizeof aiff));
    for (uint8_t map = overworld; map <= dwelling; map++) {
        int level = map <= underworld ? 0 : 3;
        std::string text = saveText(SavedGame{map, level, 15, 30, 86, 109, 1, 4, 600, 9});
        writeSeed("save_text", "map" + std::to_string(map), {}, Bytes(text.begin(), text.end()));
    }
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    out = argv[1];
    world = out + "/world";
    makeDirectory(out);
    std::string problem;
    if (!writeDemoWorld(world, problem)) {
        fprintf(stderr, "make_seeds: %s\n", problem.c_str());
        return 1;
    }
    pictureSeeds();
    graphicsSeeds();
    scaleSeeds();
    gameDataSeeds();
    iniSeeds();
    startupSeeds();
    importSeeds();
    musicAndSaveSeeds();
    return 0;
}
