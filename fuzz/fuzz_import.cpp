// Fuzzes the readers of import: the CSV, grid and tile-name parsers and the PNG
// reader. Byte 0 picks the reader (its value modulo 5), byte 1 its variant; the
// rest is the piece. What the readers accept must also come back unchanged
// through the writers: a CSV record rewritten and read again, a name escaped and
// unescaped, a grid written out and read again.
#include <cstdlib>
#include <string>
#include <vector>

#include "3-gfx/palette.h"
#include "3-gfx/png_file.h"
#include "fuzz_support.h"
#include "modding/plain_text.h"

namespace {

void require(bool holds) {
    if (!holds) {
        abort();
    }
}

void fuzzCsv(const std::string &text) {
    std::vector<CsvRecord> records, again;
    std::string problem;
    if (!parseCsv(text, records, problem)) {
        return;
    }
    for (const CsvRecord &record : records) {
        // Behind a first line, where a byte-order mark is no longer the file's.
        require(parseCsv("first\n" + csvLine(record.fields), again, problem));
        require(again.size() == 2 && again[1].fields == record.fields);
    }
}

void fuzzGrid(const std::string &text, uint8_t variant) {
    // Sides from 1 to 32, and the overworld's 256.
    int side = variant == 255 ? 256 : variant % 32 + 1;
    std::vector<uint8_t> cells, again;
    std::vector<std::string> problems;
    if (parseGrid(text, side, side, cells, problems)) {
        require(parseGrid(gridText(cells.data(), side, side), side, side, again, problems));
        require(again == cells);
    }
}

void fuzzNames(const std::string &text) {
    std::string name, back;
    if (unescapeName(text, name)) {
        require(unescapeName(escapeName(name), back) && back == name);
    }
    require(unescapeName(escapeName(text), back) && back == text);
    for (const std::string &line : textLines(text)) {
        int value = 0;
        if (parseNumber(line, 999, value)) {
            require(value >= 0 && value <= 999);
        }
    }
}

void fuzzPng(const uint8_t *data, size_t size, uint8_t variant) {
    writeScratchFile("piece.png", data, size);
    // 2 colours (fonts), 4, 16, or 32 (a masked picture's doubled palette).
    const int counts[4] = {2, 4, 16, 32};
    int colours = counts[variant % 4];
    std::vector<SDL_Color> palette(palette16, palette16 + 16);
    palette.insert(palette.end(), palette16, palette16 + 16);
    IndexedImage image;
    std::vector<uint8_t> see;
    std::string error;
    if (readPngIndexed(scratchPath("piece.png").c_str(), palette.data(), colours, &image, &see,
                       &error)) {
        require(image.pixels.size() == (size_t)image.width * image.height);
        require(see.size() == image.pixels.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2) {
        return 0;
    }
    uint8_t variant = data[1];
    std::string text((const char *)data + 2, size - 2);
    switch (data[0] % 5) {
    case 0:
        fuzzCsv(text);
        break;
    case 1:
        fuzzGrid(text, variant);
        break;
    case 2:
    case 3:
        fuzzNames(text);
        break;
    default:
        fuzzPng(data + 2, size - 2, variant);
        break;
    }
    return 0;
}
