// Shared by the graphics tests: SDL video on the dummy driver, the palette of a
// chosen colour mode, and small helpers to read surfaces back.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Opens SDL video once per test, fills the palette of the mode (video 1: four
// colours, 0: sixteen) and sets the smooth enlarger as start-up does.
class GfxTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    void useMode(int video);
};

// The raw 8-bit values of a surface, row by row.
std::vector<int> surfacePixels(SDL_Surface *surface);

// An 8-bit surface from rows of characters: '.' is index 0, a digit its value,
// a letter from 'a' its value 10 upward. Palette: as created by SDL (all black)
// unless colours are given.
SDL_Surface *surfaceFromRows(const std::vector<std::string> &rows,
                             const std::vector<SDL_Color> &colours = {});

// The rows of an 8-bit surface in the same notation.
std::vector<std::string> surfaceRows(SDL_Surface *surface);

bool hasColourKey(SDL_Surface *surface, Uint32 key);
