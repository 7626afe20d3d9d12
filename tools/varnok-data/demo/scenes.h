// The full-screen pictures of the demo world (320x200, 16 colours): landscapes,
// seascapes, night scenes, the title and the ending, painted procedurally with
// dithered skies and noise-shaped skylines.
#pragma once

#include <cstdint>

#include "canvas.h"

enum SceneKind {
    sceneMeadow,    // green hills under a day sky, a castle on a rise
    sceneSeaside,   // a sea with a ship and a lighthouse on a cape
    sceneNight,     // moon and stars over dark mountains and a village
    sceneSunset,    // red and yellow sky over a lake and a keep
    sceneMountains, // snowy ranges in layers
    sceneDungeon,   // a vaulted hall lit by braziers
    sceneParchment, // a blank scroll for text
    sceneTitle,     // the title over a sunrise
    sceneCount
};

// A 320x200 scene; `seed` varies the skyline, clouds and buildings.
Canvas paintScene(int kind, uint32_t seed);

// A corridor seen from inside a dungeon, `size` pixels square; `layout` picks
// side openings and what lies at the end.
Canvas paintCorridor(int size, int layout);

// Writes text in the text font, each font pixel a scale x scale block.
void drawBigText(Canvas &canvas, int x, int y, const char *text, int scale, uint8_t colour);
