#include "picture_files.h"

#include "canvas.h"
#include "creatures.h"
#include "scenes.h"

namespace {

// The two full-screen scenes of each plain file that has them.
struct SceneChoice {
    int file;
    int first;
    int second;
};
const SceneChoice fileScenes[] = {
    {0, sceneParchment, sceneMeadow},   {4, sceneSunset, sceneMeadow},
    {5, sceneNight, sceneSeaside},      {6, sceneTitle, sceneSunset},
    {7, sceneTitle, sceneNight},        {8, sceneMeadow, sceneSeaside},
    {9, sceneNight, sceneMountains},    {10, sceneDungeon, sceneSunset},
    {11, sceneSeaside, sceneMountains}, {12, sceneMountains, sceneDungeon},
    {13, sceneSunset, sceneTitle},      {14, sceneParchment, sceneParchment},
    {15, sceneTitle, sceneMeadow},
};

Picture toPicture(const Canvas &canvas) {
    Picture picture;
    picture.width = canvas.width;
    picture.height = canvas.height;
    picture.pixels = canvas.pixels;
    return picture;
}

Picture toMaskedPicture(const MaskedArt &art) {
    Picture picture = toPicture(art.picture);
    picture.mask = art.mask.pixels;
    return picture;
}

void addScenes(std::vector<Picture> &pictures, int k) {
    for (const SceneChoice &choice : fileScenes) {
        if (choice.file == k) {
            pictures.push_back(toPicture(paintScene(choice.first, 100 + k)));
            pictures.push_back(toPicture(paintScene(choice.second, 200 + k)));
        }
    }
}

} // namespace

std::vector<Picture> picturesOfFile(int k) {
    std::vector<Picture> pictures;
    if (k < 0 || k >= pictureSetCount) {
        return pictures;
    }
    addScenes(pictures, k);
    if (k == 0) {
        // The creation screen: six faces to choose from.
        for (int i = 0; i < 6; ++i) {
            pictures.push_back(toPicture(paintPortrait(48, 40 + i)));
        }
    } else if (k >= 1 && k <= 3) {
        // Corridor views, eight layouts per file, each file a size further away.
        for (int layout = 0; layout < 8; ++layout) {
            pictures.push_back(toPicture(paintCorridor(176 - (k - 1) * 16, layout * 5 + k)));
        }
    } else if (k == 7) {
        // Small banners for the title's menu.
        for (int i = 0; i < 4; ++i) {
            pictures.push_back(toPicture(paintPortrait(32, 70 + i)));
        }
    } else if (k == 16) {
        for (int i = 0; i < 24; ++i) {
            pictures.push_back(toMaskedPicture(paintItem(i)));
        }
    } else if (k > 16) {
        // Eight monsters per file, sizes varying between files.
        int size = 48 + ((k - 17) % 3) * 8;
        for (int i = 0; i < 8; ++i) {
            pictures.push_back(toMaskedPicture(paintMonster(size, (uint32_t)(k * 100 + i))));
        }
    }
    return pictures;
}

std::vector<Picture> fourColourPictures(const std::vector<Picture> &pictures) {
    std::vector<Picture> mapped = pictures;
    for (Picture &picture : mapped) {
        for (uint8_t &pixel : picture.pixels) {
            pixel = fourColour(pixel);
        }
    }
    return mapped;
}
