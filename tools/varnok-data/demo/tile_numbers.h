// The tile numbers of the demo world that the map builders place by name.
// The art and the names of every tile live in the tile catalog.
#pragma once

#include <cstdint>

#include "2-play/rules.h"

const uint8_t tileDarkness = 0;
const uint8_t tileDeepWater = 1;
const uint8_t tileWater = 2;
const uint8_t tileShallows = 3;
const uint8_t tileSwamp = 4;
const uint8_t tileGrass = 5;
const uint8_t tileScrub = 6;
const uint8_t tileForest = 7;
const uint8_t tileHills = 8;
const uint8_t tileMountains = 9;
const uint8_t tileSand = 10;
const uint8_t tileRoad = 11;
const uint8_t tileBridge = 12;
const uint8_t tileRockyGround = 13;
const uint8_t tileFlowers = 14;
const uint8_t tileSnowPeaks = 15;
const uint8_t tileTownIcon = 16;
const uint8_t tileCastleIcon = 17;
const uint8_t tileLighthouseIcon = 18;
const uint8_t tileHutIcon = 19;
const uint8_t tileVillageIcon = 20;
const uint8_t tileKeepIcon = 21;
const uint8_t tileDungeonEntrance = 22;
const uint8_t tileCaveMouth = 23;
const uint8_t tileSealedGate = 24;
const uint8_t tileSignpost = 25;
const uint8_t tileRuins = 26;
const uint8_t tileStandingStone = 27;
const uint8_t tileFarmland = 28;
const uint8_t tileLoneOak = 29;
const uint8_t tilePalisade = 30;
const uint8_t tileWatchtower = 31;

const uint8_t tileStoneFloor = 32;
const uint8_t tileWoodFloor = 33;
const uint8_t tileCobbles = 34;
const uint8_t tileCarpet = 35;
const uint8_t tileStoneWall = 36;
const uint8_t tileBrickWall = 37;
const uint8_t tileTimberWall = 38;
const uint8_t tileDoor = 39;
const uint8_t tileLockedDoor = 40;
const uint8_t tileWindow = 41;
const uint8_t tileTable = 42;
const uint8_t tileChair = 43;
const uint8_t tileBed = 44;
const uint8_t tileCounter = 45;
const uint8_t tileBarrel = 46;
const uint8_t tileChest = 47;
const uint8_t tileBookshelf = 48;
const uint8_t tileHearth = 49;
const uint8_t tileAnvil = 50;
const uint8_t tileShopSign = 51;

// Grass shores: the water (shown by the flowing tile 3) is in the named corner.
const uint8_t tileShoreUpperLeft = 52;
const uint8_t tileShoreUpperRight = 53;
const uint8_t tileShoreLowerRight = 54;
const uint8_t tileShoreLowerLeft = 55;

const uint8_t tileDungeonFloor = 56;
const uint8_t tileRock = 57;
const uint8_t tileRubble = 58;
const uint8_t tileCaveFloor = 59;
const uint8_t tileStalagmite = 60;
const uint8_t tilePillar = 61;
const uint8_t tileDaylightShaft = 62;
const uint8_t tileStatue = 63;
const uint8_t tileAltar = 64;
const uint8_t tileWell = 65;
const uint8_t tileFlowerBed = 66;
const uint8_t tileHedge = 67;
const uint8_t tileFence = 68;
const uint8_t tileLampPost = 69;
const uint8_t tileCrate = 70;
const uint8_t tilePot = 71;
const uint8_t tileLectern = 72;
const uint8_t tileThrone = 73;
const uint8_t tileGrave = 74;
const uint8_t tileHaystack = 75;
const uint8_t tileRoof = 76;
const uint8_t tileBattlements = 77;
const uint8_t tilePortcullis = 78;
const uint8_t tileMagicCircle = 79;
const uint8_t tileWeaponRack = 80;
const uint8_t tileLoom = 81;
const uint8_t tileCookingPot = 82;
const uint8_t tileBench = 83;
const uint8_t tileWardrobe = 84;
const uint8_t tileMirror = 85;
const uint8_t tileTapestry = 86;
const uint8_t tileCage = 87;
const uint8_t tileBones = 88;
const uint8_t tileWeb = 89;
const uint8_t tileMushrooms = 90;
const uint8_t tileCrystal = 91;
const uint8_t tileKeepGate = 92;
const uint8_t tileTrapdoor = 93;
const uint8_t tileStump = 94;
const uint8_t tileWoodpile = 95;

// Objects on water: tile 96 + k is cut by its mask 112 + k.
const uint8_t tileSailingBoat = 96;
const uint8_t tileRowingBoat = 97;
const uint8_t tileRaft = 98;
const uint8_t tileWaterRock = 99;
const uint8_t tileWaterRocks = 100;
const uint8_t tileBuoy = 101;
const uint8_t tileLilyPad = 102;
const uint8_t tileWaterLily = 103;
const uint8_t tileReeds = 104;
const uint8_t tileDriftwood = 105;
const uint8_t tileFloatingBarrel = 106;
const uint8_t tileJettyPost = 107;
const uint8_t tileSeaweed = 108;
const uint8_t tileSwan = 109;
const uint8_t tileWhirlpool = 110;
const uint8_t tileSteppingStone = 111;
const uint8_t firstWaterObject = 96;
const uint8_t firstWaterMask = 112;
const int waterObjectCount = 16;

const uint8_t tileBannerA = 128; // two frames: 128 <-> 129
const uint8_t tileTorchA = 130;  // two frames: 130 <-> 131
const uint8_t tileMarketStall = 132;
const uint8_t tileJetty = 133;
const uint8_t tileDrawbridge = 134;
const uint8_t tileStair = 135;
const uint8_t tileSpinningWheel = 136;
const uint8_t tileGrainSack = 137;
const uint8_t tileCart = 138;
const uint8_t tilePew = 139;
const uint8_t tileBell = 140;
const uint8_t tileLantern = 141;
const uint8_t tileMapTable = 142;
const uint8_t tileLava = 143;
const uint8_t tileScorchedRock = 144;
const uint8_t tileAsh = 145;
const uint8_t tileIceFloor = 146;
const uint8_t tileSnowdrift = 147;
const uint8_t tileFrozenPond = 148;
const uint8_t tileDeadTree = 149;
const uint8_t tilePineTree = 150;
const uint8_t tilePalmTree = 151;
const uint8_t tileThicket = 152;
const uint8_t tileBoulder = 153;
const uint8_t tileCliff = 154;
const uint8_t tileCropField = 155;
const uint8_t tileGardenPath = 156;
const uint8_t tileCampsite = 157;
const uint8_t tileTents = 158;
const uint8_t tileShipwreck = 159;

const uint8_t tileLadderUp = ladderUpTile;
const uint8_t tileLadderDown = ladderDownTile;

const uint8_t tileCampfireA = 212; // four frames 212-215
const uint8_t tileFountainA = 216; // four frames 216-219
const uint8_t tileSandShoreLowerRight = 228;
const uint8_t tileSandShoreLowerLeft = 229;
const uint8_t tileSandShoreUpperLeft = 230;
const uint8_t tileSandShoreUpperRight = 231;
const uint8_t tileWindmillA = 236; // four frames 236-239
const uint8_t tileBrazierA = 250;  // two frames 250 <-> 251
const uint8_t tileBeaconA = 252;   // two frames 252 <-> 253
const uint8_t tileVoid = 255;

const uint8_t tileSkullPile = 167;
const uint8_t tileGlowingFungus = 223;
const uint8_t tileScarecrowTile = 184;
