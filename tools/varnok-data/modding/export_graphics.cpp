// Export of the tile sheets, font sheets, pictures and rendered maps.
#include <cstring>

#include "3-gfx/glyphs.h"
#include "3-gfx/png_file.h"
#include "3-gfx/tile_decode.h"
#include "4-data/file_formats.h"
#include "graphics_pieces.h"
#include "packed_pixels.h"
#include "picture_records.h"
#include "text_pieces.h"

namespace {

const int sheetColumns = 16; // tiles and glyphs per sheet row
const SDL_Color fontColours[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

struct Painter {
    std::string folder;
    std::string problem;
};

bool save(Painter &p, const std::string &piece, const IndexedImage &image) {
    std::string path = p.folder + "/" + piece, error;
    if (!makeParentFolders(path) || !writeIndexedPng(path.c_str(), image, &error)) {
        p.problem = path + ": " + (error.empty() ? "cannot be written" : error);
        return false;
    }
    return true;
}

bool unpack(Painter &p, const FileSet &files, const std::string &name, Bytes &raw) {
    std::string why;
    if (!unpackContainer(files.at(name), raw, why)) {
        p.problem = name + ": " + why;
        return false;
    }
    return true;
}

// The 512 tiles of a decompressed tile file as 16 x 16 indices each.
std::vector<uint8_t> tilePixelsOf(const Bytes &raw, int mode) {
    int bits = mode == 4 ? 2 : 4, bytes = mode == 4 ? tileBytes4 : tileBytes16;
    std::vector<uint8_t> pixels((size_t)tilesPerFile * tilePixels * tilePixels);
    for (int t = 0; t < tilesPerFile; ++t) {
        for (int y = 0; y < tilePixels; ++y) {
            size_t row = (size_t)t * bytes + (size_t)y * tilePixels * bits / 8;
            for (int x = 0; x < tilePixels; ++x) {
                pixels[((size_t)t * tilePixels + y) * tilePixels + x] =
                    (uint8_t)packedPixel(raw, row, x, bits);
            }
        }
    }
    return pixels;
}

bool exportTiles(Painter &p, const FileSet &files, int mode) {
    Bytes raw;
    if (!unpack(p, files, tileFileName(mode == 4), raw)) {
        return false;
    }
    std::vector<SDL_Color> colours = modeColours(mode);
    std::vector<uint8_t> tiles = tilePixelsOf(raw, mode);
    int width = sheetColumns * tilePixels, rows = tilesPerFile / sheetColumns;
    IndexedImage sheet =
        makeIndexedImage(width, rows * tilePixels, colours.data(), (int)colours.size());
    for (int t = 0; t < tilesPerFile; ++t) {
        for (int y = 0; y < tilePixels; ++y) {
            memcpy(&sheet.pixels[((size_t)(t / sheetColumns) * tilePixels + y) * width +
                                 (t % sheetColumns) * tilePixels],
                   &tiles[((size_t)t * tilePixels + y) * tilePixels], tilePixels);
        }
    }
    return save(p, tileSheetPiece(mode), sheet);
}

bool exportFont(Painter &p, const Bytes &font, int which) {
    int width = sheetColumns * glyphPixels;
    IndexedImage sheet =
        makeIndexedImage(width, fontGlyphCount / sheetColumns * glyphPixels, fontColours, 2);
    for (int g = 0; g < fontGlyphCount; ++g) {
        for (int y = 0; y < glyphPixels; ++y) {
            for (int x = 0; x < glyphPixels; ++x) {
                sheet.pixels[((size_t)(g / sheetColumns) * glyphPixels + y) * width +
                             (g % sheetColumns) * glyphPixels + x] =
                    (uint8_t)packedPixel(font, (size_t)g * fontGlyphBytes + y, x, 1);
            }
        }
    }
    return save(p, fontSheetPiece(which), sheet);
}

// A masked picture's palette holds each colour twice: the second, see-through
// copy marks the pixels under the mask and keeps their colour.
IndexedImage pictureImage(const Bytes &raw, const PictureRecord &r,
                          const std::vector<SDL_Color> &colours) {
    std::vector<SDL_Color> palette = colours;
    if (r.masked) {
        palette.insert(palette.end(), colours.begin(), colours.end());
    }
    IndexedImage image = makeIndexedImage(r.width, r.height, palette.data(), (int)palette.size());
    image.transparent.assign(palette.size(), false);
    for (size_t i = colours.size(); i < palette.size(); ++i) {
        image.transparent[i] = true;
    }
    for (int y = 0; y < r.height; ++y) {
        for (int x = 0; x < r.width; ++x) {
            int value = packedPixel(raw, r.pixels + y * r.rowBytes, x, r.bits);
            bool hidden = r.masked && x < r.maskWidth && y < r.maskHeight &&
                          packedPixel(raw, r.maskPixels + y * r.maskRowBytes, x, 1);
            image.pixels[(size_t)y * r.width + x] =
                (uint8_t)(hidden ? value + (int)colours.size() : value);
        }
    }
    return image;
}

bool exportPictures(Painter &p, const FileSet &files, int mode, int file, int64_t &held,
                    int &count) {
    std::string name = pictureFileName(file, mode == 4);
    Bytes raw;
    std::string refusal;
    if (!unpack(p, files, name, raw)) {
        return false;
    }
    if (!withinPictureBudget(raw, mode, file >= firstMaskedSet, held, refusal)) {
        p.problem = name + ": " + refusal;
        return false;
    }
    std::vector<SDL_Color> colours = modeColours(mode);
    std::vector<PictureRecord> records = pictureRecords(raw, mode, file >= firstMaskedSet);
    for (size_t i = 0; i < records.size(); ++i) {
        const PictureRecord &r = records[i];
        if ((long)r.width * r.height > pngMaxPixels) {
            p.problem = name + ": picture " + std::to_string(i) + " is " + std::to_string(r.width) +
                        "x" + std::to_string(r.height) +
                        " pixels, more than a PNG of this tool holds";
            return false;
        }
        if (pictureHasPng(r, raw.size()) &&
            !save(p, picturePiece(mode, file, (int)i), pictureImage(raw, r, colours))) {
            return false;
        }
        ++count;
    }
    return true;
}

} // namespace

bool exportGraphicsPieces(const FileSet &files, const std::vector<int> &modes,
                          const std::string &folder, GraphicsSummary &summary,
                          std::string &problem) {
    Painter p = {folder, ""};
    bool ok = exportFont(p, files.at(textFontFileName), 0) &&
              exportFont(p, files.at(runeFontFileName), 1);
    summary.sheets = 2;
    summary.pictures = 0;
    for (int mode : modes) {
        ok = ok && exportTiles(p, files, mode);
        ++summary.sheets;
        int64_t held = 0; // the picture budget, per colour mode
        for (int file = 0; ok && file < pictureSetCount; ++file) {
            ok = exportPictures(p, files, mode, file, held, summary.pictures);
        }
    }
    problem = p.problem;
    return ok;
}

bool exportMapPictures(const FileSet &files, int mode, const std::string &folder,
                       GraphicsSummary &summary, std::string &problem) {
    Painter p = {folder, ""};
    Bytes raw;
    if (!unpack(p, files, tileFileName(mode == 4), raw)) {
        problem = p.problem;
        return false;
    }
    std::vector<uint8_t> tiles = tilePixelsOf(raw, mode);
    std::vector<SDL_Color> colours = modeColours(mode);
    std::vector<std::vector<uint8_t>> maps = worldMapCells(files);
    summary.maps = 0;
    for (int kind = 0; kind < (int)maps.size(); ++kind) {
        int side = kind < 2 ? worldSize : settlementSize;
        int levels = (int)(maps[kind].size() / ((size_t)side * side));
        for (int level = 0; level < levels; ++level) {
            const uint8_t *cells = maps[kind].data() + (size_t)level * side * side;
            int width = side * tilePixels;
            IndexedImage image =
                makeIndexedImage(width, width, colours.data(), (int)colours.size());
            for (int row = 0; row < side; ++row) {
                for (int y = 0; y < tilePixels; ++y) {
                    uint8_t *out = &image.pixels[((size_t)row * tilePixels + y) * width];
                    for (int column = 0; column < side; ++column) {
                        memcpy(out + column * tilePixels,
                               &tiles[((size_t)cells[row * side + column] * tilePixels + y) *
                                      tilePixels],
                               tilePixels);
                    }
                }
            }
            if (!save(p, mapPiece(kind, level, ".png"), image)) {
                problem = p.problem;
                return false;
            }
            ++summary.maps;
        }
    }
    return true;
}
