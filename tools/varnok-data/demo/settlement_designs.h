// The level designs of the settlements, one painter per kind of level. Each
// paints a whole 32x32 level; ladders are added afterwards by the caller.
#pragma once

#include "level_painter.h"
#include "rng.h"

// Quadrant buildings of the walled settlements (columns and rows inclusive).
struct Quadrant {
    int c0, r0, c1, r1;
    int doorColumn, doorRow;
};
extern const Quadrant quadrants[4]; // north-west, north-east, south-west, south-east

// Ground levels (the entry level: the gate at (15, 29), entered at (15, 30)).
void paintTownGround(Level &level, Rng &rng);
void paintCastleGround(Level &level, Rng &rng);
void paintKeepGround(Level &level, Rng &rng);
void paintVillageGround(Level &level, Rng &rng);
void paintHutGround(Level &level, Rng &rng);
void paintLighthouseGround(Level &level, Rng &rng);

// Levels above the entry level.
void paintUpperStorey(Level &level, Rng &rng, bool fortified);
void paintLighthouseStorey(Level &level, Rng &rng, bool top);

// A level below the entry level: cellars and dungeons in the rock.
void paintCellar(Level &level, Rng &rng);
