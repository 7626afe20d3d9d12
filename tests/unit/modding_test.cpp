// export and import of varnok-data: the demo world goes out to PNG pictures and
// text and comes back byte for byte in both colour modes, with its music; a copy
// with upper-case names goes out and comes back under its own names; edits of a
// tile's pixels, a map cell and a name change exactly those bytes; every kind of
// input the import cannot represent is refused in one line naming file and place,
// every such input of one import is named, and the target directory stays as it
// was, also when it fails part-way; export replaces nothing but an earlier export
// nobody changed; its README names the place of every settlement grid.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>

#include "3-gfx/palette.h"
#include "2-play/rules.h"
#include "3-gfx/png_file.h"
#include "4-data/file_formats.h"
#include "4-data/import_journal.h"
#include "commands/data_check.h"
#include "commands/world_commands.h"
#include "demo_world_fixture.h"
#include "formats/formats.h"
#include "modding/export_readme.h"
#include "modding/export_target.h"
#include "modding/name_room.h"
#include "modding/overworld_chunks.h"
#include "modding/packed_pixels.h"
#include "modding/picture_records.h"
#include "modding/plain_text.h"
#include "modding/staged_folder.h"
#include "modding/world_folder.h"
#include "modding/world_maps.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, Bytes> filesOf(const std::string &dir) {
    std::map<std::string, Bytes> files;
    for (const auto &entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            readBytes(entry.path().string(), files[fs::relative(entry.path(), dir).string()]);
        }
    }
    return files;
}

// The names in a folder, files or not (a temporary folder left behind shows).
std::set<std::string> namesIn(const std::string &dir) {
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// The positions at which two byte strings differ (a size change counts as the
// positions past the shorter one).
std::vector<size_t> differences(const Bytes &a, const Bytes &b) {
    std::vector<size_t> at;
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (i >= a.size() || i >= b.size() || a[i] != b[i]) {
            at.push_back(i);
        }
    }
    return at;
}

Bytes unpacked(const Bytes &packed) {
    Bytes raw;
    std::string problem;
    EXPECT_TRUE(unpackContainer(packed, raw, problem)) << problem;
    return raw;
}

int quietly(int (*command)(const std::string &, const std::string &), const std::string &a,
            const std::string &b, std::string *errors = nullptr) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status = command(a, b);
    testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    if (errors != nullptr) {
        *errors = err;
    }
    return status;
}

int exportAll(const std::string &dir, const std::string &out) {
    return exportWorld(dir, out, 0, false);
}

int exportReplacing(const std::string &dir, const std::string &out) {
    return exportWorld(dir, out, 0, true);
}

// One export of the demo world, shared by the tests that edit copies of it.
const std::string &demoExport() {
    static ScratchDir *scratch = nullptr;
    static std::string out;
    if (scratch == nullptr) {
        scratch = new ScratchDir();
        out = scratch->path + "/export";
        EXPECT_EQ(quietly(exportAll, demoWorldDirectory(), out), 0);
        EXPECT_EQ(chdir(scratch->previous.c_str()), 0);
    }
    return out;
}

struct EditedWorld : testing::Test {
    ScratchDir scratch;
    std::string in, target;
    void SetUp() override {
        in = scratch.path + "/edited";
        target = scratch.path + "/world";
        fs::copy(demoExport(), in, fs::copy_options::recursive);
        fs::copy(demoWorldDirectory(), target, fs::copy_options::recursive);
    }
    std::string text(const std::string &piece) {
        Bytes bytes;
        EXPECT_TRUE(readBytes(in + "/" + piece, bytes)) << piece;
        return bytesText(bytes);
    }
    void setText(const std::string &piece, const std::string &text) {
        ASSERT_TRUE(writeBytes(in + "/" + piece, textBytes(text)));
    }
    // Replaces the first occurrence of `from` in a text piece.
    void edit(const std::string &piece, const std::string &from, const std::string &to) {
        std::string t = text(piece);
        size_t at = t.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        setText(piece, t.replace(at, from.size(), to));
    }
    void setGridCell(const std::string &piece, int column, int row, int tile) {
        std::vector<std::string> lines = textLines(text(piece));
        std::string &line = lines[row];
        size_t start = 0;
        for (int c = 0; c < column; ++c) {
            start = line.find(' ', start) + 1;
        }
        size_t end = line.find(' ', start);
        line.replace(start, end == std::string::npos ? std::string::npos : end - start,
                     std::to_string(tile));
        std::string joined;
        for (const std::string &l : lines) {
            joined += l + "\n";
        }
        setText(piece, joined);
    }
    // Reads a piece with the 16 colours, twice over for a masked picture.
    IndexedImage image(const std::string &piece, int colours) {
        std::vector<SDL_Color> palette(palette16, palette16 + 16);
        if (colours == 32) {
            palette.insert(palette.end(), palette16, palette16 + 16);
        }
        IndexedImage read;
        std::vector<uint8_t> see;
        std::string error;
        EXPECT_TRUE(readPngIndexed((in + "/" + piece).c_str(), palette.data(), colours, &read, &see,
                                   &error))
            << error;
        return read;
    }
    void saveImage(const std::string &piece, const IndexedImage &image) {
        std::string error;
        ASSERT_TRUE(writeIndexedPng((in + "/" + piece).c_str(), image, &error)) << error;
    }
    std::vector<uint8_t> grid(const std::string &piece, int side) {
        std::vector<uint8_t> cells;
        std::vector<std::string> problems;
        EXPECT_TRUE(parseGrid(text(piece), side, side, cells, problems)) << problems[0];
        return cells;
    }
    int cell(int column, int row) {
        return grid("maps/overworld.txt", 256)[(size_t)row * 256 + column];
    }
    // A fresh export of the target gives the edited maps and tables back.
    void expectEngineReadsTheFolder() {
        ScratchDir again;
        ASSERT_EQ(quietly(exportAll, target, again.path + "/out"), 0);
        std::map<std::string, Bytes> out = filesOf(again.path + "/out");
        for (const char *piece : {"maps/overworld.txt", "locations.csv", "tile-names.txt"}) {
            EXPECT_EQ(bytesText(out[piece]), text(piece)) << piece;
        }
    }
    // The import fails with one line naming the piece and the place (a linked
    // folder: a line for each file in it, then their count), and the target keeps
    // every byte (no temporary folder left behind either).
    void expectRefused(const std::string &piece, const std::string &place, bool several = false) {
        std::map<std::string, Bytes> before = filesOf(target);
        std::set<std::string> names = namesIn(target);
        std::string errors;
        EXPECT_EQ(quietly(importWorld, in, target, &errors), 1);
        if (several) {
            EXPECT_NE(errors.find("problems"), std::string::npos) << errors;
            EXPECT_EQ(errors.rfind("; nothing imported\n"), errors.size() - 19) << errors;
        } else {
            EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        }
        EXPECT_NE(errors.find(piece), std::string::npos) << errors;
        EXPECT_NE(errors.find(place), std::string::npos) << errors;
        EXPECT_TRUE(filesOf(target) == before) << errors;
        EXPECT_EQ(namesIn(target), names);
    }
};

TEST(Modding, DemoWorldComesBackByteForByteInEachColourMode) {
    ScratchDir scratch;
    for (int mode : {0, 4, 16}) {
        std::string out = scratch.path + "/out" + std::to_string(mode);
        std::string back = scratch.path + "/back" + std::to_string(mode);
        testing::internal::CaptureStdout();
        ASSERT_EQ(exportWorld(demoWorldDirectory(), out, mode, false), 0);
        ASSERT_EQ(importWorld(out, back), 0);
        testing::internal::GetCapturedStdout();
        std::map<std::string, Bytes> original = filesOf(demoWorldDirectory());
        std::map<std::string, Bytes> rebuilt = filesOf(back);
        // The data files of the modes, music.ini and the 8 pieces of music.
        EXPECT_EQ(rebuilt.size(), mode == 0 ? 75u : 49u);
        EXPECT_TRUE(rebuilt["music/town.wav"] == original["music/town.wav"]);
        for (const auto &file : rebuilt) {
            EXPECT_TRUE(file.second == original[file.first]) << mode << " " << file.first;
        }
        EXPECT_TRUE(fs::exists(out + "/maps/overworld.png"));
        EXPECT_TRUE(fs::exists(out + "/maps/dwelling-15.png"));
        EXPECT_TRUE(
            fs::exists(out + "/pictures-" + std::to_string(mode ? mode : 16) + "/mon7/00.png"));
        EXPECT_TRUE(checkDataDirectory(back, mode).problems.empty()) << mode;
    }
}

// A copy of the game taken from its disks has upper-case names: export finds each
// as the game does, and import writes each back under the name it has there,
// never a second spelling beside it.
TEST(Modding, AnUpperCaseCopyGoesOutAndComesBackUnderItsOwnNames) {
    ScratchDir scratch;
    fs::create_directory("COPY");
    for (const auto &entry : fs::directory_iterator(demoWorldDirectory())) {
        std::string name = entry.path().filename().string();
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        fs::copy(entry.path(), "COPY/" + name, fs::copy_options::recursive);
    }
    std::map<std::string, Bytes> before = filesOf("COPY");
    ASSERT_EQ(quietly(exportAll, "COPY", "out"), 0);
    EXPECT_TRUE(filesOf("out/raw") == filesOf(demoExport() + "/raw"));
    EXPECT_TRUE(fs::exists("out/tiles-4.png") && fs::exists("out/tiles-16.png"));
    // Into the copy itself: the same names, the same bytes, nothing beside them.
    ASSERT_EQ(quietly(importWorld, "out", "COPY"), 0);
    EXPECT_TRUE(filesOf("COPY") == before);
    // An edit lands in the upper-case file.
    IndexedImage sheet;
    std::vector<uint8_t> see;
    std::string error;
    ASSERT_TRUE(readPngIndexed("out/tiles-16.png", palette16, 16, &sheet, &see, &error)) << error;
    sheet.pixels[0] ^= 1;
    ASSERT_TRUE(writeIndexedPng("out/tiles-16.png", sheet, &error)) << error;
    ASSERT_EQ(quietly(importWorld, "out", "COPY"), 0);
    std::map<std::string, Bytes> after = filesOf("COPY");
    EXPECT_EQ(after.size(), before.size());
    EXPECT_FALSE(after["TILES.16"] == before["TILES.16"]);
    // A new world gets the names export wrote.
    ASSERT_EQ(quietly(importWorld, "out", "fresh"), 0);
    EXPECT_TRUE(fs::exists("fresh/tiles.16") && fs::exists("fresh/music/town.wav"));
}

TEST(Modding, OurEncoderRepacksTheDemoFilesToTheSameBytes) {
    // A changed LZW file is packed anew; for the files our encoder wrote that gives
    // the original bytes back.
    for (const char *name : {"tiles.4", "tiles.16", "mon3.16", "startsc.4"}) {
        Bytes packed;
        ASSERT_TRUE(readBytes(demoWorldDirectory() + "/" + name, packed));
        EXPECT_TRUE(packLzw(unpacked(packed)) == packed) << name;
    }
}

TEST_F(EditedWorld, ATilePixelAMapCellAndANameChangeExactlyTheirBytes) {
    IndexedImage sheet = image("tiles-16.png", 16);
    // Tile 5, pixel (3, 2): the low nibble of byte 5 x 128 + 2 x 8 + 1.
    uint8_t &pixel = sheet.pixels[(size_t)2 * 256 + 5 * 16 + 3];
    pixel = (uint8_t)(pixel ^ 1);
    saveImage("tiles-16.png", sheet);
    // A cell of a block whose chunk no other block uses: one byte of arva.dat.
    std::vector<uint8_t> layout = grid("chunk-layout.txt", 16);
    int block = 0;
    while (layout[block] == 255 || std::count(layout.begin(), layout.end(), layout[block]) > 1) {
        ++block;
    }
    int column = block % 16 * 16 + 7, row = block / 16 * 16 + 9;
    setGridCell("maps/overworld.txt", column, row, (cell(column, row) + 1) % 256);
    edit("locations.csv", "Harrowgate", "Harrowgata");

    std::map<std::string, Bytes> before = filesOf(target);
    ASSERT_EQ(quietly(importWorld, in, target), 0);
    std::map<std::string, Bytes> after = filesOf(target);
    std::map<std::string, size_t> expected = {
        {"tiles.16", 5 * 128 + 2 * 8 + 1},
        {"arva.dat", (size_t)layout[block] * 256 + 9 * 16 + 7},
        {"data.ovl", before["data.ovl"].size() - 1}, // the name is stored last
    };
    for (const auto &file : after) {
        bool packed = file.first == "tiles.16";
        std::vector<size_t> changed =
            differences(packed ? unpacked(before[file.first]) : before[file.first],
                        packed ? unpacked(file.second) : file.second);
        if (expected.count(file.first) == 0) {
            EXPECT_TRUE(changed.empty()) << file.first;
        } else if (file.first != "data.ovl") {
            EXPECT_EQ(changed, std::vector<size_t>{expected[file.first]}) << file.first;
        } else {
            ASSERT_EQ(changed.size(), 1u);
            EXPECT_EQ(before[file.first][changed[0]], 'e');
        }
    }
    EXPECT_TRUE(checkDataDirectory(target, 0).problems.empty());
    expectEngineReadsTheFolder();
}

TEST_F(EditedWorld, AChangedBlockOfASharedOrPlainChunkGetsAChunkOfItsOwn) {
    std::vector<uint8_t> layout = grid("chunk-layout.txt", 16);
    int block = (int)(std::find(layout.begin(), layout.end(), 255) - layout.begin());
    ASSERT_LT(block, 256);
    setGridCell("maps/overworld.txt", block % 16 * 16, block / 16 * 16 + 15, 7);
    Bytes arva;
    ASSERT_TRUE(readBytes(target + "/arva.dat", arva));
    ASSERT_EQ(quietly(importWorld, in, target), 0);
    Bytes grown;
    ASSERT_TRUE(readBytes(target + "/arva.dat", grown));
    EXPECT_EQ(grown.size(), arva.size() + 256);
    EXPECT_TRUE(std::equal(arva.begin(), arva.end(), grown.begin()));
    expectEngineReadsTheFolder();
}

TEST_F(EditedWorld, EachUnrepresentableEditIsRefusedNamingFileAndPlace) {
    // A colour index the 4-colour palette does not have.
    IndexedImage sheet = image("tiles-4.png", 16);
    sheet.palette.assign(palette16, palette16 + 16);
    sheet.pixels[(size_t)40 * 256 + 17] = 9;
    saveImage("tiles-4.png", sheet);
    expectRefused("tiles-4.png", "(17, 40)");
    fs::copy(demoExport() + "/tiles-4.png", in + "/tiles-4.png",
             fs::copy_options::overwrite_existing);

    saveImage("tiles-16.png", makeIndexedImage(256, 256, palette16, 16));
    expectRefused("tiles-16.png", "256x256 pixels, it must be 256x512");
    // The size is taken from the header, before anything is decoded: a header
    // alone, claiming a picture far too large, is refused for its size.
    Bytes header;
    ASSERT_TRUE(readBytes(in + "/tiles-16.png", header));
    header.resize(24);
    header[16] = header[20] = 0x7f;
    ASSERT_TRUE(writeBytes(in + "/tiles-16.png", header));
    expectRefused("tiles-16.png", "2130706688x2130706688 pixels, it must be 256x512");
    fs::copy(demoExport() + "/tiles-16.png", in + "/tiles-16.png",
             fs::copy_options::overwrite_existing);

    std::string grid = text("maps/underworld.txt");
    setGridCell("maps/underworld.txt", 4, 9, 256);
    expectRefused("maps/underworld.txt:10", "'256' is not a tile number");
    setText("maps/underworld.txt", grid);

    grid = text("maps/towne-03.txt");
    std::vector<std::string> rows = textLines(grid);
    rows[4].erase(rows[4].rfind(' ')); // one row a number short
    std::string ragged;
    for (const std::string &r : rows) {
        ragged += r + "\n";
    }
    setText("maps/towne-03.txt", ragged);
    expectRefused("maps/towne-03.txt:5", "31 numbers, a row has 32");
    setText("maps/towne-03.txt", grid);

    std::string csv = text("locations.csv");
    edit("locations.csv", "Millbrook", "Millbrook-on-Sea");
    expectRefused("locations.csv:3", "16 characters, 15 at most");
    setText("locations.csv", csv);

    // Every name one longer: together they no longer fit where the old ones were.
    edit("locations.csv", "Harrowgate", "Harrowgates");
    expectRefused("locations.csv:2", "no longer fit");
    setText("locations.csv", csv);

    // The untouched folder imports, so each refusal above came from its own edit.
    EXPECT_EQ(quietly(importWorld, in, target), 0);
}

// One import names every problem it finds, in every piece (at most 50 lines, then
// how many there were), and writes nothing.
TEST_F(EditedWorld, EveryProblemOfAnImportIsNamed) {
    IndexedImage sheet = image("tiles-4.png", 16);
    sheet.palette.assign(palette16, palette16 + 16);
    sheet.pixels[(size_t)40 * 256 + 17] = 9;
    saveImage("tiles-4.png", sheet);
    // Each bad cell of a grid and each bad field of a row is named, not the first.
    setGridCell("maps/underworld.txt", 4, 9, 256);
    setGridCell("maps/underworld.txt", 7, 40, 300);
    edit("locations.csv", "Millbrook,120,96", "Millbrook-on-Sea,12x,960");
    edit("locations.csv", "Harrowgate", "Harrowgate-by-the-Hills");
    edit("people/keep.csv", "\n3,4,13,5,0,141,", "\n3,5,13,5,0,741,");
    std::map<std::string, Bytes> before = filesOf(target);
    std::string errors;
    EXPECT_EQ(quietly(importWorld, in, target, &errors), 1);
    std::vector<std::string> lines = textLines(errors);
    ASSERT_EQ(lines.size(), 10u) << errors;
    const struct {
        const char *named;
        int lines;
    } named[] = {{"maps/underworld.txt:10: column 4", 1},
                 {"maps/underworld.txt:41: column 7", 1},
                 {"locations.csv:2", 1},
                 {"locations.csv:3: name", 1},
                 {"locations.csv:3: column '12x'", 1},
                 {"locations.csv:3: row '960'", 1},
                 {"people/keep.csv:102: record and slot", 1},
                 {"people/keep.csv:102: type '741'", 1},
                 {"tiles-4.png: pixel (17, 40)", 1}};
    for (const auto &n : named) {
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string &line) {
                                    return line.find(n.named) != std::string::npos;
                                }),
                  n.lines)
            << n.named << "\n"
            << errors;
    }
    EXPECT_EQ(lines.back(), "varnok-data: 9 problems; nothing imported");
    EXPECT_TRUE(filesOf(target) == before);

    // Past 50 problems the rest are counted.
    std::string names;
    for (int i = 0; i < tileNameCount; ++i) {
        names += std::to_string(i) + (i % 8 == 0 ? " \\q\n" : " name\n");
    }
    setText("tile-names.txt", names);
    EXPECT_EQ(quietly(importWorld, in, target, &errors), 1);
    lines = textLines(errors);
    ASSERT_EQ(lines.size(), 51u);
    EXPECT_EQ(lines.back(), "varnok-data: 73 problems (the first 50 shown); nothing imported");
    EXPECT_TRUE(filesOf(target) == before);
}

TEST_F(EditedWorld, AFailurePartWayPutsBackEveryFileItReplaced) {
    // data.ovl changes; varnok.4, the last file to go in, has a folder in its
    // place. Every other file is already replaced when that fails, and each must
    // come back with its old bytes.
    edit("locations.csv", "Harrowgate", "Harrowgata");
    fs::remove(target + "/varnok.4");
    fs::create_directory(target + "/varnok.4");
    writeTextFile(target + "/varnok.4/notes.txt", "mine");
    expectRefused("varnok.4", "is a folder where the file goes; nothing imported");
}

// An import killed part-way, laid out by hand: its temporary folder with every
// new file, its journal, and the first files already moved in. The next run (or
// the game's start) finishes it, or undoes it when the journal says so, and
// leaves nothing behind; a journal that would move a file through a link or out
// of the folder is left alone and moves nothing.
TEST_F(EditedWorld, AnInterruptedImportIsFinishedOrUndoneByItsJournal) {
    std::map<std::string, Bytes> old = filesOf(target);
    std::set<std::string> names = namesIn(target);
    edit("locations.csv", "Harrowgate", "Harrowgata");
    ASSERT_EQ(quietly(importWorld, in, target), 0);
    std::map<std::string, Bytes> fresh = filesOf(target);
    std::string staging = target + "/.import.partial-killed", journal;
    for (const char *way : {"forward", "back"}) {
        fs::remove_all(target);
        fs::copy(demoWorldDirectory(), target, fs::copy_options::recursive);
        fs::create_directories(staging + "/.replaced/music");
        journal = std::string("varnok-data import journal\nstaging .import.partial-killed\nway ") +
                  way + "\n";
        int moved = 0;
        for (const auto &file : fresh) {
            fs::create_directories(fs::path(staging + "/" + file.first).parent_path());
            ASSERT_TRUE(writeBytes(staging + "/" + file.first, file.second));
            if (moved++ < 3) {
                fs::rename(target + "/" + file.first, staging + "/.replaced/" + file.first);
                fs::rename(staging + "/" + file.first, target + "/" + file.first);
            }
            journal += "file " + file.first + "\n";
        }
        writeTextFile(target + "/.varnok-import-journal", journal);
        std::string done, problem;
        ASSERT_TRUE(finishInterruptedImport(target, done, problem)) << problem;
        EXPECT_TRUE(filesOf(target) == (way[0] == 'f' ? fresh : old)) << way;
        EXPECT_EQ(namesIn(target), names) << way;
        EXPECT_NE(done.find(way[0] == 'f' ? "finished" : "undone"), std::string::npos) << done;
    }
    // A journal that came with a world: through a linked folder, or out of it.
    fs::create_directories(scratch.path + "/elsewhere");
    fs::create_directories(staging + "/music");
    writeTextFile(staging + "/music/overworld.wav", "new");
    fs::remove_all(target + "/music");
    fs::create_directory_symlink(scratch.path + "/elsewhere", target + "/music");
    for (const char *name : {"music/overworld.wav", "../outside", ".varnok-import-journal"}) {
        writeTextFile(target + "/.varnok-import-journal",
                      journal.substr(0, journal.find("file ")) + "file " + name + "\n");
        std::string done, problem;
        EXPECT_FALSE(finishInterruptedImport(target, done, problem)) << name;
        EXPECT_NE(problem.find(".varnok-import-journal: not a journal this program wrote"),
                  std::string::npos)
            << problem;
        EXPECT_TRUE(fs::is_empty(scratch.path + "/elsewhere")) << name;
        EXPECT_TRUE(fs::exists(staging + "/music/overworld.wav")) << name;
    }
}

TEST_F(EditedWorld, LongerNamesTakeRoomOthersGaveUpOrTheEndOfTheTileNames) {
    edit("locations.csv", "Harrowgate", "Harrowgates");
    edit("locations.csv", "Millbrook", "Millbroo");
    edit("tile-names.txt", "0 darkness\n", "0 the deepest darkness\n");
    Bytes names;
    ASSERT_TRUE(readBytes(target + "/look2.dat", names));
    ASSERT_EQ(quietly(importWorld, in, target), 0);
    Bytes grown;
    ASSERT_TRUE(readBytes(target + "/look2.dat", grown));
    EXPECT_EQ(grown.size(), names.size() + 21); // the new name and its zero byte
    expectEngineReadsTheFolder();
}

TEST_F(EditedWorld, AMaskedPictureKeepsItsColoursAndMaskBitForBit) {
    IndexedImage picture = image("pictures-16/mon0/00.png", 32);
    auto hidden = std::find_if(picture.pixels.begin(), picture.pixels.end(),
                               [](uint8_t v) { return v >= 16; });
    auto shown = std::find_if(picture.pixels.begin(), picture.pixels.end(),
                              [](uint8_t v) { return v < 16; });
    ASSERT_TRUE(hidden != picture.pixels.end() && shown != picture.pixels.end());
    size_t uncovered = hidden - picture.pixels.begin(), covered = shown - picture.pixels.begin();
    *hidden = 3;     // now drawn, in colour 3
    *shown = 16 + 5; // now under the mask, colour 5 kept beneath it
    saveImage("pictures-16/mon0/00.png", picture);
    Bytes before, after;
    ASSERT_TRUE(readBytes(target + "/mon0.16", before));
    ASSERT_EQ(quietly(importWorld, in, target), 0);
    ASSERT_TRUE(readBytes(target + "/mon0.16", after));
    Bytes old = unpacked(before), now = unpacked(after);
    PictureRecord r = pictureRecords(now, 16, true)[0];
    auto colour = [&](const Bytes &data, size_t i) {
        return packedPixel(data, r.pixels + i / r.width * r.rowBytes, (int)(i % r.width), 4);
    };
    auto masked = [&](const Bytes &data, size_t i) {
        return packedPixel(data, r.maskPixels + i / r.width * r.maskRowBytes, (int)(i % r.width),
                           1);
    };
    EXPECT_EQ(colour(now, uncovered), 3);
    EXPECT_EQ(masked(now, uncovered), 0);
    EXPECT_EQ(colour(now, covered), 5);
    EXPECT_EQ(masked(now, covered), 1);
    // Nothing else moved: two pixels and two mask bits, at most four bytes.
    EXPECT_LE(differences(old, now).size(), 4u);
    EXPECT_EQ(old.size(), now.size());
}

// A shared folder never makes import read anything outside it, nor wait: a link or
// a FIFO in any place inside it is refused, and so is a text piece larger than any
// world needs, before it is read.
TEST_F(EditedWorld, ImportFollowsNoLinkAndWaitsOnNothingInsideTheFolder) {
    std::string outside = scratch.path + "/outside";
    fs::create_directory(outside);
    writeTextFile(outside + "/secret", "private key\n");
    for (const char *folder : {"raw", "maps", "pictures-16"}) {
        fs::copy(demoExport() + "/" + folder, outside + "/" + folder, fs::copy_options::recursive);
    }
    fs::copy(demoExport() + "/tiles-4.png", outside + "/tiles-4.png");
    const struct {
        const char *piece;  // replaced in the folder
        const char *kind;   // "link" to the same name outside, "secret", "fifo", "huge" or "lines"
        const char *failed; // the piece the refusal names
        const char *what;
    } cases[] = {
        {"raw/look2.dat", "secret", "raw/look2.dat", "is not a regular file"},
        {"raw", "link", "raw/data.ovl", "is not a regular file (links are not followed here)"},
        {"raw/data.ovl", "fifo", "raw/data.ovl", "is not a regular file"},
        {"locations.csv", "secret", "locations.csv", "is not a regular file"},
        {"maps", "link", "maps/overworld.txt", "is not a regular file"},
        {"maps/overworld.txt", "fifo", "maps/overworld.txt", "is not a regular file"},
        {"tiles-4.png", "link", "tiles-4.png", "is not a regular file"},
        {"fonts/text.png", "fifo", "fonts/text.png", "is not a regular file"},
        {"pictures-16", "link", "pictures-16/", "is not a regular file"},
        {"maps/underworld.txt", "huge", "maps/underworld.txt",
         "17825792 bytes, more than a text piece can be (16 MiB)"},
        {"maps/overworld.txt", "lines", "maps/overworld.txt",
         "1000256 lines, more than a text piece can have (65536)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.piece);
        fs::remove_all(in);
        fs::copy(demoExport(), in, fs::copy_options::recursive);
        std::string place = in + "/" + c.piece;
        std::string kind = c.kind;
        if (kind != "huge" && kind != "lines") {
            fs::remove_all(place);
        }
        if (kind == "secret" || kind == "link") {
            fs::create_symlink(outside + "/" + (kind == "secret" ? "secret" : c.piece), place);
        } else if (kind == "fifo") {
            ASSERT_EQ(mkfifo(place.c_str(), 0644), 0);
        } else if (kind == "huge") {
            fs::resize_file(place, 17 << 20);
        } else {
            std::ofstream(place, std::ios::app) << std::string(1000000, '\n');
        }
        // A linked folder holds many pieces: each is named.
        bool folder = kind == "link" && std::string(c.piece).find('.') == std::string::npos;
        expectRefused(std::string(c.failed), c.what, folder);
    }
}

// Words quoted from a piece reach the terminal escaped and cut after 60 characters.
TEST_F(EditedWorld, RefusalsQuoteWordsSafelyAndShortly) {
    std::string word = "\x1b]0;owned\x07" + std::string(100, 'x');
    std::string grid = text("maps/underworld.txt");
    setText("maps/underworld.txt", word + grid.substr(grid.find(' ')));
    expectRefused("maps/underworld.txt:1", "column 0: '\\x1b]0;owned\\x07" + std::string(44, 'x') +
                                               "\u2026' is not a tile number 0-255\n");
    setText("maps/underworld.txt", grid);
    edit("locations.csv", "Harrowgate", "Harrow\x1b[2Jgate-on-sea");
    expectRefused("locations.csv:2", "name 'Harrow\\x1b[2Jgate-on-sea' is 21 characters");
}

// What the game refuses by its picture budget, export and import refuse too,
// before a PNG is written or read for it: a 3 KB file naming one small picture
// 65,000 times.
TEST(Modding, ExportAndImportKeepTheGamesPictureBudget) {
    ScratchDir scratch;
    fs::copy(demoWorldDirectory(), "world", fs::copy_options::recursive);
    Bytes raw;
    const uint32_t count = 65000;
    appendLe(raw, count, 2);
    for (uint32_t i = 0; i < count; ++i) {
        appendLe(raw, 2 + 4 * count, 4);
    }
    appendLe(raw, 1, 2);
    appendLe(raw, 1, 2);
    raw.push_back(0);
    ASSERT_TRUE(writeBytes("world/story5.4", packLzw(raw)));
    std::string errors;
    EXPECT_EQ(quietly(exportAll, "world", "out", &errors), 1);
    std::string budget = " takes the pictures of the colour mode past 16777216 pixels\n";
    EXPECT_EQ(errors.rfind("varnok-data: story5.4: picture ", 0), 0u) << errors;
    EXPECT_EQ(errors.substr(errors.size() - budget.size()), budget);
    EXPECT_FALSE(fs::exists("out"));
    EXPECT_EQ(namesIn("."), std::set<std::string>{"world"});
    fs::copy(demoExport(), "mod", fs::copy_options::recursive);
    fs::copy("world/story5.4", "mod/raw/story5.4", fs::copy_options::overwrite_existing);
    EXPECT_EQ(quietly(importWorld, "mod", "back", &errors), 1);
    EXPECT_EQ(errors.rfind("varnok-data: mod/raw/story5.4: picture ", 0), 0u) << errors;
    EXPECT_FALSE(fs::exists("back"));
}

// How a folder can stand before an export, and whether export may write there.
struct ExportTarget {
    const char *world, *out; // under the scratch folder
    void (*prepare)(const std::string &out);
    bool replace;
    const char *refusal; // nullptr: the export is written
};

void earlierExport(const std::string &out) {
    fs::copy(demoExport(), out, fs::copy_options::recursive);
}

const ExportTarget exportTargets[] = {
    {"world", "out",
     [](const std::string &out) {
         fs::create_directories(out + "/raw");
         writeTextFile(out + "/notes.txt", "keep");
     },
     true, "out: exists and is not an export folder; give a new or empty folder"},
    {"world", "world", [](const std::string &) {}, true, "world: is the world folder itself"},
    {"world", "world/sub", [](const std::string &) {}, false,
     "world/sub: is inside the world folder 'world'"},
    {"world", "out", [](const std::string &out) { writeTextFile(out, "keep"); }, true,
     "out: exists and is not a folder"},
    {"world", "out",
     [](const std::string &out) {
         fs::create_directory("elsewhere");
         fs::create_directory_symlink("elsewhere", out);
     },
     true, "out: is a link; give a new or empty folder, not a link"},
    {"world", "out", earlierExport, false, "out: holds an earlier export; give --replace"},
    {"world", "out",
     [](const std::string &out) {
         earlierExport(out);
         writeTextFile(out + "/maps/towne-03.txt", "0 1 2\n");
     },
     true, "out: 'maps/towne-03.txt' was changed since the export; nothing replaced"},
    {"world", "out",
     [](const std::string &out) {
         earlierExport(out);
         fs::remove(out + "/fonts/runes.png");
     },
     true, "out: 'fonts/runes.png' was removed since the export"},
    {"world", "out",
     [](const std::string &out) {
         earlierExport(out);
         writeTextFile(out + "/people/notes.txt", "keep");
     },
     true, "out: 'people/notes.txt' was not written by export"},
    {"world", "out",
     [](const std::string &out) {
         earlierExport(out);
         fs::create_directory(out + "/mine");
     },
     true, "out: 'mine' was not written by export"},
    {"out/raw", "out", earlierExport, true, "out: holds the world folder 'out/raw'"},
    {"world", "out", [](const std::string &out) { fs::create_directory(out); }, false, nullptr},
    {"world", "out", earlierExport, true, nullptr},
};

TEST(Modding, ExportWritesIntoANewOrEmptyFolderOrOverAnUnchangedEarlierExportOnly) {
    for (const ExportTarget &t : exportTargets) {
        ScratchDir scratch;
        fs::copy(demoWorldDirectory(), "world", fs::copy_options::recursive);
        t.prepare(t.out);
        std::map<std::string, Bytes> before = filesOf(".");
        std::set<std::string> names = namesIn(".");
        std::string errors;
        int status = quietly(t.replace ? exportReplacing : exportAll, t.world, t.out, &errors);
        if (t.refusal == nullptr) {
            EXPECT_EQ(status, 0) << errors;
            // Exactly what a fresh export holds: an earlier one is replaced, not merged.
            EXPECT_TRUE(filesOf(t.out) == filesOf(demoExport())) << t.out;
            EXPECT_EQ(namesIn("."), names);
            continue;
        }
        EXPECT_EQ(status, 1) << t.refusal;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_EQ(errors.rfind(std::string("varnok-data: ") + t.refusal, 0), 0u) << errors;
        // Nothing touched, nothing left behind.
        EXPECT_TRUE(filesOf(".") == before) << t.refusal;
        EXPECT_EQ(namesIn("."), names) << t.refusal;
    }
}

// The folder the check was given, and whether the target was gone meanwhile.
std::string checkedFolder;
bool targetAside = false;
bool refuseAny(const std::string &folder, std::string &reason) {
    checkedFolder = folder;
    targetAside = !fs::exists("out");
    reason = "'notes.txt' was not written by export";
    return false;
}

bool acceptAny(const std::string &, std::string &) {
    return true;
}

TEST(Modding, AReplacedFolderIsCheckedAgainAsideAndComesBackWhenRefused) {
    ScratchDir scratch;
    std::string staging, problem;
    fs::create_directory("out");
    writeTextFile("out/notes.txt", "keep");
    ASSERT_TRUE(makeStagingFolder("out", staging, problem)) << problem;
    writeTextFile(staging + "/new.txt", "new");
    // Without a check an occupied folder is never replaced.
    EXPECT_FALSE(replaceFolder(staging, "out", nullptr, problem));
    EXPECT_EQ(problem, "out: is no longer empty; nothing replaced");
    // The check sees the old folder moved aside, where nothing can change it any
    // more, and a refusal puts it back.
    EXPECT_FALSE(replaceFolder(staging, "out", refuseAny, problem));
    EXPECT_TRUE(targetAside) << checkedFolder;
    EXPECT_EQ(problem, "out: 'notes.txt' was not written by export; nothing replaced");
    EXPECT_EQ(namesIn("out"), std::set<std::string>{"notes.txt"});
    EXPECT_EQ(namesIn(".").size(), 2u); // out and the staging folder, nothing else
    ASSERT_TRUE(replaceFolder(staging, "out", acceptAny, problem)) << problem;
    EXPECT_EQ(namesIn("out"), std::set<std::string>{"new.txt"});
    EXPECT_EQ(namesIn("."), std::set<std::string>{"out"});
}

TEST(OverworldChunks, AChangedSharedBlockNeedsAFreeChunkNumber) {
    Bytes table(chunkLayoutOffset + 256, 0); // every block shows chunk 0
    for (int chunks : {254, 255}) {
        Bytes arva((size_t)chunks * 256, 0);
        OverworldEdit edit = {chunkLayoutOf(table), overworldCells(chunkLayoutOf(table), arva)};
        edit.cells[blockCell(3, 5, 5)] = 9;
        Bytes newTable = table, newArva = arva;
        int block = 0;
        std::string problem;
        bool stored = storeOverworld(edit, newTable, newArva, block, problem);
        if (chunks == 255) {
            EXPECT_FALSE(stored);
            EXPECT_EQ(block, 3);
            EXPECT_NE(problem.find("no chunk number is left"), std::string::npos) << problem;
            continue;
        }
        ASSERT_TRUE(stored) << problem;
        EXPECT_EQ(newArva.size(), arva.size() + 256);
        EXPECT_EQ(chunkLayoutOf(newTable)[3], 254);
        EXPECT_TRUE(overworldCells(chunkLayoutOf(newTable), newArva) == edit.cells);
        // A block given another chunk and new cells at once is refused.
        edit.layout[3] = 1;
        EXPECT_FALSE(storeOverworld(edit, table, arva, block, problem));
        EXPECT_NE(problem.find("change one of them"), std::string::npos) << problem;
    }
}

TEST(NameRoom, SharedNamesSplitOrChangeTogetherAndNothingElseMoves) {
    // "guard\0" at 4 shared by entries 0 and 1, "well\0" at 10; bytes around stay.
    Bytes file = textBytes(std::string("HEAD", 4) + std::string("guard\0well\0", 11) + "TAIL");
    std::vector<NameEntry> entries = {
        {4, "guard", "guard"}, {4, "guard", "sentry"}, {10, "well", "well"}};
    Bytes split = file;
    int failed = -1;
    std::string problem;
    ASSERT_TRUE(placeNames(split, entries, NameRules{false, 0xFFFF}, failed, problem)) << problem;
    EXPECT_EQ(entries[0].offset, 4u);
    EXPECT_EQ(entries[1].offset, file.size()); // a text of its own, at the end
    EXPECT_EQ(bytesText(split), bytesText(file) + std::string("sentry\0", 7));

    // Changing together, the shared text is rewritten where it was, and the run of
    // names is packed anew when it grows into the next one's room.
    entries = {{4, "guard", "keep"}, {4, "guard", "keep"}, {10, "well", "wells"}};
    Bytes together = file;
    ASSERT_TRUE(placeNames(together, entries, NameRules{true, 0}, failed, problem)) << problem;
    EXPECT_EQ(bytesText(together), std::string("HEADkeep\0wells\0TAIL", 19));
    EXPECT_EQ(entries[1].offset, 4u);
    EXPECT_EQ(entries[2].offset, 9u);

    entries = {{4, "guard", "keep"}, {4, "guard", "gate"}, {10, "well", "well"}};
    EXPECT_FALSE(placeNames(together, entries, NameRules{true, 0}, failed, problem));
    EXPECT_EQ(failed, 1);
    entries = {{4, "guard", "guards"}, {10, "well", "wells"}};
    Bytes full = file;
    EXPECT_FALSE(placeNames(full, entries, NameRules{true, 0}, failed, problem));
    EXPECT_NE(problem.find("no longer fit in the 11 bytes"), std::string::npos) << problem;
    EXPECT_TRUE(full == file);
}

TEST(PlainText, CsvFieldsSurviveQuotingAndLineEnds) {
    std::vector<std::string> fields = {"plain", "a, b", "say \"hi\"", " padded ", "two\nlines", ""};
    std::string text = csvLine({"x"}) + csvLine(fields);
    std::vector<CsvRecord> records;
    std::string problem;
    ASSERT_TRUE(parseCsv("\xEF\xBB\xBF" + text, records, problem)) << problem;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].fields, fields);
    EXPECT_EQ(records[1].line, 2);
    ASSERT_TRUE(parseCsv("a,b\r\n\r\nc,\"d\"\r\n", records, problem));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].fields, (std::vector<std::string>{"c", "d"}));
    EXPECT_EQ(records[1].line, 3);
    EXPECT_FALSE(parseCsv("a,\"open\n", records, problem));
    EXPECT_EQ(problem, "1: a quoted field is never closed");
    // 16 fields are the most; a line of millions of commas stops at the 17th.
    EXPECT_TRUE(parseCsv(std::string(15, ','), records, problem));
    EXPECT_FALSE(parseCsv("a\n" + std::string(10000000, ','), records, problem));
    EXPECT_EQ(problem, "2: more than 16 fields");
}

TEST(PlainText, AGridNamesEveryMistakeInTheOrderOfTheText) {
    std::vector<uint8_t> cells;
    std::vector<std::string> problems;
    EXPECT_FALSE(parseGrid("1 x 3\n4 5\n7 8 999 y\n\n", 3, 4, cells, problems));
    EXPECT_EQ(problems,
              (std::vector<std::string>{"1: column 1: 'x' is not a tile number 0-255",
                                        "2: 2 numbers, a row has 3",
                                        "3: column 2: '999' is not a tile number 0-255",
                                        "3: 4 numbers, a row has 3", "3: 3 rows, the map has 4"}));
    problems.clear();
    EXPECT_TRUE(parseGrid("1 2\r\n3\t4\n", 2, 2, cells, problems));
    EXPECT_EQ(cells, (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_TRUE(problems.empty());
}

TEST(PlainText, NamesWithControlBytesAndEdgeBlanksComeBack) {
    for (std::string name : {std::string("a\\b\n"), std::string("end "), std::string("\x01\x7F")}) {
        std::string escaped = escapeName(name), back;
        EXPECT_EQ(escaped.find_first_of("\n\x01\x7F"), std::string::npos);
        EXPECT_NE(escaped.back(), ' ');
        ASSERT_TRUE(unescapeName(escaped, back));
        EXPECT_EQ(back, name);
    }
    std::string back;
    EXPECT_FALSE(unescapeName("bad \\q", back));
}

// The README of an export: a line for every settlement grid with the place it
// belongs to, from the entry levels and the ladders between levels.
TEST(Modding, TheReadmeNamesThePlaceOfEverySettlementGrid) {
    FileSet files;
    StreamedFiles music;
    Problems problems;
    ASSERT_TRUE(readWorldFiles(WorldPlace{demoWorldDirectory(), "", followLinks}, {4, 16}, files,
                               music, problems));
    std::vector<std::vector<int>> places = gridPlaces(files);
    ASSERT_EQ(places.size(), 4u);
    for (int location = 0; location < 32; ++location) {
        int family = placeFamily(location) - 2;
        EXPECT_EQ(places[family][entryLevel[location]], location) << location;
    }
    // The castle entered on level 1 reaches level 0 by its ladder down; the town
    // entered on level 0 its upper level.
    EXPECT_EQ(places[castle - 2][0], 16);
    EXPECT_EQ(places[towne - 2][1], 0);
    std::string text = readmeText(files, {4, 16});
    for (int family = 0; family < 4; ++family) {
        for (int level = 0; level < 16; ++level) {
            std::string line = "\n  " + mapPiece(2 + family, level, ".txt") + " ";
            EXPECT_NE(text.find(line), std::string::npos) << line;
        }
    }
    EXPECT_NE(text.find("maps/castle-00.txt    Ostrand (location 16, a castle), by ladder; "
                        "entered on level 1\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("varnok-data import"), std::string::npos);
    // A family without its map file has no grids, and says so.
    files.erase("keep.dat");
    text = readmeText(files, {16});
    EXPECT_NE(text.find("maps/keep-NN.txt      none: keep.dat is not in the world"),
              std::string::npos)
        << text;
}

} // namespace
