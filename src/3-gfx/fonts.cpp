#include "3-gfx/fonts.h"

#include <cstdio>
#include <cstdlib>

#include "3-gfx/byte_view.h"
#include "3-gfx/glyphs.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/load_failure.h"
#include "3-gfx/palette.h"
#include "3-gfx/scale.h"
#include "4-data/essential_file.h"
#include "4-data/file_formats.h"
#include "4-data/lzw.h"
#include "4-data/regular_file.h"

namespace {

const int fontGlyphs = fontGlyphCount;
const int fontPixels = fontGlyphs * glyphBits; // 8,192 expanded pixels

// The largest file whose expanded size still fits LoadedFile's 32-bit size.
const int32_t largestBitFile = INT32_MAX / 8;

// What failGraphicsFile names for a failed loadBitFile: nullptr when it could not
// be opened.
const char *bitFileProblem(int32_t loaded) {
    return loaded == -2 ? readProblem : nullptr;
}

void dropSurfaces(SDL_Surface **surfaces, int count) {
    for (int i = 0; surfaces != nullptr && i < count; i++) {
        SDL_FreeSurface(surfaces[i]);
        surfaces[i] = nullptr;
    }
}

// The 128 glyphs of the font in LoadedFile, expanded; pixels the file does not
// hold are clear, and only the first 128 glyphs are read.
void takeFontPixels(uint8_t *pixels, const char *path) {
    ByteView view = makeByteView(LoadedFile.data, LoadedFile.size);
    viewCopy(view, 0, pixels, fontPixels);
    warnIfShort(view, path);
    releaseLoadedFile();
}

// Decodes and enlarges all glyphs into glyphs; false when a surface cannot be made.
bool buildGlyphSet(SDL_Surface **glyphs, const uint8_t *pixels, Uint8 setColour) {
    for (int g = 0; g < fontGlyphs; g++) {
        glyphs[g] = enlargeDecoded(decodeGlyph(pixels + g * glyphBits, setColour));
        if (glyphs[g] == nullptr) {
            return false;
        }
    }
    return true;
}

bool buildFramePieces(const uint8_t *pixels, Uint8 highlightColour) {
    for (int i = 0; i < frameGlyphTotal; i++) {
        const uint8_t *glyph = pixels + framePieceGlyph(i) * glyphBits;
        if (buildFrameGlyph(i, glyph, frameBaseColour, highlightColour) < 0) {
            return false;
        }
    }
    return true;
}

// The text glyphs and the frame pieces built from them.
void loadTextFont(Uint8 textColour, Uint8 highlightColour, uint8_t *pixels) {
    char *path = graphicsPath(textFontFileName);
    int32_t loaded = loadBitFile(path);
    if (loaded < 0) {
        textGlyphCount = runeGlyphCount = frameGlyphCount = 0;
        failGraphicsFile(path, bitFileProblem(loaded));
    }
    takeFontPixels(pixels, path);
    if (!buildGlyphSet(textGlyphs, pixels, textColour) ||
        !buildFramePieces(pixels, highlightColour)) {
        dropSurfaces(textGlyphs, fontGlyphs);
        dropSurfaces(frameGlyphs, frameGlyphTotal);
        textGlyphCount = runeGlyphCount = frameGlyphCount = 0;
        failGraphicsFile(path, surfaceProblem);
    }
    free(path);
}

// The rune glyphs; when they fail the text glyphs go too, the frame pieces stay.
void loadRuneFont(uint8_t *pixels) {
    char *path = graphicsPath(runeFontFileName);
    int32_t loaded = loadBitFile(path);
    if (loaded == 0) {
        takeFontPixels(pixels, path);
    }
    if (loaded < 0 || !buildGlyphSet(runeGlyphs, pixels, runeGlyphColour)) {
        dropSurfaces(textGlyphs, fontGlyphs);
        dropSurfaces(runeGlyphs, fontGlyphs);
        textGlyphCount = runeGlyphCount = 0;
        failGraphicsFile(path, loaded < 0 ? bitFileProblem(loaded) : surfaceProblem);
    }
    free(path);
}

void loadFonts(Uint8 textColour, Uint8 highlightColour) {
    textGlyphCount = fontGlyphs;
    runeGlyphCount = fontGlyphs;
    textGlyphs =
        (SDL_Surface **)allocateOrFail(fontGlyphs, sizeof(SDL_Surface *), textFontFileName);
    runeGlyphs =
        (SDL_Surface **)allocateOrFail(fontGlyphs, sizeof(SDL_Surface *), runeFontFileName);
    frameGlyphCount = frameGlyphTotal;
    frameGlyphs =
        (SDL_Surface **)allocateOrFail(frameGlyphTotal, sizeof(SDL_Surface *), textFontFileName);
    static uint8_t pixels[fontPixels];
    loadTextFont(textColour, highlightColour, pixels);
    loadRuneFont(pixels);
}

} // namespace

int32_t loadBitFile(const char *path) {
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *file = openRegularFile(path, &size, &why);
    if (file == nullptr) {
        return -1;
    }
    if (size > largestBitFile) {
        size = largestBitFile;
    }
    // One byte more than needed so that an empty file still gets a buffer.
    uint8_t *bits = (uint8_t *)calloc(8 * (size_t)size + 1, 1);
    if (bits == nullptr) {
        fclose(file);
        return -1;
    }
    for (int32_t i = 0; i < size; i++) {
        int byte = fgetc(file);
        if (byte == EOF) {
            // Short of the size just measured: a read error, not a short font.
            free(bits);
            fclose(file);
            return -2;
        }
        for (int bit = 0; bit < 8; bit++) {
            bits[8 * i + bit] = (uint8_t)((byte >> (7 - bit)) & 1);
        }
    }
    fclose(file);
    LoadedFile.data = bits;
    LoadedFile.size = 8 * (int32_t)size;
    return 0;
}

// Text glyphs and frame highlights are drawn in the mode palette's white.
void loadFonts4() {
    loadFonts(textGlyphColour(), frameHighlightColour());
}

void loadFonts16() {
    loadFonts(textGlyphColour(), frameHighlightColour());
}
