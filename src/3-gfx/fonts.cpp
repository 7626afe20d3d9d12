#include "3-gfx/fonts.h"

#include <cstdlib>
#include <vector>

#include "3-gfx/glyphs.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/scale.h"
#include "4-data/byte_view.h"
#include "4-data/data_file.h"
#include "4-data/regular_file.h"

namespace {

const int fontGlyphs = fontGlyphCount;

// The problem a failure names for a failed loadFontPixels: empty when it could
// not be opened.
const char *fontFileProblem(int32_t loaded) {
    return loaded == -2 ? readProblem : "";
}

void dropSurfaces(SDL_Surface **surfaces, int count) {
    for (int i = 0; surfaces != nullptr && i < count; i++) {
        SDL_FreeSurface(surfaces[i]);
        surfaces[i] = nullptr;
    }
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
bool loadTextFont(Uint8 textColour, Uint8 highlightColour, uint8_t *pixels, LoadFailure &failure) {
    std::string path = dataFilePath(textFontFileName);
    int32_t loaded = loadFontPixels(path.c_str(), pixels);
    if (loaded < 0) {
        graphicsStore.textGlyphCount = graphicsStore.runeGlyphCount =
            graphicsStore.frameGlyphCount = 0;
        return failLoad(failure, path, fontFileProblem(loaded));
    }
    if (!buildGlyphSet(graphicsStore.textGlyphs, pixels, textColour) ||
        !buildFramePieces(pixels, highlightColour)) {
        dropSurfaces(graphicsStore.textGlyphs, fontGlyphs);
        dropSurfaces(graphicsStore.frameGlyphs, frameGlyphTotal);
        graphicsStore.textGlyphCount = graphicsStore.runeGlyphCount =
            graphicsStore.frameGlyphCount = 0;
        return failLoad(failure, path, surfaceProblem);
    }
    return true;
}

// The rune glyphs; when they fail the text glyphs go too, the frame pieces stay.
bool loadRuneFont(uint8_t *pixels, LoadFailure &failure) {
    std::string path = dataFilePath(runeFontFileName);
    int32_t loaded = loadFontPixels(path.c_str(), pixels);
    if (loaded < 0 || !buildGlyphSet(graphicsStore.runeGlyphs, pixels, runeGlyphColour)) {
        dropSurfaces(graphicsStore.textGlyphs, fontGlyphs);
        dropSurfaces(graphicsStore.runeGlyphs, fontGlyphs);
        graphicsStore.textGlyphCount = graphicsStore.runeGlyphCount = 0;
        return failLoad(failure, path, loaded < 0 ? fontFileProblem(loaded) : surfaceProblem);
    }
    return true;
}

bool loadFonts(Uint8 textColour, Uint8 highlightColour, LoadFailure &failure) {
    graphicsStore.textGlyphCount = fontGlyphs;
    graphicsStore.runeGlyphCount = fontGlyphs;
    graphicsStore.frameGlyphCount = frameGlyphTotal;
    graphicsStore.textGlyphs = (SDL_Surface **)calloc(fontGlyphs, sizeof(SDL_Surface *));
    graphicsStore.runeGlyphs = (SDL_Surface **)calloc(fontGlyphs, sizeof(SDL_Surface *));
    graphicsStore.frameGlyphs = (SDL_Surface **)calloc(frameGlyphTotal, sizeof(SDL_Surface *));
    if (graphicsStore.textGlyphs == nullptr || graphicsStore.runeGlyphs == nullptr ||
        graphicsStore.frameGlyphs == nullptr) {
        return failLoad(failure,
                        graphicsStore.textGlyphs == nullptr || graphicsStore.frameGlyphs == nullptr
                            ? textFontFileName
                            : runeFontFileName,
                        memoryProblem);
    }
    static uint8_t pixels[fontPixelCount];
    return loadTextFont(textColour, highlightColour, pixels, failure) &&
           loadRuneFont(pixels, failure);
}

} // namespace

int32_t loadFontPixels(const char *path, uint8_t pixels[fontPixelCount]) {
    std::vector<uint8_t> bytes;
    int64_t size = 0;
    FileRefusal why = readRegularFile(path, fontFileSize, bytes, &size);
    if (why != fileAccepted) {
        return why == fileUnreadable ? -2 : -1;
    }
    warnIfLong(path, size, fontFileSize);
    ByteView view = makeByteView(bytes.data(), (int64_t)bytes.size());
    for (int i = 0; i < fontFileSize; i++) {
        uint8_t byte = viewByte(view, i);
        for (int bit = 0; bit < 8; bit++) {
            pixels[8 * i + bit] = (uint8_t)((byte >> (7 - bit)) & 1);
        }
    }
    warnIfShort(view, path);
    return 0;
}

// Text glyphs and frame highlights are drawn in the mode palette's white.
bool loadFonts4(LoadFailure &failure) {
    return loadFonts(textGlyphColour(), frameHighlightColour(), failure);
}

bool loadFonts16(LoadFailure &failure) {
    return loadFonts(textGlyphColour(), frameHighlightColour(), failure);
}
