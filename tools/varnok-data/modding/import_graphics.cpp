// Import of the tile sheets, font sheets and pictures onto the raw copies.
#include <algorithm>
#include <filesystem>

#include "3-gfx/glyphs.h"
#include "3-gfx/png_file.h"
#include "3-gfx/tile_decode.h"
#include "4-data/file_formats.h"
#include "graphics_pieces.h"
#include "packed_pixels.h"
#include "picture_records.h"

namespace {

const int sheetColumns = 16;
const SDL_Color fontColours[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

// As the text import: every piece is read, each problem kept.
struct Loader {
    std::string folder;
    Problems &problems;
};

bool fail(Loader &l, const std::string &piece, const std::string &what) {
    l.problems.push_back(l.folder + "/" + piece + ": " + what);
    return false;
}

std::string pixelName(int x, int y) {
    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

bool wrongSize(Loader &l, const std::string &piece, long width, long height, int needed,
               int neededHeight) {
    return fail(l, piece,
                std::to_string(width) + "x" + std::to_string(height) + " pixels, it must be " +
                    std::to_string(needed) + "x" + std::to_string(neededHeight));
}

// The width and height a PNG file's header gives (the IHDR chunk that must come
// first), read without decoding anything; false when the file does not start so.
bool pngHeaderSize(const std::string &folder, const std::string &piece, long &width, long &height) {
    static const uint8_t start[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                      0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *file = openInsideFolder(folder, piece, followNoLinks, &size, &why);
    uint8_t header[24] = {};
    bool read = file != nullptr && fread(header, 1, sizeof header, file) == sizeof header &&
                std::equal(start, start + 16, header);
    if (file != nullptr) {
        fclose(file);
    }
    width = (long)header[16] << 24 | header[17] << 16 | header[18] << 8 | header[19];
    height = (long)header[20] << 24 | header[21] << 16 | header[22] << 8 | header[23];
    return read;
}

// Reads a piece as indices into palette and checks its size, from its header
// before anything is decoded (a picture of the wrong size costs no decoding);
// `see` marks the see-through pixels.
bool readImage(Loader &l, const std::string &piece, const std::vector<SDL_Color> &palette,
               int width, int height, IndexedImage &image, std::vector<uint8_t> &see) {
    std::string path = l.folder + "/" + piece, error;
    long headerWidth = 0, headerHeight = 0;
    // The reader opens the piece by its name: it must be a file reached through no
    // link, so that nothing outside the folder is read.
    if (!plainFileInside(l.folder, piece)) {
        return fail(l, piece, "is not a regular file (links are not followed here)");
    }
    if (pngHeaderSize(l.folder, piece, headerWidth, headerHeight) &&
        (headerWidth != width || headerHeight != height)) {
        return wrongSize(l, piece, headerWidth, headerHeight, width, height);
    }
    if (!readPngIndexed(path.c_str(), palette.data(), (int)palette.size(), &image, &see, &error)) {
        l.problems.push_back(error.find(path) == std::string::npos ? path + ": " + error : error);
        return false;
    }
    if (image.width != width || image.height != height) {
        return wrongSize(l, piece, image.width, image.height, width, height);
    }
    return true;
}

bool opaque(Loader &l, const std::string &piece, const IndexedImage &image,
            const std::vector<uint8_t> &see) {
    auto found = std::find(see.begin(), see.end(), 1);
    if (found == see.end()) {
        return true;
    }
    size_t i = found - see.begin();
    return fail(l, piece,
                pixelName((int)(i % image.width), (int)(i / image.width)) +
                    " is see-through; only the masked pictures have transparency");
}

bool unpack(Loader &l, const FileSet &files, const std::string &name, Bytes &raw) {
    std::string why;
    if (!unpackContainer(files.at(name), raw, why)) {
        l.problems.push_back(l.folder + "/raw/" + name + ": " + why);
        return false;
    }
    return true;
}

// The new decoded contents over the old: a file whose contents did not change
// keeps its bytes, whoever packed it.
void repack(FileSet &files, const std::string &name, const Bytes &before, const Bytes &after) {
    if (after != before) {
        files[name] = packLzw(after);
    }
}

// `work` is the old contents, grown to what the pieces cover; the result keeps
// the old size unless something beyond it was set.
Bytes trimmed(const Bytes &before, const Bytes &work) {
    Bytes result = before;
    placeBytes(result, 0, work.data(), work.size(), 0);
    return result;
}

bool importTiles(Loader &l, FileSet &files, int mode) {
    std::string name = tileFileName(mode == 4), piece = tileSheetPiece(mode);
    Bytes raw;
    IndexedImage sheet;
    std::vector<uint8_t> see;
    int width = sheetColumns * tilePixels, bits = mode == 4 ? 2 : 4;
    int bytes = mode == 4 ? tileBytes4 : tileBytes16;
    if (!unpack(l, files, name, raw) ||
        !readImage(l, piece, modeColours(mode), width, tilesPerFile / sheetColumns * tilePixels,
                   sheet, see) ||
        !opaque(l, piece, sheet, see)) {
        return false;
    }
    Bytes work = raw;
    work.resize(std::max(raw.size(), (size_t)tilesPerFile * bytes), 0);
    for (int t = 0; t < tilesPerFile; ++t) {
        for (int y = 0; y < tilePixels; ++y) {
            size_t row = (size_t)t * bytes + (size_t)y * tilePixels * bits / 8;
            const uint8_t *in =
                &sheet.pixels[((size_t)(t / sheetColumns) * tilePixels + y) * width +
                              (t % sheetColumns) * tilePixels];
            for (int x = 0; x < tilePixels; ++x) {
                setPackedPixel(work, row, x, bits, in[x]);
            }
        }
    }
    repack(files, name, raw, trimmed(raw, work));
    return true;
}

bool importFont(Loader &l, Bytes &font, int which) {
    std::string piece = fontSheetPiece(which);
    IndexedImage sheet;
    std::vector<uint8_t> see;
    int width = sheetColumns * glyphPixels;
    std::vector<SDL_Color> colours(fontColours, fontColours + 2);
    if (!readImage(l, piece, colours, width, fontGlyphCount / sheetColumns * glyphPixels, sheet,
                   see) ||
        !opaque(l, piece, sheet, see)) {
        return false;
    }
    Bytes work = font;
    work.resize(std::max(font.size(), (size_t)fontGlyphCount * fontGlyphBytes), 0);
    for (int g = 0; g < fontGlyphCount; ++g) {
        for (int y = 0; y < glyphPixels; ++y) {
            for (int x = 0; x < glyphPixels; ++x) {
                setPackedPixel(work, (size_t)g * fontGlyphBytes + y, x, 1,
                               sheet.pixels[((size_t)(g / sheetColumns) * glyphPixels + y) * width +
                                            (g % sheetColumns) * glyphPixels + x]);
            }
        }
    }
    font = trimmed(font, work);
    return true;
}

// A picture file's folder holds exactly the PNGs export wrote for its pictures.
bool noExtraPictures(Loader &l, int mode, int file, const std::vector<PictureRecord> &records,
                     size_t dataSize) {
    std::string first = picturePiece(mode, file, 0);
    std::string folder = first.substr(0, first.rfind('/'));
    std::error_code error;
    bool ok = true;
    for (const auto &entry : std::filesystem::directory_iterator(l.folder + "/" + folder, error)) {
        std::string leaf = entry.path().filename().string();
        bool known = false;
        for (size_t i = 0; i < records.size() && !known; ++i) {
            std::string piece = picturePiece(mode, file, (int)i);
            known =
                pictureHasPng(records[i], dataSize) && piece.substr(piece.rfind('/') + 1) == leaf;
        }
        if (!known) {
            ok = fail(l, folder + "/" + leaf,
                      "no picture of the file has this PNG; pictures cannot be added or renamed");
        }
    }
    return ok;
}

bool importPicture(Loader &l, Bytes &work, const PictureRecord &r, const std::string &piece,
                   const std::vector<SDL_Color> &colours) {
    std::vector<SDL_Color> palette = colours;
    if (r.masked) {
        palette.insert(palette.end(), colours.begin(), colours.end());
    }
    IndexedImage image;
    std::vector<uint8_t> see;
    if (!readImage(l, piece, palette, r.width, r.height, image, see)) {
        return false;
    }
    int n = (int)colours.size();
    for (int y = 0; y < r.height; ++y) {
        for (int x = 0; x < r.width; ++x) {
            size_t i = (size_t)y * r.width + x;
            int index = image.pixels[i];
            bool hidden = see[i] != 0 || index >= n;
            if (hidden && !r.masked) {
                return fail(l, piece,
                            pixelName(x, y) +
                                " is see-through; the pictures of this file have no mask");
            }
            bool inMask = r.masked && x < r.maskWidth && y < r.maskHeight;
            if (hidden && !inMask) {
                return fail(l, piece,
                            pixelName(x, y) + " is see-through but lies outside the " +
                                std::to_string(r.maskWidth) + "x" + std::to_string(r.maskHeight) +
                                " mask");
            }
            // A see-through pixel read from a true-colour PNG has lost its colour:
            // the one stored under the mask stays.
            if (index >= n) {
                setPackedPixel(work, r.pixels + y * r.rowBytes, x, r.bits, index - n);
            } else if (!hidden) {
                setPackedPixel(work, r.pixels + y * r.rowBytes, x, r.bits, index);
            }
            if (inMask) {
                setPackedPixel(work, r.maskPixels + y * r.maskRowBytes, x, 1, hidden);
            }
        }
    }
    return true;
}

bool importPictures(Loader &l, FileSet &files, int mode, int file, int64_t &held) {
    std::string name = pictureFileName(file, mode == 4);
    Bytes raw;
    std::string refusal;
    if (!unpack(l, files, name, raw)) {
        return false;
    }
    if (!withinPictureBudget(raw, mode, file >= firstMaskedSet, held, refusal)) {
        l.problems.push_back(l.folder + "/raw/" + name + ": " + refusal);
        return false;
    }
    std::vector<PictureRecord> records = pictureRecords(raw, mode, file >= firstMaskedSet);
    if (!noExtraPictures(l, mode, file, records, raw.size())) {
        return false;
    }
    std::vector<SDL_Color> colours = modeColours(mode);
    Bytes work = raw;
    bool ok = true;
    for (size_t i = 0; i < records.size(); ++i) {
        const PictureRecord &r = records[i];
        if (!pictureHasPng(r, raw.size())) {
            continue;
        }
        if ((long)r.width * r.height > pngMaxPixels ||
            (long)r.maskWidth * r.maskHeight > pngMaxPixels) {
            l.problems.push_back(l.folder + "/raw/" + name + ": picture " + std::to_string(i) +
                                 " does not fit the file");
            return false;
        }
        work.resize(std::max(work.size(), (size_t)r.end), 0);
        ok = importPicture(l, work, r, picturePiece(mode, file, (int)i), colours) && ok;
    }
    if (ok) {
        repack(files, name, raw, trimmed(raw, work));
    }
    return ok;
}

} // namespace

bool importGraphicsPieces(const std::string &folder, FileSet &files, Problems &problems) {
    Loader l = {folder, problems};
    size_t before = problems.size();
    importFont(l, files[textFontFileName], 0);
    importFont(l, files[runeFontFileName], 1);
    for (int mode : {4, 16}) {
        if (files.count(tileFileName(mode == 4)) == 0) {
            continue;
        }
        importTiles(l, files, mode);
        int64_t held = 0; // the picture budget, per colour mode
        for (int file = 0; file < pictureSetCount; ++file) {
            importPictures(l, files, mode, file, held);
        }
    }
    return problems.size() == before;
}
