#include "3-gfx/text_picture.h"

#include <cstring>

#include "3-gfx/glyphs.h"
#include "3-gfx/scale.h"
#include "4-data/text_font.h"

const SDL_Color textPictureColour[textPictureColours] = {
    {24, 24, 32, 0}, {240, 240, 240, 0}, {150, 150, 160, 0}};

namespace {

// The font's letters are 32-122; the codes above are pieces of the screen frame.
char shownAs(char c) {
    return c >= 32 && c <= 122 ? c : '?';
}

SDL_Surface *makePicture(int width, int height) {
    SDL_Surface *made = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 8, 0, 0, 0, 0);
    if (made != nullptr) {
        SDL_SetColors(made, const_cast<SDL_Color *>(textPictureColour), 0, textPictureColours);
    }
    return made;
}

// One character's cell, enlarged on its own so that its edges are the glyph's.
SDL_Surface *drawGlyph(const std::vector<uint8_t> &font, char c, Uint8 colour, int scale) {
    SDL_Surface *glyph = makePicture(glyphPixels, glyphPixels);
    if (glyph == nullptr) {
        return nullptr;
    }
    const uint8_t *bits = &font[(size_t)(unsigned char)shownAs(c) * glyphBits];
    for (int p = 0; p < glyphBits; p++) {
        ((Uint8 *)glyph->pixels)[p / glyphPixels * glyph->pitch + p % glyphPixels] =
            bits[p] != 0 ? colour : 0;
    }
    if (scale == 1) {
        return glyph;
    }
    SDL_Surface *enlarged = smoothScale(glyph, 2, 1);
    SDL_FreeSurface(glyph);
    return enlarged;
}

} // namespace

std::vector<std::string> wrapText(const std::vector<std::string> &lines, int columns) {
    std::vector<std::string> rows;
    columns = columns < 1 ? 1 : columns;
    for (const std::string &line : lines) {
        std::string rest = line;
        while ((int)rest.size() > columns) {
            // At the last blank that leaves a row of at most `columns`, else hard.
            size_t blank = rest.rfind(' ', columns);
            size_t cut = blank != std::string::npos && blank > 0 ? blank : columns;
            rows.push_back(rest.substr(0, cut));
            rest = rest.substr(cut + (blank == cut ? 1 : 0));
        }
        rows.push_back(rest);
    }
    return rows;
}

SDL_Surface *drawTextPicture(const std::vector<std::string> &rows, int scale, int noteRows) {
    size_t columns = 0;
    for (const std::string &row : rows) {
        columns = row.size() > columns ? row.size() : columns;
    }
    int cell = glyphPixels * scale;
    SDL_Surface *picture = makePicture((int)(columns + 2) * cell, (int)(rows.size() + 2) * cell);
    std::vector<uint8_t> font = textFontBits();
    for (size_t r = 0; picture != nullptr && r < rows.size(); r++) {
        Uint8 colour = r + noteRows >= rows.size() ? 2 : 1;
        for (size_t c = 0; c < rows[r].size(); c++) {
            SDL_Surface *glyph = drawGlyph(font, rows[r][c], colour, scale);
            if (glyph == nullptr) {
                SDL_FreeSurface(picture);
                return nullptr;
            }
            SDL_Rect at = {(Sint16)((c + 1) * cell), (Sint16)((r + 1) * cell), 0, 0};
            SDL_BlitSurface(glyph, nullptr, picture, &at);
            SDL_FreeSurface(glyph);
        }
    }
    return picture;
}
