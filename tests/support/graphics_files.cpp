#include "graphics_files.h"

#include "3-gfx/pictures.h"

std::vector<Picture> fixturePictures(int set, bool fourColour) {
    std::vector<Picture> pictures;
    int colours = fourColour ? 4 : 16;
    for (int i = 0; i < set % 3; i++) {
        Picture p;
        p.width = 5 + 4 * i + set % 4;
        p.height = 3 + i;
        for (int y = 0; y < p.height; y++) {
            for (int x = 0; x < p.width; x++) {
                p.pixels.push_back((uint8_t)((x + y + set) % colours));
                p.mask.push_back(x < p.width / 2 ? 1 : 0);
            }
        }
        pictures.push_back(p);
    }
    return pictures;
}

std::vector<uint8_t> fixtureTilePixels(int colours) {
    std::vector<uint8_t> pixels;
    for (int t = 0; t < 512; t++) {
        for (int p = 0; p < 256; p++) {
            int x = p % 16;
            int y = p / 16;
            pixels.push_back((uint8_t)(t == 112 ? (x / 4 + y / 4) % 2 : t % colours));
        }
    }
    return pixels;
}

std::vector<uint8_t> fixtureFontBits() {
    std::vector<uint8_t> bits;
    for (int g = 0; g < 128; g++) {
        for (int p = 0; p < 64; p++) {
            bits.push_back(p < 8 || (g % 2 == 1 && p >= 56) ? 1 : 0);
        }
    }
    return bits;
}

void writeGraphicsFiles(const std::string &dir, bool fourColour) {
    for (int k = 0; k < 25; k++) {
        std::vector<Picture> pictures = fixturePictures(k, fourColour);
        bool masked = k >= firstMaskedSet;
        Bytes raw =
            fourColour ? buildPictureFile4(pictures, masked) : buildPictureFile16(pictures, masked);
        writeBytes(dir + "/" + pictureFileName(k, fourColour), packLzw(raw));
    }
    std::vector<uint8_t> tiles = fixtureTilePixels(fourColour ? 4 : 16);
    Bytes rawTiles = fourColour ? packTiles4(tiles) : packTiles16(tiles);
    writeBytes(dir + (fourColour ? "/tiles.4" : "/tiles.16"), packLzw(rawTiles));
    Bytes font = packFont(fixtureFontBits());
    writeBytes(dir + "/ibm.ch", font);
    writeBytes(dir + "/runes.ch", font);
}
