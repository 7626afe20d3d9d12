#include "tile_set.h"

#include "canvas.h"
#include "sprite_art.h"
#include "tile_catalog.h"

std::vector<uint8_t> tilePixels16() {
    std::vector<uint8_t> pixels;
    pixels.reserve((size_t)tileTotal * tilePixels);
    for (int n = 0; n < tileTotal; ++n) {
        Canvas tile = n < 256 ? paintMapTile(n) : paintSprite(n - 256);
        pixels.insert(pixels.end(), tile.pixels.begin(), tile.pixels.end());
    }
    return pixels;
}

std::vector<uint8_t> tilePixels4(const std::vector<uint8_t> &pixels16) {
    std::vector<uint8_t> pixels(pixels16.size());
    for (size_t i = 0; i < pixels16.size(); ++i) {
        pixels[i] = fourColour(pixels16[i]);
    }
    return pixels;
}

std::vector<std::string> tileNames() {
    std::vector<std::string> names;
    names.reserve(tileTotal);
    for (int n = 0; n < tileTotal; ++n) {
        names.push_back(n < 256 ? mapTileRecipe(n).name : spriteName(n - 256));
    }
    return names;
}
