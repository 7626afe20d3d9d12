// Pictures of plain text in the program's own 8x8 font (4-data/text_font.h), for
// what must be shown when no data file can be read, such as why the game cannot
// start. Text is laid out in whole cells, a cell's margin around it; at scale 2
// each glyph is enlarged with Scale2x, as the game enlarges its fonts.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// The picture's colours: the ground, the text and a note (the rows drawn dimmer).
const int textPictureColours = 3;
extern const SDL_Color textPictureColour[textPictureColours];

// The lines broken into rows of at most `columns` characters, at blanks where a
// line allows it; an empty line stays an empty row.
std::vector<std::string> wrapText(const std::vector<std::string> &lines, int columns);

// A new 8-bit surface with the rows, the last `noteRows` of them in the note
// colour, each character a cell of 8 x scale pixels (scale 1 or 2), and one
// empty cell around all. A byte the font has no letter for shows as '?'. nullptr
// when SDL cannot make it.
SDL_Surface *drawTextPicture(const std::vector<std::string> &rows, int scale, int noteRows);
